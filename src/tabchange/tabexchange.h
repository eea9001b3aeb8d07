#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "result.h"

// Exchanges the TAB positions of two objects of a generated section. An object's block is
// its opening line, its SET line and its further lines, up to the next comment line (its
// first non-blank character an apostrophe), the end line when it carries a comment, or the
// end of the section: an apostrophe inside a string or after code does not end it. The
// selected block, renumbered to the new position, and the target block, renumbered to the old
// one, change places; every other line keeps its bytes and its order. Blocks are found by
// their start indexes only.
//
// Example: blocks at 3 «New object», « Set Ctl(1) = OkButton», «Ctl(1).Caption = OK» and at
// 7 «New object», « SET Ctl(2) = NameBox», «Ctl(2).Text = empty»; moving object 1 to
// position 2 puts «New object», « SET Ctl(1) = NameBox», «Ctl(1).Text = empty» at 3 and
// «New object», « Set Ctl(2) = OkButton», «Ctl(2).Caption = OK» at 7.
namespace TabExchange {

// Lines from start up to, not including, the first comment line or end line with a comment:
// «Ctl(1).Caption = "Don't"» and «Ctl(1).Left = 5 ' left edge» stay in the block.
QList<QByteArray> collectBlock(const QList<QByteArray> &section, int start);

// What stands between the first "(" and the first ")" of a line; null when the line has no
// "(" before a ")". «Ctl(12).Left = 5» gives «12».
QByteArray firstParentheses(const QByteArray &line);

// The array name that stands directly before the first "(" of a SET line:
// « Set Ctl(1) = OkButton» gives «Ctl»; empty when none does.
QByteArray arrayName(const QByteArray &setLine);

// Every reference «name(from)» of the line renumbered to «name(n)»: the name (in any case)
// not part of a longer name, the number exactly `from`, outside string literals. Nothing
// else changes, so ("Ctl", "1", 2) turns «Ctl(1).Caption = "Ctl(1)" & Ctl(1).Tag» into
// «Ctl(2).Caption = "Ctl(1)" & Ctl(2).Tag» and keeps «OkButton.Tag = Chr(1)».
QByteArray renumber(const QByteArray &line, const QByteArray &name, const QByteArray &from, int n);

// The first line unchanged; on each further line, every reference to the control of the SET
// line (the block's second line) renumbered to n; on the SET line only before its equals
// sign, since what follows it is the object's name.
QList<QByteArray> renumberBlock(const QList<QByteArray> &block, int n);

// The text after the first equals sign (the whole line when it has none).
QByteArray nameText(const QByteArray &setLine);

struct Prepared
{
    QList<QByteArray> moved;  // the selected block, renumbered to the new position
    QList<QByteArray> target; // the target block, renumbered to the old position
};

// Collects and renumbers both blocks. Refuses blocks that do not start after the section's
// first line, that hold no SET line, a form line or an end line, whose name text is empty,
// or that overlap without being the same, saying why.
Result<Prepared> prepare(const QList<QByteArray> &section, int selBlock, int oldTab,
                         int targetBlock, int newTab);

// The section with the block at selBlock (moved.size() lines) replaced by target and the
// block at targetBlock (target.size() lines) replaced by moved. The same block for both
// leaves the section as it is.
QList<QByteArray> exchange(const QList<QByteArray> &section, int selBlock,
                           const QList<QByteArray> &moved, int targetBlock,
                           const QList<QByteArray> &target);

} // namespace TabExchange
