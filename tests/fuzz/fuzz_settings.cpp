// The settings file: any content parses or is refused; a record that parses is written, and
// the written text, also through a real file, parses back to the values it shows.

#include "app/settingsfile.h"
#include "eval/numbertext.h"
#include "fuzzsupport.h"

#include <QTemporaryDir>

using namespace Eval;
using namespace App;

namespace {

QString Shown(const SettingsRecord &record)
{
    return QString::fromLatin1(SettingsText(record)).replace("\r\n", " ");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::EnsureApplication();
    const std::optional<ParsedSettings> parsed = ParseSettingsText(Fuzz::Bytes(data, size));
    // The settings window refuses to save any other g.
    if (!parsed || !GravityIsSavable(parsed->record.gravity))
        return 0;
    Fuzz::Check(parsed->lines.size() == 3, "three lines");
    const QByteArray written = SettingsText(parsed->record);
    const std::optional<ParsedSettings> reread = ParseSettingsText(written);
    Fuzz::Check(bool(reread), "a written record parses back", Shown(parsed->record));
    const SettingsRecord &record = parsed->record;
    const SettingsRecord &back = reread->record;
    Fuzz::Check(NearlyEqual(back.closeStrategy, record.closeStrategy)
                        && NearlyEqual(back.skinNumber, record.skinNumber)
                        && back.gravity == ShownValue(record.gravity),
                "the written values read back", Shown(record));
    Fuzz::Check(SettingsText(reread->record) == written, "a second writing is the same text");

    static QTemporaryDir folder;
    const QString path = folder.filePath("set.ini");
    Fuzz::Check(WriteSettingsFile(path, parsed->record), "the file is written");
    const SettingsReading reading = ReadSettingsFile(path);
    Fuzz::Check(!reading.corrupt && reading.record == back, "the file reads back",
                Shown(parsed->record));
    return 0;
}
