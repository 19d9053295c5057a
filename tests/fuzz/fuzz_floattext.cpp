// Number texts by the one rule of every reader (the first byte chooses the locale's formats):
// a text is a finite number or does not read; the texts the IDE shows read back to the value;
// integer texts; FormatFloat with any format.
#include <cmath>
#include <cstring>

#include "DesignEditors.h"
#include "FuzzTarget.h"
#include "Kvfloatedit.h"
#include "SysUtils.h"

namespace {
bool close(double A, double B) { return A == B || std::fabs(A - B) <= std::fabs(B) * 1e-14; }
} // namespace

KV_FUZZ_TARGET(floattext)
{
    if (Size < 1)
        return 0;
    KvFuzz::UseFormats(Data[0]);
    const QString text = KvFuzz::Text(Data + 1, Size - 1);
    double v = 0;
    const bool reads = TryStrToFloat(text, v);
    if (reads) {
        KV_FUZZ_CHECK(std::isfinite(v));
        KV_FUZZ_CHECK(StrToFloat(text) == v);
        KV_FUZZ_CHECK(StrToFloatProp(text) == v);
        KV_FUZZ_CHECK(StrToFloatKv(text) == v);
    } else {
        try {
            StrToFloatProp(text);
            KV_FUZZ_CHECK(!"the inspector read what the rule refuses");
        } catch (const EConvertError &) {
        }
    }
    try {
        StrToIntProp(text);
    } catch (const EConvertError &) {
    }
    // Some value from the bytes: its texts read back.
    if (Size >= 9) {
        std::memcpy(&v, Data + 1, sizeof v);
        if (std::isfinite(v)) {
            KV_FUZZ_CHECK(close(StrToFloatProp(FloatToStrProp(v, false)), v));
            double back = 0;
            KV_FUZZ_CHECK(TryStrToFloat(FloatToStr(v), back) && close(back, v));
        }
        // The rest of the input as a number format (the double edit's Format).
        FormatFloat(KvFuzz::Text(Data + 9, Size - 9), v);
    }
    return 0;
}
