#include "ui/formulaparts.h"

#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/style.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Room for any number's text; a longer text (typed or pasted, shown as typed) scrolls in its
// box, so that the window does not grow past the screen and slow every keystroke down.
constexpr int WidestFormulaText = 24;

// A digit more than the text, so that a caret at its end never pushes the text aside.
int FormulaBoxWidthFor(const QWidget *box, const QString &text)
{
    return BoxWidthFor(box, text) + box->fontMetrics().averageCharWidth();
}

void ScaleFont(QWidget *control, double factor)
{
    QFont font = control->font();
    if (font.pointSizeF() <= 0)
        return;
    font.setPointSizeF(font.pointSizeF() * factor);
    control->setFont(font);
}

} // namespace

QLabel *MakeGlyph(const QString &name, const QString &text)
{
    QLabel *glyph = MakeLabel(name, text);
    glyph->setAlignment(Qt::AlignCenter);
    return glyph;
}

QLabel *MakeTextPiece(const QString &text)
{
    auto *piece = new QLabel(text);
    piece->setAccessibleName(text);
    piece->setAlignment(Qt::AlignCenter);
    return piece;
}

QLabel *MakeRootSign(const QString &name, const QString &text)
{
    QLabel *glyph = MakeLabel(name, text);
    ScaleFont(glyph, 1.5);
    glyph->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    return glyph;
}

void UseResultFont(QWidget *control)
{
    QFont font = control->font();
    font.setPointSizeF(11);
    control->setFont(font);
}

QLabel *MakeSuperscript(const QString &name, const QString &text)
{
    QLabel *glyph = MakeLabel(name, text);
    ScaleFont(glyph, 0.75);
    glyph->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return glyph;
}

QLabel *MakeFormulaBar(const QString &name)
{
    QLabel *bar = MakeLabel(name, QString());
    bar->setFixedHeight(1);
    bar->setStyleSheet(QStringLiteral("background: %1;").arg(Palette::Text.name()));
    bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return bar;
}

QBoxLayout *MakeFormulaRow()
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    return row;
}

QBoxLayout *MakeCentredRow(QLayout *formula)
{
    QBoxLayout *row = MakeFormulaRow();
    row->addStretch();
    row->addLayout(formula);
    row->addStretch();
    return row;
}

QBoxLayout *MakeCentredRow(QWidget *piece)
{
    QBoxLayout *row = MakeFormulaRow();
    row->addStretch();
    row->addWidget(piece);
    row->addStretch();
    return row;
}

QBoxLayout *MakeFraction(QLayout *numerator, QLabel *bar, QWidget *denominator)
{
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addLayout(MakeCentredRow(numerator));
    column->addWidget(bar);
    column->addLayout(MakeCentredRow(denominator));
    return column;
}

QBoxLayout *MakeUnderBar(QLabel *bar, QLayout *below)
{
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(bar);
    column->addLayout(below);
    return column;
}

EditBox *MakeFormulaBox(const QString &name)
{
    auto *box = new EditBox(name, InputMode::ReadOnly);
    box->setAlignment(Qt::AlignCenter);
    const auto fit = [box] {
        const QString shown = box->text().left(WidestFormulaText);
        box->setFixedWidth(
                std::max(FormulaBoxWidthFor(box, shown), FormulaBoxWidthFor(box, "-000")));
    };
    QObject::connect(box, &QLineEdit::textChanged, box, fit);
    fit();
    return box;
}

EditBox *MakeCoefficientBox(const QString &name, const QString &text)
{
    auto *box = new EditBox(name);
    box->setText(text);
    box->setFixedWidth(FormulaBoxWidthFor(box, QStringLiteral("-000.000")));
    return box;
}
