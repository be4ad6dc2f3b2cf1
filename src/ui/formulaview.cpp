#include "ui/formulaview.h"

#include "ui/controls.h"
#include "ui/style.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

using Eval::Formula;

namespace {

// The extent of a formula: its width, and how far it reaches above and below the baseline.
struct Extent
{
    double width = 0;
    double ascent = 0;
    double descent = 0;
};

QFont Scaled(const QFont &font, double factor)
{
    QFont scaled = font;
    scaled.setPointSizeF(font.pointSizeF() * factor);
    return scaled;
}

bool IsOperator(const Formula &f)
{
    return f.kind == Formula::Kind::Text
            && (f.text == u'+' || f.text == u'−' || f.text.startsWith(u'≈'));
}

// Measures and, with a painter, draws: one walk, so that the two cannot disagree.
class Typesetter
{
public:
    Typesetter(QPainter *painter, QColor colour)
        : m_painter(painter)
        , m_colour(colour)
    { }

    Extent Set(const Formula &f, const QFont &font, QPointF origin)
    {
        const QFontMetricsF metrics(font);
        const double em = metrics.height();
        switch (f.kind) {
        case Formula::Kind::Text: {
            // Space around an operator between terms, none around a leading sign.
            const double pad = IsOperator(f) && m_afterOperand ? em * 0.15 : 0;
            if (m_painter) {
                m_painter->setFont(font);
                m_painter->setPen(m_colour);
                m_painter->drawText(origin + QPointF(pad, 0), f.text);
            }
            m_afterOperand = !IsOperator(f);
            return {metrics.horizontalAdvance(f.text) + 2 * pad, metrics.ascent(),
                    metrics.descent()};
        }
        case Formula::Kind::Row: {
            Extent row;
            m_afterOperand = false;
            for (const Formula &part : f.parts) {
                const Extent e = Set(part, font, origin + QPointF(row.width, 0));
                row.width += e.width;
                row.ascent = std::max(row.ascent, e.ascent);
                row.descent = std::max(row.descent, e.descent);
            }
            return row;
        }
        case Formula::Kind::Fraction:
            return SetFraction(f, font, origin, metrics);
        case Formula::Kind::Root:
            return SetRoot(f, font, origin, metrics);
        case Formula::Kind::Superscript: {
            const Extent base = Set(f.parts[0], font, origin);
            const QFont small = Scaled(font, 0.7);
            const double raise = metrics.xHeight() * 0.9;
            const Extent power = Measured(f.parts[1], small);
            Set(f.parts[1], small, origin + QPointF(base.width + em * 0.03, -raise));
            m_afterOperand = true;
            return {base.width + power.width + em * 0.05,
                    std::max(base.ascent, raise + power.ascent), base.descent};
        }
        }
        return {};
    }

private:
    Extent Measured(const Formula &f, const QFont &font)
    {
        Typesetter measure(nullptr, m_colour);
        return measure.Set(f, font, {});
    }

    void Line(QPointF from, QPointF to, double width) const
    {
        if (!m_painter)
            return;
        QPen pen(m_colour, width);
        pen.setCapStyle(Qt::FlatCap);
        m_painter->setPen(pen);
        m_painter->drawLine(from, to);
    }

    Extent SetFraction(const Formula &f, const QFont &font, QPointF origin,
                       const QFontMetricsF &metrics)
    {
        const double em = metrics.height();
        const Extent top = Measured(f.parts[0], font), bottom = Measured(f.parts[1], font);
        const double pad = em * 0.12, gap = em * 0.12, axis = metrics.xHeight() * 0.55;
        const double width = std::max(top.width, bottom.width) + 2 * pad;
        const double bar = origin.y() - axis;
        Set(f.parts[0], font, {origin.x() + (width - top.width) / 2, bar - gap - top.descent});
        Set(f.parts[1], font, {origin.x() + (width - bottom.width) / 2, bar + gap + bottom.ascent});
        Line({origin.x() + pad / 2, bar}, {origin.x() + width - pad / 2, bar},
             std::max(1.0, em / 18));
        m_afterOperand = true;
        return {width, axis + gap + top.ascent + top.descent,
                bottom.ascent + bottom.descent + gap - axis};
    }

    Extent SetRoot(const Formula &f, const QFont &font, QPointF origin,
                   const QFontMetricsF &metrics)
    {
        const double em = metrics.height();
        const Extent radicand = Measured(f.parts[0], font);
        const double stroke = std::max(1.0, em / 18);
        const double gap = em * 0.1, sign = em * 0.5;
        QFont small = Scaled(font, 0.6);
        // An index stands clear of a coefficient before it (2⁵√8, not 25√8).
        const double indexGap = f.text.isEmpty() ? 0 : em * 0.12;
        const double indexWidth = f.text.isEmpty() ? 0
                                                   : indexGap
                        + std::max(0.0,
                                   QFontMetricsF(small).horizontalAdvance(f.text) - sign * 0.35);
        const double left = origin.x() + indexWidth;
        const double top = origin.y() - radicand.ascent - gap;
        const double bottom = origin.y() + radicand.descent;
        const double right = left + sign + radicand.width + em * 0.08;
        if (m_painter) {
            QPainterPath path;
            path.moveTo(left, origin.y() - radicand.ascent * 0.35);
            path.lineTo(left + sign * 0.25, origin.y() - radicand.ascent * 0.45);
            path.lineTo(left + sign * 0.55, bottom);
            path.lineTo(left + sign, top);
            path.lineTo(right, top);
            QPen pen(m_colour, stroke);
            pen.setJoinStyle(Qt::MiterJoin);
            pen.setCapStyle(Qt::FlatCap);
            m_painter->setPen(pen);
            m_painter->setBrush(Qt::NoBrush);
            m_painter->drawPath(path);
        }
        if (!f.text.isEmpty())
            Set(Formula::Glyphs(f.text), small,
                {origin.x() + indexGap, origin.y() - radicand.ascent * 0.5});
        Set(f.parts[0], font, {left + sign, origin.y()});
        m_afterOperand = true;
        return {right - origin.x(), radicand.ascent + gap + stroke, radicand.descent};
    }

    QPainter *m_painter;
    QColor m_colour;
    bool m_afterOperand = false;
};

bool IsEmpty(const Formula &f)
{
    return f.kind == Formula::Kind::Text && f.text.isEmpty();
}

Formula WithApproximation(const Formula &secondary)
{
    return Formula::Row({Formula::Glyphs(QStringLiteral("  ")), secondary});
}

} // namespace

FormulaView::FormulaView(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    NameControl(this, name);
    setFont(Scaled(font(), 1.5));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void FormulaView::SetFormula(const Formula &primary, const Formula &secondary)
{
    m_primary = primary;
    m_secondary = secondary;
    setAccessibleName(Text());
    updateGeometry();
    update();
}

void FormulaView::Clear()
{
    SetFormula({});
}

QString FormulaView::Text() const
{
    const QString secondary = FormulaText(m_secondary);
    return FormulaText(m_primary) + (secondary.isEmpty() ? QString() : u' ' + secondary);
}

QSize FormulaView::sizeHint() const
{
    Typesetter measure(nullptr, {});
    const Extent primary = measure.Set(m_primary, font(), {});
    const Extent secondary = measure.Set(WithApproximation(m_secondary), font(), {});
    // Room for a fraction of two lines when there is none, so the window keeps its height.
    const QFontMetricsF metrics(font());
    const double height = std::max({primary.ascent + primary.descent,
                                    secondary.ascent + secondary.descent, 2.6 * metrics.height()});
    return {int(std::ceil(primary.width + secondary.width)) + 8, int(std::ceil(height)) + 8};
}

QSize FormulaView::minimumSizeHint() const
{
    return {0, sizeHint().height()};
}

void FormulaView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Typesetter measure(nullptr, {});
    const Extent primary = measure.Set(m_primary, font(), {});
    const double baseline = height() / 2.0 + (primary.ascent - primary.descent) / 2.0;
    Typesetter(&painter, Palette::Text).Set(m_primary, font(), {4, baseline});
    if (!IsEmpty(m_secondary))
        Typesetter(&painter, Palette::SecondaryText)
                .Set(WithApproximation(m_secondary), font(), {4 + primary.width, baseline});
}
