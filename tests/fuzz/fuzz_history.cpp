// The history file of 四则运算 with any content: it is refused or read, and what is read is
// written back as a content that reads as the same entries. A history kept in a real file takes
// at most its maximum of entries.

#include "eval/calculationhistory.h"
#include "fuzzsupport.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Eval;

namespace {

void CheckFile(const QByteArray &content, const QList<HistoryEntry> &parsed)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("history.json"));
    QFile file(path);
    Fuzz::Check(file.open(QIODevice::WriteOnly) && file.write(content) == content.size(),
                "the history file is written");
    file.close();
    const CalculationHistory history(path);
    Fuzz::Check(history.entries() == parsed.mid(0, CalculationHistory::MaxEntries),
                "a history file is read as its first entries");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::EnsureApplication();
    const QByteArray content = Fuzz::Bytes(data, size);
    const std::optional<QList<HistoryEntry>> parsed = ParseHistoryText(content);
    if (!parsed)
        return 0;
    const std::optional<QList<HistoryEntry>> again = ParseHistoryText(HistoryText(*parsed));
    Fuzz::Check(again && *again == *parsed, "written entries read back the same");
    CheckFile(content, *parsed);
    return 0;
}
