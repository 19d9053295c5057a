// Colour texts (names, $AARRGGBB, #AARRGGBB, #RRGGBB, decimal): a text is a colour or raises
// EConvertError, and a colour's text, with or without names, reads back to it.
#include "FuzzTarget.h"
#include "Kvgdi.h"
#include "SysUtils.h"

KV_FUZZ_TARGET(colortext)
{
    const QString text = KvFuzz::Text(Data, Size);
    TKvColor c;
    try {
        c = ColorToARGB(text);
    } catch (const EConvertError &) {
        return 0;
    }
    for (bool names : {true, false}) {
        const QString shown = ARGBToString(c, names);
        KV_FUZZ_CHECK(ColorToARGB(shown).Value == c.Value);
    }
    KV_FUZZ_CHECK(TColorToARGB(ARGBToTColor(c)).Value == (c.Value | 0xFF000000u));
    return 0;
}
