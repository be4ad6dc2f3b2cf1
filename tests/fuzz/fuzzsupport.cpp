#include "fuzzsupport.h"

#include <QCoreApplication>

#include <gmp.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Fuzz {

bool IsReducedFraction(const QString &fraction)
{
    mpq_t value;
    mpq_init(value);
    const QByteArray text = fraction.toLatin1();
    bool reduced = mpq_set_str(value, text.constData(), 10) == 0;
    if (reduced) {
        mpq_canonicalize(value);
        char *canonical = mpq_get_str(nullptr, 10, value);
        reduced = text == canonical;
        void (*release)(void *, size_t);
        mp_get_memory_functions(nullptr, nullptr, &release);
        release(canonical, std::strlen(canonical) + 1);
    }
    mpq_clear(value);
    return reduced;
}

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
