#include "app/settingsfile.h"

#include "eval/gbktext.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/tolerance.h"

#include <QFile>
#include <QSaveFile>

#include <cmath>

using namespace Eval;

namespace App {

namespace {

const QString LineBreak = QStringLiteral("\r\n");

bool WriteWholeFile(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write shows at once rather than vanishing in a flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting(); // a short write leaves the old file as it was
        return false;
    }
    return file.commit();
}

bool InRange(const SettingsRecord &record)
{
    const double strategy = record.closeStrategy;
    if (!NearlyEqual(strategy, 1) && !NearlyEqual(strategy, 2) && !NearlyEqual(strategy, 3))
        return false;
    if (!GravityIsValid(record.gravity))
        return false;
    for (int skin = 1; skin <= 39; ++skin) {
        if (NearlyEqual(record.skinNumber, skin))
            return true;
    }
    return false;
}

// 2.00000009999999 is strategy 2, but its text "2.0000001" lies just beyond the tolerance.
double WrittenWholeNumber(double value)
{
    const double whole = std::round(value);
    if (NearlyEqual(value, whole) && !NearlyEqual(ShownValue(value), whole))
        return whole;
    return value;
}

} // namespace

bool GravityIsValid(double gravity)
{
    return gravity > 1e-7 && std::isfinite(gravity);
}

bool GravityIsSavable(double gravity)
{
    return GravityIsValid(gravity) && GravityIsValid(ShownValue(gravity));
}

Outcome<double> ReadGravity(const QString &text)
{
    const double gravity = TextToNumber(text);
    // Saved, an unsavable g would make the next start find the file corrupt and drop every
    // setting.
    if (GravityIsSavable(gravity))
        return gravity;
    if (std::isinf(gravity) && gravity > 0)
        return Refuse(QStringLiteral("重力加速度g的值太大！"));
    return Refuse(QStringLiteral("重力加速度g必须大于0！"));
}

QByteArray SettingsText(const SettingsRecord &record)
{
    const QString text = NumberToText(WrittenWholeNumber(record.closeStrategy)) + LineBreak
            + NumberToText(WrittenWholeNumber(record.skinNumber)) + LineBreak
            + NumberToText(record.gravity);
    return text.toLatin1();
}

std::optional<ParsedSettings> ParseSettingsText(const QByteArray &content)
{
    const qsizetype end = content.indexOf('\0');
    const QString text = FromGbk(end < 0 ? content : content.left(end));
    if (!text.contains(LineBreak))
        return std::nullopt;
    const QStringList lines = TextSplit(text, LineBreak);
    if (lines.size() != 3)
        return std::nullopt;
    const SettingsRecord record{TextToNumber(lines[0]), TextToNumber(lines[1]),
                                TextToNumber(lines[2])};
    if (!InRange(record))
        return std::nullopt;
    return ParsedSettings{lines, record};
}

SettingsReading ReadSettingsFile(const QString &path)
{
    SettingsReading reading;
    QFile file(path);
    if (file.exists()) {
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (auto parsed = ParseSettingsText(content)) {
            reading.record = parsed->record;
            reading.lines = parsed->lines;
            return reading;
        }
        reading.corrupt = true;
    }
    // Written over a corrupt file rather than after deleting it: a file that cannot be
    // deleted must not make the next start fail the same way again and again.
    reading.defaultsUnwritten = !WriteSettingsFile(path, DefaultSettings);
    return reading;
}

bool WriteSettingsFile(const QString &path, const SettingsRecord &record)
{
    return WriteWholeFile(path, SettingsText(record));
}

} // namespace App
