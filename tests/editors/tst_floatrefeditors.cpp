// The float editors (numbers, dates, time spans) and the reference pickers, chosen through the
// package's own registration as the Object Inspector chooses them.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include "DesignRegistry.h"
#include "Kvaxis.h"
#include "Kvbars.h"
#include "Kvdatetime.h"
#include "Kvdesign.h"
#include "Kvfloatedit.h"
#include "Kvgradientfrm.h"
#include "Kvgraph2d.h"
#include "Kvmarkers.h"
#include "Kvpiedonut.h"
#include "Kvrichlabel.h"
#include "Kvvectors.h"

// A class that is neither a vector nor an axis but has properties of the same names.
class TOtherElement : public TNonVisualComponent {
    Q_OBJECT
    Q_PROPERTY(QString DataField MEMBER FDataField)
    Q_PROPERTY(double Start MEMBER FStart)
public:
    using TNonVisualComponent::TNonVisualComponent;
    QString FDataField;
    double FStart = 0;
};

// A designer over one root component; it can be made to fail while it lists names.
class TTestDesigner : public IDesigner {
public:
    TNonVisualComponent Root;
    bool FailWhileListing = false;
    void Modified() override {}
    TComponent *CreateComponent(TComponentClass, TComponent *, int, int, int, int) override { return nullptr; }
    TComponent *GetRoot() override { return &Root; }
    void GetComponentNames(TComponentClass cls, const TGetStrProc &proc) override
    {
        for (int i = 0; i < Root.ComponentCount(); ++i)
            if (Root.Components(i)->InheritsFrom(cls)) {
                proc(Root.Components(i)->Name());
                if (FailWhileListing)
                    throw EComponentError(QStringLiteral("listing failed"));
            }
    }
    TComponent *GetComponent(const QString &name) override { return Root.FindComponent(name); }
    QString GetComponentName(TComponent *c) override { return c ? c->Name() : QString(); }
    QList<TComponent *> GetSelections() override { return {}; }
    void SelectComponent(TComponent *) override {}

    template <class T, class... A> T *Add(const char *Name, A... Args)
    {
        T *c = new T(&Root, Args...);
        c->SetName(QString::fromLatin1(Name));
        return c;
    }
};

class TstFloatRefEditors : public QObject {
    Q_OBJECT
private:
    TTestDesigner *FDesigner = nullptr;
    TFormatSettings FSavedFormat;

    // The editor the Object Inspector builds for a property of the selection.
    std::unique_ptr<TPropertyEditor> editorOf(const QList<QObject *> &Selection, const char *Prop)
    {
        for (auto &e : GetComponentProperties(Selection, FDesigner))
            if (e->GetName() == QLatin1String(Prop))
                return std::move(e);
        return nullptr;
    }
    static QStringList valuesOf(TPropertyEditor *E)
    {
        QStringList out;
        E->GetValues([&](const QString &s) { out << s; });
        return out;
    }
    static QStringList sorted(QStringList l)
    {
        l.sort();
        return l;
    }

private slots:
    void init()
    {
        FSavedFormat = FormatSettings();
        FormatSettings() = {QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss")};
        TDesignRegistry::Instance().Clear();
        Kvdesign::Register();
        FDesigner = new TTestDesigner;
    }
    void cleanup()
    {
        delete FDesigner;
        TDesignRegistry::Instance().Clear();
        FormatSettings() = FSavedFormat;
    }

    // ---- texts -------------------------------------------------------------------------
    void dateTimeTexts_data()
    {
        QTest::addColumn<QString>("dateFormat");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("written");
        // Midnight is written without its time.
        QTest::newRow("midnight") << "dd.MM.yyyy" << "24.12.2020" << 44189.0 << "24.12.2020";
        QTest::newRow("with time") << "dd.MM.yyyy" << "24.12.2020 18:00:00" << 44189.75 << "24.12.2020 18:00:00";
        // Read in the order of the format, day and month of one digit, seconds omitted.
        QTest::newRow("month first") << "M/d/yyyy" << "3/1/2021 6:00" << 44256.25 << "3/1/2021 06:00:00";
        QTest::newRow("two-digit year") << "dd.MM.yy" << "01.03.21" << 44256.0 << "01.03.21";
        QTest::newRow("afternoon") << "dd.MM.yyyy" << "01.03.2021 6:00 PM" << 44256.75 << "01.03.2021 18:00:00";
    }
    void dateTimeTexts()
    {
        QFETCH(QString, dateFormat);
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(QString, written);
        FormatSettings().ShortDateFormat = dateFormat;
        QCOMPARE(StrToDateTime(text), value);
        QCOMPARE(DateTimeToStr(value), written);
        QCOMPARE(StrToDateTime(DateTimeToStr(value)), value);
    }

    void badTextsRaiseConvertErrors()
    {
        for (const char *t : {"", "31.02.2020", "24.12.2020 25:00", "1.2", "tomorrow", "24.12.2020 13:00 PM"})
            QVERIFY_THROWS_EXCEPTION(EConvertError, StrToDateTime(QString::fromLatin1(t)));
        for (const char *t : {"1:75", "abc", "1:2:3:4"})
            QVERIFY_THROWS_EXCEPTION(EConvertError, DoubleFomTimeSpanStr(QString::fromLatin1(t)));
        // Time spans are read back as written.
        for (double v : {1.0 / 24, 2.5, -0.75, 1.0 / 86400})
            QCOMPARE(DoubleFomTimeSpanStr(DoubleToTimeSpanStr(v)), v);
    }

    // ---- float editors -----------------------------------------------------------------
    void doubleEditFormsFollowItsFlags()
    {
        auto *edit = FDesigner->Add<TKvDoubleEdit>("Edit1");
        edit->SetAsTimeSpan(true);
        edit->SetMinValue(44189.75);
        edit->SetMaxValue(0);
        edit->SetValue(0.0625);
        // Min and max are date-time texts also for a time-span edit; its value is a span.
        auto minE = editorOf({edit}, "MinValue"), maxE = editorOf({edit}, "MaxValue"), valE = editorOf({edit}, "Value");
        QCOMPARE(minE->EditorClassName(), QString("TKvRealOrDateTimeProperty"));
        QCOMPARE(valE->EditorClassName(), QString("TKvReal3StateProperty"));
        QCOMPARE(minE->GetValue(), QString("24.12.2020 18:00:00"));
        QCOMPARE(maxE->GetValue(), QString()); // 0 is "not set"
        QCOMPARE(valE->GetValue(), QString("01:30:00"));
        valE->SetValue("2.12:00:00");
        QCOMPARE(edit->Value(), 2.5);

        // Both flags: the span wins for the value.
        edit->SetAsDateTime(true);
        QCOMPARE(valE->GetValue(), QString("2.12:00:00"));
        edit->SetAsTimeSpan(false);
        QCOMPARE(valE->GetValue(), QString("01.01.1900 12:00:00"));
        edit->SetAsDateTime(false);
        QCOMPARE(valE->GetValue(), QString("2.5"));
        QCOMPARE(minE->GetValue(), QString("44189.75"));
    }

    void emptyTextStoresZero()
    {
        auto *axis = FDesigner->Add<TKvAxis>("Axis1");
        axis->SetScaling(TKvAxisScaling::DateTime);
        axis->SetStart(44189);
        axis->SetMovingSlitWidth(0.5);
        auto start = editorOf({axis}, "Start"), slit = editorOf({axis}, "MovingSlitWidth");
        QCOMPARE(slit->EditorClassName(), QString("TKvRealOrTimeSpanProperty"));
        QCOMPARE(slit->GetValue(), QString("12:00:00"));
        start->SetValue("");
        slit->SetValue("");
        QCOMPARE(axis->Start(), 0.0);
        QCOMPARE(axis->MovingSlitWidth(), 0.0);
        QCOMPARE(start->GetValue(), QString());
        // In plain mode the empty text is no number.
        axis->SetScaling(TKvAxisScaling::Linear);
        QCOMPARE(start->GetValue(), QString("0"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, start->SetValue(""));
    }

    void seriesFollowsItsXAxis()
    {
        auto *axis = FDesigner->Add<TKvAxis>("Axis1");
        auto *series = FDesigner->Add<TKvLineSeries>("Series1");
        series->SetCalculationStart(44189.5);
        auto e = editorOf({series}, "CalculationStart");
        QCOMPARE(e->GetValue(), QString("44189.5")); // no x axis: plain
        series->SetXAxis(axis);
        QCOMPARE(e->GetValue(), QString("44189.5"));
        // The scaling is read at each refresh.
        axis->SetScaling(TKvAxisScaling::DateTime);
        QCOMPARE(e->GetValue(), QString("24.12.2020 12:00:00"));
        e->SetValue("25.12.2020");
        QCOMPARE(series->CalculationStart(), 44190.0);
    }

    void firstSelectedDecidesForAll()
    {
        auto *dateAxis = FDesigner->Add<TKvAxis>("Axis1");
        auto *plainAxis = FDesigner->Add<TKvAxis>("Axis2");
        dateAxis->SetScaling(TKvAxisScaling::DateTime);
        auto e = editorOf({dateAxis, plainAxis}, "Stop");
        QVERIFY(e);
        e->SetValue("02.01.1900");
        QCOMPARE(dateAxis->Stop(), 3.0);
        QCOMPARE(plainAxis->Stop(), 3.0);
        QCOMPARE(e->GetValue(), QString("02.01.1900"));

        auto plainFirst = editorOf({plainAxis, dateAxis}, "Stop");
        plainFirst->SetValue("7.25");
        QCOMPARE(dateAxis->Stop(), 7.25);
        QCOMPARE(plainFirst->GetValue(), QString("7.25"));
    }

    void conversionErrorsKeepTheOldValue_data()
    {
        QTest::addColumn<int>("scaling");
        QTest::addColumn<QString>("prop");
        QTest::addColumn<QString>("text");
        QTest::newRow("date") << int(TKvAxisScaling::DateTime) << "Start" << "31.02.2020";
        QTest::newRow("date, words") << int(TKvAxisScaling::DateTime) << "Start" << "soon";
        QTest::newRow("span") << int(TKvAxisScaling::DateTime) << "MovingSlitIncrement" << "1:75";
        QTest::newRow("plain") << int(TKvAxisScaling::Linear) << "Start" << "1,2,3";
        // A date text is no plain number.
        QTest::newRow("date on a plain axis") << int(TKvAxisScaling::Linear) << "Start" << "24.12.2020";
    }
    void conversionErrorsKeepTheOldValue()
    {
        QFETCH(int, scaling);
        QFETCH(QString, prop);
        QFETCH(QString, text);
        auto *a = FDesigner->Add<TKvAxis>("Axis1");
        auto *b = FDesigner->Add<TKvAxis>("Axis2");
        a->SetScaling(TKvAxisScaling(scaling));
        for (TKvAxis *x : {a, b}) {
            x->SetStart(5.5);
            x->SetMovingSlitIncrement(0.25);
        }
        auto e = editorOf({a, b}, prop.toLatin1().constData());
        const QString before = e->GetValue();
        QVERIFY_THROWS_EXCEPTION(EConvertError, e->SetValue(text));
        QCOMPARE(e->GetValue(), before);
        QCOMPARE(b->Start(), 5.5);
        QCOMPARE(b->MovingSlitIncrement(), 0.25);
    }

    // ---- reference filters -------------------------------------------------------------
    void axisListsFollowDirectionAndGraph()
    {
        TTestDesigner &d = *FDesigner;
        auto *g1 = d.Add<TKvGraph2D>("G1"), *g2 = d.Add<TKvGraph2D>("G2"), *g3 = d.Add<TKvGraph2D>("G3");
        g1->SetBounds(10, 10, 300, 200);
        g2->SetBounds(10, 230, 300, 200); // below G1, aligned with it
        g3->SetBounds(10, 450, 280, 200); // same Left, narrower
        auto axis = [&](const char *n, TKvCustomGraph *g, TKvAxisPosition p, bool slave = false) {
            auto *a = d.Add<TKvAxis>(n);
            a->SetGraph(g);
            a->SetPosition(p);
            a->SetIsSlaveAxis(slave);
            return a;
        };
        auto *x1 = axis("X1", g1, TKvAxisPosition::Bottom);
        auto *y1 = axis("Y1", g1, TKvAxisPosition::Left);
        axis("Y1s", g1, TKvAxisPosition::Right, true);
        axis("X1s", g1, TKvAxisPosition::Top, true);
        axis("X2", g2, TKvAxisPosition::Top);
        axis("Y2", g2, TKvAxisPosition::Right);
        axis("X3", g3, TKvAxisPosition::Bottom);
        axis("Y3", g3, TKvAxisPosition::Left);
        axis("Xfree", nullptr, TKvAxisPosition::Bottom);
        auto *series = d.Add<TKvLineSeries>("S1");
        series->SetGraph(g3);
        auto *marker = d.Add<TKvVerticalMarker>("M1");
        marker->SetGraph(g1);
        auto *loose = d.Add<TKvCrossHair>("M2");

        auto list = [&](QObject *c, const char *prop) {
            auto e = editorOf({c}, prop);
            return e ? sorted(valuesOf(e.get())) : QStringList{"no editor"};
        };
        // X axes of the graph and of graphs with the same Left and Width.
        QCOMPARE(list(g1, "PrimaryXAxis"), (QStringList{"X1", "X1s", "X2"}));
        QCOMPARE(list(g3, "PrimaryXAxis"), (QStringList{"X3"}));
        // Y axes of the graph itself only.
        QCOMPARE(list(g1, "PrimaryYAxis"), (QStringList{"Y1", "Y1s"}));
        QCOMPARE(list(g2, "PrimaryYAxis"), (QStringList{"Y2"}));
        // A series has no graph of its own to go by: every axis of the direction.
        QCOMPARE(list(series, "XAxis"), (QStringList{"X1", "X1s", "X2", "X3", "Xfree"}));
        QCOMPARE(list(series, "YAxis"), (QStringList{"Y1", "Y1s", "Y2", "Y3"}));
        // Markers go by their graph, and like a series when they have none.
        QCOMPARE(list(marker, "XAxis"), (QStringList{"X1", "X1s", "X2"}));
        QCOMPARE(list(marker, "YAxis"), (QStringList{"Y1", "Y1s"}));
        QCOMPARE(list(loose, "YAxis"), (QStringList{"Y1", "Y1s", "Y2", "Y3"}));
        // Masters: the same direction, never the axis itself nor a slave.
        QCOMPARE(list(y1, "MasterAxis"), (QStringList{"Y2", "Y3"}));
        QCOMPARE(list(x1, "MasterAxis"), (QStringList{"X2", "X3", "Xfree"}));

        auto master = editorOf({y1}, "MasterAxis");
        QVERIFY(!master->GetAttributes().Contains(paMultiSelect));
        QVERIFY(master->GetAttributes().Contains(paValueList));
        QVERIFY(!master->GetAttributes().Contains(paSubProperties));
        y1->SetMasterAxis(qobject_cast<TKvAxis *>(d.GetComponent("Y2")->AsObject()));
        QVERIFY(master->GetAttributes().Contains(paSubProperties));
        // So the master axis is not offered for several axes at once.
        QVERIFY(!editorOf({y1, x1}, "MasterAxis"));
    }

    void seriesNeverReferToThemselves()
    {
        auto *l1 = FDesigner->Add<TKvLineSeries>("Line1");
        FDesigner->Add<TKvLineSeries>("Line2");
        FDesigner->Add<TKvBars>("Bars1");
        auto merge = editorOf({l1}, "MergeLegendItemWith"), band = editorOf({l1}, "DrawBandTo");
        QCOMPARE(merge->EditorClassName(), QString("TKvNotMeComponentsProperty"));
        QCOMPARE(band->EditorClassName(), QString("TKvNotMeComponentsProperty"));
        QCOMPARE(sorted(valuesOf(merge.get())), (QStringList{"Bars1", "Line2"}));
        QCOMPARE(valuesOf(band.get()), QStringList{"Line2"}); // line series only
    }

    void heldNameProcedureIsClearedWhenListingFails()
    {
        auto *y1 = FDesigner->Add<TKvAxis>("Y1");
        FDesigner->Add<TKvAxis>("Y2");
        y1->SetPosition(TKvAxisPosition::Left);
        qobject_cast<TKvAxis *>(FDesigner->GetComponent("Y2")->AsObject())->SetPosition(TKvAxisPosition::Left);
        auto e = editorOf({y1}, "MasterAxis");
        auto *master = dynamic_cast<TKvMasterAxisProperty *>(e.get());
        QVERIFY(master);
        QStringList got;
        FDesigner->FailWhileListing = true;
        QVERIFY_THROWS_EXCEPTION(EComponentError, master->GetValues([&](const QString &s) { got << s; }));
        QCOMPARE(got, QStringList{}); // Y1 itself came first and was filtered out
        // The procedure of the failed call is no longer held.
        master->IsAAxis("Y2");
        QCOMPARE(got, QStringList{});
        FDesigner->FailWhileListing = false;
        QCOMPARE(valuesOf(master), QStringList{"Y2"});
        master->IsAAxis("Y2");
        QCOMPARE(got, QStringList{});
    }

    void gradientPickerOrderAndStore()
    {
        TTestDesigner &d = *FDesigner;
        auto *g1 = d.Add<TKvGraph2D>("G1");
        auto *pie = d.Add<TKvPieChart>("Pie1");
        auto *g2 = d.Add<TKvGraph2D>("G2");
        auto *frame = d.Add<TKvGradientFrame>("Frame1");
        auto e = editorOf({frame}, "Gradient");
        QVERIFY(e);
        QCOMPARE(e->EditorClassName(), QString("TKvGradFramePropEditor"));
        QCOMPARE(e->GetAttributes(), (TPropertyAttributes{paValueList, paReadOnly}));
        // Every background first (in form order), then the data-area pairs of the 2-D graphs.
        QCOMPARE(valuesOf(e.get()),
                 (QStringList{"G1.BackgroundGradient", "Pie1.BackgroundGradient", "G2.BackgroundGradient",
                              "G1.DataAreaGradient", "G1.DataAreaFrame.Gradient", "G2.DataAreaGradient",
                              "G2.DataAreaFrame.Gradient"}));

        const QList<QPair<QString, TKvGradientSettings *>> picks{
            {"G2.DataAreaFrame.Gradient", g2->DataAreaFrame()->Gradient()},
            {"Pie1.BackgroundGradient", pie->BackgroundGradient()},
            {"G1.DataAreaGradient", g1->DataAreaGradient()},
            {"G2.BackgroundGradient", g2->BackgroundGradient()}};
        for (const auto &p : picks) {
            e->SetValue(p.first);
            QCOMPARE(frame->Gradient(), p.second);
            QCOMPARE(e->GetValue(), p.first);
        }
        // Names of no component, texts without a gradient's suffix: nothing stored.
        for (const char *t : {"G3.BackgroundGradient", "G1", "G1.Gradient", ""}) {
            e->SetValue(QString::fromLatin1(t));
            QCOMPARE(frame->Gradient(), g2->BackgroundGradient());
        }
        // A pie chart has no data area.
        QVERIFY_THROWS_EXCEPTION(Exception, e->SetValue("Pie1.DataAreaGradient"));
        QCOMPARE(frame->Gradient(), g2->BackgroundGradient());
    }

    void indexerShowsAsIndex()
    {
        auto *series = FDesigner->Add<TKvPointSeries>("S1");
        auto *indexer = FDesigner->Add<TKvIndexer>("Indexer1");
        auto *vector = FDesigner->Add<TKvDoubleVector>("Vector1");
        auto e = editorOf({series}, "XData");
        QCOMPARE(e->EditorClassName(), QString("TKvDoubleVectorProperty"));
        QCOMPARE(e->GetValue(), QString());
        series->SetXData(indexer);
        QCOMPARE(e->GetValue(), QString("(Index)"));
        e->SetValue("Vector1");
        QCOMPARE(series->XData(), vector);
        QCOMPARE(e->GetValue(), QString("Vector1"));
        QCOMPARE(sorted(valuesOf(e.get())), (QStringList{"Indexer1", "Vector1"}));
    }

    void unsortedEnumerationsKeepDeclarationOrder()
    {
        auto *label = FDesigner->Add<TKvRichLabel>("Label1");
        auto *axis = FDesigner->Add<TKvAxis>("Axis1");
        std::vector<std::unique_ptr<TPropertyEditor>> editors;
        editors.push_back(editorOf({label}, "Alignment"));
        editors.push_back(editorOf({axis}, "Scaling"));
        for (auto &e : editors) {
            QVERIFY(!e->GetAttributes().Contains(paSortList));
            QVERIFY(e->GetAttributes().Contains(paValueList));
            QCOMPARE(valuesOf(e.get()), GetEnumNames(e->GetPropType()));
        }
        QCOMPARE(valuesOf(editorOf({axis}, "Scaling").get()).at(4), QString("DateTime"));
    }

    // ---- field lists -------------------------------------------------------------------
    void fieldLists()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fields"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("CREATE TABLE Measures (Id INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(20), "
                       "Valid BOOLEAN, Note TEXT, Photo BLOB, Small SMALLINT, Price CURRENCY, "
                       "Amount NUMERIC(10,2), Huge DECIMAL(30,4), Day DATE, At TIME, Stamp DATETIME, "
                       "Taken TIMESTAMP, Big BIGINT, X REAL, Anything, WName NVARCHAR(10), WNote NTEXT)"));
        auto *dataSet = FDesigner->Add<TDataSet>("Table1");
        dataSet->SetConnectionName("fields");
        dataSet->SetTableName("Measures");
        auto *source = FDesigner->Add<TDataSource>("Source1");
        auto *vector = FDesigner->Add<TKvDoubleVector>("Vector1");
        auto *axis = FDesigner->Add<TKvAxis>("Axis1");
        auto *bars = FDesigner->Add<TKvBars>("Bars1");
        auto *pie = FDesigner->Add<TKvPieChart>("Pie1");
        auto *other = FDesigner->Add<TOtherElement>("Other1");
        const QStringList all{"Id", "Name", "Valid", "Note", "Photo", "Small", "Price", "Amount", "Huge", "Day",
                              "At", "Stamp", "Taken", "Big", "X", "Anything", "WName", "WNote"};

        auto number = editorOf({vector}, "DataField");
        QCOMPARE(number->EditorClassName(), QString("TKvNumberFieldProperty"));
        QCOMPARE(number->GetAttributes(), (TPropertyAttributes{paValueList, paSortList}));
        // No data source, then a data source without a data set: nothing to offer.
        QCOMPARE(valuesOf(number.get()), QStringList{});
        vector->SetDataSource(source);
        QCOMPARE(valuesOf(number.get()), QStringList{});
        source->SetDataSet(dataSet);
        QCOMPARE(valuesOf(number.get()), (QStringList{"Id", "Small", "Price", "Amount", "Huge", "Day", "At",
                                                      "Stamp", "Taken", "Big", "X", "Anything"}));
        // The classic ordinals of the types read from the declarations.
        const TFieldDefs *defs = dataSet->FieldDefs();
        QCOMPARE(int(defs->Find("Id")->DataType()), 14);
        QCOMPARE(int(defs->Find("Amount")->DataType()), 8);
        QCOMPARE(int(defs->Find("Huge")->DataType()), 37);
        QCOMPARE(int(defs->Find("Taken")->DataType()), 36);
        QCOMPARE(int(defs->Find("Note")->DataType()), 16);
        QCOMPARE(int(defs->Find("Photo")->DataType()), 15);
        QCOMPARE(defs->Find("Name")->Size(), 20);

        axis->SetDataSource(source);
        bars->SetDataSource(source);
        pie->SetDataSource(source);
        for (auto [c, prop] : {std::pair<QObject *, const char *>{axis, "RubricsField"}, {bars, "CaptionsField"},
                               {pie, "CaptionsField"}}) {
            auto e = editorOf({c}, prop);
            QCOMPARE(e->EditorClassName(), QString("TKvFieldProperty"));
            QCOMPARE(valuesOf(e.get()), all);
            // Any text may be typed.
            e->SetValue("NoSuchColumn");
            QCOMPARE(e->GetValue(), QString("NoSuchColumn"));
            QCOMPARE(c->property(prop).toString(), QString("NoSuchColumn"));
        }
        // The field definitions are read again on every listing.
        QVERIFY(q.exec("ALTER TABLE Measures ADD COLUMN Later DOUBLE"));
        QCOMPARE(valuesOf(number.get()).last(), QString("Later"));
        // A table that is gone raises the database error; the old definitions stay.
        dataSet->SetTableName("Missing");
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, valuesOf(number.get()));
        QCOMPARE(dataSet->FieldDefs()->Count(), 19);
        // A DataField of another class keeps the standard string editor.
        QCOMPARE(editorOf({other}, "DataField")->EditorClassName(), QString("TStringProperty"));

        q.finish();
        db.close();
        db = {};
        QSqlDatabase::removeDatabase(QStringLiteral("fields"));
    }

    // ---- the registration table --------------------------------------------------------
    void registration_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("prop");
        QTest::addColumn<QString>("editor");
        QTest::newRow("line series merges through its base") << "TKvLineSeries" << "MergeLegendItemWith" << "TKvNotMeComponentsProperty";
        QTest::newRow("line series band") << "TKvLineSeries" << "DrawBandTo" << "TKvNotMeComponentsProperty";
        QTest::newRow("bars merge") << "TKvBars" << "MergeLegendItemWith" << "TKvNotMeComponentsProperty";
        QTest::newRow("Start of another class") << "TOtherElement" << "Start" << "TFloatProperty";
        QTest::newRow("DataField of another class") << "TOtherElement" << "DataField" << "TStringProperty";
        QTest::newRow("vector DataField") << "TKvDoubleVector" << "DataField" << "TKvNumberFieldProperty";
        QTest::newRow("axis Start") << "TKvAxis" << "Start" << "TKvRealOrDateTimeProperty";
        QTest::newRow("axis SlaveOffset stays plain") << "TKvAxis" << "SlaveOffset" << "TFloatProperty";
        QTest::newRow("bars DisplayStop") << "TKvBars" << "DisplayStop" << "TKvRealOrDateTimeProperty";
        QTest::newRow("edit Increment stays plain") << "TKvDoubleEdit" << "Increment" << "TFloatProperty";
        QTest::newRow("marker X stays plain") << "TKvVerticalMarker" << "X" << "TFloatProperty";
        QTest::newRow("marker XAxis") << "TKvCrossHair" << "XAxis" << "TKvXAxisProperty";
        QTest::newRow("graph PrimaryYAxis") << "TKvGraph2D" << "PrimaryYAxis" << "TKvYAxisProperty";
        QTest::newRow("bars YAxis") << "TKvBars" << "YAxis" << "TKvYAxisProperty";
        QTest::newRow("axis MasterAxis") << "TKvAxis" << "MasterAxis" << "TKvMasterAxisProperty";
        QTest::newRow("series YData") << "TKvLineSeries" << "YData" << "TKvDoubleVectorProperty";
        QTest::newRow("axis RubricsField") << "TKvAxis" << "RubricsField" << "TKvFieldProperty";
        QTest::newRow("pie CaptionsField") << "TKvPieChart" << "CaptionsField" << "TKvFieldProperty";
        QTest::newRow("pie type") << "TKvPieChart" << "PieChartType" << "TKvNotSortedEnum";
        QTest::newRow("bar style") << "TKvBars" << "BarStyle" << "TKvNotSortedEnum";
        QTest::newRow("cross hair caption") << "TKvCrossHair" << "CaptionPosition" << "TKvNotSortedEnum";
        QTest::newRow("axis position is not listed") << "TKvAxis" << "Position" << "TEnumProperty";
    }
    void registration()
    {
        QFETCH(QString, cls);
        QFETCH(QString, prop);
        QFETCH(QString, editor);
        TClass c = cls == "TOtherElement" ? &TOtherElement::staticMetaObject : FindClass(cls);
        QVERIFY2(c, qPrintable(cls));
        PPropInfo p = GetPropInfo(c, prop);
        QVERIFY2(p, qPrintable(prop));
        QCOMPARE(GetEditorClass(p, c).Name, editor);
    }

    void onlyTheGradientFramesGradientIsPicked()
    {
        PPropInfo p = GetPropInfo(&TKvGraph2D::staticMetaObject, "DataAreaGradient");
        QVERIFY(GetEditorClass(p, &TKvGraph2D::staticMetaObject).Name != QLatin1String("TKvGradFramePropEditor"));
    }
};

QTEST_MAIN(TstFloatRefEditors)
#include "tst_floatrefeditors.moc"
