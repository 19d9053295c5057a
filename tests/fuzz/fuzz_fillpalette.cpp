// Fill palette entries ("Style;Fore;Back" lines): a list reads whole or raises EConvertError and
// keeps the palette; what was read writes lines that read back to the same.
#include "FuzzTarget.h"
#include "Kvpiedonut.h"
#include "SysUtils.h"

KV_FUZZ_TARGET(fillpalette)
{
    const QStringList lines = KvFuzz::Text(Data, Size).split(QLatin1Char('\n'));
    TKvFillPalette palette;
    palette.SetEntries({QStringLiteral("Total;Red;White")});
    const QStringList before = palette.Entries();
    try {
        palette.SetEntries(lines);
    } catch (const EConvertError &) {
        KV_FUZZ_CHECK(palette.Entries() == before);
        return 0;
    }
    const QStringList entries = palette.Entries();
    TKvFillPalette again;
    again.SetEntries(entries); // must not raise
    KV_FUZZ_CHECK(again.Entries() == entries);
    return 0;
}
