#include "ui/formulaparts.h"

#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/style.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

using namespace Ui;

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

// The root sign drawn as lines rather than taken from the font: a glyph ends at a height of
// its own, while the drawn sign's last stroke runs along the top edge, level with and as thick
// as the bar that continues it, at any device pixel ratio. What stands before the sign in the
// text ("±") is written in front of it.
class RootSignLabel : public QLabel
{
public:
    using QLabel::QLabel;

    QSize sizeHint() const override
    {
        const QFontMetrics metrics = fontMetrics();
        return {metrics.horizontalAdvance(Prefix()) + SignWidth(), metrics.height() + TopGap()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int prefixWidth = fontMetrics().horizontalAdvance(Prefix());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, TopGap(), prefixWidth, height() - TopGap()), Qt::AlignCenter,
                         Prefix());
        const double left = prefixWidth + 1;
        const double w = width() - left;
        const double h = height();
        QPainterPath sign;
        sign.moveTo(left, h * 0.62);
        sign.lineTo(left + w * 0.22, h * 0.52);
        sign.lineTo(left + w * 0.5, h - 1.5);
        sign.lineTo(left + w * 0.85, 0.5);
        sign.lineTo(width(), 0.5);
        QPen pen(Palette::Text, 1.0);
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawPath(sign);
    }

private:
    QString Prefix() const { return text().chopped(text().endsWith(u'√') ? 1 : 0); }
    int SignWidth() const { return fontMetrics().horizontalAdvance(u'0') * 4 / 3; }
    int TopGap() const { return fontMetrics().height() / 4; }
};

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
    auto *sign = new RootSignLabel(text);
    NameControl(sign, name);
    ScaleFont(sign, 1.25);
    return sign;
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

QBoxLayout *MakeRoot(QLabel *sign, QLabel *bar, QLayout *radicand)
{
    QBoxLayout *row = MakeFormulaRow();
    row->setSpacing(0);
    row->addWidget(sign);
    row->addLayout(MakeUnderBar(bar, radicand));
    return row;
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
