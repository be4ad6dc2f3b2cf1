// Replays files (or every file in folders) through a fuzz target, as the test suite does with
// each target's corpus and regression folders; a failed check aborts.

#include "fuzzsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

// A folder's files; none for a folder that does not exist (no regression found yet).
QStringList InputFiles(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    if (!QFileInfo(path).isDir())
        return {path};
    QStringList files;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const QString &file : InputFiles(QString::fromLocal8Bit(argv[i]))) {
            QFile input(file);
            if (!input.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "Cannot read %s\n", qUtf8Printable(file));
                return 1;
            }
            const QByteArray data = input.readAll();
            std::fprintf(stderr, "%s\n", qUtf8Printable(file));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(data.constData()),
                                   size_t(data.size()));
            ++replayed;
        }
    }
    std::printf("Replayed %d inputs\n", replayed);
    return 0;
}
