// Date-time, time-span and number texts as users of different locales see and type them: the
// runtime's conversions, the Object Inspector's float editors and the double edit. CTest runs
// this binary in the C locale and again under en_US.UTF-8 and de_DE.UTF-8, and each row checks
// against the formats of the locale it runs in.
#include <QtTest>
#include <cmath>
#include <limits>

#include "DesignEditors.h"
#include "DesignRegistry.h"
#include "Kvaxis.h"
#include "Kvdatetime.h"
#include "Kvdesign.h"
#include "Kvfloatedit.h"
#include "Kvseries.h"
#include "Kvstyles.h"
#include "TypInfo.h"

namespace {

class TRootDesigner : public IDesigner {
public:
    TNonVisualComponent Root;
    void Modified() override {}
    TComponent *CreateComponent(TComponentClass, TComponent *, int, int, int, int) override { return nullptr; }
    TComponent *GetRoot() override { return &Root; }
    void GetComponentNames(TComponentClass, const TGetStrProc &) override {}
    TComponent *GetComponent(const QString &Name) override { return Root.FindComponent(Name); }
    QString GetComponentName(TComponent *C) override { return C ? C->Name() : QString(); }
    QList<TComponent *> GetSelections() override { return {}; }
    void SelectComponent(TComponent *) override {}
};

// The text this locale gives a date and a time of day, as the IDE shows them.
QString localText(const QDate &Date, const QTime &Time)
{
    QString s = Date.toString(FormatSettings().ShortDateFormat);
    if (Time != QTime(0, 0))
        s += QLatin1Char(' ') + Time.toString(FormatSettings().LongTimeFormat);
    return s;
}

QString sep() { return QString(FormatSettings().DecimalSeparator); }

} // namespace

class TstDateNumberTexts : public QObject {
    Q_OBJECT
    std::unique_ptr<TRootDesigner> FDesigner;

    std::unique_ptr<TPropertyEditor> editorOf(QObject *Component, const char *Prop)
    {
        for (auto &e : GetComponentProperties({Component}, FDesigner.get()))
            if (e->GetName() == QLatin1String(Prop))
                return std::move(e);
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        // The formats are the user's, taken from the locale this run has.
        qInfo("locale %s: date \"%s\", time \"%s\", separator '%s'", qPrintable(QLocale().name()),
              qPrintable(FormatSettings().ShortDateFormat), qPrintable(FormatSettings().LongTimeFormat), qPrintable(sep()));
        QVERIFY(FormatSettings().ShortDateFormat.contains(QLatin1String("yyyy")));
        TDesignRegistry::Instance().Clear();
        Kvdesign::Register();
    }
    void init() { FDesigner = std::make_unique<TRootDesigner>(); }
    void cleanup() { FDesigner.reset(); }
    void cleanupTestCase() { TDesignRegistry::Instance().Clear(); }

    // ---- date-time texts -------------------------------------------------------------------
    void dateTimesReadBackToTheSameValue_data()
    {
        QTest::addColumn<double>("value");
        // Days a century apart must not share a text (a two-digit year would read back wrong).
        QTest::newRow("31 Dec 1999") << 36525.0;
        QTest::newRow("31 Dec 2099") << 73050.0;
        QTest::newRow("1 Jan 1950 18:00") << 18264.75;
        QTest::newRow("1 Jan 2051 07:30:15") << QDate(1899, 12, 30).daysTo(QDate(2051, 1, 1)) + (7 * 3600 + 30 * 60 + 15) / 86400.0;
        QTest::newRow("1 Jan 0001") << MinDateTime;
        QTest::newRow("31 Dec 9999 23:59:59") << MaxDateTime - 1.0 / 86400;
        QTest::newRow("29 Dec 1899 06:00") << -1.25;
        QTest::newRow("1 Jan 1800 23:00") << -(QDate(1800, 1, 1).daysTo(QDate(1899, 12, 30)) + 23.0 / 24);
    }
    void dateTimesReadBackToTheSameValue()
    {
        QFETCH(double, value);
        const QString text = DateTimeToStr(value);
        QCOMPARE(StrToDateTime(text), value);
        QCOMPARE(TextToDateTime(text), value);
        QVERIFY(DateTimeToStr(36525.0) != DateTimeToStr(73050.0));
    }

    // A time of day the text does not show (below the second) is midnight to the text: the text
    // shows the date alone, so that the value read back shows the same text.
    void timesBelowTheSecondShowAsTheDateAlone_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("0.104 s past midnight") << 1191936.0000012037;
        QTest::newRow("0.9 s past midnight, before 1899") << -2.0 - 0.9 / 86400;
        QTest::newRow("0.5 ms past midnight") << 45000.0 + 0.0005 / 86400;
    }
    void timesBelowTheSecondShowAsTheDateAlone()
    {
        QFETCH(double, value);
        const QString text = DateTimeToStr(value);
        QCOMPARE(text, DoubleToDateTime(value).date().toString(FormatSettings().ShortDateFormat));
        QCOMPARE(DateTimeToStr(StrToDateTime(text)), text);
    }

    // Long spans: a span's text reads back to the same text, up to where a double holds the
    // millisecond no longer, and beyond that as the number of days.
    void longTimeSpansReadBackToTheirText_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("10^6 days and 1 ms") << 1e6 + 1.0 / 86400000;
        QTest::newRow("just below 10^7 days") << 9999999.0 + 0.123456789;
        QTest::newRow("2^33 days and a little") << std::ldexp(1.0, 33) + 0.0001;
        QTest::newRow("-2^40 days") << -std::ldexp(1.0, 40) - 0.5;
    }
    void longTimeSpansReadBackToTheirText()
    {
        QFETCH(double, value);
        const QString text = DoubleToTimeSpanStr(value);
        QCOMPARE(DoubleToTimeSpanStr(DoubleFomTimeSpanStr(text)), text);
    }

    // In the IDE's encoding the whole days of a negative value count back from 30 Dec 1899 and
    // its fraction is the time of that day: -1.25 is 29 Dec 1899 06:00, not 28 Dec 18:00.
    void negativeDateTimesTakeTheFractionAsTheTimeOfDay_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<double>("readBack");
        QTest::newRow("-1.25") << -1.25 << QDate(1899, 12, 29) << QTime(6, 0) << -1.25;
        QTest::newRow("-2.75") << -2.75 << QDate(1899, 12, 28) << QTime(18, 0) << -2.75;
        QTest::newRow("-1") << -1.0 << QDate(1899, 12, 29) << QTime(0, 0) << -1.0;
        // Between -1 and 0 the day is 30 Dec 1899 itself, which reads back positive.
        QTest::newRow("-0.5") << -0.5 << QDate(1899, 12, 30) << QTime(12, 0) << 0.5;
        QTest::newRow("a millisecond before the next day") << -1.0 - (86400000.0 - 0.4) / 86400000.0
                                                          << QDate(1899, 12, 30) << QTime(0, 0) << 0.0;
    }
    void negativeDateTimesTakeTheFractionAsTheTimeOfDay()
    {
        QFETCH(double, value);
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(double, readBack);
        QCOMPARE(DoubleToDateTime(value), QDateTime(date, time, Qt::UTC));
        QCOMPARE(DateTimeToStr(value), localText(date, time));
        QCOMPARE(StrToDateTime(localText(date, time)), readBack);
        QCOMPARE(DateTimeToDouble(QDateTime(date, time, Qt::UTC)), readBack);
    }

    // A time span typed with the locale's separator is days; grouping is no part of a number.
    void timeSpanNumbersFollowTheDecimalSeparator()
    {
        QCOMPARE(DoubleFomTimeSpanStr(QStringLiteral("2") + sep() + QStringLiteral("5")), 2.5);
        const QString other = sep() == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(",");
        QVERIFY_THROWS_EXCEPTION(EConvertError, DoubleFomTimeSpanStr(QStringLiteral("1") + other + QStringLiteral("500")));
        QCOMPARE(DoubleFomTimeSpanStr(DoubleToTimeSpanStr(-1.25)), -1.25);
    }

    // ---- number texts ----------------------------------------------------------------------
    void numbersFollowTheDecimalSeparator_data()
    {
        QTest::addColumn<QString>("text"); // '|' stands for this locale's separator
        QTest::addColumn<bool>("reads");
        QTest::addColumn<double>("value");
        QTest::newRow("12|5") << "12|5" << true << 12.5;
        QTest::newRow("-0|25E3") << "-0|25E3" << true << -250.0;
        QTest::newRow("1|250 is a fraction") << "1|250" << true << 1.25;
        QTest::newRow("|5") << "|5" << true << 0.5;
        // The other mark is a thousands separator in some locales: never read as one.
        QTest::newRow("1 other 250") << "1~250" << false << 0.0;
        QTest::newRow("1 other 250 other 5") << "1~250|5" << false << 0.0;
        QTest::newRow("1 blank 250") << "1 250" << false << 0.0;
    }
    void numbersFollowTheDecimalSeparator()
    {
        QFETCH(QString, text);
        QFETCH(bool, reads);
        QFETCH(double, value);
        const QString other = sep() == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(",");
        text.replace(QLatin1Char('|'), sep()).replace(QLatin1Char('~'), other);
        double v = 0;
        QCOMPARE(TryStrToFloat(text, v), reads);
        if (reads) {
            QCOMPARE(v, value);
            QCOMPARE(StrToFloat(text), value);
            QCOMPARE(StrToFloatProp(text), value);
            QCOMPARE(StrToFloatKv(text), value);
        } else {
            QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloat(text));
            QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloatProp(text));
            // The double edit takes a dot as well (doubleEditReadsByTheSameRule).
            if (!TryStrToFloat(text, v, QLatin1Char('.')))
                QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloatKv(text));
        }
    }

    // The Object Inspector's standard float rows show and read with the user's separator, as
    // the date rows do; Single rows too.
    void inspectorFloatRowsUseTheUsersSeparator()
    {
        TKvAxis *axis = new TKvAxis(&FDesigner->Root);
        axis->SetName(QStringLiteral("Axis1"));
        auto slope = editorOf(axis, "SlaveSlope");
        QVERIFY(slope);
        slope->SetValue(QStringLiteral("12") + sep() + QStringLiteral("5"));
        QCOMPARE(axis->SlaveSlope(), 12.5);
        QCOMPARE(slope->GetValue(), QStringLiteral("12") + sep() + QStringLiteral("5"));
        slope->SetValue(QStringLiteral("1") + sep() + QStringLiteral("250"));
        QCOMPARE(axis->SlaveSlope(), 1.25);
        auto thick = editorOf(axis, "AxisThicknes");
        QVERIFY(thick);
        thick->SetValue(QStringLiteral("0") + sep() + QStringLiteral("1"));
        QCOMPARE(axis->AxisThicknes(), 0.1f);
        QCOMPARE(thick->GetValue(), QStringLiteral("0") + sep() + QStringLiteral("1"));
        // Large and small values in the exponent form read back exactly; next to the largest
        // double the fifteen digits would round beyond it, and more are shown.
        constexpr double maxDouble = std::numeric_limits<double>::max();
        for (double d : {1e20, -1.5e-7, 0.1 + 0.2, 123456789012345.0, maxDouble, -maxDouble, std::nextafter(maxDouble, 0.0)}) {
            axis->SetSlaveSlope(d);
            const QString shown = slope->GetValue();
            slope->SetValue(shown);
            QCOMPARE(StrToFloatProp(shown), axis->SlaveSlope());
            QCOMPARE(StrToFloat(FloatToStr(d)), d);
        }
    }

    // One rule for every reader: infinities and NaN are no values of a float property, and a
    // text for them is refused with a clear error, leaving the old value.
    void infinityAndNanAreRefusedByEveryReader_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *t : {"inf", "INF", "-Inf", "+INF", "nan", "NaN", "-nan", "1e999", "-1E400", "infinity"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    void infinityAndNanAreRefusedByEveryReader()
    {
        QFETCH(QString, text);
        double v = 7;
        QVERIFY(!TryStrToFloat(text, v));
        QCOMPARE(v, 7.0);
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloat(text));
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloatProp(text));
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloatKv(text));

        TKvAxis *axis = new TKvAxis(&FDesigner->Root);
        axis->SetStart(3);
        axis->SetSlaveSlope(2);
        auto slope = editorOf(axis, "SlaveSlope");
        QVERIFY_THROWS_EXCEPTION(EConvertError, slope->SetValue(text));
        QCOMPARE(axis->SlaveSlope(), 2.0);
        // A date-time row of a date axis is no way round it.
        axis->SetScaling(TKvAxisScaling::DateTime);
        auto start = editorOf(axis, "Start");
        QVERIFY_THROWS_EXCEPTION(EConvertError, start->SetValue(text));
        QCOMPARE(axis->Start(), 3.0);
    }

    // Values that do not exist for a float property are refused where every reader stores them.
    void nonFiniteValuesAreRefusedByTheSetter()
    {
        TKvLineSettings line;
        TKvAxis axis;
        const PPropInfo width = GetPropInfo(&line, QStringLiteral("Width"));
        const PPropInfo slope = GetPropInfo(&axis, QStringLiteral("SlaveSlope"));
        for (double bad : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()}) {
            QVERIFY_THROWS_EXCEPTION(EConvertError, SetFloatProp(&axis, slope, bad));
            QVERIFY_THROWS_EXCEPTION(EConvertError, SetFloatProp(&line, width, bad));
        }
        // A double beyond the range of a Single property would become an infinity there.
        QVERIFY_THROWS_EXCEPTION(EConvertError, SetFloatProp(&line, width, 1e39));
        QCOMPARE(line.Width(), 1.0f);
        QCOMPARE(axis.SlaveSlope(), 1.0);
        SetFloatProp(&line, width, 2.5);
        QCOMPARE(line.Width(), 2.5f);
    }

    // The double edit reads its text by the same rule (and, as documented, with a dot too).
    void doubleEditReadsByTheSameRule()
    {
        TKvDoubleEdit edit;
        edit.SetValue(4);
        for (const QString &bad : {QStringLiteral("inf"), QStringLiteral("nan"), QStringLiteral("1e999")})
            QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloatKv(bad));
        QCOMPARE(StrToFloatKv(QStringLiteral("2.5")), 2.5);
        QCOMPARE(StrToFloatKv(QStringLiteral("2") + sep() + QStringLiteral("5")), 2.5);
        if (sep() == QLatin1String(","))
            QCOMPARE(StrToFloatKv(QStringLiteral("1.250")), 1.25); // the dot is a decimal point, not grouping
        else
            QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloatKv(QStringLiteral("1,250")));
    }
};

QTEST_MAIN(TstDateNumberTexts)
#include "tst_datenumbertexts.moc"
