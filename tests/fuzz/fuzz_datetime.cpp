// Date-time and time-span texts in the formats of C, en_US and de_DE (the first byte chooses):
// a text reads as a date (years 1 to 9999) or raises EConvertError; a date's text reads back
// to it (to the second it shows); the same for time spans and for any value's text.
#include <QDateTime>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "FuzzTarget.h"
#include "Kvdatetime.h"

namespace {
void checkDateRoundTrip(double V)
{
    KV_FUZZ_CHECK(IsDateTimeValue(V));
    const QString shown = DateTimeToStr(V);
    double back = 0;
    try {
        back = StrToDateTime(shown);
    } catch (const EConvertError &) {
        KV_FUZZ_CHECK(!"a date's own text does not read back");
    }
    // Compared as points in time: between -1 and 0 the encoding repeats the times of day of
    // 30 Dec 1899 (-0.25 and 0.25 are both 06:00 of that day), so the numbers may differ.
    KV_FUZZ_CHECK(std::abs(DoubleToDateTime(back).msecsTo(DoubleToDateTime(V))) < 1000);
    KV_FUZZ_CHECK(DateTimeToStr(back) == shown);
}

void checkSpanRoundTrip(double V)
{
    KV_FUZZ_CHECK(std::isfinite(V));
    const QString shown = DoubleToTimeSpanStr(V);
    double back = 0;
    try {
        back = DoubleFomTimeSpanStr(shown);
    } catch (const EConvertError &) {
        KV_FUZZ_CHECK(!"a time span's own text does not read back");
    }
    KV_FUZZ_CHECK(std::fabs(back - V) <= std::fabs(V) * 1e-12 + 0.6 / 86400000);
    KV_FUZZ_CHECK(DoubleToTimeSpanStr(back) == shown);
}
} // namespace

KV_FUZZ_TARGET(datetime)
{
    if (Size < 1)
        return 0;
    KvFuzz::UseFormats(Data[0]);
    const QString text = KvFuzz::Text(Data + 1, Size - 1);
    for (double (*read)(const QString &) : {&StrToDateTime, &TextToDateTime}) {
        try {
            checkDateRoundTrip(read(text));
        } catch (const EConvertError &) {
        }
    }
    try {
        checkSpanRoundTrip(DoubleFomTimeSpanStr(text));
    } catch (const EConvertError &) {
    }
    // Any value shows as some text: a date's reads back, others are plain numbers.
    if (Size >= 9) {
        double v = 0;
        std::memcpy(&v, Data + 1, sizeof v);
        const QString shown = DateTimeToStr(v);
        if (IsDateTimeValue(v))
            checkDateRoundTrip(v);
        else
            KV_FUZZ_CHECK(!shown.isEmpty());
        if (std::isfinite(v))
            checkSpanRoundTrip(v);
        else
            KV_FUZZ_CHECK(!DoubleToTimeSpanStr(v).isEmpty());
    }
    return 0;
}
