// The legend order dialog, the property link tree and the fill palette editor with their
// Object Inspector editors, driven with real mouse and key input; and the runtime behaviour
// they stand on (legend order, coupling, links that carry values, palettes).
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "../common/ModalDriver.h"
#include "../common/PropertyEditorDriver.h"
#include "Controls.h"
#include "DesignRegistry.h"
#include "Kvdesign.h"
#include "Kvareastyleslist.h"
#include "Kvcolorpicker.h"
#include "Kvfillpaletteeditor.h"
#include "Kvfloatedit.h"
#include "Kvgraph2d.h"
#include "Kvintegeredit.h"
#include "Kvlegend.h"
#include "Kvlegendorder.h"
#include "Kvpiedonut.h"
#include "Kvpropertylink.h"
#include "Kvpropertytree.h"
#include "Kvstructureeditors.h"

using PropertyEditorDriver::EditorFor;
using PropertyEditorDriver::TCountingDesigner;

// ---- test components ------------------------------------------------------------------
class TTestSettings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(float Width MEMBER FWidth)
    Q_PROPERTY(int Count MEMBER FCount)
public:
    using TPersistent::TPersistent;
    float FWidth = 1;
    int FCount = 0;
};

// A component with one property of each kind the filters tell apart, a reference to another
// node (for cycles) and a settings object.
class TTestNode : public TNonVisualComponent {
    Q_OBJECT
    Q_PROPERTY(double Level MEMBER FLevel)
    Q_PROPERTY(int Count MEMBER FCount)
    Q_PROPERTY(TTestNode *Next MEMBER FNext)
    Q_PROPERTY(TTestSettings *Settings READ Settings)
public:
    explicit TTestNode(TComponent *AOwner = nullptr) : TNonVisualComponent(AOwner) {}
    TTestSettings *Settings() const { return FSettings; }
    double FLevel = 0;
    int FCount = 0;
    TTestNode *FNext = nullptr;
    TTestSettings *FSettings = new TTestSettings(this);
};

// Only a Double and an Integer: a lone match for a Double source.
class TTestGauge : public TNonVisualComponent {
    Q_OBJECT
    Q_PROPERTY(double V MEMBER FV)
    Q_PROPERTY(int Steps MEMBER FSteps)
public:
    using TNonVisualComponent::TNonVisualComponent;
    double FV = 0;
    int FSteps = 0;
};

// A component whose links object may be missing.
class TTestLinkHolder : public TNonVisualComponent {
    Q_OBJECT
    Q_PROPERTY(TKvPropertyLinks *Links MEMBER FLinks)
public:
    using TNonVisualComponent::TNonVisualComponent;
    TKvPropertyLinks *FLinks = nullptr;
};

namespace {
template <class W> W *Child(QObject *Form, const char *Name)
{
    W *w = Form->findChild<W *>(QString::fromLatin1(Name));
    if (!w)
        qFatal("no control %s", Name);
    return w;
}

template <class T> T *Add(TComponent *Owner, const QString &Name)
{
    auto *c = new T(Owner);
    c->SetName(Name);
    return c;
}

QPoint RowCenter(QListWidget *L, int Row) { return L->visualItemRect(L->item(Row)).center(); }
void ClickRow(QListWidget *L, int Row) { QTest::mouseClick(L->viewport(), Qt::LeftButton, {}, RowCenter(L, Row)); }

// A press at From, moves through Path with the left button held, a release at To.
void Drag(QWidget *W, QPoint From, const QList<QPoint> &Path, QPoint To)
{
    QTest::mousePress(W, Qt::LeftButton, {}, From);
    for (const QPoint &p : Path)
        QTest::mouseMove(W, p);
    QTest::mouseRelease(W, Qt::LeftButton, {}, To);
}

// Designed forms: a root with its components, other open forms reached as "Form2.Name".
class TFormsDesigner : public TCountingDesigner {
public:
    TComponent *Root = nullptr;
    QList<TComponent *> Others;
    TComponent *GetRoot() override { return Root; }
    void GetComponentNames(TComponentClass, const TGetStrProc &Proc) override
    {
        for (int i = 0; i < Root->ComponentCount(); ++i)
            Proc(Root->Components(i)->Name());
        for (TComponent *f : Others)
            for (int i = 0; i < f->ComponentCount(); ++i)
                Proc(f->Name() + QLatin1Char('.') + f->Components(i)->Name());
        Proc(QStringLiteral("NoSuchComponent"));
    }
    TComponent *GetComponent(const QString &Name) override
    {
        const QStringList parts = Name.split(QLatin1Char('.'));
        if (parts.size() == 1)
            return Root->FindComponent(Name);
        for (TComponent *f : Others)
            if (f->Name() == parts[0])
                return f->FindComponent(parts[1]);
        return nullptr;
    }
    TComponent *CreateComponent(TComponentClass Class, TComponent *, int, int, int, int) override
    {
        TComponent *c = CreateComponentOfClass(QString::fromLatin1(Class->className()), Root);
        c->SetName(QStringLiteral("FillPalette9"));
        return c;
    }
};

// A graph with three series A (line), B (points, symbol Size) and C (line) and a legend.
struct TLegendForm {
    TControl Root;
    TKvGraph2D *Graph = Add<TKvGraph2D>(&Root, QStringLiteral("Graph1"));
    TKvLineSeries *A = Add<TKvLineSeries>(&Root, QStringLiteral("A"));
    TKvPointSeries *B = Add<TKvPointSeries>(&Root, QStringLiteral("B"));
    TKvLineSeries *C = Add<TKvLineSeries>(&Root, QStringLiteral("C"));
    TKvLegend *Legend = Add<TKvLegend>(&Root, QStringLiteral("Legend1"));
    TLegendForm(float Size = 8)
    {
        Root.SetName(QStringLiteral("Form1"));
        for (TKvSeries *s : Series())
            s->SetGraph(Graph);
        B->PointSymbol()->SetSize(Size);
        Legend->SetGraph(Graph);
    }
    QList<TKvSeries *> Series() const { return {A, B, C}; }
};

QStringList EntryNames(QListWidget *L)
{
    QStringList out;
    for (int i = 0; i < L->count(); ++i) {
        auto *s = qobject_cast<TKvSeries *>(L->item(i)->data(Qt::UserRole).value<QObject *>());
        out << (s ? s->Name() : L->item(i)->text());
    }
    return out;
}

// The texts of an item's children (made when it is expanded).
QStringList Kids(QTreeWidgetItem *Item)
{
    QStringList out;
    Item->setExpanded(true);
    for (int i = 0; i < Item->childCount(); ++i)
        out << Item->child(i)->text(0);
    return out;
}

QTreeWidgetItem *FindNode(QTreeWidgetItem *Parent, const QString &Text)
{
    Parent->setExpanded(true);
    for (int i = 0; i < Parent->childCount(); ++i)
        if (Parent->child(i)->text(0) == Text)
            return Parent->child(i);
    return nullptr;
}

void Shoot(QWidget *W, const char *Name)
{
    QDir().mkpath(QStringLiteral(KV_SHOTS_DIR));
    QVERIFY(W->grab().save(QStringLiteral(KV_SHOTS_DIR "/%1.png").arg(QLatin1String(Name))));
}

QString Entries(TKvFillPalette *P) { return P->Entries().join(QLatin1Char('|')); }
} // namespace

class TstStructureDialogs : public QObject {
    Q_OBJECT
private slots:
    void legendOrderStoresOnlyTheChangedLead_data();
    void legendOrderStoresOnlyTheChangedLead();
    void legendOrderRowsFitThePointSymbols_data();
    void legendOrderRowsFitThePointSymbols();
    void legendOrderDragging_data();
    void legendOrderDragging();
    void legendOrderWithStaleReferencesOrNoSeries();
    void legendOrderEditorFollowsCoupling();

    void linkTreeOffersFittingTypes_data();
    void linkTreeOffersFittingTypes();
    void linkTreePrunesAndJoinsChains();
    void linkTreeEndsOnCycles();
    void linkTreePickFollowDelete();
    void linkEditorTextsAndFormsWalk();
    void linksCarryValuesAndFollowRenames();

    void paletteButtons();
    void paletteDragAndEditing();
    void paletteEditorsWriteOnlyOnOk();

    void registrationBindsTheEditors_data();
    void registrationBindsTheEditors();
    void sizeableFormsGrowTheirLists();
    void dialogsKeyboardOrder_data();
    void dialogsKeyboardOrder();
    void screenshots();
};

// ---- legend order ---------------------------------------------------------------------
void TstStructureDialogs::legendOrderStoresOnlyTheChangedLead_data()
{
    QTest::addColumn<int>("select");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("stored");
    QTest::addRow("last of three to the top") << 2 << "TopButton" << QStringList{"C", "A", "B"};
    QTest::addRow("nothing moved") << 1 << "" << QStringList{};
    QTest::addRow("swap of the first two") << 1 << "UpButton" << QStringList{"B", "A"};
    QTest::addRow("first to the bottom") << 0 << "BottomButton" << QStringList{"B", "C", "A"};
    QTest::addRow("one down") << 1 << "DnButton" << QStringList{"A", "C", "B"};
    // Moves that cannot happen change nothing.
    QTest::addRow("top entry up") << 0 << "UpButton" << QStringList{};
    QTest::addRow("last entry down") << 2 << "DnButton" << QStringList{};
}

void TstStructureDialogs::legendOrderStoresOnlyTheChangedLead()
{
    QFETCH(int, select);
    QFETCH(QString, button);
    QFETCH(QStringList, stored);
    TLegendForm f;
    f.Legend->ItemsOrderList()->SetStrings({QStringLiteral("junk")});
    TLegendOrderForm form;
    form.SetOrder(f.Legend->ItemsOrderList());
    form.SetList(f.Series());
    form.show();
    auto *list = Child<QListWidget>(&form, "SeriesListBox");
    QVERIFY(Child<QWidget>(&form, "ToolBar1")->isEnabled());
    ClickRow(list, select);
    QCOMPARE(list->currentRow(), select);
    if (!button.isEmpty())
        QTest::mouseClick(Child<QToolButton>(&form, qPrintable(button)), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(&form, "OKBtn"), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(f.Legend->ItemsOrderList()->Strings(), stored);
    // The legend lists its series in that order.
    QStringList shown;
    for (TKvSeries *s : f.Legend->Items())
        shown << s->Name();
    QCOMPARE(shown.mid(0, stored.size()), stored);
    QCOMPARE(shown.size(), 3);
}

void TstStructureDialogs::legendOrderRowsFitThePointSymbols_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<int>("height");
    QTest::addRow("size 30") << 30.0f << 34;
    QTest::addRow("size 16") << 16.0f << 20;
    QTest::addRow("size 17.4") << 17.4f << 21;
}

void TstStructureDialogs::legendOrderRowsFitThePointSymbols()
{
    QFETCH(float, size);
    QFETCH(int, height);
    TLegendForm f(size);
    TLegendOrderForm form;
    form.SetList(f.Series());
    form.show();
    auto *list = Child<QListWidget>(&form, "SeriesListBox");
    for (int i = 0; i < 3; ++i)
        QCOMPARE(list->visualItemRect(list->item(i)).height(), height);
    QCOMPARE(list->visualItemRect(list->item(2)).top(), 2 * height);
}

void TstStructureDialogs::legendOrderDragging_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");       // row released on (-1: below the list)
    QTest::addColumn<int>("dx");       // first movement from the press point
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("cursor");   // the list's cursor just before the release
    QTest::addRow("first onto the last") << 0 << 2 << 0 << QStringList{"B", "C", "A"} << int(Qt::SizeVerCursor);
    QTest::addRow("last onto the first") << 2 << 0 << 0 << QStringList{"C", "A", "B"} << int(Qt::SizeVerCursor);
    QTest::addRow("back onto its start") << 1 << 1 << 0 << QStringList{"A", "B", "C"} << int(Qt::ForbiddenCursor);
    QTest::addRow("released outside") << 0 << -1 << 0 << QStringList{"A", "B", "C"} << int(Qt::ForbiddenCursor);
    // One pixel of movement stays inside the press box: no drag, the press only selects.
    QTest::addRow("one pixel") << 0 << 0 << 1 << QStringList{"A", "B", "C"} << int(Qt::ArrowCursor);
}

void TstStructureDialogs::legendOrderDragging()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, dx);
    QFETCH(QStringList, order);
    QFETCH(int, cursor);
    TLegendForm f;
    TLegendOrderForm form;
    form.SetList(f.Series());
    form.show();
    auto *list = Child<QListWidget>(&form, "SeriesListBox");
    auto *reorder = list->findChild<TListBoxReorder *>(QStringLiteral("SeriesListBoxReorder"));
    QVERIFY(reorder);
    QWidget *vp = list->viewport();
    const QPoint start = RowCenter(list, from);
    const QPoint end = to >= 0 ? RowCenter(list, to) : QPoint(start.x(), vp->height() + 30);
    QTest::mousePress(vp, Qt::LeftButton, {}, start);
    QTest::mouseMove(vp, start + QPoint(dx, dx));
    if (dx == 0) {
        QTest::mouseMove(vp, start + QPoint(0, 3));
        QVERIFY(reorder->Dragging());
        QTest::mouseMove(vp, (start + end) / 2);
        QTest::mouseMove(vp, end);
    } else {
        QVERIFY(!reorder->Dragging());
    }
    QCOMPARE(int(vp->cursor().shape()), cursor);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, end);
    QCOMPARE(EntryNames(list), order);
    QCOMPARE(vp->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!reorder->Dragging());
    if (order != QStringList{"A", "B", "C"})
        QCOMPARE(list->currentRow(), to); // the moved entry is selected at its new place
    // A press that did not become a drag leaves its box pending: the next press keeps it.
    if (dx != 0) {
        const TRect box = reorder->DragRect();
        QCOMPARE(box, TRect(start.x() - 1, start.y() - 1, start.x() + 1, start.y() + 1));
        QTest::mousePress(vp, Qt::LeftButton, {}, RowCenter(list, 2));
        QCOMPARE(reorder->DragRect(), box);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, RowCenter(list, 2));
    }
}

void TstStructureDialogs::legendOrderWithStaleReferencesOrNoSeries()
{
    TLegendForm f;
    // Lines naming nothing (any more) are dropped; a series named twice is listed twice.
    TStrings order;
    order.SetStrings({QStringLiteral("Gone"), QStringLiteral("C"), QStringLiteral(""), QStringLiteral("Form1.C"),
                      QStringLiteral("Legend1")});
    TLegendOrderForm form;
    form.SetOrder(&order);
    form.SetList(f.Series());
    auto *list = Child<QListWidget>(&form, "SeriesListBox");
    QCOMPARE(EntryNames(list), (QStringList{"C", "C", "A", "B"}));
    // The legend itself lists each series once.
    f.Legend->ItemsOrderList()->Assign(&order);
    QCOMPARE(f.Legend->Items(), (QList<TKvSeries *>{f.C, f.A, f.B}));

    // Without series: the placeholder, no buttons, and OK empties the order list.
    TLegendOrderForm empty;
    empty.SetOrder(&order);
    empty.SetList({});
    empty.show();
    auto *elist = Child<QListWidget>(&empty, "SeriesListBox");
    QCOMPARE(elist->count(), 1);
    QCOMPARE(elist->item(0)->text(), QStringLiteral("No series available"));
    QVERIFY(!Child<QToolButton>(&empty, "TopButton")->isEnabled());
    QTest::mouseClick(Child<QPushButton>(&empty, "OKBtn"), Qt::LeftButton);
    QCOMPARE(order.Count(), 0);

    // Without an order list OK makes one of the form's own.
    TLegendOrderForm own;
    own.SetList(f.Series());
    own.show();
    ClickRow(Child<QListWidget>(&own, "SeriesListBox"), 1);
    QTest::mouseClick(Child<QToolButton>(&own, "TopButton"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(&own, "OKBtn"), Qt::LeftButton);
    QVERIFY(own.Order());
    QCOMPARE(own.Order()->Strings(), (QStringList{"B", "A"}));
}

void TstStructureDialogs::legendOrderEditorFollowsCoupling()
{
    TLegendForm f;
    auto *master = Add<TKvGraph2D>(&f.Root, QStringLiteral("Master"));
    auto *axis = Add<TKvAxis>(&f.Root, QStringLiteral("MasterAxis1"));
    auto *m = Add<TKvLineSeries>(&f.Root, QStringLiteral("M"));
    axis->SetGraph(master);
    m->SetGraph(master);
    f.Graph->SetCoupled(true);
    f.Graph->SetCouplingAxis(axis);
    master->SetLegendIncludesCoupled(true);
    master->SetAutoCheckCoupled(true);
    // A graph that couples itself before the axis belongs to the master is found by CheckCoupled.
    auto *late = Add<TKvGraph2D>(&f.Root, QStringLiteral("Late"));
    auto *lateAxis = Add<TKvAxis>(&f.Root, QStringLiteral("LateAxis"));
    late->SetCoupled(true);
    late->SetCouplingAxis(lateAxis);
    lateAxis->SetGraph(master);
    auto *l = Add<TKvLineSeries>(&f.Root, QStringLiteral("L"));
    l->SetGraph(late);
    QCOMPARE(master->CoupledGraphs(), QList<TKvGraph2D *>{f.Graph});

    TCountingDesigner d;
    auto editor = EditorFor<TKvLegendOrderPropEditor>(&d, {f.Legend}, "ItemsOrderList");
    QCOMPARE(editor->GetValue(), QStringLiteral("(Series Order)"));
    QVERIFY(editor->GetAttributes().Contains(paDialog));
    QStringList offered;
    auto ran = ModalDriver::WhenModal([&](QWidget *w) {
        auto *list = Child<QListWidget>(w, "SeriesListBox");
        offered = EntryNames(list);
        ClickRow(list, 2);
        QTest::mouseClick(Child<QToolButton>(w, "TopButton"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(w, "OKBtn"), Qt::LeftButton);
    });
    editor->Edit();
    QVERIFY(*ran);
    // The master's series, then those of the coupled graphs in the order they joined.
    QCOMPARE(offered, (QStringList{"M", "A", "B", "C", "L"}));
    QCOMPARE(master->CoupledGraphs(), (QList<TKvGraph2D *>{f.Graph, late}));
    QCOMPARE(f.Legend->ItemsOrderList()->Strings(), (QStringList{"B", "M", "A"}));
    QCOMPARE(d.ModifiedCount, 1);
    QCOMPARE(f.Legend->Items().first(), f.B);
    delete late; // freed graphs drop out of the list
    QCOMPARE(master->CoupledGraphs(), QList<TKvGraph2D *>{f.Graph});

    // Cancel writes nothing; a legend without a graph says so and opens nothing else.
    ran = ModalDriver::WhenModal(ModalDriver::CloseWindow);
    editor->Edit();
    QVERIFY(*ran);
    QCOMPARE(f.Legend->ItemsOrderList()->Count(), 3);
    QCOMPARE(d.ModifiedCount, 1);
    f.Legend->SetGraph(nullptr);
    QString message;
    ran = ModalDriver::WhenModal([&](QWidget *w) {
        if (auto *box = qobject_cast<QMessageBox *>(w))
            message = box->text();
        ModalDriver::Accept(w);
    });
    editor->Edit();
    QVERIFY(*ran);
    QCOMPARE(message, QStringLiteral("No graph assigned"));
    QCOMPARE(d.ModifiedCount, 1);
}

// ---- property link tree ---------------------------------------------------------------
void TstStructureDialogs::linkTreeOffersFittingTypes_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("offered"); // the leaves under Node1 and Node1.Settings
    QTest::addRow("double") << "TKvDoubleEdit" << QStringList{"Level", "Settings.Width"};
    QTest::addRow("integer") << "TKvIntegerEdit" << QStringList{"Count", "Settings.Count"};
    QTest::addRow("check box") << "TKvCheckBox" << QStringList{};
}

void TstStructureDialogs::linkTreeOffersFittingTypes()
{
    QFETCH(QString, source);
    QFETCH(QStringList, offered);
    TControl root;
    root.SetName(QStringLiteral("Form1"));
    Add<TTestNode>(&root, QStringLiteral("Node1"));
    auto *edit = qobject_cast<TKvLinkedControl *>(CreateComponentOfClass(source, &root)->AsObject());
    edit->SetName(QStringLiteral("Source1"));
    TKvPropertyTreeForm form;
    form.SetPropertyLink(edit->PropertyLinks());
    form.AddComponentToTree(&root);
    form.ClearEmptyForks();
    QTreeWidget *tree = form.PropertyView();
    QStringList leaves;
    if (tree->topLevelItemCount() > 0)
        if (QTreeWidgetItem *node = FindNode(tree->topLevelItem(0), QStringLiteral("Node1")))
            leaves = Kids(node);
    QCOMPARE(leaves, offered);
}

void TstStructureDialogs::linkTreePrunesAndJoinsChains()
{
    TControl root;
    root.SetName(QStringLiteral("Form1"));
    Add<TTestGauge>(&root, QStringLiteral("E"));
    auto *node = Add<TTestNode>(&root, QStringLiteral("N"));
    Add<TTestNode>(node, QStringLiteral("Inner")); // owned by N
    auto *edit = Add<TKvDoubleEdit>(&root, QStringLiteral("Edit1"));
    Add<TKvIntegerEdit>(&root, QStringLiteral("Count1")); // no Double or Single property: it vanishes
    TKvPropertyTreeForm form;
    form.SetPropertyLink(edit->PropertyLinks());
    form.AddComponentToTree(&root);
    QTreeWidget *tree = form.PropertyView();
    // Before pruning the branch of everything is there.
    QVERIFY(FindNode(tree->topLevelItem(0), QStringLiteral("Count1")));
    form.ClearEmptyForks();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *top = tree->topLevelItem(0);
    QCOMPARE(top->text(0), QStringLiteral("Form1"));
    // The gauge's lone match is one leaf "E.V"; branches without a fit are gone; an owned
    // component sits under its owner, its settings' single Single joined into one leaf.
    QVERIFY(FindNode(top, QStringLiteral("E.V")));
    QVERIFY(!FindNode(top, QStringLiteral("E")));
    QVERIFY(!FindNode(top, QStringLiteral("Count1")));
    QTreeWidgetItem *n = FindNode(top, QStringLiteral("N"));
    QVERIFY(n);
    QVERIFY(FindNode(n, QStringLiteral("Settings.Width")));
    QTreeWidgetItem *inner = FindNode(n, QStringLiteral("Inner"));
    QVERIFY(inner);
    QCOMPARE(Kids(inner), (QStringList{"Level", "Settings.Width"}));
    QVERIFY(!FindNode(n, QStringLiteral("Next"))); // empty reference: no node

    // A module whose only fitting property is one leaf collapses completely.
    TControl lone;
    lone.SetName(QStringLiteral("Form2"));
    Add<TTestGauge>(&lone, QStringLiteral("G"));
    TKvPropertyTreeForm loneForm;
    loneForm.SetPropertyLink(edit->PropertyLinks());
    loneForm.AddComponentToTree(&lone);
    loneForm.ClearEmptyForks();
    QCOMPARE(loneForm.PropertyView()->topLevelItemCount(), 1);
    QCOMPARE(loneForm.PropertyView()->topLevelItem(0)->text(0), QStringLiteral("Form2.G.V"));

    // Without a links object nothing is added.
    TKvPropertyTreeForm none;
    none.AddComponentToTree(&root);
    none.ClearEmptyForks();
    QCOMPARE(none.PropertyView()->topLevelItemCount(), 0);
}

void TstStructureDialogs::linkTreeEndsOnCycles()
{
    TControl root;
    root.SetName(QStringLiteral("Form1"));
    // A ring a -> b -> c -> a, a node that refers to itself, and an acyclic chain x -> y -> z.
    auto *a = Add<TTestNode>(&root, QStringLiteral("a"));
    auto *b = Add<TTestNode>(&root, QStringLiteral("b"));
    auto *c = Add<TTestNode>(&root, QStringLiteral("c"));
    a->FNext = b, b->FNext = c, c->FNext = a;
    auto *self = Add<TTestNode>(&root, QStringLiteral("self"));
    self->FNext = self;
    auto *x = Add<TTestNode>(&root, QStringLiteral("x"));
    auto *y = Add<TTestNode>(&root, QStringLiteral("y"));
    auto *z = Add<TTestNode>(&root, QStringLiteral("z"));
    x->FNext = y, y->FNext = z;
    auto *edit = Add<TKvDoubleEdit>(&root, QStringLiteral("Edit1"));
    TKvPropertyTreeForm form;
    form.SetPropertyLink(edit->PropertyLinks());
    QElapsedTimer t;
    t.start();
    form.AddComponentToTree(&root);
    form.ClearEmptyForks();
    QVERIFY(t.elapsed() < 5000);
    QTreeWidgetItem *top = form.PropertyView()->topLevelItem(0);
    // Inside the cycle references are not followed; everything else unfolds completely.
    for (const char *name : {"a", "b", "c", "self"}) {
        QTreeWidgetItem *n = FindNode(top, QString::fromLatin1(name));
        QVERIFY(n);
        QVERIFY2(!FindNode(n, QStringLiteral("Next")), name);
        QVERIFY(FindNode(n, QStringLiteral("Level")));
    }
    QTreeWidgetItem *xn = FindNode(FindNode(top, QStringLiteral("x")), QStringLiteral("Next"));
    QVERIFY(xn);
    QTreeWidgetItem *xnn = FindNode(xn, QStringLiteral("Next"));
    QVERIFY(xnn);
    QVERIFY(FindNode(xnn, QStringLiteral("Level")));
    QVERIFY(FindNode(xnn, QStringLiteral("Settings.Width")));
    QVERIFY(!FindNode(xnn, QStringLiteral("Next"))); // z's reference is empty
    // A chain entering the ring from outside follows it once into the ring.
    z->FNext = a;
    TKvPropertyTreeForm into;
    into.SetPropertyLink(edit->PropertyLinks());
    into.AddComponentToTree(&root);
    into.ClearEmptyForks();
    QTreeWidgetItem *zn = FindNode(FindNode(into.PropertyView()->topLevelItem(0), QStringLiteral("z")), QStringLiteral("Next"));
    QVERIFY(zn);
    QVERIFY(FindNode(zn, QStringLiteral("Level")));
    QVERIFY(!FindNode(zn, QStringLiteral("Next")));
}

void TstStructureDialogs::linkTreePickFollowDelete()
{
    TControl root;
    root.SetName(QStringLiteral("Form1"));
    Add<TTestGauge>(&root, QStringLiteral("E"));
    Add<TTestNode>(&root, QStringLiteral("N"));
    auto *edit = Add<TKvDoubleEdit>(&root, QStringLiteral("Edit1"));
    TKvPropertyLinks *links = edit->PropertyLinks();
    links->LinkNames()->SetStrings({QStringLiteral("Form1.E.V"), QStringLiteral(" Form1.N.Level "), QStringLiteral("Form1.N.Level")});
    QSignalSpy changes(links, &TKvPropertyLinks::OnChange);

    auto open = [&](TKvPropertyTreeForm &form) {
        form.SetPropertyLink(links);
        form.AddComponentToTree(&root);
        form.ClearEmptyForks();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    };
    {
        TKvPropertyTreeForm form;
        open(form);
        auto *list = Child<QListWidget>(&form, "ItemList");
        QTreeWidget *tree = form.PropertyView();
        QCOMPARE(Child<QLabel>(&form, "RefLab")->text(), QStringLiteral("Edit1.Value->"));
        // Shown tidied, with the placeholder last and selected.
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QStringLiteral("(Please select this item to add new link)"));
        QCOMPARE(list->currentRow(), 2);
        QVERIFY(!Child<QPushButton>(&form, "DelBtn")->isEnabled());
        // Clicking a stored link selects its node, a collapsed leaf included.
        ClickRow(list, 0);
        QVERIFY(tree->currentItem());
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("E.V"));
        QCOMPARE(list->item(0)->text(), QStringLiteral("Form1.E.V")); // following changes nothing
        ClickRow(list, 1);
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Level"));
        QCOMPARE(tree->currentItem()->parent()->text(0), QStringLiteral("N"));
        QVERIFY(Child<QPushButton>(&form, "DelBtn")->isEnabled());
        // Picking another node changes the selected link.
        QTreeWidgetItem *width = FindNode(FindNode(tree->topLevelItem(0), QStringLiteral("N")), QStringLiteral("Settings.Width"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(width).center());
        QCOMPARE(list->item(1)->text(), QStringLiteral("Form1.N.Settings.Width"));
        // The placeholder, then a node: a new link and a new placeholder.
        ClickRow(list, 2);
        QVERIFY(tree->selectedItems().isEmpty());
        QTreeWidgetItem *level = FindNode(FindNode(tree->topLevelItem(0), QStringLiteral("N")), QStringLiteral("Level"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(level).center());
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->item(2)->text(), QStringLiteral("Form1.N.Level"));
        QCOMPARE(list->item(3)->text(), QStringLiteral("(Please select this item to add new link)"));
        // Ctrl+Delete and the button delete the selected line; the placeholder stays.
        ClickRow(list, 0);
        QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentRow(), 0);
        QTest::mouseClick(Child<QPushButton>(&form, "DelBtn"), Qt::LeftButton);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Form1.N.Level"));
        ClickRow(list, 1);
        QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(list->count(), 2);
        // Nothing is written before the dialog closes, and Cancel writes nothing.
        QCOMPARE(links->LinkNames()->Count(), 2); // only tidied when shown
        QTest::mouseClick(Child<QPushButton>(&form, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(links->LinkNames()->Strings(), (QStringList{"Form1.E.V", "Form1.N.Level"}));
    }
    {
        // A double click on a node picks it and closes with OK; the links are written then.
        TKvPropertyTreeForm form;
        open(form);
        QTreeWidget *tree = form.PropertyView();
        auto *list = Child<QListWidget>(&form, "ItemList");
        ClickRow(list, 0);
        QTreeWidgetItem *width = FindNode(FindNode(tree->topLevelItem(0), QStringLiteral("N")), QStringLiteral("Settings.Width"));
        const QPoint at = tree->visualItemRect(width).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        changes.clear();
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(links->LinkNames()->Strings(), (QStringList{"Form1.N.Settings.Width", "Form1.N.Level"}));
        QVERIFY(changes.count() >= 1);
    }
    {
        // Confirming with only the placeholder clears the links.
        TKvPropertyTreeForm form;
        open(form);
        auto *list = Child<QListWidget>(&form, "ItemList");
        ClickRow(list, 0);
        QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(list->count(), 1);
        QTest::mouseClick(Child<QPushButton>(&form, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(links->LinkNames()->Count(), 0);
    }
}

void TstStructureDialogs::linkEditorTextsAndFormsWalk()
{
    TControl form1, form2, picker;
    form1.SetName(QStringLiteral("Form1"));
    form2.SetName(QStringLiteral("Form2"));
    picker.SetName(QStringLiteral("KvColorPickerForm"));
    auto *edit = Add<TKvDoubleEdit>(&form1, QStringLiteral("Edit1"));
    Add<TTestGauge>(&form2, QStringLiteral("Far"));
    Add<TTestGauge>(&picker, QStringLiteral("Swatch"));
    auto *holder = Add<TTestLinkHolder>(&form1, QStringLiteral("Holder"));
    TFormsDesigner d;
    d.Root = &form1;
    d.Others = {&form2, &picker};

    auto nilEditor = EditorFor<TKvPropLinkEditor>(&d, {holder}, "Links");
    QCOMPARE(nilEditor->GetValue(), QStringLiteral("nil"));
    auto editor = EditorFor<TKvPropLinkEditor>(&d, {edit}, "PropertyLinks");
    QCOMPARE(editor->GetAttributes(), (TPropertyAttributes{paDialog, paReadOnly}));
    QCOMPARE(editor->GetValue(), QStringLiteral("(empty Links)"));
    edit->PropertyLinks()->LinkNames()->SetStrings({QStringLiteral("A.X"), QStringLiteral(""), QStringLiteral("B.Y")});
    QCOMPARE(editor->GetValue(), QStringLiteral("Edit1.Value->A.X; B.Y"));

    QStringList tops;
    auto ran = ModalDriver::WhenModal([&](QWidget *w) {
        auto *tree = Child<QTreeWidget>(w, "PropertyView");
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            tops << tree->topLevelItem(i)->text(0);
        QTreeWidgetItem *far = tree->topLevelItem(1);
        auto *list = Child<QListWidget>(w, "ItemList");
        ClickRow(list, list->count() - 1);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(far).center());
        QTest::mouseClick(Child<QPushButton>(w, "BitBtn2"), Qt::LeftButton);
    });
    editor->Edit();
    QVERIFY(*ran);
    // The module, then the other form; never the colour picker's form.
    QCOMPARE(tops, (QStringList{"Form1", "Form2.Far.V"}));
    QCOMPARE(d.ModifiedCount, 1);
    // OK keeps the path into the other (open) form and drops those that never resolved.
    QCOMPARE(edit->PropertyLinks()->LinkNames()->Strings(), QStringList{"Form2.Far.V"});
    ran = ModalDriver::WhenModal(ModalDriver::CloseWindow);
    editor->Edit();
    QVERIFY(*ran);
    QCOMPARE(d.ModifiedCount, 1);
}

void TstStructureDialogs::linksCarryValuesAndFollowRenames()
{
    TControl root;
    root.SetName(QStringLiteral("Form1"));
    auto *graph = Add<TKvGraph2D>(&root, QStringLiteral("Graph1"));
    auto *axis = Add<TKvAxis>(&root, QStringLiteral("Axis1"));
    axis->SetGraph(graph);
    auto *edit = Add<TKvDoubleEdit>(&root, QStringLiteral("Edit1"));
    TKvPropertyLinks *links = edit->PropertyLinks();
    links->LinkNames()->SetStrings({QStringLiteral("Form1.Axis1.Stop"), QStringLiteral("Graph1.DataAreaGradient.LinearAngle"),
                                    QStringLiteral("Form1.Axis1.NoSuch"), QStringLiteral("Axis1.TickLength"), QStringLiteral("Axis1..Stop")});
    QCOMPARE(links->CheckLink(), 3);
    QCOMPARE(links->LinkNames()->Strings(), (QStringList{"Form1.Axis1.Stop", "Graph1.DataAreaGradient.LinearAngle"}));
    // Typing a value carries it to every target; the graph repaints with the new range.
    graph->resize(300, 200);
    const QImage before = graph->grab().toImage();
    edit->Edit()->setText(QStringLiteral("4"));
    QTest::keyClick(edit->Edit(), Qt::Key_Return);
    QCOMPARE(axis->Stop(), 4.0);
    QCOMPARE(graph->DataAreaGradient()->LinearAngle(), 4.0f);
    QVERIFY(graph->grab().toImage() != before);
    // A renamed target keeps its link.
    axis->SetName(QStringLiteral("XAxis"));
    links->UpdateLinkNames();
    QCOMPARE(links->LinkNames()->Strings().first(), QStringLiteral("Form1.XAxis.Stop"));
    root.SetName(QStringLiteral("Main"));
    links->UpdateLinkNames();
    QCOMPARE(links->LinkNames()->Strings().first(), QStringLiteral("Main.XAxis.Stop"));
    edit->SetValue(7);
    QCOMPARE(axis->Stop(), 7.0);
    QCOMPARE(links->SourceRef(), QStringLiteral("Edit1.Value"));
}

// ---- fill palette ---------------------------------------------------------------------
void TstStructureDialogs::paletteButtons()
{
    TKvFillPalette source;
    source.SetEntries({QStringLiteral("Total;$FFFF0000;$FFFFFFFF"), QStringLiteral("Cross;$FF00FF00;$FF000000"),
                       QStringLiteral("Dense50;$FF0000FF;$FFFFFFFF")});
    TFillPaletteForm form;
    form.SetFillPalette(&source);
    form.show();
    auto *list = Child<QListWidget>(&form, "PaletteList");
    auto *styles = Child<TKvAreaStylesList>(&form, "AreaStylesList");
    auto *fore = Child<TKvColorPickCombo>(&form, "ForeColorPick");
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(fore->ActiveColor().Value, 0xFFFF0000u);
    ClickRow(list, 1);
    QCOMPARE(styles->GetAreaStyle(), TKvAreaStyle::Cross);
    QCOMPARE(styles->AreaBackColor().Value, 0xFF000000u);
    // Moves carry the entry and keep it selected.
    QTest::mouseClick(Child<QToolButton>(&form, "BottomButton"), Qt::LeftButton);
    QCOMPARE(list->currentRow(), 2);
    QTest::mouseClick(Child<QToolButton>(&form, "TopButton"), Qt::LeftButton);
    QCOMPARE(Entries(form.GetFillPalette().get()).split(QLatin1Char('|')).first(), QStringLiteral("Cross;$FF00FF00;$FF000000"));
    // Deleting the last of three selects the new last.
    ClickRow(list, 2);
    QTest::mouseClick(Child<QToolButton>(&form, "DeleteButton"), Qt::LeftButton);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(fore->ActiveColor().Value, 0xFFFF0000u);
    QTest::mouseClick(Child<QToolButton>(&form, "DeleteButton"), Qt::LeftButton);
    QTest::mouseClick(Child<QToolButton>(&form, "DeleteButton"), Qt::LeftButton);
    QCOMPARE(list->count(), 0);
    QCOMPARE(list->currentRow(), -1);
    // With nothing selected the editing controls write nothing, until Add.
    QTest::keyClick(fore->Combo(), Qt::Key_Down);
    styles->SetAreaStyle(TKvAreaStyle::Vertical);
    QCOMPARE(form.GetFillPalette()->GetCount(), 0);
    QTest::mouseClick(Child<QToolButton>(&form, "AddButton"), Qt::LeftButton);
    QCOMPARE(list->currentRow(), 0);
    TKvFillPalette fresh;
    fresh.Add(new TKvFillSettings);
    QCOMPARE(Entries(form.GetFillPalette().get()), Entries(&fresh));
    // The source palette was never touched.
    QCOMPARE(source.GetCount(), 3);
}

void TstStructureDialogs::paletteDragAndEditing()
{
    TKvFillPalette source;
    source.SetEntries({QStringLiteral("Total;$FFFF0000;$FFFFFFFF"), QStringLiteral("Total;$FF00FF00;$FFFFFFFF"),
                       QStringLiteral("Total;$FF0000FF;$FFFFFFFF")});
    TFillPaletteForm form;
    form.SetFillPalette(&source);
    form.show();
    auto *list = Child<QListWidget>(&form, "PaletteList");
    QWidget *vp = list->viewport();
    // Dragging the first entry onto the last; the dragged one stays highlighted meanwhile.
    const QPoint a = RowCenter(list, 0), c = RowCenter(list, 2);
    QTest::mousePress(vp, Qt::LeftButton, {}, a);
    QTest::mouseMove(vp, a + QPoint(0, 3));
    QTest::mouseMove(vp, c);
    QCOMPARE(vp->cursor().shape(), Qt::SizeVerCursor);
    const QImage during = vp->grab().toImage();
    QCOMPARE(during.pixelColor(2, a.y()), ColorToQColor(clHighlight));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, c);
    auto read = form.GetFillPalette();
    QCOMPARE(read->GetItem(2)->ForeColor().Value, 0xFFFF0000u);
    QCOMPARE(read->GetItem(0)->ForeColor().Value, 0xFF00FF00u);
    QCOMPARE(list->currentRow(), 2);
    // Only the left button alone drags: with the right one, or with Shift held, nothing moves.
    const QString order = Entries(form.GetFillPalette().get());
    QTest::mousePress(vp, Qt::RightButton, {}, RowCenter(list, 0));
    QTest::mouseMove(vp, RowCenter(list, 2));
    QTest::mouseRelease(vp, Qt::RightButton, {}, RowCenter(list, 2));
    QTest::mousePress(vp, Qt::LeftButton, Qt::ShiftModifier, RowCenter(list, 0));
    QTest::mouseEvent(QTest::MouseMove, vp, Qt::NoButton, Qt::ShiftModifier, RowCenter(list, 1));
    QTest::mouseEvent(QTest::MouseMove, vp, Qt::NoButton, Qt::ShiftModifier, RowCenter(list, 2));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::ShiftModifier, RowCenter(list, 2));
    QCOMPARE(Entries(form.GetFillPalette().get()), order);
    // The plain left button does: the last entry onto the first.
    Drag(vp, RowCenter(list, 2), {RowCenter(list, 1), RowCenter(list, 0)}, RowCenter(list, 0));
    QCOMPARE(form.GetFillPalette()->GetItem(0)->ForeColor().Value, 0xFFFF0000u);

    // Editing the selected entry: the picker's colour goes into the entry and the style list's
    // samples; the sample in the list redraws.
    ClickRow(list, 0);
    auto *fore = Child<TKvColorPickCombo>(&form, "ForeColorPick");
    const QColor was = vp->grab().toImage().pixelColor(RowCenter(list, 0));
    QTest::keyClick(fore->Combo(), Qt::Key_Down);
    const TKvColor picked = fore->ActiveColor();
    auto after = form.GetFillPalette();
    QCOMPARE(after->GetItem(0)->ForeColor().Value, picked.Value);
    QCOMPARE(Child<TKvAreaStylesList>(&form, "AreaStylesList")->AreaForeColor().Value, picked.Value);
    QVERIFY(vp->grab().toImage().pixelColor(RowCenter(list, 0)) != was);
    // Each read is a palette of its own with equal entries.
    auto again = form.GetFillPalette();
    QVERIFY(again.get() != after.get());
    QCOMPARE(Entries(again.get()), Entries(after.get()));
    again->GetItem(0)->SetForeColor(0xFF123456);
    QCOMPARE(form.GetFillPalette()->GetItem(0)->ForeColor().Value, picked.Value);
}

void TstStructureDialogs::paletteEditorsWriteOnlyOnOk()
{
    TControl root;
    root.SetName(QStringLiteral("Form1"));
    auto *p1 = Add<TKvFillPalette>(&root, QStringLiteral("P1"));
    auto *p2 = Add<TKvFillPalette>(&root, QStringLiteral("P2"));
    p1->SetEntries({QStringLiteral("Total;$FFFF0000;$FFFFFFFF"), QStringLiteral("Total;$FF00FF00;$FFFFFFFF")});
    p2->SetEntries({QStringLiteral("Cross;$FF000000;$FFFFFFFF")});
    auto *pie1 = Add<TKvPieChart>(&root, QStringLiteral("Pie1"));
    auto *pie2 = Add<TKvPieChart>(&root, QStringLiteral("Pie2"));
    pie1->SetSegmentSettingsPalette(p1);
    pie2->SetSegmentSettingsPalette(p2);
    const QString p1Was = Entries(p1), p2Was = Entries(p2);
    TFormsDesigner d;
    d.Root = &root;
    auto editor = EditorFor<TKvFilPalettePropertyEditor>(&d, {pie1, pie2}, "SegmentSettingsPalette");
    auto addAnEntry = [](QWidget *w) { QTest::mouseClick(Child<QToolButton>(w, "AddButton"), Qt::LeftButton); };

    // Cancel (button or window) leaves palette, references and modified state untouched.
    auto ran = ModalDriver::WhenModal([&](QWidget *w) {
        addAnEntry(w);
        QTest::mouseClick(Child<QPushButton>(w, "CancelBtn"), Qt::LeftButton);
    });
    editor->Edit();
    QVERIFY(*ran);
    QCOMPARE(Entries(p1), p1Was);
    QCOMPARE(d.ModifiedCount, 0);
    QCOMPARE(pie2->SegmentSettingsPalette(), p2);

    // OK: the first one's palette gets the result and every selected chart references it.
    ran = ModalDriver::WhenModal([&](QWidget *w) {
        QCOMPARE(Child<QListWidget>(w, "PaletteList")->count(), 2); // the first chart's palette
        addAnEntry(w);
        QTest::mouseClick(Child<QPushButton>(w, "OKBtn"), Qt::LeftButton);
    });
    editor->Edit();
    QVERIFY(*ran);
    QCOMPARE(p1->GetCount(), 3);
    QCOMPARE(pie1->SegmentSettingsPalette(), p1);
    QCOMPARE(pie2->SegmentSettingsPalette(), p1);
    QCOMPARE(Entries(p2), p2Was);
    QVERIFY(d.ModifiedCount >= 1);
    // The pie fills its segments with the entries in turn, the fourth with the first again.
    pie1->SetValues({1, 1, 1, 1});
    pie1->SetLabelPosition(TKvPieLabelPosition::NoLabels);
    pie1->resize(200, 200);
    const QImage pie = pie1->grab().toImage();
    const QRectF r = pie1->PieRect(QRectF(pie1->rect()));
    const quint32 expected[] = {0xFFFF0000, 0xFF00FF00, TKvFillSettings().ForeColor().Value, 0xFFFF0000};
    for (int i = 0; i < 4; ++i) {
        const double a = qDegreesToRadians(135.0 + 90 * i);
        const QPoint at(qRound(r.center().x() + std::cos(a) * r.width() * 0.3), qRound(r.center().y() - std::sin(a) * r.height() * 0.3));
        QCOMPARE(pie.pixelColor(at).rgba(), expected[i]);
    }

    // The palette component's own editor: one verb; modified only after OK.
    TKvFillPaletteEditor component(p2, &d);
    QCOMPARE(component.GetVerbCount(), 1);
    QCOMPARE(component.GetVerb(0), QStringLiteral("&Edit Palette"));
    QCOMPARE(component.GetVerb(1), QString());
    const int modified = d.ModifiedCount;
    ran = ModalDriver::WhenModal(ModalDriver::CloseWindow);
    component.ExecuteVerb(0);
    QVERIFY(*ran);
    QCOMPARE(d.ModifiedCount, modified);
    ran = ModalDriver::WhenModal([&](QWidget *w) {
        auto *list = Child<QListWidget>(w, "PaletteList");
        ClickRow(list, 0);
        QTest::mouseClick(Child<QToolButton>(w, "DeleteButton"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(w, "OKBtn"), Qt::LeftButton);
    });
    component.Edit();
    QVERIFY(*ran);
    QCOMPARE(p2->GetCount(), 0);
    QCOMPARE(d.ModifiedCount, modified + 1);

    // An empty reference opens an empty list; fills added there go into a new palette.
    pie2->SetSegmentSettingsPalette(nullptr);
    auto single = EditorFor<TKvFilPalettePropertyEditor>(&d, {pie2}, "SegmentSettingsPalette");
    ran = ModalDriver::WhenModal([&](QWidget *w) {
        QCOMPARE(Child<QListWidget>(w, "PaletteList")->count(), 0);
        addAnEntry(w);
        QTest::mouseClick(Child<QPushButton>(w, "OKBtn"), Qt::LeftButton);
    });
    single->Edit();
    QVERIFY(*ran);
    QVERIFY(pie2->SegmentSettingsPalette());
    QCOMPARE(pie2->SegmentSettingsPalette()->Name(), QStringLiteral("FillPalette9"));
    QCOMPARE(pie2->SegmentSettingsPalette()->GetCount(), 1);
}

// ---- registration -----------------------------------------------------------------------
void TstStructureDialogs::registrationBindsTheEditors_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("prop");
    QTest::addColumn<QString>("editor");
    QTest::addRow("double edit links") << "TKvDoubleEdit" << "PropertyLinks" << "TKvPropLinkEditor";
    QTest::addRow("check box links") << "TKvCheckBox" << "PropertyLinks" << "TKvPropLinkEditor";
    QTest::addRow("pie palette") << "TKvPieChart" << "SegmentSettingsPalette" << "TKvFilPalettePropertyEditor";
    QTest::addRow("legend order") << "TKvLegend" << "ItemsOrderList" << "TKvLegendOrderPropEditor";
    // Another list of strings is not a legend order.
    QTest::addRow("radio items") << "TKvRadioGroup" << "Items" << "TClassProperty";
}

void TstStructureDialogs::registrationBindsTheEditors()
{
    QFETCH(QString, cls);
    QFETCH(QString, prop);
    QFETCH(QString, editor);
    TDesignRegistry::Instance().Clear();
    Kvdesign::Register();
    TClass c = FindClass(cls);
    QVERIFY2(c, qPrintable(cls));
    PPropInfo p = GetPropInfo(c, prop);
    QVERIFY2(p, qPrintable(prop));
    QCOMPARE(GetEditorClass(p, c).Name, editor);
    TKvFillPalette palette;
    QCOMPARE(GetComponentEditor(&palette, nullptr)->GetVerb(0), QStringLiteral("&Edit Palette"));
    TDesignRegistry::Instance().Clear();
}

// ---- layout -----------------------------------------------------------------------------
void TstStructureDialogs::sizeableFormsGrowTheirLists()
{
    TLegendOrderForm legend;
    legend.show();
    legend.resize(legend.width() + 100, legend.height() + 60);
    QCOMPARE(Child<QListWidget>(&legend, "SeriesListBox")->size(), QSize(349, 293));
    QCOMPARE(Child<QWidget>(&legend, "ToolBar1")->pos(), QPoint(364, 48));
    QCOMPARE(Child<QPushButton>(&legend, "OKBtn")->pos(), QPoint(109, 324));
    // The tree takes the growth; the link list and the buttons stay below it.
    TKvPropertyTreeForm links;
    links.show();
    links.resize(links.width() + 100, links.height() + 60);
    QCOMPARE(links.PropertyView()->geometry(), QRect(9, 8, 432, 325));
    QCOMPARE(Child<QListWidget>(&links, "ItemList")->geometry(), QRect(9, 356, 432, 64));
    QCOMPARE(Child<QPushButton>(&links, "BitBtn2")->pos(), QPoint(352, 439));
    QCOMPARE(Child<QPushButton>(&links, "DelBtn")->pos(), QPoint(9, 439));
}

// ---- keyboard ---------------------------------------------------------------------------
void TstStructureDialogs::dialogsKeyboardOrder_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("stops"); // first focus, then each Tab
    QTest::addRow("legend order") << "legend" << QStringList{"SeriesListBox", "OKBtn", "CancelBtn", "SeriesListBox"};
    // The placeholder is selected when the dialog opens: the delete button is off, and skipped.
    QTest::addRow("property links") << "links" << QStringList{"PropertyView", "ItemList", "BitBtn1", "BitBtn2", "PropertyView"};
    // The colour pickers and the style list are one stop each.
    QTest::addRow("fill palette") << "palette"
                                  << QStringList{"PaletteList", "ForeColorPick", "BackColorPick", "AreaStylesList", "OKBtn", "CancelBtn", "PaletteList"};
}

void TstStructureDialogs::dialogsKeyboardOrder()
{
    QFETCH(QString, dialog);
    QFETCH(QStringList, stops);
    TLegendForm f;
    std::unique_ptr<QDialog> form;
    if (dialog == QLatin1String("legend")) {
        auto *d = new TLegendOrderForm;
        d->SetList(f.Series());
        form.reset(d);
    } else if (dialog == QLatin1String("links")) {
        auto *d = new TKvPropertyTreeForm;
        auto *edit = Add<TKvDoubleEdit>(&f.Root, QStringLiteral("Edit1"));
        edit->PropertyLinks()->LinkNames()->Add(QStringLiteral("Form1.Edit1.MinValue"));
        d->SetPropertyLink(edit->PropertyLinks());
        d->AddComponentToTree(&f.Root);
        d->ClearEmptyForks();
        form.reset(d);
    } else {
        auto *d = new TFillPaletteForm;
        TKvFillPalette p;
        p.Add(new TKvFillSettings);
        d->SetFillPalette(&p);
        form.reset(d);
    }
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    for (int i = 0; i < stops.size(); ++i) {
        QWidget *stop = Child<QWidget>(form.get(), qPrintable(stops[i]));
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(focus && (focus == stop || stop->isAncestorOf(focus)),
                 qPrintable(QStringLiteral("stop %1: %2 has the focus").arg(stops[i], focus ? focus->objectName() + QLatin1Char('/') + QLatin1String(focus->metaObject()->className()) : QStringLiteral("nothing"))));
        QTest::keyClick(focus, Qt::Key_Tab);
    }
}

// ---- pictures ---------------------------------------------------------------------------
void TstStructureDialogs::screenshots()
{
    TLegendForm f(14);
    f.A->SetCaption(TKvRichCaption(QStringLiteral("Measured <b>values</b>")));
    f.B->PointSymbol()->SetPointSymbol(TKvPointSymbol::Diamond);
    f.C->Line()->SetColor(0xFFDC143C);
    f.C->Line()->SetWidth(2);
    TLegendOrderForm legend;
    legend.SetList(f.Series());
    legend.show();
    ClickRow(Child<QListWidget>(&legend, "SeriesListBox"), 1);
    Shoot(&legend, "legendorder");

    auto *edit = Add<TKvDoubleEdit>(&f.Root, QStringLiteral("DoubleEdit1"));
    Add<TKvAxis>(&f.Root, QStringLiteral("Axis1"))->SetGraph(f.Graph);
    edit->PropertyLinks()->LinkNames()->SetStrings({QStringLiteral("Form1.Axis1.Stop")});
    TKvPropertyTreeForm tree;
    tree.SetPropertyLink(edit->PropertyLinks());
    tree.AddComponentToTree(&f.Root);
    tree.ClearEmptyForks();
    tree.show();
    ClickRow(Child<QListWidget>(&tree, "ItemList"), 0);
    Shoot(&tree, "propertylinks");

    TKvFillPalette palette;
    palette.SetEntries({QStringLiteral("Total;$FF2E8B57;$FFFFFFFF"), QStringLiteral("Total;$FFFFC125;$FFFFFFFF"),
                        QStringLiteral("ForwardDiagonal;$FF808080;$FFE0E0E0"), QStringLiteral("Cross;$FFB22222;$FFFFFFFF"),
                        QStringLiteral("Dense50;$FF1E90FF;$FFFFFFFF")});
    TFillPaletteForm fill;
    fill.SetFillPalette(&palette);
    fill.show();
    ClickRow(Child<QListWidget>(&fill, "PaletteList"), 2);
    Shoot(&fill, "fillpalette");
}

QTEST_MAIN(TstStructureDialogs)
#include "tst_structuredialogs.moc"
