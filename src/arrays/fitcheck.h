#pragma once

#include "arraysettings.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

#include <optional>

// Whether an array of objects fits the screen of the chosen device class before its code
// is built. With the ppc device, VertStep 21, spacer "0", 14 objects and LeftBase 10 the
// extent 21 x 14 + 10 = 304 exceeds 300 and the array does not fit; 13 objects (283) do.
namespace FitCheck {

inline constexpr QLatin1StringView exceedsDisplay("Objects or dimensions\r\nexceed display space");

// The device class whose screen an array must fit; None when the user chose none.
enum class Device { None, Ppc, Hpc };

// The name a user knows a device by, "ppc" or "hpc"; empty for None.
QLatin1StringView deviceName(Device device);
// The device of a name "ppc" or "hpc"; none for any other text.
std::optional<Device> deviceNamed(QStringView name);

// Limits of one device class: the vertical layout's extent plus LeftBase, and the
// horizontal layout's extent plus TopBase. The horizontal limit is the screen's width, the
// vertical one its height.
struct Limits
{
    double vertical;
    double horizontal;
};
// The limits of a device's screen: ppc 300 high and 210 wide, hpc 200 high and 600 wide.
// None for Device::None, which nothing is checked against.
std::optional<Limits> limits(Device device);

// Whether count objects fit the device, with the spacer's numeric value. An extent equal to a
// limit fits; with no device everything fits. A step counts as 0 only when it is numerically
// 0; a step or base holding text counts as its leading number.
bool fits(const ArraySettings &s, Device device, const QString &spacer, int count);

} // namespace FitCheck
