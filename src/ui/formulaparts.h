#pragma once

#include <QString>

class EditBox;
class QBoxLayout;
class QLabel;
class QLayout;
class QWidget;

// Pieces for laying out written formulas with Qt layouts: glyphs between boxes, superscripts,
// fraction bars and the bar over a radicand. Several pieces may carry one name when together
// they are one static text of the window.

QLabel *MakeGlyph(const QString &name, const QString &text);
// A glyph that is one piece of a named static text (see PiecedLabel): unnamed itself.
QLabel *MakeTextPiece(const QString &text);
// A root sign, drawn so that its last stroke runs into the bar over the radicand; text before
// the "√" (such as "±") is written in front of it.
QLabel *MakeRootSign(const QString &name, const QString &text);
// Results read one step larger than the inputs.
void UseResultFont(QWidget *control);
// A small raised glyph, such as the "2" of x².
QLabel *MakeSuperscript(const QString &name, const QString &text);
// A thin horizontal rule that stretches to the width of what it spans.
QLabel *MakeFormulaBar(const QString &name);

// A row for formula pieces: no margins, glyphs close to their boxes.
QBoxLayout *MakeFormulaRow();
// A read-only box for one number of a formula that widens with its text up to the width of any
// number's text; a longer text scrolls in it.
EditBox *MakeFormulaBox(const QString &name);
// A formula centred in the row it gets, so that its bars are only as wide as what they span.
QBoxLayout *MakeCentredRow(QLayout *formula);
QBoxLayout *MakeCentredRow(QWidget *piece);
// Numerator over a bar over denominator, each centred.
QBoxLayout *MakeFraction(QLayout *numerator, QLabel *bar, QWidget *denominator);
// What stands under a bar, such as a radicand under the bar that starts at its root sign.
QBoxLayout *MakeUnderBar(QLabel *bar, QLayout *below);
// A root sign and the bar over its radicand, joined without a gap.
QBoxLayout *MakeRoot(QLabel *sign, QLabel *bar, QLayout *radicand);

// An input box wide enough for a typical coefficient.
EditBox *MakeCoefficientBox(const QString &name, const QString &text = QString());
