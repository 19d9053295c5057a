// The graph designer and the chart component editors, driven through the editors the package
// registers, with real clicks on the dialog's tool buttons and menu entries.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "../common/ModalDriver.h"
#include "../common/PropertyEditorDriver.h"
#include "Kvbars.h"
#include "Kvcharteditors.h"
#include "Kvcolorpicker.h"
#include "Kvdatetime.h"
#include "Kvdesign.h"
#include "Kvfloatedit.h"
#include "Kvfontdialog.h"
#include "Kvgraphdesigner.h"
#include "Kvgraphsettingsfrm.h"
#include "Kvlinesettingsfm.h"
#include "Kvpielegend.h"
#include "Kvpiesettingsedit.h"
#include "Kvseries.h"
#include "Kvvectors.h"

namespace {
using PropertyEditorDriver::TOwnerDesigner;

// A designed form: a graph with a bottom and a left axis and a line series on them.
struct TDesignedForm {
    TNonVisualComponent Root;
    TOwnerDesigner Designer{&Root};
    TKvGraph2D *Graph;
    TKvAxis *X, *Y;
    TKvLineSeries *Series;
    explicit TDesignedForm(const QString &Name = QStringLiteral("Form1"))
    {
        Root.SetName(Name);
        Graph = Add<TKvGraph2D>(QStringLiteral("Graph1"));
        Graph->resize(400, 300);
        Graph->SetCaption(TKvRichCaption(QStringLiteral("Measured")));
        X = Add<TKvAxis>(QStringLiteral("Axis1"));
        X->AttachToGraph(Graph);
        Y = Add<TKvAxis>(QStringLiteral("Axis2"));
        Y->SetPosition(TKvAxisPosition::Left);
        Y->AttachToGraph(Graph);
        auto *xs = Add<TKvDoubleVector>(QStringLiteral("XValues"));
        xs->SetValues({1, 2, 3, 4, 5, 6, 7, 8});
        auto *ys = Add<TKvDoubleVector>(QStringLiteral("YValues"));
        ys->SetValues({2, 5, 3, 8, 6, 9, 4, 7});
        Series = Add<TKvLineSeries>(QStringLiteral("Series1"));
        Series->SetXAxis(X);
        Series->SetYAxis(Y);
        Series->SetXData(xs);
        Series->SetYData(ys);
        Series->Line()->SetWidth(2);
    }
    template <class T> T *Add(const QString &Name)
    {
        auto *c = new T(&Root);
        c->SetName(Name);
        return c;
    }
    QStringList Names() const
    {
        QStringList out;
        for (int i = 0; i < Root.ComponentCount(); ++i)
            out << Root.Components(i)->Name();
        return out;
    }
    template <class T> T *Find(const QString &Name) const { return ComponentCast<T>(Root.FindComponent(Name)); }
};

// Opens the component editor that the package registered for C and runs Action on the dialog
// it shows; a dialog that Action left open (a failed check returns early) is cancelled.
// False when no dialog opened.
template <class D> bool RunEditor(TComponent *C, IDesigner *Designer, const std::function<void(D *)> &Action)
{
    const std::unique_ptr<TComponentEditor> editor = GetComponentEditor(C, Designer);
    auto ran = ModalDriver::WhenModal([&](QWidget *W) {
        const QPointer<QWidget> dialog = W;
        if (auto *d = qobject_cast<D *>(W))
            Action(d);
        else
            QTest::qFail("The editor opened another dialog", __FILE__, __LINE__);
        if (dialog && dialog->isVisible())
            ModalDriver::Reject(dialog);
    });
    editor->Edit();
    return *ran;
}

// Closes any dialog that opens and counts it, so that a test of "nothing opens" cannot hang.
struct TNoDialog {
    int Opened = 0;
    QTimer Timer;
    TNoDialog()
    {
        QObject::connect(&Timer, &QTimer::timeout, [this] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                ++Opened;
                w->close();
            }
        });
        Timer.start(10);
    }
};

// Clicks a drop-down tool button on its face (not on its arrow) and then, once its menu is
// up, the entry of that name. False when no menu came up or it has no such entry.
bool PickFromMenu(QToolButton *Button, const QString &Entry)
{
    bool picked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        for (QAction *a : menu->actions())
            if (a->objectName() == Entry) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                picked = true;
            }
        if (!picked)
            menu->close();
    });
    poll.start(5);
    QTest::mouseClick(Button, Qt::LeftButton, {}, QPoint(8, Button->height() / 2));
    return picked;
}

// Types into a value edit and leaves it, as a user does (Enter would also press OK).
void Type(TKvCustomEdit *Edit, const QString &Text)
{
    QVERIFY(Edit);
    Edit->Edit()->selectAll();
    QTest::keyClicks(Edit->Edit(), Text);
    if (Text.isEmpty())
        QTest::keyClick(Edit->Edit(), Qt::Key_Delete);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(Edit->Edit(), &out);
}

QToolButton *Button(QWidget *D, const char *Name) { return D->findChild<QToolButton *>(QString::fromLatin1(Name)); }

template <class T> T *OnPage(TGraphEdit *D, const char *Name)
{
    return D->SettingsTab()->currentWidget()->findChild<T *>(QString::fromLatin1(Name));
}

// With KV_SHOTS_DIR set, keeps a picture of a dialog as the user sees it.
void Shot(QWidget *W, const QString &Name)
{
    const QString dir = qEnvironmentVariable("KV_SHOTS_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        W->grab().save(dir + QLatin1Char('/') + Name + QStringLiteral(".png"));
    }
}
} // namespace

class TstGraphDesigner : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Kvdesign::Register(); }

    // Rows 1 to 6 of the component editors and row 52, with their verbs.
    void registeredEditorsAndVerbs_data()
    {
        QTest::addColumn<QString>("ComponentClass");
        QTest::addColumn<QString>("EditorClass");
        QTest::addColumn<QStringList>("Verbs");
        const QStringList edit{QStringLiteral("&Edit")};
        QTest::addRow("graph") << "TKvGraph2D" << "TKvGraphEditor" << QStringList{QStringLiteral("&Edit"), QStringLiteral("&Update Graph")};
        QTest::addRow("pie chart") << "TKvPieChart" << "TKvPieChartEditor" << edit;
        QTest::addRow("axis") << "TKvAxis" << "TKvAxisEditor" << edit;
        QTest::addRow("legend") << "TKvLegend" << "TKvLegendEditor" << edit;
        QTest::addRow("pie legend") << "TKvPieLegend" << "TKvPieLegendEditor" << edit;
        // The series row serves every descendant, calculations too.
        QTest::addRow("line series") << "TKvLineSeries" << "TKvSeriesEditor" << edit;
        QTest::addRow("bars") << "TKvBars" << "TKvSeriesEditor" << edit;
        QTest::addRow("moving average") << "TKvMovingAverage" << "TKvSeriesEditor" << edit;
    }
    void registeredEditorsAndVerbs()
    {
        QFETCH(QString, ComponentClass);
        QFETCH(QString, EditorClass);
        QFETCH(QStringList, Verbs);
        TNonVisualComponent root;
        std::unique_ptr<QObject> c(CreateComponentOfClass(ComponentClass, &root)->AsObject());
        TOwnerDesigner designer(&root);
        const std::unique_ptr<TComponentEditor> e = GetComponentEditor(AsComponent(c.get()), &designer);
        const TComponentEditor &editor = *e;
        QCOMPARE(DemangledClassName(typeid(editor).name()), EditorClass);
        QCOMPARE(e->GetVerbCount(), Verbs.size());
        for (int i = 0; i < Verbs.size(); ++i)
            QCOMPARE(e->GetVerb(i), Verbs[i]);
        QCOMPARE(e->GetVerb(Verbs.size()), QString());
        QCOMPARE(e->GetVerb(-1), QString());
        e->ExecuteVerb(7); // ignored
        QCOMPARE(designer.ModifiedCount, 0);
        // Row 52: every library font gets the font editor.
        TDesignedForm f;
        QCOMPARE(GetEditorClass(GetPropInfo(f.X, QStringLiteral("CaptionFont")), f.X->metaObject()).Name,
                 QStringLiteral("TKvFontProperty"));
    }

    // The stored form, with the runtime form's layout it inherits, and the options that
    // FormCreate sets.
    void formDescription()
    {
        TDsgnGraphEdit d;
        QCOMPARE(d.windowTitle(), QStringLiteral("DsgnGraphEdit"));
        QCOMPARE(d.pos(), QPoint(441, 97));
        QCOMPARE(d.SettingsTab()->y(), 58);
        QCOMPARE(d.SettingsTab()->height(), 462);
        QCOMPARE(d.findChild<QWidget *>(QStringLiteral("CoolBar1"))->height(), 58);
        QCOMPARE(d.findChild<QWidget *>(QStringLiteral("StyleToolBar"))->size(), QSize(328, 22));
        QCOMPARE(d.SecondLineToolbarsPanel()->size(), QSize(328, 30));
        QCOMPARE(d.findChild<QWidget *>(QStringLiteral("DesignToolBar"))->size(), QSize(162, 30));
        QCOMPARE(d.findChild<QWidget *>(QStringLiteral("AddToolBar"))->size(), QSize(46, 22));
        QCOMPARE(d.AddLegendButton()->pos(), QPoint(23, 0));
        QCOMPARE(d.findChild<TKvColorPickCombo *>(QStringLiteral("SelColorPick"))->width(), 44);
        QCOMPARE(d.findChild<QFontComboBox *>(QStringLiteral("FontsCombo"))->x(), 189);
        // Design mode shows the panel that is stored invisible.
        QVERIFY(d.SecondLineToolbarsPanel()->isVisibleTo(&d));
        QVERIFY(d.AsDesigner() && d.ZoomScrollPanningOptions() && d.ExtendedAxisOptions() && d.ExtendedBarLabelOptions());
        QVERIFY(!d.InteractiveCalculationRanges() && d.ShowOutliersSupport() && d.ShowFitCovariance());
        // The extra series entry, at index 12, with picture 29 of the form's own images.
        const QList<QAction *> entries = d.SeriesMenu()->actions();
        QCOMPARE(entries.value(12), d.AddGeneralLinearLeastSquares());
        QCOMPARE(d.AddGeneralLinearLeastSquares()->text(), QStringLiteral("General Linear Least Squares"));
        QCOMPARE(d.TopButtonImages().size(), 30);
        QCOMPARE(d.AddGeneralLinearLeastSquares()->icon().cacheKey(), d.TopButtonImages()[29].cacheKey());
        int series = 0;
        for (QAction *a : entries)
            series += a->isSeparator() ? 0 : 1;
        QCOMPARE(series, 16);
        QCOMPARE(d.AxisMenu()->actions(), (QList<QAction *>{d.AxLeft(), d.AxRight(), d.AxTop(), d.AxBottom()}));
    }

    // Two left axes and a legend, added with real clicks; a form that already has the base
    // names gets numbered ones, and the legend's caption is its name.
    void additionsGetUniqueNames_data()
    {
        QTest::addColumn<QStringList>("Taken");
        QTest::addColumn<QStringList>("Axes");
        QTest::addColumn<QString>("Legend");
        QTest::addRow("free names") << QStringList{} << QStringList{"LeftAxis", "LeftAxis1"} << "Legend";
        QTest::addRow("names taken") << QStringList{"LeftAxis", "Legend"} << QStringList{"LeftAxis1", "LeftAxis2"} << "Legend1";
    }
    void additionsGetUniqueNames()
    {
        QFETCH(QStringList, Taken);
        QFETCH(QStringList, Axes);
        QFETCH(QString, Legend);
        TDesignedForm f;
        for (const QString &name : Taken)
            f.Add<TKvDoubleVector>(name);
        QObject *pageAfterAxis = nullptr;
        bool legendButtonOff = false;
        const bool opened = RunEditor<TDsgnGraphEdit>(f.Graph, &f.Designer, [&](TDsgnGraphEdit *d) {
            QVERIFY(PickFromMenu(d->AxisButton(), QStringLiteral("AxLeft")));
            QVERIFY(PickFromMenu(d->AxisButton(), QStringLiteral("AxLeft")));
            pageAfterAxis = d->ActivePageObject();
            QTest::mouseClick(d->AddLegendButton(), Qt::LeftButton);
            legendButtonOff = !d->AddLegendButton()->isEnabled();
            QCOMPARE(d->UndoStack()->Count(), 3);
            QCOMPARE(d->UndoStack()->UndoText(), QStringLiteral("Create legend"));
            QVERIFY(d->UndoStack()->Recording());
            ModalDriver::Accept(d);
        });
        QVERIFY(opened);
        for (const QString &name : Axes) {
            auto *a = f.Find<TKvAxis>(name);
            QVERIFY2(a, qPrintable(name));
            QCOMPARE(a->Position(), TKvAxisPosition::Left);
            QCOMPARE(a->Graph(), f.Graph);
            QVERIFY(f.Graph->Axes().contains(a));
        }
        QCOMPARE(pageAfterAxis, f.Find<TKvAxis>(Axes.last()));
        auto *legend = f.Find<TKvLegend>(Legend);
        QVERIFY(legend);
        QCOMPARE(legend->Caption().Text, Legend);
        QCOMPARE(legend->Position(), TKvLegendPosition::Free);
        QCOMPARE(legend->Graph(), f.Graph);
        QVERIFY(legendButtonOff);
        QCOMPARE(f.Designer.ModifiedCount, 1);
        QVERIFY(f.Designer.Parents.isEmpty()); // axes and legends are not the designer's
    }

    // Every series entry asks the designer for its class under the graph's owner; the
    // handler sets nothing on the new component and turns to its page.
    void seriesEntriesCreateThroughTheDesigner_data()
    {
        QTest::addColumn<QString>("Entry");
        QTest::addColumn<QString>("Class");
        const char *const rows[][2] = {
            {"AddLine", "TKvLineSeries"}, {"AddPointSymbols", "TKvPointSeries"}, {"AddErrorSymbols", "TKvPointWithErrorSeries"},
            {"AddBars", "TKvBars"}, {"AddArrows", "TKvArrows"}, {"AddBubbles", "TKvBubbles"}, {"AddOHLC", "TKvOHLC"},
            {"AddCandleStick", "TKvCandleSticks"}, {"AddLinearRegression", "TKvLinearRegression"},
            {"AddGeneralLinearLeastSquares", "TKvGeneralLinearLeastSquares"}, {"AddPolynomial", "TKvPolynomial"},
            {"AddFit", "TKvFittedLine"}, {"AddMovingAverage", "TKvMovingAverage"}, {"AddInterpolation", "TKvInterpolation"},
            {"AddDifferential", "TKvDifferential"}, {"AddIntegral", "TKvIntegral"}};
        for (const auto &r : rows)
            QTest::addRow("%s", r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
    }
    void seriesEntriesCreateThroughTheDesigner()
    {
        QFETCH(QString, Entry);
        QFETCH(QString, Class);
        TDesignedForm f;
        const QStringList before = f.Names();
        QObject *page = nullptr;
        RunEditor<TDsgnGraphEdit>(f.Graph, &f.Designer, [&](TDsgnGraphEdit *d) {
            QVERIFY(PickFromMenu(d->SeriesButton(), Entry));
            page = d->ActivePageObject();
            QCOMPARE(d->UndoStack()->UndoText(), QStringLiteral("Create series"));
            ModalDriver::Accept(d);
        });
        QCOMPARE(f.Designer.Parents, QList<TComponent *>{&f.Root});
        const QString name = Class.mid(1) + QStringLiteral("1");
        auto *s = f.Find<TKvSeries>(name);
        QVERIFY(s);
        QCOMPARE(s->ClassName(), Class);
        QCOMPARE(f.Names(), before + QStringList{name});
        QCOMPARE(page, s);
        QVERIFY(!s->Graph() && !s->XAxis() && !s->YAxis() && !s->XData());
    }

    // The vector button asks the designer too and leaves the page as it was.
    void vectorButtonCreatesThroughTheDesigner()
    {
        TDesignedForm f;
        RunEditor<TDsgnGraphEdit>(f.Series, &f.Designer, [&](TDsgnGraphEdit *d) {
            QTest::mouseClick(d->AddVectorButton(), Qt::LeftButton);
            QCOMPARE(d->ActivePageObject(), f.Series);
            QCOMPARE(d->UndoStack()->UndoText(), QStringLiteral("Create vector"));
            ModalDriver::Accept(d);
        });
        QVERIFY(f.Find<TKvDoubleVector>(QStringLiteral("KvDoubleVector1")));
        QCOMPARE(f.Designer.Parents, QList<TComponent *>{&f.Root});
    }

    // On the page of another graph (that of a master axis) new axes and legends go to that
    // graph and its owner; series still come from the designer under the edited graph's owner.
    void otherGraphsPageReceivesAxesAndLegends()
    {
        TDesignedForm f;
        TDesignedForm other(QStringLiteral("Form2"));
        other.Graph->SetName(QStringLiteral("Graph2"));
        f.X->SetIsSlaveAxis(true);
        f.X->SetMasterAxis(other.X);
        RunEditor<TDsgnGraphEdit>(f.Graph, &f.Designer, [&](TDsgnGraphEdit *d) {
            QCOMPARE(d->GetActiveGraph(), f.Graph);
            int page = -1;
            for (int i = 0; i < d->SettingsTab()->count(); ++i)
                if (auto *g = d->SettingsTab()->widget(i)->findChild<TKvGraphSettingsFrame *>(QStringLiteral("GraphFrame"));
                    g && g->Graph() == other.Graph)
                    page = i;
            QVERIFY(page > 0);
            d->SettingsTab()->setCurrentIndex(page);
            QCOMPARE(d->GetActiveGraph(), other.Graph);
            QVERIFY(PickFromMenu(d->AxisButton(), QStringLiteral("AxTop")));
            d->SettingsTab()->setCurrentIndex(page);
            QTest::mouseClick(d->AddLegendButton(), Qt::LeftButton);
            d->SettingsTab()->setCurrentIndex(page);
            QVERIFY(PickFromMenu(d->SeriesButton(), QStringLiteral("AddLine")));
            ModalDriver::Accept(d);
        });
        auto *axis = other.Find<TKvAxis>(QStringLiteral("TopAxis"));
        QVERIFY(axis);
        QVERIFY(!f.Find<TKvAxis>(QStringLiteral("TopAxis")));
        QCOMPARE(axis->Graph(), other.Graph);
        QCOMPARE(axis->Position(), TKvAxisPosition::Top);
        QVERIFY(f.Graph->Axes().contains(axis)); // the edited graph lists it too
        auto *legend = other.Find<TKvLegend>(QStringLiteral("Legend"));
        QVERIFY(legend);
        QCOMPARE(legend->Graph(), other.Graph);
        QCOMPARE(f.Designer.Parents, QList<TComponent *>{&f.Root});
        QVERIFY(f.Find<TKvLineSeries>(QStringLiteral("KvLineSeries1")));
        QVERIFY(!other.Find<TKvLineSeries>(QStringLiteral("KvLineSeries1")));
    }

    // Without an undo stack the additions work and nothing is recorded.
    void additionsWithoutUndoStack()
    {
        TDesignedForm f;
        QPointer<TKvUndoStack> own;
        RunEditor<TDsgnGraphEdit>(f.Graph, &f.Designer, [&](TDsgnGraphEdit *d) {
            own = d->UndoStack();
            d->SetUndoStack(nullptr);
            QVERIFY(PickFromMenu(d->AxisButton(), QStringLiteral("AxRight")));
            QVERIFY(PickFromMenu(d->SeriesButton(), QStringLiteral("AddBars")));
            QTest::mouseClick(d->AddLegendButton(), Qt::LeftButton);
            QTest::mouseClick(d->AddVectorButton(), Qt::LeftButton);
            QCOMPARE(own->Count(), 0);
            QVERIFY(own->Recording());
            QVERIFY(!Button(d, "UndoButton")->isEnabled());
            ModalDriver::Accept(d);
        });
        QVERIFY(f.Find<TKvAxis>(QStringLiteral("RightAxis")));
        QVERIFY(f.Find<TKvBars>(QStringLiteral("KvBars1")));
        QVERIFY(f.Find<TKvLegend>(QStringLiteral("Legend")));
        QVERIFY(f.Find<TKvDoubleVector>(QStringLiteral("KvDoubleVector1")));
    }

    // Undo inside the dialog frees what was added, last first, and takes its page away; redo
    // builds it again.
    void undoInsideTheDialogFreesAdditions()
    {
        TDesignedForm f;
        const QStringList before = f.Names();
        QStringList afterRedo;
        RunEditor<TDsgnGraphEdit>(f.Graph, &f.Designer, [&](TDsgnGraphEdit *d) {
            QVERIFY(PickFromMenu(d->AxisButton(), QStringLiteral("AxBottom")));
            QVERIFY(PickFromMenu(d->SeriesButton(), QStringLiteral("AddPointSymbols")));
            QTest::mouseClick(d->AddLegendButton(), Qt::LeftButton);
            const QPointer<QObject> legend = f.Root.FindComponent(QStringLiteral("Legend"))->AsObject();
            const int pages = d->SettingsTab()->count();
            QToolButton *undo = Button(d, "UndoButton");
            QVERIFY(undo->isEnabled());
            QTest::mouseClick(undo, Qt::LeftButton);
            QVERIFY(legend.isNull());
            QCOMPARE(d->SettingsTab()->count(), pages - 1);
            QVERIFY(d->AddLegendButton()->isEnabled());
            QTest::mouseClick(undo, Qt::LeftButton);
            QTest::mouseClick(undo, Qt::LeftButton);
            QCOMPARE(f.Names(), before);
            QVERIFY(!undo->isEnabled());
            // The change list shows the entries that can be redone.
            QCOMPARE(d->findChild<QListWidget *>(QStringLiteral("UndoList"))->count(), 3);
            QTest::mouseClick(Button(d, "RedoButton"), Qt::LeftButton);
            afterRedo = f.Names();
            ModalDriver::Reject(d);
        });
        QCOMPARE(afterRedo, before + QStringList{QStringLiteral("BottomAxis")});
        QCOMPARE(f.Find<TKvAxis>(QStringLiteral("BottomAxis"))->Position(), TKvAxisPosition::Bottom);
    }

    // Every way of closing reports a change; Cancel puts edited values back but keeps what
    // was added.
    void closingAlwaysMarksTheForm_data()
    {
        QTest::addColumn<QString>("How");
        QTest::addColumn<bool>("Kept");
        QTest::addRow("OK") << "OKButton" << true;
        QTest::addRow("Cancel") << "CancelButton" << false;
        QTest::addRow("window closed") << "" << false;
    }
    void closingAlwaysMarksTheForm()
    {
        QFETCH(QString, How);
        QFETCH(bool, Kept);
        TDesignedForm f;
        RunEditor<TDsgnGraphEdit>(f.Graph, &f.Designer, [&](TDsgnGraphEdit *d) {
            auto *caption = OnPage<QLineEdit>(d, "Caption");
            QVERIFY(caption);
            caption->selectAll();
            QTest::keyClicks(caption, QStringLiteral("Run 7"));
            QCOMPARE(f.Graph->Caption().Text, QStringLiteral("Run 7"));
            QCOMPARE(d->UndoStack()->Count(), 1); // the typing is one step
            QVERIFY(PickFromMenu(d->AxisButton(), QStringLiteral("AxLeft")));
            if (How.isEmpty())
                ModalDriver::CloseWindow(d);
            else
                QTest::mouseClick(d->findChild<QPushButton *>(How), Qt::LeftButton);
        });
        QCOMPARE(f.Designer.ModifiedCount, 1);
        QCOMPARE(f.Graph->Caption().Text, Kept ? QStringLiteral("Run 7") : QStringLiteral("Measured"));
        QVERIFY(f.Find<TKvAxis>(QStringLiteral("LeftAxis")));
    }

    // "&Update Graph" recomputes and redraws the chart and tells the designer nothing.
    void updateGraphVerbRedrawsWithoutMarking()
    {
        TDesignedForm f;
        f.X->SetAutoStart(true);
        f.X->SetAutoStop(true);
        QCOMPARE(f.X->Start(), 0.0);
        QSignalSpy redrawn(f.Graph, &TKvCustomGraph::GraphChanged);
        TNoDialog guard;
        GetComponentEditor(f.Graph, &f.Designer)->ExecuteVerb(1);
        QCOMPARE(guard.Opened, 0);
        QCOMPARE(f.Designer.ModifiedCount, 0);
        QVERIFY(redrawn.count() >= 1);
        QCOMPARE(f.X->Start(), 1.0);
        QCOMPARE(f.X->Stop(), 8.0);
    }

    // Each editor turns the designer to the page of its component; the title names the graph.
    void openedOnTheComponentsPage_data()
    {
        QTest::addColumn<QString>("Component");
        QTest::addRow("graph") << "Graph1";
        QTest::addRow("axis") << "Axis2";
        QTest::addRow("series") << "Series1";
        QTest::addRow("legend") << "Legend1";
    }
    void openedOnTheComponentsPage()
    {
        QFETCH(QString, Component);
        TDesignedForm f;
        f.Add<TKvLegend>(QStringLiteral("Legend1"))->AttachToGraph(f.Graph);
        TComponent *c = f.Root.FindComponent(Component);
        QString title;
        QObject *page = nullptr, *graph = nullptr;
        QString tab;
        RunEditor<TDsgnGraphEdit>(c, &f.Designer, [&](TDsgnGraphEdit *d) {
            title = d->windowTitle();
            page = d->ActivePageObject();
            graph = d->GetActiveGraph();
            tab = d->SettingsTab()->tabText(d->SettingsTab()->currentIndex());
            QVERIFY(d->FormsDesigner == &f.Designer);
            QVERIFY(!d->InteractiveCalculationRanges());
            ModalDriver::Accept(d);
        });
        QCOMPARE(title, QStringLiteral("Set properties of: Measured"));
        QCOMPARE(page, c->AsObject());
        QCOMPARE(graph, f.Graph);
        QCOMPARE(tab, Component);
        QCOMPARE(f.Designer.ModifiedCount, 1);
    }

    // Components without a chart behind them open nothing and report nothing.
    void componentsWithoutChartOpenNothing_data()
    {
        QTest::addColumn<QString>("Case");
        QTest::addRow("axis not on a graph") << "axis";
        QTest::addRow("legend not on a graph") << "legend";
        QTest::addRow("series without axes") << "series";
        QTest::addRow("series whose axis is on no graph") << "series axis";
        QTest::addRow("pie legend without a pie chart") << "pie legend";
    }
    void componentsWithoutChartOpenNothing()
    {
        QFETCH(QString, Case);
        TDesignedForm f;
        TComponent *c = nullptr;
        if (Case == QLatin1String("axis")) {
            c = f.Add<TKvAxis>(QStringLiteral("Loose"));
        } else if (Case == QLatin1String("legend")) {
            c = f.Add<TKvLegend>(QStringLiteral("Loose"));
        } else if (Case == QLatin1String("series")) {
            auto *s = f.Add<TKvPointSeries>(QStringLiteral("Loose"));
            s->AttachToGraph(f.Graph); // on the graph, but without axes
            c = s;
        } else if (Case == QLatin1String("series axis")) {
            auto *s = f.Add<TKvPointSeries>(QStringLiteral("Loose"));
            s->SetYAxis(f.Add<TKvAxis>(QStringLiteral("LooseAxis")));
            c = s;
        } else {
            c = f.Add<TKvPieLegend>(QStringLiteral("Loose"));
        }
        TNoDialog guard;
        GetComponentEditor(c, &f.Designer)->Edit();
        QCOMPARE(guard.Opened, 0);
        QCOMPARE(f.Designer.ModifiedCount, 0);
    }

    // A designer that fails frees the dialog and reaches the caller; the form keeps exactly
    // the components it had, also when the designer had already made one.
    void failingDesignerLeavesNothingHalfBuilt_data()
    {
        QTest::addColumn<bool>("AfterCreating");
        QTest::addRow("refuses") << false;
        QTest::addRow("fails after creating") << true;
    }
    void failingDesignerLeavesNothingHalfBuilt()
    {
        QFETCH(bool, AfterCreating);
        TDesignedForm f;
        (AfterCreating ? f.Designer.ThrowAfterCreate : f.Designer.ThrowOnCreate) = true;
        const QStringList before = f.Names();
        QPointer<TDsgnGraphEdit> dialog;
        QString message;
        try {
            RunEditor<TDsgnGraphEdit>(f.Graph, &f.Designer, [&](TDsgnGraphEdit *d) {
                dialog = d;
                QVERIFY(PickFromMenu(d->AxisButton(), QStringLiteral("AxLeft")));
                PickFromMenu(d->SeriesButton(), QStringLiteral("AddFit"));
                QVERIFY(!d->isVisible()); // the failure closed it
            });
        } catch (const EComponentError &e) {
            message = e.Message();
        }
        QVERIFY2(!message.isEmpty(), "the designer's exception did not reach the caller");
        QVERIFY(dialog.isNull());
        QCOMPARE(f.Designer.ModifiedCount, 0);
        // The axis added before the failure stays; nothing of the failed series does.
        QCOMPARE(f.Names(), before + QStringList{QStringLiteral("LeftAxis")});
    }

    // The pages edit the chart live (and its preview), through the style tool bar too, and
    // open the package's settings dialogs; every edit is undone by the undo button.
    void pagesEditLiveAndUndo()
    {
        TDesignedForm f;
        RunEditor<TDsgnGraphEdit>(f.Graph, &f.Designer, [&](TDsgnGraphEdit *d) {
            auto *preview = d->findChild<TKvGraphPreview *>(QStringLiteral("GraphPreview"));
            QVERIFY(!preview->Picture().isNull());
            const QImage before = preview->Picture().toImage();
            QTest::mouseClick(Button(d, "BoldButton"), Qt::LeftButton); // the caption is bold by default
            QVERIFY(!f.Graph->CaptionFont()->Bold());
            QTest::qWait(20);
            QVERIFY(preview->Picture().toImage() != before);
            // A series page: the colour picker colours the line.
            d->SetActivPage(f.Series);
            QComboBox *colors = d->findChild<TKvColorPickCombo *>(QStringLiteral("SelColorPick"))->Combo();
            const TKvColor old = f.Series->Line()->Color();
            colors->setFocus();
            QTest::keyClick(colors, Qt::Key_Down);
            QVERIFY(f.Series->Line()->Color() != old);
            // The line sample shows the line in its colour, and opens the package's line
            // settings dialog.
            auto *line = OnPage<QPushButton>(d, "Line");
            QVERIFY(line);
            const QImage sample = line->grab().toImage();
            const QColor want = f.Series->Line()->Color().ToQColor();
            QVERIFY(sample.pixelColor(sample.width() / 2, sample.height() / 2) == want
                    || sample.pixelColor(sample.width() / 2, sample.height() / 2 - 1) == want);
            bool lineForm = false;
            ModalDriver::WhenModal([&](QWidget *w) {
                lineForm = qobject_cast<TLineSettingsForm *>(w);
                w->findChild<TKvNumericUpDn *>(QStringLiteral("WidthUpDn"))->SetValue(5);
                ModalDriver::Accept(w);
            });
            QTest::mouseClick(line, Qt::LeftButton);
            QVERIFY(lineForm);
            QCOMPARE(f.Series->Line()->Width(), 5.0f);
            QCOMPARE(d->UndoStack()->Count(), 3);
            QToolButton *undo = Button(d, "UndoButton");
            QTest::mouseClick(undo, Qt::LeftButton);
            QCOMPARE(f.Series->Line()->Width(), 2.0f);
            QTest::mouseClick(undo, Qt::LeftButton);
            QCOMPARE(f.Series->Line()->Color(), old);
            QTest::mouseClick(undo, Qt::LeftButton);
            QVERIFY(f.Graph->CaptionFont()->Bold());
            ModalDriver::Accept(d);
        });
        // The dialogs opened from the pages do not report; the graph designer does, once.
        QCOMPARE(f.Designer.ModifiedCount, 1);
    }

    // A new series has no axes: its page offers the graph's, and choosing them puts it on
    // the graph.
    void newSeriesIsBoundOnItsPage()
    {
        TDesignedForm f;
        RunEditor<TDsgnGraphEdit>(f.Graph, &f.Designer, [&](TDsgnGraphEdit *d) {
            QVERIFY(PickFromMenu(d->SeriesButton(), QStringLiteral("AddLine")));
            auto *xAxis = OnPage<QComboBox>(d, "XAxis");
            QVERIFY(xAxis);
            QCOMPARE(xAxis->count(), 2); // "(none)" and the one bottom axis
            xAxis->setFocus();
            QTest::keyClick(xAxis, Qt::Key_Down);
            ModalDriver::Accept(d);
        });
        auto *s = f.Find<TKvLineSeries>(QStringLiteral("KvLineSeries1"));
        QCOMPARE(s->XAxis(), f.X);
        QCOMPARE(s->Graph(), f.Graph);
    }

    // Careless input on an axis page: text that is no finite number leaves the value as it
    // was, and extreme or reversed ranges draw without hanging.
    void axisPageTakesCarelessInput_data()
    {
        QTest::addColumn<QString>("Start");
        QTest::addColumn<QString>("Stop");
        QTest::addColumn<double>("WantStart");
        QTest::addColumn<double>("WantStop");
        QTest::addRow("not numbers") << "abc" << "nan" << 0.0 << 10.0;
        QTest::addRow("infinite") << "-inf" << "inf" << 0.0 << 10.0;
        QTest::addRow("empty") << "" << " " << 0.0 << 10.0;
        QTest::addRow("widest") << "-1e308" << "1e308" << -1e308 << 1e308;
        QTest::addRow("reversed") << "10" << "0" << 10.0 << 0.0;
        QTest::addRow("one point") << "3" << "3" << 3.0 << 3.0;
    }
    void axisPageTakesCarelessInput()
    {
        QFETCH(QString, Start);
        QFETCH(QString, Stop);
        QFETCH(double, WantStart);
        QFETCH(double, WantStop);
        TDesignedForm f;
        f.Y->SetStop(10);
        bool drawn = false;
        RunEditor<TDsgnGraphEdit>(f.Y, &f.Designer, [&](TDsgnGraphEdit *d) {
            Type(OnPage<TKvDoubleEdit>(d, "Start"), Start);
            Type(OnPage<TKvDoubleEdit>(d, "Stop"), Stop);
            QTest::qWait(20);
            drawn = !d->findChild<TKvGraphPreview *>(QStringLiteral("GraphPreview"))->Picture().isNull();
            ModalDriver::Accept(d);
        });
        QVERIFY(drawn);
        QCOMPARE(f.Y->Start(), WantStart);
        QCOMPARE(f.Y->Stop(), WantStop);
    }

    // On a date axis the range is typed as dates of the user's locale.
    void dateAxisRangeIsTypedAsDates()
    {
        TDesignedForm f;
        const double march = DateTimeToDouble(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
        RunEditor<TDsgnGraphEdit>(f.X, &f.Designer, [&](TDsgnGraphEdit *d) {
            auto *scaling = OnPage<QComboBox>(d, "Scaling");
            scaling->setFocus();
            while (f.X->Scaling() != TKvAxisScaling::DateTime && scaling->currentIndex() < scaling->count() - 1)
                QTest::keyClick(scaling, Qt::Key_Down);
            QCOMPARE(f.X->Scaling(), TKvAxisScaling::DateTime);
            auto *start = OnPage<TKvDoubleEdit>(d, "Start");
            QVERIFY(start->AsDateTime());
            Type(start, DateTimeToText(march));
            ModalDriver::Accept(d);
        });
        QCOMPARE(f.X->Start(), march);
    }

    // The pie editors open the pie settings in design mode on the page of their component.
    void pieEditorsOpenTheirPage_data()
    {
        QTest::addColumn<bool>("FromLegend");
        QTest::addRow("pie chart") << false;
        QTest::addRow("pie legend") << true;
    }
    void pieEditorsOpenTheirPage()
    {
        QFETCH(bool, FromLegend);
        TDesignedForm f;
        auto *pie = f.Add<TKvPieChart>(QStringLiteral("PieChart1"));
        pie->SetCaption(TKvRichCaption(QStringLiteral("Energy")));
        pie->SetValues({3, 2, 1});
        auto *legend = f.Add<TKvPieLegend>(QStringLiteral("PieLegend1"));
        legend->SetGraph(pie);
        QObject *page = nullptr;
        QString title;
        bool designer = false;
        RunEditor<TKvPieSettingsForm>(FromLegend ? static_cast<TComponent *>(legend) : pie, &f.Designer,
                                      [&](TKvPieSettingsForm *d) {
                                          page = d->ActivePageObject();
                                          title = d->windowTitle();
                                          designer = d->AsDesigner();
                                          Shot(d, FromLegend ? QStringLiteral("pie_settings_legend") : QStringLiteral("pie_settings"));
                                          ModalDriver::Reject(d);
                                      });
        QCOMPARE(page, FromLegend ? static_cast<QObject *>(legend) : pie);
        QCOMPARE(title, QStringLiteral("Set properties of: Energy"));
        QVERIFY(designer);
        QCOMPARE(f.Designer.ModifiedCount, 1);
    }

    // The font editor reports only after OK, and then writes the font into every selected
    // component.
    void fontPropertyWritesAllOnOk_data()
    {
        QTest::addColumn<bool>("Ok");
        QTest::addRow("OK") << true;
        QTest::addRow("Cancel") << false;
    }
    void fontPropertyWritesAllOnOk()
    {
        QFETCH(bool, Ok);
        TDesignedForm f;
        f.Y->CaptionFont()->SetSize(20);
        auto editor = PropertyEditorDriver::EditorFor<TKvFontProperty>(&f.Designer, {f.X, f.Y}, "CaptionFont");
        QVERIFY(editor->GetAttributes().Contains(paDialog));
        bool opened = false;
        ModalDriver::WhenModal([&](QWidget *w) {
            opened = qobject_cast<TKvFontForm *>(w);
            auto *bold = w->findChild<QCheckBox *>(QStringLiteral("BoldCheck"));
            QTest::mouseClick(bold, Qt::LeftButton, {}, QPoint(6, bold->height() / 2)); // on the box
            auto *size = w->findChild<QLineEdit *>(QStringLiteral("SizeEdit"));
            size->selectAll();
            QTest::keyClicks(size, QStringLiteral("14"));
            Shot(w, QStringLiteral("font_dialog"));
            QTest::mouseClick(w->findChild<QPushButton *>(Ok ? QStringLiteral("OKButton") : QStringLiteral("CancelButton")),
                              Qt::LeftButton);
        });
        editor->Edit();
        QVERIFY(opened);
        for (TKvAxis *a : {f.X, f.Y}) {
            QCOMPARE(a->CaptionFont()->Bold(), Ok);
            QCOMPARE(a->CaptionFont()->Size(), Ok ? 14.0f : a == f.X ? 9.0f : 20.0f);
        }
        QCOMPARE(f.Designer.ModifiedCount > 0, Ok);
    }

    // Pictures of the designer's pages, for a look (with KV_SHOTS_DIR set).
    void pictures()
    {
        if (qEnvironmentVariableIsEmpty("KV_SHOTS_DIR"))
            QSKIP("KV_SHOTS_DIR is not set");
        TDesignedForm f;
        f.Graph->CaptionFont()->SetSize(12);
        f.Y->SetCaption(TKvRichCaption(QStringLiteral("Level")));
        f.Y->SetStop(10);
        auto *legend = f.Add<TKvLegend>(QStringLiteral("Legend1"));
        legend->SetCaption(TKvRichCaption(QStringLiteral("Legend")));
        legend->AttachToGraph(f.Graph);
        RunEditor<TDsgnGraphEdit>(f.Series, &f.Designer, [&](TDsgnGraphEdit *d) {
            for (const auto &[object, name] : {std::pair<QObject *, QString>(f.Graph, QStringLiteral("graph_designer_graph")),
                                               {f.Y, QStringLiteral("graph_designer_axis")},
                                               {f.Series, QStringLiteral("graph_designer_series")},
                                               {legend, QStringLiteral("graph_designer_legend")}}) {
                d->SetActivPage(object);
                QTest::qWait(20);
                Shot(d, name);
            }
            QMenu *menu = d->SeriesMenu();
            menu->resize(menu->sizeHint());
            Shot(menu, QStringLiteral("graph_designer_series_menu"));
            ModalDriver::Accept(d);
        });
    }
};

QTEST_MAIN(TstGraphDesigner)
#include "tst_graphdesigner.moc"
