#pragma once

#include "textnumber.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <optional>

// What the user chose on the array panel, kept for the whole run and read by the emitters
// and the fit check. Field names are those the window's operations use.
struct ArraySettings
{
    QString ArrayName;   // kind prefix and KindSuffix, e.g. Abutt1
    QString ObjectClass; // e.g. CommandButton
    QString LoopVarName; // "Iar" and KindSuffix, e.g. Iar1
    int KindClicks = 0;  // kind selections since start, whatever the kind
    QString KindSuffix;

    TextOrNumber VertStep; // step down the vertical layout, 0 otherwise
    TextOrNumber HorzStep; // step right the horizontal layout, 0 otherwise

    qint16 PosCount = 0;    // objects of the customized list
    QStringList PosEntries; // one position entry per object; the last slot stays empty
    int PosIndex = 0;       // entry being typed
    QString PosString;      // the entries of the completed list

    // Captured by each standard generation; the fit check reads the first two.
    TextOrNumber LeftBase;
    TextOrNumber TopBase;
    TextOrNumber ObjWidth;
    TextOrNumber ObjHeight;
};

// The operations on the settings behind the panel's handlers.
//   selectKind(s, 2) on a fresh record: ArrayName "Abutt1", LoopVarName "Iar1";
//   selectKind(s, 3) next: "Alabel2", "Iar2".
//   changeSpacer with Widthbox "70" and spacer "5", horizontal: HorzStep the number 75.
//   A list of 2 typed as (40,5,70,21) and (70,5,70,21): PosString "40,5,70,21|70,5,70,21|".
namespace ArraySetup {

inline constexpr QLatin1StringView
    countTooLargeForList("Number of Objects too large for a customized list (at most 32767)");

struct ObjectKind
{
    QLatin1StringView prefix;
    QLatin1StringView objectClass;
    // Option buttons, check boxes and command buttons take the form's background; the
    // others white.
    bool formBackground;
};
inline constexpr int kindCount = 6;
// The kind of an index 0 to 5 of the kind options.
const ObjectKind &objectKind(int index);
// Whether the array carries the prefix of a kind with the form's background.
bool hasFormBackground(const QString &arrayName);

// A kind option became selected; indexes outside 0 to 5 are ignored.
void selectKind(ArraySettings &s, int index);
// The layout options: each takes the step of its own axis as the box's text, unchanged.
void selectVertical(ArraySettings &s, const QString &height);
void selectHorizontal(ArraySettings &s, const QString &width);
// The spacer changed: the selected layout's step becomes the box's whole number plus the
// spacer's numeric value. A box holding no 16-bit whole number leaves the step as it was.
void changeSpacer(ArraySettings &s, bool vertical, bool horizontal, const QString &height,
                  const QString &width, const QString &spacer);

// The count of a customized list: the number of objects when it is 0 to 32767.
std::optional<qint16> listCount(int objects);
// Starts a customized list of count objects: empty entries, typing object 1.
void startList(ArraySettings &s, qint16 count);
// One position entry: top,left,width,height|.
QString positionEntry(const QString &top, const QString &left, const QString &width,
                      const QString &height);
bool listComplete(const ArraySettings &s);
// What became of a position entry: stored, or ignored because one of its four texts is empty
// or the list is already complete. The window ignores such a click without a word.
enum class Entry { Stored, MissingValue, ListComplete };
// Stores the entry being typed and moves to the next object; an ignored entry changes nothing.
[[nodiscard]] Entry storeEntry(ArraySettings &s, const QString &top, const QString &left,
                               const QString &width, const QString &height);
// Joins the entries of the list into PosString.
void completeList(ArraySettings &s);
// Caption of the entry button while object index (from 0) is typed: "Object 1", ...
QString entryCaption(int index);

} // namespace ArraySetup
