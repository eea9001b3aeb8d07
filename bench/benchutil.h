#pragma once

// Small helpers shared by the benchmarks: timing one piece of work, and choosing a combo
// box entry as the user does.

#include <QComboBox>
#include <QElapsedTimer>

#include <functional>

inline qint64 timeNs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed();
}

inline void choose(QComboBox *box, int index)
{
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}
