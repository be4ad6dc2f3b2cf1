#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Installs this very build as a user would, with `cmake --install` and as a .deb, and starts the
// installed program the way the application menu does.

namespace {

const QString AppId = QStringLiteral(QINGFENG_APP_ID);
const QString ProgramName = QStringLiteral("qingfeng-calculator");

// Every file an installation holds, relative to its prefix.
QStringList ExpectedFiles()
{
    QStringList files{
            QStringLiteral("bin/") + ProgramName,
            QStringLiteral("share/applications/") + AppId + QStringLiteral(".desktop"),
            QStringLiteral("share/metainfo/") + AppId + QStringLiteral(".metainfo.xml"),
            QStringLiteral("share/icons/hicolor/scalable/apps/qingfeng-calculator.svg"),
            QStringLiteral("share/doc/qingfeng-calculator/LICENSE"),
    };
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/qingfeng-calculator.png").arg(size);
    files.sort();
    return files;
}

QStringList FilesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(root.size() + 1);
    files.sort();
    return files;
}

struct ToolRun
{
    int exitCode = -1;
    QString output;
};

ToolRun RunTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, program + QStringLiteral(" did not finish: ") + process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

bool HasTool(const QString &name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

QByteArray NotInstalled(const QString &tool)
{
    return (tool + QStringLiteral(" is not installed (scripts/install-deps installs it)")).toUtf8();
}

// The value of `key` in the main group of a desktop entry.
QString EntryValue(const QString &desktopFile, const QString &key)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return {};
}

// Package names in a Depends field, without versions or alternatives' separators.
QStringList DependedPackages(const QString &field)
{
    QStringList packages;
    for (const QString &item : field.split(QRegularExpression(QStringLiteral("[,|]")))) {
        const QString name = item.trimmed().section(' ', 0, 0);
        if (!name.isEmpty())
            packages << name;
    }
    return packages;
}

// The packages that hold a shared library of that file name.
QStringList PackagesOwning(const QString &library)
{
    const ToolRun search = RunTool(QStringLiteral("dpkg"), {"-S", "*/" + library});
    QStringList owners;
    for (const QString &line : search.output.split('\n', Qt::SkipEmptyParts)) {
        if (line.contains(':'))
            owners += line.section(':', 0, 0).split(QStringLiteral(", "));
    }
    return owners;
}

} // namespace

class InstallationTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installsEveryFileInItsPlace();
    void filesPassTheirValidators_data();
    void filesPassTheirValidators();
    void debianPackage();
    void menuEntryStartsTheProgramWithSettingsInConfiguration();

private:
    QString prefix() const { return m_root.path() + QStringLiteral("/usr"); }
    QString desktopFile() const
    {
        return prefix() + QStringLiteral("/share/applications/") + AppId
                + QStringLiteral(".desktop");
    }

    QTemporaryDir m_root;
};

void InstallationTest::initTestCase()
{
    QVERIFY(m_root.isValid());
    const ToolRun install = RunTool(QStringLiteral(CMAKE_COMMAND),
                                    {"--install", BUILD_DIRECTORY, "--prefix", prefix()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
}

void InstallationTest::installsEveryFileInItsPlace()
{
    QCOMPARE(FilesUnder(prefix()), ExpectedFiles());
    QVERIFY(QFileInfo(prefix() + QStringLiteral("/bin/") + ProgramName).isExecutable());
    QCOMPARE(EntryValue(desktopFile(), QStringLiteral("Icon")),
             QStringLiteral("qingfeng-calculator"));
    QCOMPARE(EntryValue(desktopFile(), QStringLiteral("Name")), QStringLiteral("青枫计算器"));
    QCOMPARE(EntryValue(desktopFile(), QStringLiteral("Categories")),
             QStringLiteral("Education;Math;Utility;"));
}

void InstallationTest::filesPassTheirValidators_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::addRow("menu entry") << QStringLiteral("desktop-file-validate")
                                << QStringList{desktopFile()};
    QTest::addRow("AppStream metadata")
            << QStringLiteral("appstreamcli")
            << QStringList{"validate", "--no-net",
                           prefix() + "/share/metainfo/" + AppId + ".metainfo.xml"};
}

void InstallationTest::filesPassTheirValidators()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    if (!HasTool(tool))
        QSKIP(NotInstalled(tool));
    const ToolRun validation = RunTool(tool, arguments);
    QVERIFY2(validation.exitCode == 0, qPrintable(validation.output));
}

void InstallationTest::debianPackage()
{
    for (const QString &tool : {"dpkg-deb", "dpkg-shlibdeps", "file", "readelf"}) {
        if (!HasTool(tool))
            QSKIP(NotInstalled(tool));
    }
    QTemporaryDir work;
    const ToolRun pack
            = RunTool(QStringLiteral(CPACK_COMMAND),
                      {"--config", BUILD_DIRECTORY "/CPackConfig.cmake", "-B", work.path()});
    QVERIFY2(pack.exitCode == 0, qPrintable(pack.output));
    const QStringList debs = QDir(work.path()).entryList({"*.deb"}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    const QString deb = work.path() + '/' + debs.first();

    const QString root = work.path() + QStringLiteral("/root");
    const ToolRun unpack = RunTool(QStringLiteral("dpkg-deb"), {"-x", deb, root});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.output));
    QCOMPARE(FilesUnder(root + QStringLiteral("/usr")), ExpectedFiles());

    const QStringList depends
            = DependedPackages(RunTool("dpkg-deb", {"-f", deb, "Depends"}).output);
    // What the program loads without linking it: the window system's plugins, the Chinese font.
    for (const QString &package : {"qt6-qpa-plugins", "fonts-noto-cjk"})
        QVERIFY2(depends.contains(package), qPrintable(depends.join(", ")));
    // Every library it links comes with a package it depends on.
    const ToolRun linked = RunTool("readelf", {"-d", root + "/usr/bin/" + ProgramName});
    const QRegularExpression needed(QStringLiteral(R"(\(NEEDED\).*\[(.+)\])"));
    int libraries = 0;
    for (const QString &line : linked.output.split('\n')) {
        const QRegularExpressionMatch match = needed.match(line);
        if (!match.hasMatch())
            continue;
        ++libraries;
        const QStringList owners = PackagesOwning(match.captured(1));
        const bool covered = std::any_of(owners.begin(), owners.end(), [&](const QString &owner) {
            return depends.contains(owner);
        });
        QVERIFY2(covered,
                 qPrintable(match.captured(1) + " from " + owners.join(" or ") + " is missing from "
                            + depends.join(", ")));
    }
    QVERIFY2(libraries >= 5, qPrintable(linked.output)); // at least the Qt libraries
}

void InstallationTest::menuEntryStartsTheProgramWithSettingsInConfiguration()
{
    // The installed directory must not be writable for the user who starts the program. Root
    // may write anywhere, so as root the program runs as the unprivileged user "nobody".
    const bool asRoot = geteuid() == 0;
    if (asRoot && !HasTool(QStringLiteral("setpriv")))
        QSKIP("setpriv is missing: as root the installed directory cannot be made read-only");
    const QString bin = prefix() + QStringLiteral("/bin");
    QTemporaryDir home;
    const QString configuration = home.path() + QStringLiteral("/config");
    QVERIFY(QDir().mkpath(configuration));
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    for (const QString &directory : {m_root.path(), home.path()})
        QVERIFY(QFile::setPermissions(directory, open));
    QVERIFY(QFile::setPermissions(configuration, open | QFile::WriteGroup | QFile::WriteOther));
    const auto reopen = qScopeGuard([&] { QFile::setPermissions(bin, open); });
    if (!asRoot)
        QVERIFY(QFile::setPermissions(bin, open & ~QFile::WriteOwner));

    QStringList command = QProcess::splitCommand(EntryValue(desktopFile(), QStringLiteral("Exec")));
    command.removeIf([](const QString &word) { return word.startsWith('%'); }); // no files to open
    QVERIFY(!command.isEmpty());
    QCOMPARE(QStandardPaths::findExecutable(command.first(), {bin}), bin + '/' + ProgramName);
    if (asRoot)
        command = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", "--"} + command;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), bin + ':' + environment.value("PATH"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configuration);
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), configuration + QStringLiteral("/cache"));
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    // setpriv and env both look the command up along the PATH given here, as a menu does.
    program.start(asRoot ? QStringLiteral("setpriv") : QStringLiteral("env"), command);
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));

    // The launcher reads the settings a second after the start and writes the defaults.
    const QString settings = configuration + QStringLiteral("/qingfeng-calculator/set.ini");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(settings), 20000);
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
    QFile file(settings);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("2\r\n38\r\n9.8"));
    QVERIFY(!QFile::exists(bin + QStringLiteral("/set.ini")));
}

QTEST_GUILESS_MAIN(InstallationTest)
#include "tst_installation.moc"
