#include "ui/longtextbox.h"

#include "ui/controls.h"
#include "ui/style.h"

#include <QMimeData>
#include <QTextBlock>

#include <QHash>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Shorter texts wrap as usual; their layout is cheap.
constexpr qsizetype LongTextLength = 4096;

// Blocks of a few lines each: a document of very many blocks is slow to fill, a long block
// slow to lay out.
constexpr int LinesPerBlock = 16;

// Marks a block that continues the same line of the text in the next block.
constexpr int ContinuedBlock = 1;

// Advances of characters, each measured once; a surrogate pair is measured at its first half.
class CharacterWidths
{
public:
    explicit CharacterWidths(const QFont &font)
        : m_metrics(font)
    {
        m_ascii.fill(-1);
    }

    qreal At(QStringView text, qsizetype index)
    {
        const char16_t unit = text.at(index).unicode();
        if (unit < m_ascii.size()) {
            if (m_ascii[unit] < 0)
                m_ascii[unit] = m_metrics.horizontalAdvance(QChar(unit));
            return m_ascii[unit];
        }
        if (QChar::isLowSurrogate(unit))
            return 0;
        if (QChar::isHighSurrogate(unit))
            return m_metrics.horizontalAdvance(text.mid(index, 2).toString());
        const auto known = m_others.constFind(unit);
        if (known != m_others.constEnd())
            return *known;
        return *m_others.insert(unit, m_metrics.horizontalAdvance(QChar(unit)));
    }

private:
    QFontMetricsF m_metrics;
    std::array<qreal, 128> m_ascii;
    QHash<char16_t, qreal> m_others;
};

// The text cut into pieces of LinesPerBlock visual lines that each fit `room` pixels, and for
// each piece whether the next one continues its line.
struct CutText
{
    QString shown; // the pieces, separated by "\n"
    std::vector<bool> continued;

    void Append(QStringView piece, bool continues)
    {
        if (!continued.empty())
            shown += u'\n';
        shown += piece;
        continued.push_back(continues);
    }
};

CutText CutToFit(const QString &text, const QFont &font, qreal room)
{
    CharacterWidths widths(font);
    CutText cut;
    cut.shown.reserve(text.size() + text.size() / 256);
    for (QStringView line : QStringView(text).split(QStringView(u"\r\n"))) {
        qsizetype start = 0;
        qsizetype lineStart = 0;
        int lines = 0;
        qreal width = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const qreal advance = widths.At(line, i);
            if (width + advance > room && i > lineStart && !line.at(i).isLowSurrogate()) {
                lineStart = i;
                width = 0;
                if (++lines == LinesPerBlock) {
                    cut.Append(line.mid(start, i - start), true);
                    start = i;
                    lines = 0;
                }
            }
            width += advance;
        }
        cut.Append(line.mid(start), false);
    }
    return cut;
}

} // namespace

void WrapAsNumbers(QPlainTextEdit *box)
{
    box->setWordWrapMode(QTextOption::WrapAnywhere);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Numbers run left to right: Qt need not scan a whole long line for its direction.
    QTextOption option = box->document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    box->document()->setDefaultTextOption(option);
}

void FixHeightInLines(QPlainTextEdit *box, int lines)
{
    box->ensurePolished(); // the font and the frame come from the style sheet
    const int margins = 2 * (box->frameWidth() + int(box->document()->documentMargin()));
    box->setFixedHeight(lines * box->fontMetrics().lineSpacing() + margins);
}

LongTextBox::LongTextBox(const QString &name, QWidget *parent)
    : QPlainTextEdit(parent)
{
    NameControl(this, name);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    SetRole(this, Role::Result);
    WrapAsNumbers(this);
}

// An unchanged text is left alone, so that a selection in the box survives a recomputation.
void LongTextBox::setText(const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(u'\n', QLatin1String("\r\n"));
    if (lines == m_text)
        return;
    m_text = lines;
    ShowText();
}

// A long text goes in as blocks of a few visual lines, its lines cut where the box would wrap
// them.
void LongTextBox::ShowText()
{
    m_shownRoom = m_text.size() > LongTextLength ? LineRoom() : 0;
    if (m_shownRoom == 0) {
        setPlainText(QString(m_text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        return;
    }
    const CutText cut = CutToFit(m_text, font(), m_shownRoom);
    setPlainText(cut.shown);
    QTextBlock block = document()->begin();
    for (bool continues : cut.continued) {
        block.setUserState(continues ? ContinuedBlock : -1);
        block = block.next();
    }
}

// The width a line of text has in the box, as its document layout gives it.
qreal LongTextBox::LineRoom() const
{
    return std::max<qreal>(1, viewport()->width() - 2 * document()->documentMargin());
}

// The selected part of the text as set, with "\n" line breaks as every box copies them: the
// cuts of a long text are no line breaks.
QMimeData *LongTextBox::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    QString selected;
    for (QTextBlock block = document()->findBlock(start); block.isValid(); block = block.next()) {
        const int from = std::max(start, block.position()) - block.position();
        const int to = std::min(end, block.position() + block.length() - 1) - block.position();
        if (to > from)
            selected += QStringView(block.text()).mid(from, to - from);
        if (block.position() + block.length() > end)
            break;
        if (block.userState() != ContinuedBlock)
            selected += u'\n';
    }
    auto *data = new QMimeData;
    data->setText(selected);
    return data;
}

void LongTextBox::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    if (m_shownRoom != 0 && LineRoom() != m_shownRoom)
        ShowText();
}
