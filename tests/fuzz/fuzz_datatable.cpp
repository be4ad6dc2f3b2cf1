// 数据统计's data with any text: pasted, it fills a table whose every cell is empty, a number
// that its own text reads back as, or kept text that is no number; no row is lost but past the
// table's limit. The saved tables' file, from that table or as the input itself, is refused or
// read, and what is read is written back as the same content.

#include "fuzzsupport.h"
#include "tools/statistics/datatablefile.h"

using namespace Statistics;

namespace {

void CheckCells(const DataTable &table)
{
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < DataTable::ColumnCount; ++column) {
            const auto number = table.number(row, column);
            const QString text = table.text(row, column);
            if (number) {
                const auto again = ReadDataNumber(text);
                Fuzz::Check(again && again->hi == number->hi, "a number reads back as itself");
            } else {
                Fuzz::Check(table.IsBad(row, column) == !text.isEmpty(),
                            "a cell without a number is empty or keeps its text");
                Fuzz::Check(text.isEmpty() || !ReadDataNumber(text), "kept text is no number");
            }
        }
    }
}

void CheckSavedText(const QByteArray &content)
{
    const std::optional<DataTables> tables = ParseDataTablesText(content);
    if (!tables)
        return;
    const QByteArray written = DataTablesText(*tables);
    const std::optional<DataTables> again = ParseDataTablesText(written);
    Fuzz::Check(again && DataTablesText(*again) == written, "saved tables read back the same");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = Fuzz::Text(data, size);
    const std::optional<PastedData> pasted = ParseDataText(text);
    Fuzz::Check(pasted.has_value(), "a paste without a stop is read");
    DataTables tables;
    const qsizetype left = tables.oneVariable.Paste(3, 1, *pasted);
    Fuzz::Check(left == 0 && tables.oneVariable.rowCount() <= 3 + pasted->rowCount,
                "a small paste fits whole");
    CheckCells(tables.oneVariable);
    const QByteArray saved = DataTablesText(tables);
    Fuzz::Check(ParseDataTablesText(saved).has_value(), "written tables are read");
    CheckSavedText(saved);
    CheckSavedText(Fuzz::Bytes(data, size));
    return 0;
}
