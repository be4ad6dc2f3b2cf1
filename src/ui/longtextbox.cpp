#include "ui/longtextbox.h"

#include "ui/controls.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace {

// Shorter texts wrap as usual; their layout is cheap.
constexpr qsizetype LongTextLength = 4096;

// Marks a block that continues the same line of the text in the next block.
constexpr int ContinuedBlock = 1;

// The characters of results: digits of every base, signs.
const QString ResultAlphabet = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-");

} // namespace

void WrapAsNumbers(QPlainTextEdit *box)
{
    box->setWordWrapMode(QTextOption::WrapAnywhere);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

LongTextBox::LongTextBox(const QString &name, QWidget *parent)
    : QPlainTextEdit(parent)
{
    NameControl(this, name);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setProperty("role", QStringLiteral("result"));
    WrapAsNumbers(this);
}

void LongTextBox::setText(const QString &text)
{
    m_text = text;
    m_text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_text.replace(u'\n', QLatin1String("\r\n"));
    ShowText();
}

// A long text goes in as one block per visual line, each line of the text cut after as many
// characters as fit; a block with wider characters still wraps.
void LongTextBox::ShowText()
{
    m_shownLineLength = m_text.size() > LongTextLength ? CharactersPerLine() : 0;
    if (m_shownLineLength == 0) {
        setPlainText(QString(m_text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        return;
    }
    QString shown;
    shown.reserve(m_text.size() + m_text.size() / m_shownLineLength + 1);
    std::vector<bool> continued;
    const QStringList lines = m_text.split(QLatin1String("\r\n"));
    for (const QString &line : lines) {
        for (qsizetype start = 0; start < line.size() || start == 0; start += m_shownLineLength) {
            if (!continued.empty())
                shown += u'\n';
            shown += QStringView(line).mid(start, m_shownLineLength);
            continued.push_back(start + m_shownLineLength < line.size());
        }
    }
    setPlainText(shown);
    QTextBlock block = document()->begin();
    for (bool continues : continued) {
        block.setUserState(continues ? ContinuedBlock : -1);
        block = block.next();
    }
}

int LongTextBox::CharactersPerLine() const
{
    const QFontMetrics metrics(font());
    int widest = 1;
    for (QChar character : ResultAlphabet)
        widest = std::max(widest, metrics.horizontalAdvance(character));
    const int room = viewport()->width() - 2 * int(document()->documentMargin()) - 1;
    return std::max(1, room / widest);
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
    if (m_shownLineLength != 0 && CharactersPerLine() != m_shownLineLength)
        ShowText();
}
