#pragma once

#include "arraysettings.h"
#include "result.h"

#include <QLatin1StringView>
#include <QString>

// The target-language code that creates an array of controls at run time, lines joined
// with CR LF and no line end after the last.
//   standardCode with Abutt1/Iar1, count 3, Vc 0, Oc 75, boxes 5, 40, 70, 21:
//     "Vc=0:Oc=75\r\nDim Iar1,Abutt1(2),Abutt1val\r\n ... \r\nEnd Sub" (17 lines)
//   customizedCode with Abutt1, PosCount 2, PosString "40,5,70,21|70,5,70,21|":
//     "Dim Abutt1(2)\r\n ... ObjPos = \"40,5,70,21|70,5,70,21|\" ... \r\nEnd Sub" (33 lines)
namespace ArrayCode {

inline constexpr QLatin1StringView kindNotSelected("Objects' type not selected");
inline constexpr QLatin1StringView layoutNotSelected("Not selected display mode");

// Whether the standard code can be built; the failure's message says why not, tested in
// order: no kind, both steps 0.
Result<> checkStandard(const ArraySettings &s);
// The 17 lines of the standard layout for count objects: a loop that places each control one
// step further than the one before, from LeftBase and TopBase, ObjWidth by ObjHeight.
QString standardCode(const ArraySettings &s, int count);

// Whether the customized code can be built; the failure's message says why not (no kind).
Result<> checkCustomized(const ArraySettings &s);
// The 33 lines of the customized layout: a loop over the entries of PosString.
QString customizedCode(const ArraySettings &s);

} // namespace ArrayCode
