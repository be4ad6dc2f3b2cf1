#include "fuzzsupport.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace Fuzz {

void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv); // lives as long as the process
}

void Fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "Fuzz check failed: %s\n%s\n", what, qUtf8Printable(detail));
    std::fflush(stderr);
    std::abort();
}

} // namespace Fuzz
