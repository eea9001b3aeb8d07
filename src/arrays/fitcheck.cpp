#include "fitcheck.h"

namespace FitCheck {

namespace {

// The vertical extent adds LeftBase and the horizontal one TopBase, each the other axis's
// base. Deliberate: the device limits were set against exactly these sums, as the design has
// them; pinned by tst_fitcheck fits (rows "ppc vertical 304", "ppc horizontal ignores
// LeftBase", "ppc vertical ignores TopBase") and tst_arraypanel fitCheckRefusesAndThenPasses.
bool fitsDevice(const ArraySettings &s, Limits limits, double spacer, double count)
{
    if (s.HorzStep.isZero() &&
        (s.VertStep.toNumber() + spacer) * count + s.LeftBase.toNumber() > limits.vertical)
        return false;
    if (s.VertStep.isZero() &&
        (s.HorzStep.toNumber() + spacer) * count + s.TopBase.toNumber() > limits.horizontal)
        return false;
    return true;
}

} // namespace

bool fits(const ArraySettings &s, bool ppcSelected, bool hpcSelected, const QString &spacer,
          const QString &countCaption)
{
    const double spacing = TextNumber::numericValue(spacer);
    const double count = TextNumber::numericValue(countCaption);
    if (ppcSelected && !fitsDevice(s, ppc, spacing, count))
        return false;
    if (hpcSelected && !fitsDevice(s, hpc, spacing, count))
        return false;
    return true;
}

} // namespace FitCheck
