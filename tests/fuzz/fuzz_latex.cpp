// The LaTeX of the program's school notation: any text, also nested past the nesting limit,
// gives LaTeX whose braces close, in time that grows with the text; a table of its lines too.

#include "fuzzsupport.h"
#include "ui/latex.h"

using namespace Ui;

namespace {

bool BracesClose(const QString &latex)
{
    int open = 0;
    for (qsizetype i = 0; i < latex.size(); ++i) {
        if (latex[i] == u'\\') {
            ++i; // \{ and \} are characters
            continue;
        }
        open += latex[i] == u'{' ? 1 : latex[i] == u'}' ? -1 : 0;
        if (open < 0)
            return false;
    }
    return open == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = Fuzz::Text(data, size);
    Fuzz::Check(BracesClose(MathLatex(text)), "the braces of a line's LaTeX close", text);
    QList<QStringList> rows;
    for (const QString &line : text.split(u'\n'))
        rows.append(line.split(u'\t'));
    Fuzz::Check(BracesClose(TableLatex(rows.value(0), rows.mid(1))),
                "the braces of a table's LaTeX close", text);
    return 0;
}
