#include "app/settings.h"

#include "app/programstate.h"
#include "app/settingslocation.h"
#include "eval/gbktext.h"
#include "eval/numbertext.h"
#include "ui/messages.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

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

bool InRange(const std::array<double, 3> &values)
{
    const double strategy = values[CloseStrategyEntry];
    if (!NearlyEqual(strategy, 1) && !NearlyEqual(strategy, 2) && !NearlyEqual(strategy, 3))
        return false;
    if (!(values[GravityEntry] > 1e-7))
        return false;
    for (int skin = 1; skin <= 39; ++skin) {
        if (NearlyEqual(values[SkinNumberEntry], skin))
            return true;
    }
    return false;
}

void UseDefaults()
{
    Program().settings = {2, 38, 9.8};
    if (!WriteWholeFile(SettingsFilePath(), DefaultSettingsText()))
        ShowMessage(QStringLiteral("配置文件写入失败！"));
}

} // namespace

QByteArray DefaultSettingsText()
{
    return SettingsText({2, 38, 9.8});
}

QByteArray SettingsText(const std::array<double, 3> &settings)
{
    const QString text = NumberToText(settings[0]) + LineBreak + NumberToText(settings[1])
            + LineBreak + NumberToText(settings[2]);
    return text.toLatin1();
}

std::optional<QStringList> ParseSettingsText(const QByteArray &content,
                                             std::array<double, 3> &values)
{
    const qsizetype end = content.indexOf('\0');
    const QString text = FromGbk(end < 0 ? content : content.left(end));
    if (!text.contains(LineBreak))
        return std::nullopt;
    const QStringList lines = TextSplit(text, LineBreak);
    if (lines.size() != 3)
        return std::nullopt;
    for (int entry = 0; entry < 3; ++entry)
        values[entry] = TextToNumber(lines[entry]);
    if (!InRange(values))
        return std::nullopt;
    return lines;
}

QString SettingsFilePath()
{
    return SettingsDirectory(Program().runDirectory) + QDir::separator()
            + QStringLiteral("set.ini");
}

void LoadSettings()
{
    if (Program().settingsDone == 1)
        return;
    QFile file(SettingsFilePath());
    if (!file.exists()) {
        UseDefaults();
        return;
    }
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (auto lines = ParseSettingsText(content, Program().settings)) {
        Program().configurationLines = *lines;
        return;
    }
    ShowMessage(QStringLiteral("配置文件已损坏，将使用默认配置！"));
    DeleteSettingsFile();
    UseDefaults();
}

bool SaveSettings()
{
    if (WriteWholeFile(SettingsFilePath(), SettingsText(Program().settings)))
        return true;
    ShowMessage(QStringLiteral("写入配置失败！"));
    return false;
}

void DeleteSettingsFile()
{
    QFile::remove(SettingsFilePath());
}
