#include "fitcheck.h"

namespace FitCheck {

QLatin1StringView deviceName(Device device)
{
    switch (device) {
    case Device::Ppc:
        return QLatin1StringView("ppc");
    case Device::Hpc:
        return QLatin1StringView("hpc");
    case Device::None:
        break;
    }
    return {};
}

std::optional<Device> deviceNamed(QStringView name)
{
    for (Device device : {Device::Ppc, Device::Hpc}) {
        if (name == deviceName(device))
            return device;
    }
    return std::nullopt;
}

std::optional<Limits> limits(Device device)
{
    switch (device) {
    case Device::Ppc:
        return Limits{300, 210};
    case Device::Hpc:
        return Limits{200, 600};
    case Device::None:
        break;
    }
    return std::nullopt;
}

// The vertical extent adds LeftBase and the horizontal one TopBase, each the other axis's
// base: the device limits were set against exactly these sums.
bool fits(const ArraySettings &s, Device device, const QString &spacer, int count)
{
    const std::optional<Limits> screen = limits(device);
    if (!screen)
        return true;
    const double spacing = TextNumber::numericValue(spacer);
    if (s.HorzStep.isZero() &&
        (s.VertStep.toNumber() + spacing) * count + s.LeftBase.toNumber() > screen->vertical)
        return false;
    if (s.VertStep.isZero() &&
        (s.HorzStep.toNumber() + spacing) * count + s.TopBase.toNumber() > screen->horizontal)
        return false;
    return true;
}

} // namespace FitCheck
