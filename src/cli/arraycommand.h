#pragma once

#include "fitcheck.h"
#include "outcome.h"

#include <QString>
#include <QStringList>

// brindle array: the code of an array of controls, as the array panel generates it.
//   array command 3 --horizontal (boxes at their start values 10, 10, 70, 21) prints the 17
//   lines of Abutt1 with Iar1 and the step 70, CR LF between lines and none after the last.
namespace ArrayCommand {

// The choices of the panel: the count and device as chosen, the rest as texts typed into its
// boxes.
struct Request
{
    int kind = 0;  // 0 to 5, the panel's order: option ... list
    int count = 0; // the number of objects of a standard layout
    QString top = QStringLiteral("10");
    QString left = QStringLiteral("10");
    QString width = QStringLiteral("70");
    QString height = QStringLiteral("21");
    enum Layout { Vertical, Horizontal, Customized } layout = Vertical;
    QString spacer = QStringLiteral("0");
    QStringList positions; // customized: one "T,L,W,H" per object
    FitCheck::Device device = FitCheck::Device::None;
    int number = 1; // the name suffix: kinds chosen so far, this one included
};

// The kind names of the command line, in the panel's order.
QStringList kindNames();

// The generated code, or the refusal of the window (fit check, layout) as the failure.
Outcome generate(const Request &request);

Outcome run(const QStringList &arguments);

} // namespace ArrayCommand
