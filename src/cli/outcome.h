#pragma once

#include <QByteArray>
#include <QString>

// What one command gives back: its exit status, the bytes for standard output and the message
// for standard error. Refusals carry the window's own words where the window has them.
//   Outcome::refused(u"only 5 lines allowed"_s) has status 1, no output and that message.
struct Outcome
{
    enum Status { Done = 0, Refused = 1, BadUsage = 2 };

    int status = Done;
    QByteArray out;
    QString err;

    static Outcome done(QByteArray out = {}, QString note = {})
    {
        return {Done, std::move(out), std::move(note)};
    }
    static Outcome refused(QString why) { return {Refused, {}, std::move(why)}; }
    static Outcome badUsage(QString why) { return {BadUsage, {}, std::move(why)}; }
};
