#include "Kvgraphedit.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "Kvaxissettingsfrm.h"
#include "Kvbars.h"
#include "Kvgraphsettingsfrm.h"
#include "Kvio.h"
#include "Kvlegendsettingsfrm.h"
#include "Kvlocalize.h"
#include "Kvseriessettingsfrm.h"

TGraphEdit::TGraphEdit(QWidget *Parent) : TKvSettingsDialog(Parent), FUndoStack(new TKvUndoStack)
{
    FUndoStack->setParent(this);
    setWindowTitle(QStringLiteral("Graph Settings"));
    SettingsTab = Pages();
    SettingsTab->setObjectName(QStringLiteral("SettingsTab"));
    auto *bars = new QHBoxLayout;
    StyleToolBar = new QToolBar(this);
    DesignToolBar = new QToolBar(this);
    AddToolBar = new QToolBar(this);
    for (QToolBar *t : {StyleToolBar, DesignToolBar, AddToolBar})
        bars->addWidget(t);
    static_cast<QVBoxLayout *>(layout())->insertLayout(0, bars);

    auto button = [this](QToolBar *Bar, const QString &Name, const QString &Text) {
        auto *b = new QToolButton(Bar);
        b->setObjectName(Name);
        b->setText(Text);
        Bar->addWidget(b);
        return b;
    };
    AxisButton = button(DesignToolBar, QStringLiteral("AxisButton"), QStringLiteral("Axis"));
    SeriesButton = button(DesignToolBar, QStringLiteral("SeriesButton"), QStringLiteral("Series"));
    AddVectorButton = button(AddToolBar, QStringLiteral("AddVectorButton"), QStringLiteral("Vector"));
    AddLegendButton = button(AddToolBar, QStringLiteral("AddLegendButton"), QStringLiteral("Legend"));
    auto *undo = button(StyleToolBar, QStringLiteral("UndoButton"), QStringLiteral("Undo"));
    connect(undo, &QToolButton::clicked, FUndoStack, &TKvUndoStack::Undo);

    auto item = [this](QMenu *Menu, const QString &Name, const QString &Text, void (TGraphEdit::*Slot)()) {
        QAction *a = Menu->addAction(Text);
        a->setObjectName(Name);
        connect(a, &QAction::triggered, this, Slot);
        return a;
    };
    AxisMenu = new QMenu(this);
    AxisMenu->setObjectName(QStringLiteral("AxisMenu"));
    AxLeft = item(AxisMenu, QStringLiteral("AxLeft"), QStringLiteral("Left axis"), &TGraphEdit::AddAxisClick);
    AxRight = item(AxisMenu, QStringLiteral("AxRight"), QStringLiteral("Right axis"), &TGraphEdit::AddAxisClick);
    AxTop = item(AxisMenu, QStringLiteral("AxTop"), QStringLiteral("Top axis"), &TGraphEdit::AddAxisClick);
    AxBottom = item(AxisMenu, QStringLiteral("AxBottom"), QStringLiteral("Bottom axis"), &TGraphEdit::AddAxisClick);
    SeriesMenu = new QMenu(this);
    SeriesMenu->setObjectName(QStringLiteral("SeriesMenu"));
    const std::pair<QAction **, const char *> series[] = {
        {&AddLine, "AddLine"}, {&AddPointSymbols, "AddPointSymbols"}, {&AddErrorSymbols, "AddErrorSymbols"},
        {&AddBars, "AddBars"}, {&AddArrows, "AddArrows"}, {&AddBubbles, "AddBubbles"}, {&AddOHLC, "AddOHLC"},
        {&AddCandleStick, "AddCandleStick"}, {&AddLinearRegression, "AddLinearRegression"}, {&AddPolynomial, "AddPolynomial"},
        {&AddFit, "AddFit"}, {&AddMovingAverage, "AddMovingAverage"}, {&AddInterpolation, "AddInterpolation"},
        {&AddDifferential, "AddDifferential"}, {&AddIntegral, "AddIntegral"}};
    for (const auto &[slot, name] : series)
        *slot = item(SeriesMenu, QString::fromLatin1(name), QString::fromLatin1(name + 3), &TGraphEdit::AddLineClick);
    AxisButton->setMenu(AxisMenu);
    SeriesButton->setMenu(SeriesMenu);
    for (QToolButton *b : {AxisButton, SeriesButton}) {
        b->setPopupMode(QToolButton::MenuButtonPopup);
        connect(b, &QToolButton::clicked, this, &TGraphEdit::DropDnClick);
    }
    connect(AddVectorButton, &QToolButton::clicked, this, &TGraphEdit::AddVectorButtonClick);
    connect(AddLegendButton, &QToolButton::clicked, this, &TGraphEdit::AddLegendButtonClick);
}

TComponent *TGraphEdit::GraphOwner() const { return FGraph ? FGraph->Owner() : nullptr; }

void TGraphEdit::AddPage(const QString &Title, TKvSettingsFrame *Frame, const QString &FrameName)
{
    // The page holds the frame, so that a frame can be found by its name on the active page.
    auto *page = new QWidget;
    auto *l = new QVBoxLayout(page);
    Frame->setParent(page);
    Frame->setObjectName(FrameName);
    l->addWidget(Frame);
    SettingsTab->addTab(page, Title);
    FPages.append({Frame->Edited(), page});
}

void TGraphEdit::SetGraph(TKvGraph2D *G)
{
    FGraph = G;
    FPages.clear();
    while (SettingsTab->count())
        delete SettingsTab->widget(0);
    if (!G)
        return;
    auto *graph = new TKvGraphSettingsFrame;
    graph->SetGraph(G);
    AddPage(G->Name().isEmpty() ? QStringLiteral("Graph") : G->Name(), graph, QStringLiteral("GraphFrame"));
    UpdateCombos();
    QList<QObject *> edited{G};
    for (TKvGraphElement *e : G->Elements())
        edited << e;
    SetEditedObjects(edited);
}

void TGraphEdit::AddLegendPage(TKvLegend *L)
{
    auto *f = new TKvLegendSettingsFrame;
    f->SetLegend(L);
    AddPage(L->Name(), f, QStringLiteral("LegendFrame"));
}

void TGraphEdit::UpdateCombos()
{
    if (!FGraph)
        return;
    // Pages of elements that are gone (undone, deleted) go too.
    for (int i = FPages.size() - 1; i >= 0; --i)
        if (!FPages[i].first) {
            delete FPages[i].second;
            FPages.removeAt(i);
        }
    auto known = [this](QObject *o) {
        for (const auto &p : FPages)
            if (p.first == o)
                return true;
        return false;
    };
    for (TKvAxis *a : FGraph->Axes())
        if (!known(a)) {
            auto *f = new TKvAxisSettingsFrame;
            f->SetAxis(a);
            AddPage(a->Name(), f, QStringLiteral("AxisFrame"));
        }
    for (TKvSeries *s : FGraph->SeriesList())
        if (!known(s)) {
            auto *f = new TKvSeriesSettingsFrame;
            f->SetSeries(s);
            AddPage(s->Name(), f, QStringLiteral("SeriesFrame"));
        }
    for (TKvLegend *l : FGraph->ElementsOf<TKvLegend>())
        if (!known(l))
            AddLegendPage(l);
    ApplyOptions();
    connect(FUndoStack, &TKvUndoStack::StackChanged, this, &TGraphEdit::UpdateCombos, Qt::UniqueConnection);
}

void TGraphEdit::ApplyOptions()
{
    for (int i = 0; i < SettingsTab->count(); ++i)
        for (auto *f : SettingsTab->widget(i)->findChildren<TKvSettingsFrame *>()) {
            QStringList extra;
            if (FExtendedAxis && qobject_cast<TKvAxisSettingsFrame *>(f))
                extra << QStringLiteral("AutoStart") << QStringLiteral("AutoStop") << QStringLiteral("MovingSlitWidth")
                      << QStringLiteral("MovingSlitIncrement") << QStringLiteral("MaxForExtraExponent")
                      << QStringLiteral("MinForExtraExponent") << QStringLiteral("LogToNormalScalingLevel");
            if (FExtendedBarLabels && qobject_cast<TKvBars *>(f->Edited()))
                extra << QStringLiteral("LabelPosition") << QStringLiteral("LabelStyle") << QStringLiteral("LabelColor");
            f->SetExtraProperties(extra);
            if (!FInteractiveRanges)
                for (const char *p : {"CalculationStart", "CalculationStop"})
                    if (QWidget *w = f->EditorFor(QString::fromLatin1(p)))
                        w->setEnabled(false);
            f->UpdateCombos();
        }
}

void TGraphEdit::SetAsDesigner(bool V) { FAsDesigner = V; }
void TGraphEdit::SetExtendedAxisOptions(bool V) { FExtendedAxis = V; ApplyOptions(); }
void TGraphEdit::SetExtendedBarLabelOptions(bool V) { FExtendedBarLabels = V; ApplyOptions(); }
void TGraphEdit::SetInteractiveCalculationRanges(bool V) { FInteractiveRanges = V; ApplyOptions(); }

void TGraphEdit::SetActivPage(QObject *O)
{
    for (const auto &[obj, page] : FPages)
        if (obj == O)
            SettingsTab->setCurrentWidget(page);
}

QObject *TGraphEdit::ActivePageObject() const
{
    for (const auto &[obj, page] : FPages)
        if (page == SettingsTab->currentWidget())
            return obj;
    return nullptr;
}

TComponentClass TGraphEdit::SeriesClassOf(QObject *Sender) const
{
    const QString name = Sender ? Sender->objectName() : QString();
    static const QHash<QString, const char *> classes = {
        {"AddLine", "TKvLineSeries"}, {"AddPointSymbols", "TKvPointSeries"}, {"AddErrorSymbols", "TKvPointWithErrorSeries"},
        {"AddBars", "TKvBars"}, {"AddArrows", "TKvArrows"}, {"AddBubbles", "TKvBubbles"}, {"AddOHLC", "TKvOHLC"},
        {"AddCandleStick", "TKvCandleSticks"}, {"AddLinearRegression", "TKvLinearRegression"},
        {"AddGeneralLinearLeastSquares", "TKvGeneralLinearLeastSquares"}, {"AddPolynomial", "TKvPolynomial"},
        {"AddFit", "TKvFittedLine"}, {"AddMovingAverage", "TKvMovingAverage"}, {"AddInterpolation", "TKvInterpolation"},
        {"AddDifferential", "TKvDifferential"}, {"AddIntegral", "TKvIntegral"}};
    return classes.contains(name) ? FindClass(QString::fromLatin1(classes.value(name))) : nullptr;
}

void TGraphEdit::AddAxisClick()
{
    if (!FGraph)
        return;
    FUndoStack->SetRecording(false);
    auto *a = new TKvAxis(GraphOwner());
    a->AttachToGraph(FGraph);
    const QObject *s = sender();
    const auto [pos, base] = s == AxLeft ? std::pair(TKvAxisPosition::Left, "LeftAxis")
                             : s == AxBottom ? std::pair(TKvAxisPosition::Bottom, "BottomAxis")
                             : s == AxTop ? std::pair(TKvAxisPosition::Top, "TopAxis")
                                          : std::pair(TKvAxisPosition::Right, "RightAxis");
    a->SetPosition(pos);
    a->SetName(UniqueName(GraphOwner(), QString::fromLatin1(base)));
    UpdateCombos();
    SetActivPage(a);
    FUndoStack->SetRecording(true);
    FUndoStack->PushFreeComponent(a, _sAxisCreate());
}

void TGraphEdit::AddLineClick()
{
    const TComponentClass cls = SeriesClassOf(sender());
    if (!FGraph || !cls)
        return;
    FUndoStack->SetRecording(false);
    TComponent *c = CreateComponentOfClass(QString::fromLatin1(cls->className()), GraphOwner());
    c->SetName(UniqueName(GraphOwner(), QString::fromLatin1(cls->className() + 3)));
    if (auto *s = ComponentCast<TKvSeries>(c))
        s->AttachToGraph(FGraph);
    UpdateCombos();
    FUndoStack->SetRecording(true);
    FUndoStack->PushFreeComponent(c, _sSeriesCreate());
    SetActivPage(c->AsObject());
}

void TGraphEdit::AddVectorButtonClick()
{
    if (!FGraph)
        return;
    auto *v = new TKvDoubleVector(GraphOwner());
    v->SetName(UniqueName(GraphOwner(), QStringLiteral("DoubleVector")));
    FUndoStack->PushFreeComponent(v, _sVecCreate());
    UpdateCombos();
}

void TGraphEdit::AddLegendButtonClick()
{
    if (!FGraph)
        return;
    FUndoStack->SetRecording(false);
    auto *l = new TKvLegend(GraphOwner());
    l->SetPosition(TKvLegendPosition::Free);
    l->SetName(UniqueName(GraphOwner(), QStringLiteral("Legend")));
    l->SetCaption(TKvRichCaption(l->Name()));
    l->AttachToGraph(FGraph);
    AddLegendPage(l);
    SetActivPage(l);
    FUndoStack->SetRecording(true);
    FUndoStack->PushFreeComponent(l, _sLegendCreate());
}

void TGraphEdit::DropDnClick()
{
    if (auto *b = qobject_cast<QToolButton *>(sender()))
        b->showMenu();
}
