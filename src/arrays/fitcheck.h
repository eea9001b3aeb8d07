#pragma once

#include "arraysettings.h"

#include <QLatin1StringView>
#include <QString>

// Whether an array of objects fits the screen of the chosen device class before its code
// is built. With the ppc device, VertStep 21, spacer "0", 14 objects and LeftBase 10 the
// extent 21 x 14 + 10 = 304 exceeds 300 and the array does not fit; 13 objects (283) do.
namespace FitCheck {

inline constexpr QLatin1StringView exceedsDisplay("Objects or dimensions\r\nexceed display space");

// Limits of one device class: the vertical layout's extent plus LeftBase, and the
// horizontal layout's extent plus TopBase.
struct Limits
{
    double vertical;
    double horizontal;
};
inline constexpr Limits ppc{300, 210};
inline constexpr Limits hpc{200, 600};

// The tests of every selected device, with the spacer's and the count's numeric values.
// An extent equal to a limit fits. A step counts as 0 only when it is numerically 0; a
// step or base holding text counts as its leading number.
bool fits(const ArraySettings &s, bool ppcSelected, bool hpcSelected, const QString &spacer,
          const QString &countCaption);

} // namespace FitCheck
