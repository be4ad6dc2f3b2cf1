#include "ui/latex.h"

#include "eval/nestinglimit.h"

#include <QHash>

namespace Ui {

namespace {

// Symbols with a command of their own; a trailing space keeps a following letter apart.
const QHash<QChar, QString> &Commands()
{
    static const QHash<QChar, QString> commands{
            {u'×', QStringLiteral("\\times ")},      {u'*', QStringLiteral("\\times ")},
            {u'÷', QStringLiteral("\\div ")},        {u'·', QStringLiteral("\\cdot ")},
            {u'±', QStringLiteral("\\pm ")},         {u'∓', QStringLiteral("\\mp ")},
            {u'≈', QStringLiteral("\\approx ")},     {u'≠', QStringLiteral("\\neq ")},
            {u'≤', QStringLiteral("\\leq ")},        {u'≥', QStringLiteral("\\geq ")},
            {u'π', QStringLiteral("\\pi ")},         {u'∞', QStringLiteral("\\infty ")},
            {u'∈', QStringLiteral("\\in ")},         {u'∉', QStringLiteral("\\notin ")},
            {u'∪', QStringLiteral("\\cup ")},        {u'∩', QStringLiteral("\\cap ")},
            {u'∅', QStringLiteral("\\varnothing ")}, {u'Δ', QStringLiteral("\\Delta ")},
            {u'Σ', QStringLiteral("\\Sigma ")},      {u'σ', QStringLiteral("\\sigma ")},
            {u'μ', QStringLiteral("\\mu ")},         {u'λ', QStringLiteral("\\lambda ")},
            {u'θ', QStringLiteral("\\theta ")},      {u'α', QStringLiteral("\\alpha ")},
            {u'β', QStringLiteral("\\beta ")},       {u'°', QStringLiteral("^{\\circ}")},
            {u'…', QStringLiteral("\\ldots ")},      {u'→', QStringLiteral("\\to ")},
            {u'⇒', QStringLiteral("\\Rightarrow ")}, {u'∴', QStringLiteral("\\therefore ")},
            {u'∵', QStringLiteral("\\because ")},    {u'ℝ', QStringLiteral("\\mathbb{R}")},
            {u'∠', QStringLiteral("\\angle ")},      {u'⊥', QStringLiteral("\\perp ")},
            {u'%', QStringLiteral("\\%")},           {u'#', QStringLiteral("\\#")},
            {u'&', QStringLiteral("\\&")},           {u'$', QStringLiteral("\\$")},
            {u'_', QStringLiteral("\\_")},           {u'{', QStringLiteral("\\{")},
            {u'}', QStringLiteral("\\}")},           {u'~', QStringLiteral("\\sim ")},
            {u'\\', QStringLiteral("\\backslash ")}, {u'|', QStringLiteral("\\vert ")},
            {u'^', QStringLiteral("\\wedge ")},      {u'√', QStringLiteral("\\surd ")},
            {u'∛', QStringLiteral("\\sqrt[3]{}")},
    };
    return commands;
}

const QString Superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹⁺⁻⁽⁾ⁿ");
const QString SuperscriptPlain = QStringLiteral("0123456789+-()n");
const QString Subscripts = QStringLiteral("₀₁₂₃₄₅₆₇₈₉₊₋₍₎");
const QString SubscriptPlain = QStringLiteral("0123456789+-()");
const QString Functions[]
        = {QStringLiteral("arcsin"), QStringLiteral("arccos"), QStringLiteral("arctan"),
           QStringLiteral("sin"),    QStringLiteral("cos"),    QStringLiteral("tan"),
           QStringLiteral("ln"),     QStringLiteral("log"),    QStringLiteral("exp")};

// Full-width forms as their ASCII characters, the ideographic space as a space.
QString HalfWidth(const QString &text)
{
    QString plain = text;
    for (QChar &c : plain) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(c.unicode() - 0xFEE0);
        else if (c.unicode() == 0x3000)
            c = u' ';
    }
    return plain;
}

bool IsMathCharacter(QChar c)
{
    return c.isSpace() || (c.unicode() < 0x80 && c.isPrint()) || Commands().contains(c)
            || Superscripts.contains(c) || Subscripts.contains(c) || c == u'√' || c == u'∛';
}

// Characters of \text that LaTeX reads as commands.
QString TextEscaped(const QString &text)
{
    QString escaped;
    for (const QChar c : text) {
        if (QStringLiteral("&%$#_{}").contains(c))
            escaped += u'\\' + QString(c);
        else if (c == u'\\')
            escaped += QStringLiteral("\\textbackslash{}");
        else if (c == u'~' || c == u'^')
            escaped += QStringLiteral("\\") + c + QStringLiteral("{}");
        else
            escaped += c;
    }
    return escaped;
}

struct Item
{
    QString latex;
    QString bare; // an operand without its outer parentheses
    enum Kind { Operand, Slash, Other } kind = Other;
    int level = 0; // how deeply fractions and powers nest in it, within the nesting limit
};

class Converter
{
public:
    explicit Converter(const QString &text)
        : m_text(HalfWidth(text))
        , m_closed(m_text.size(), false)
    {
        // Which parentheses close, found once: asking at each would take quadratic time.
        QList<qsizetype> open;
        for (qsizetype i = 0; i < m_text.size(); ++i) {
            if (m_text[i] == u'(')
                open.append(i);
            else if (m_text[i] == u')' && !open.isEmpty())
                m_closed[open.takeLast()] = true;
        }
    }

    QString Run() { return Joined(Sequence(QChar(), 0)); }

private:
    // Items up to `closing` (taken) or the end.
    QList<Item> Sequence(QChar closing, int depth)
    {
        QList<Item> items;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (!closing.isNull() && c == closing) {
                ++m_pos;
                break;
            }
            if (c.isSpace()) {
                ++m_pos;
                continue;
            }
            Item item = Next(depth);
            AttachScripts(item, depth);
            items.append(item);
        }
        return Fractions(items);
    }

    Item Next(int depth)
    {
        const QChar c = m_text[m_pos];
        if (c.isDigit() || (c == u'.' && Peek(1).isDigit()))
            return Operand(Take([](QChar d) { return d.isDigit() || d == u'.'; }));
        if (c.unicode() < 0x80 && c.isLetter())
            return Word(Take([](QChar d) { return d.unicode() < 0x80 && d.isLetter(); }));
        if (c == u'(' && depth < Eval::MaxNestingDepth && m_closed[m_pos]) {
            ++m_pos;
            const QString inner = Joined(Sequence(u')', depth + 1));
            return {u'(' + inner + u')', inner, Item::Operand};
        }
        if ((c == u'√' || c == u'∛') && depth < Eval::MaxNestingDepth) {
            ++m_pos;
            const QString root
                    = c == u'√' ? QStringLiteral("\\sqrt{") : QStringLiteral("\\sqrt[3]{");
            const QString radicand = NextOperand(depth + 1);
            return Operand(root + radicand + u'}');
        }
        if (c == u'/') {
            ++m_pos;
            return {QStringLiteral("/"), QString(), Item::Slash};
        }
        const auto command = Commands().constFind(c);
        if (command != Commands().constEnd()) {
            ++m_pos;
            return {*command, *command, c == u'π' || c == u'∞' ? Item::Operand : Item::Other};
        }
        if (IsMathCharacter(c)) {
            ++m_pos;
            return {QString(c), QString(c), Item::Other};
        }
        return {QStringLiteral("\\text{")
                        + TextEscaped(Take([](QChar d) { return !IsMathCharacter(d); })) + u'}',
                QString(), Item::Other};
    }

    // Powers and indices after an item: ² and ₍₂₎ as written, ^ before an operand or a sign.
    void AttachScripts(Item &item, int depth)
    {
        while (item.level < Eval::MaxNestingDepth) {
            if (m_pos < m_text.size() && Superscripts.contains(m_text[m_pos])) {
                Scripted(item, u'^', Translated(Superscripts, SuperscriptPlain));
            } else if (m_pos < m_text.size() && Subscripts.contains(m_text[m_pos])) {
                Scripted(item, u'_', Translated(Subscripts, SubscriptPlain));
            } else if (Peek(0) == u'^' && depth < Eval::MaxNestingDepth
                       && (StartsOperand(Peek(1))
                           || ((Peek(1) == u'-' || Peek(1) == u'+') && StartsOperand(Peek(2))))) {
                ++m_pos;
                QString sign;
                if (Peek(0) == u'-' || Peek(0) == u'+')
                    sign = m_text[m_pos++];
                Scripted(item, u'^', sign + NextOperand(depth + 1));
            } else {
                return;
            }
        }
    }

    static void Scripted(Item &item, QChar mark, const QString &script)
    {
        item.latex = u'{' + item.latex + u'}' + mark + u'{' + script + u'}';
        item.bare = item.latex;
        ++item.level;
    }

    QString Translated(const QString &from, const QString &to)
    {
        const QString run = Take([&from](QChar d) { return from.contains(d); });
        QString plain;
        for (const QChar c : run)
            plain += to[from.indexOf(c)];
        return plain;
    }

    // The operand after a root sign or a ^, with its own powers; empty where none follows.
    QString NextOperand(int depth)
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
        if (m_pos >= m_text.size())
            return QString();
        if (!StartsOperand(m_text[m_pos]))
            return QString();
        Item item = Next(depth);
        AttachScripts(item, depth);
        return item.kind == Item::Operand ? item.bare : item.latex;
    }

    static bool StartsOperand(QChar c)
    {
        return c.isDigit() || c == u'.' || c == u'(' || c == u'√' || c == u'π'
                || (c.unicode() < 0x80 && c.isLetter());
    }

    static Item Operand(const QString &latex) { return {latex, latex, Item::Operand}; }

    Item Word(const QString &word)
    {
        // The script notation's prefix, "Math.sin", reads as the function.
        if (word == u"Math" && Peek(0) == u'.' && Peek(1).isLetter()) {
            ++m_pos;
            return {QString(), QString(), Item::Other};
        }
        for (const QString &function : Functions) {
            if (word == function)
                return {u'\\' + word + u' ', QString(), Item::Other};
        }
        if (word == u"lg")
            return {QStringLiteral("\\lg "), QString(), Item::Other};
        return Operand(word);
    }

    // a/b between two operands as \frac{a}{b}, from the left: a/b/c is (a/b)/c.
    static QList<Item> Fractions(const QList<Item> &items)
    {
        QList<Item> joined;
        for (qsizetype i = 0; i < items.size(); ++i) {
            const bool fraction = items[i].kind == Item::Slash && !joined.isEmpty()
                    && joined.last().kind == Item::Operand && i + 1 < items.size()
                    && items[i + 1].kind == Item::Operand
                    && joined.last().level < Eval::MaxNestingDepth;
            if (!fraction) {
                joined.append(items[i]);
                continue;
            }
            const int level = qMax(joined.last().level, items[i + 1].level) + 1;
            joined.last() = Operand(QStringLiteral("\\frac{") + joined.last().bare
                                    + QStringLiteral("}{") + items[i + 1].bare + u'}');
            joined.last().level = level;
            ++i;
        }
        return joined;
    }

    static QString Joined(const QList<Item> &items)
    {
        QString latex;
        for (const Item &item : items)
            latex += item.latex;
        return latex.trimmed();
    }

    QChar Peek(qsizetype ahead) const
    {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : QChar();
    }

    template<typename Predicate>
    QString Take(Predicate keep)
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && keep(m_text[m_pos]))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    QString m_text;
    QList<bool> m_closed; // a "(" there has its ")"
    qsizetype m_pos = 0;
};

QString Display(const QString &body)
{
    return QStringLiteral("\\[\n") + body + QStringLiteral("\n\\]");
}

QString LadderLatex(const ShortDivision &ladder)
{
    const qsizetype columns = ladder.rows.isEmpty() ? 0 : ladder.rows.first().size();
    const bool remainders = !ladder.remainders.isEmpty();
    QString body = QStringLiteral("\\begin{array}{r") + QString(columns, u'c')
            + (remainders ? QStringLiteral("l}\n") : QStringLiteral("}\n"));
    for (qsizetype r = 0; r < ladder.rows.size(); ++r) {
        const bool divided = r < ladder.divisors.size();
        QStringList cells{divided ? QStringLiteral("\\multicolumn{1}{r|}{")
                                          + MathLatex(ladder.divisors[r]) + u'}'
                                  : QString()};
        for (const QString &cell : ladder.rows[r])
            cells.append(MathLatex(cell));
        if (remainders) {
            const bool has = r > 0 && r - 1 < ladder.remainders.size();
            cells.append(has ? QStringLiteral("\\cdots\\cdots ")
                                         + MathLatex(ladder.remainders[r - 1])
                             : QString());
        }
        body += cells.join(QStringLiteral(" & "));
        if (divided)
            body += QStringLiteral(" \\\\ \\cline{2-%1}\n").arg(columns + 1);
    }
    return body + QStringLiteral("\n\\end{array}");
}

QString ArrayOfLines(const QList<QStringList> &rows)
{
    QStringList lines;
    for (const QStringList &row : rows)
        lines.append(MathLatex(row.join(u' ')));
    return QStringLiteral("\\begin{array}{l}\n") + lines.join(QStringLiteral(" \\\\\n"))
            + QStringLiteral("\n\\end{array}");
}

} // namespace

QString MathLatex(const QString &text)
{
    return Converter(text).Run();
}

QString TableLatex(const QStringList &header, const QList<QStringList> &rows)
{
    qsizetype columns = header.size();
    for (const QStringList &row : rows)
        columns = qMax(columns, row.size());
    const QStringList centred(columns, QStringLiteral("c"));
    QString body = QStringLiteral("\\begin{array}{|") + centred.join(u'|')
            + QStringLiteral("|}\n\\hline\n");
    const auto addRow = [&](const QStringList &cells) {
        QStringList converted;
        for (const QString &cell : cells)
            converted.append(MathLatex(cell));
        body += converted.join(QStringLiteral(" & ")) + QStringLiteral(" \\\\ \\hline\n");
    };
    if (!header.isEmpty())
        addRow(header);
    for (const QStringList &row : rows)
        addRow(row);
    return body + QStringLiteral("\\end{array}");
}

QString WorkingLatex(const Working &working)
{
    QStringList parts;
    for (const WorkingBlock &block : working) {
        if (!block.title.isEmpty())
            parts.append(QStringLiteral("\\textbf{") + TextEscaped(block.title) + u'}');
        if (block.ladder)
            parts.append(Display(LadderLatex(*block.ladder)));
        if (!block.rows.isEmpty())
            parts.append(Display(block.header.isEmpty() ? ArrayOfLines(block.rows)
                                                        : TableLatex(block.header, block.rows)));
    }
    return parts.join(QStringLiteral("\n\n"));
}

QString ResultsLatex(const NamedValues &values)
{
    QStringList rows;
    for (const NamedValue &value : values) {
        const QString shown = value.refused
                ? QStringLiteral("\\text{") + TextEscaped(value.value) + u'}'
                : MathLatex(value.value);
        rows.append(MathLatex(value.name) + QStringLiteral(" &= ") + shown);
    }
    return Display(QStringLiteral("\\begin{aligned}\n") + rows.join(QStringLiteral(" \\\\\n"))
                   + QStringLiteral("\n\\end{aligned}"));
}

} // namespace Ui
