#include "FuzzTarget.h"

#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "SysUtils.h"

namespace KvFuzz {

std::map<std::string, TTarget> &Targets()
{
    static std::map<std::string, TTarget> targets;
    return targets;
}

void Fail(const char *What, const char *File, int Line)
{
#ifdef KV_FUZZ_LIBFUZZER
    std::fprintf(stderr, "%s:%d: check failed: %s\n", File, Line, What);
    std::abort();
#else
    throw std::logic_error(std::string(File) + ":" + std::to_string(Line) + ": check failed: " + What);
#endif
}

QString Text(const uint8_t *Data, size_t Size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(Data), qsizetype(Size));
}

void UseFormats(uint8_t Selector)
{
    static const TFormatSettings formats[] = {LocaleFormatSettings(QLocale::c()),
                                              LocaleFormatSettings(QLocale(QStringLiteral("en_US"))),
                                              LocaleFormatSettings(QLocale(QStringLiteral("de_DE")))};
    FormatSettings() = formats[Selector % 3];
}

} // namespace KvFuzz
