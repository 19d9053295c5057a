#pragma once
#include <QFont>
#include <QHash>
#include <QString>
#include <memory>

#include "Kvclasses.h"

class QFontMetrics;
class QFontMetricsF;
class TKvDoubleVector;

// The text a cell of the data sheet shows for a value: FloatToStr, or DateTimeToStr in a
// date-time column.
QString VectorValueText(double V, bool DateTime);

// The widths of value texts, found without measuring every text. The forms' fonts kern only
// pairs of characters, so a number text's width (in 1/64 pixel, as the font metrics add it up)
// is the sum of its characters' advances and its neighbouring pairs' kerning, taken from small
// tables; most values give their digits without the general formatting; and for the widest
// text of a million values only the groups of values are looked into that could hold it (each
// group's widest possible text bounds what its values reach). Dates are measured once per day
// and per time of day. A font that kerns otherwise gets every text measured.
class TValueTextWidths {
public:
    explicit TValueTextWidths(const QFont &Font);
    ~TValueTextWidths();
    int TextWidth(const QString &Text);
    // The widest text of the vector's values (0 for no values).
    int MaxWidth(const TKvDoubleVector *Vector, bool DateTime);

private:
    // Widths in 1/64 pixel; -1: not found this way.
    qint64 MaxFloatUnits(const TDoubleDynArray &Values);
    qint64 MaxDateTimeUnits(const TDoubleDynArray &Values);
    qint64 Units(const QString &Text) const;
    // A number text in FloatDigitsToChars' form (separator 1).
    qint64 CharUnits(const char *Text, int Length) const;
    qint64 ClassBound(bool Negative, int Exponent);
    std::unique_ptr<QFontMetrics> FMetrics;
    std::unique_ptr<QFontMetricsF> FMetricsF;
    bool FPairwise = false;
    int FAdvance[128];
    int FKern[128][128];
    int FMaxAfterDigit[128] = {};
    int FMaxBeforeDigit[128] = {};
    int FMaxDigitAdvance = 0;
    int FMaxDigitPair = 0;
    QHash<int, qint64> FBounds;
};
