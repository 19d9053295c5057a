#include "ValueTextWidths.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <vector>

#include "Kvdatetime.h"
#include "Kvvectors.h"

QString VectorValueText(double V, bool DateTime) { return DateTime ? DateTimeToStr(V) : FloatToStr(V); }

namespace {
const double Pow10[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The decimal exponent of V, give or take: FloatToStr's exponent lies in Key .. Key + 2.
int approximateExponent(double V) { return int(std::floor(std::ilogb(V) * 0.30102999566398120)); }

// The digits of FloatToStr's text for values with up to four significant digits after their
// leading zeros (whole numbers up to 15 digits, steps of 0.1, prices, ...), also with the binary
// noise of their arithmetic (0.1 * 3), found without the general formatting: r = round(V * 10^j)
// is the 15-digit rounding of V * 10^j when V * 10^j lies closer to r than half a unit of the
// 15th digit, with room for the rounding of the multiplication itself. False for other values.
bool quickDigits(double V, TFloatDigits &D)
{
    const double a = std::fabs(V);
    D = TFloatDigits();
    if (a == 0)
        return true;
    if (a >= 1e15 || a < 1e-20)
        return false;
    const int first = a >= 1 ? 0 : -approximateExponent(a);
    for (int j = first; j <= first + 3 && j <= 35; ++j) {
        const double scale = j < 16 ? Pow10[j] : std::pow(10.0, j);
        const double x = a * scale;
        const double r = std::nearbyint(x);
        if (r == 0 || r >= 1e15)
            continue;
        char digits[20];
        const int n = int(std::to_chars(digits, digits + 20, static_cast<long long>(r)).ptr - digits);
        // The spacing of 15-digit values around x, a tenth of it just below a power of ten.
        double spacing = n >= 15 ? 1.0 : 1.0 / Pow10[15 - n];
        if (r == Pow10[n - 1])
            spacing /= 10;
        if (std::fabs(x - r) >= 0.5 * spacing - 2.3e-16 * x)
            continue;
        D.Negative = V < 0;
        std::copy(digits, digits + n, D.Digits);
        D.Count = n;
        D.Exponent = n - 1 - j;
        while (D.Count > 1 && D.Digits[D.Count - 1] == '0')
            --D.Count;
        return true;
    }
    return false;
}

} // namespace

namespace {
// The characters of number texts (the decimal separator stands as 1).
const char NumberChars[] = "0123456789-E\x01";
} // namespace

TValueTextWidths::TValueTextWidths(const QFont &Font)
    : FMetrics(std::make_unique<QFontMetrics>(Font)), FMetricsF(std::make_unique<QFontMetricsF>(Font))
{
    const QChar sep = FormatSettings().DecimalSeparator;
    auto qchar = [sep](char c) { return c == '\x01' ? sep : QChar(QLatin1Char(c)); };
    std::fill_n(FAdvance, 128, 0);
    std::fill_n(&FKern[0][0], 128 * 128, 0);
    for (const char *a = NumberChars; *a; ++a)
        FAdvance[int(*a)] = int(Units(QString(qchar(*a))));
    for (const char *a = NumberChars; *a; ++a)
        for (const char *b = NumberChars; *b; ++b)
            FKern[int(*a)][int(*b)] = int(Units(QString(qchar(*a)) + qchar(*b))) - FAdvance[int(*a)] - FAdvance[int(*b)];
    // Number texts must measure as the sum of their characters and of their neighbouring pairs
    // (a font with only pair kerning, as the forms' fonts are); otherwise every text is measured.
    FPairwise = true;
    const double samples[] = {-0.0123456789, 1234567.25, -7.713, 9.87654321e-17, -4.5e300, 70.07, -1e-6, 3.14159265358979};
    for (double v : samples) {
        char buf[48];
        const int n = FloatDigitsToChars(FloatToDigits(v, 15), 15, '\x01', buf);
        FPairwise = FPairwise && CharUnits(buf, n) == Units(FloatToStr(v));
    }
    for (char c : {'-', 'E', '\x01'}) {
        FMaxAfterDigit[int(c)] = FMaxBeforeDigit[int(c)] = INT_MIN;
        for (char d = '0'; d <= '9'; ++d) {
            FMaxAfterDigit[int(c)] = qMax(FMaxAfterDigit[int(c)], FKern[int(d)][int(c)]);
            FMaxBeforeDigit[int(c)] = qMax(FMaxBeforeDigit[int(c)], FKern[int(c)][int(d)]);
        }
    }
    FMaxDigitAdvance = FMaxDigitPair = INT_MIN;
    for (char d = '0'; d <= '9'; ++d) {
        FMaxDigitAdvance = qMax(FMaxDigitAdvance, FAdvance[int(d)]);
        for (char e = '0'; e <= '9'; ++e)
            FMaxDigitPair = qMax(FMaxDigitPair, FKern[int(d)][int(e)]);
    }
}

TValueTextWidths::~TValueTextWidths() = default;

int TValueTextWidths::TextWidth(const QString &Text) { return FMetrics->horizontalAdvance(Text); }

qint64 TValueTextWidths::Units(const QString &Text) const { return qRound64(FMetricsF->horizontalAdvance(Text) * 64); }

qint64 TValueTextWidths::CharUnits(const char *Text, int Length) const
{
    qint64 u = FAdvance[int(Text[0])];
    for (int i = 1; i < Length; ++i)
        u += FAdvance[int(Text[i])] + FKern[int(Text[i - 1])][int(Text[i])];
    return u;
}

qint64 TValueTextWidths::ClassBound(bool Negative, int Exponent)
{
    // The widest text any value of this sign and magnitude can have: every layout of up to 15
    // digits, each digit place taken as the widest digit with the most kerning beside it.
    const int key = (Negative ? 1 : 0) | ((Exponent + 1000) << 1);
    auto it = FBounds.find(key);
    if (it != FBounds.end())
        return *it;
    qint64 bound = 0;
    for (int e = Exponent; e <= Exponent + 2; ++e) {
        for (int count = 1; count <= 15; ++count) {
            TFloatDigits d;
            d.Negative = Negative;
            d.Exponent = e;
            d.Count = count;
            std::fill_n(d.Digits, count, '0');
            char buf[48];
            const int n = FloatDigitsToChars(d, 15, '\x01', buf);
            auto digit = [](char c) { return c >= '0' && c <= '9'; };
            qint64 u = 0;
            for (int i = 0; i < n; ++i) {
                u += digit(buf[i]) ? FMaxDigitAdvance : FAdvance[int(buf[i])];
                if (i == 0)
                    continue;
                const char a = buf[i - 1], b = buf[i];
                u += digit(a) && digit(b) ? FMaxDigitPair
                     : digit(a)           ? FMaxAfterDigit[int(b)]
                     : digit(b)           ? FMaxBeforeDigit[int(a)]
                                          : FKern[int(a)][int(b)];
            }
            bound = qMax(bound, u);
        }
    }
    return *FBounds.insert(key, bound);
}

int TValueTextWidths::MaxWidth(const TKvDoubleVector *Vector, bool DateTime)
{
    const TDoubleDynArray values = Vector->Values();
    const qint64 units = DateTime ? MaxDateTimeUnits(values) : MaxFloatUnits(values);
    if (units >= 0)
        return int((units + 32) >> 6); // as the font metrics round a text's width
    // A font that kerns beyond pairs: every text measured.
    int best = 0;
    for (double v : values)
        best = qMax(best, TextWidth(VectorValueText(v, DateTime)));
    return best;
}

qint64 TValueTextWidths::MaxFloatUnits(const TDoubleDynArray &Values)
{
    // Whole numbers and short decimals are measured from their digits at once. The others are
    // sorted into classes by sign and magnitude; a class is only looked into while the widest
    // text it could hold beats the widest found, and only until one of its texts reaches that.
    if (!FPairwise)
        return -1;
    qint64 best = 0;
    char buf[48];
    auto classKey = [](double v) { return (v < 0 ? 1 : 0) | ((approximateExponent(v) + 1000) << 1); };
    QHash<int, std::vector<int>> classes;
    for (int i = 0; i < Values.size(); ++i) {
        const double v = Values[i];
        TFloatDigits d;
        if (!std::isfinite(v))
            best = qMax(best, Units(FloatToStr(v)));
        else if (quickDigits(v, d))
            best = qMax(best, CharUnits(buf, FloatDigitsToChars(d, 15, '\x01', buf)));
        else
            classes[classKey(v)].push_back(i);
    }
    QList<std::pair<qint64, int>> bounds;
    for (auto it = classes.cbegin(); it != classes.cend(); ++it)
        bounds.append({ClassBound(it.key() & 1, (it.key() >> 1) - 1000), it.key()});
    std::sort(bounds.begin(), bounds.end(), std::greater<>());
    for (const auto &[bound, key] : std::as_const(bounds)) {
        if (bound <= best)
            break;
        for (int i : classes[key]) {
            best = qMax(best, CharUnits(buf, FloatDigitsToChars(FloatToDigits(Values[i], 15), 15, '\x01', buf)));
            if (best >= bound)
                break;
        }
    }
    return best;
}

qint64 TValueTextWidths::MaxDateTimeUnits(const TDoubleDynArray &Values)
{
    // A date-time text is the text of its day, then unless it is midnight a space and the text
    // of its time. Each day and each second (millisecond when the format shows them) is measured
    // once, beside the space; with pair kerning the whole is the two parts less the space they
    // share. The first pairs are checked against the whole text.
    const bool withMs = FormatSettings().LongTimeFormat.contains(QLatin1Char('z'));
    const int datePrefix = int(DateTimeToStr(0.0).size()) + 1; // day 0 before its time
    const qint64 space = Units(QStringLiteral(" "));
    struct TDay {
        qint64 Alone;
        qint64 BeforeSpace;
    };
    QHash<qint64, TDay> days;
    QHash<int, qint64> times;
    int checks = 0;
    qint64 best = 0;
    for (double v : Values) {
        if (!IsDateTimeValue(v)) {
            best = qMax(best, Units(DateTimeToStr(v)));
            continue;
        }
        const auto [day, msOfDay] = SplitDateTime(v);
        auto d = days.find(day);
        if (d == days.end()) {
            const QString date = DateTimeToStr(double(day));
            d = days.insert(day, {Units(date), Units(date + QLatin1Char(' '))});
        }
        qint64 u = d->Alone;
        if (msOfDay != 0) {
            const int key = withMs ? msOfDay : msOfDay / 1000;
            auto t = times.find(key);
            if (t == times.end())
                t = times.insert(key, Units(QLatin1Char(' ') + DateTimeToStr(msOfDay / 86400000.0).mid(datePrefix)));
            u = d->BeforeSpace + *t - space;
            if (checks < 32) {
                ++checks;
                if (u != Units(DateTimeToStr(v)))
                    return -1;
            }
        }
        best = qMax(best, u);
    }
    return best;
}
