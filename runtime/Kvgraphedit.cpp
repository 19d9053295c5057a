#include "Kvgraphedit.h"

#include <QFontComboBox>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "Forms.h"
#include "Kvaxissettingsfrm.h"
#include "Kvbars.h"
#include "Kvcolorpicker.h"
#include "Kvgraphsettingsfrm.h"
#include "Kvio.h"
#include "Kvlegendsettingsfrm.h"
#include "Kvlocalize.h"
#include "Kvseriessettingsfrm.h"
#include "ui_Kvgraphedit.h"
#include "Graphics.h"

// ---------------------------------------------------------------------------------------
// Preview

TKvGraphPreview::TKvGraphPreview(QWidget *Parent) : QWidget(Parent) {}

void TKvGraphPreview::SetGraph(TKvCustomGraph *G)
{
    if (FGraph)
        disconnect(FGraph, nullptr, this, nullptr);
    FGraph = G;
    if (G)
        connect(G, &TKvCustomGraph::GraphChanged, this, &TKvGraphPreview::Schedule);
    Render();
}

void TKvGraphPreview::Schedule()
{
    // Many changes in a row (an undo of several values) draw once.
    if (FPending)
        return;
    FPending = true;
    QTimer::singleShot(0, this, &TKvGraphPreview::Render);
}

void TKvGraphPreview::Render()
{
    FPending = false;
    FPicture = QPixmap();
    if (FGraph && !FGraph->size().isEmpty()) {
        // Made smaller to the preview's device pixels (the chart is taken at its own screen's
        // resolution), so that a screen of ratio 2 shows it at its full sharpness.
        const qreal ratio = devicePixelRatioF();
        const QPixmap whole = FGraph->grab();
        FPicture = whole.scaled((QSizeF(size()) * ratio).toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        FPicture.setDevicePixelRatio(ratio);
    }
    update();
}

void TKvGraphPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    if (FPicture.isNull()) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(rect(), Qt::AlignCenter, tr("No chart"));
        return;
    }
    const QSizeF shown = FPicture.deviceIndependentSize();
    p.drawPixmap(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), FPicture);
}

// ---------------------------------------------------------------------------------------
// Tool button pictures

namespace {
const QColor Blue(0x1F, 0x5F, 0xBF), Red(0xC0, 0x30, 0x30), Green(0x2E, 0x8B, 0x57), Grey(0x70, 0x70, 0x70),
    Dark(0x20, 0x20, 0x20), Light(0xC8, 0xD8, 0xF0);

void Axes(QPainter &P)
{
    P.setPen(QPen(Grey, 1));
    P.drawLine(QPointF(2.5, 1.5), QPointF(2.5, 13.5));
    P.drawLine(QPointF(2.5, 13.5), QPointF(14.5, 13.5));
}

void Dots(QPainter &P, const QList<QPointF> &Points, const QColor &C, double R = 1.6)
{
    P.setPen(Qt::NoPen);
    P.setBrush(C);
    for (const QPointF &p : Points)
        P.drawEllipse(p, R, R);
    P.setBrush(Qt::NoBrush);
}

void Line(QPainter &P, const QList<QPointF> &Points, const QColor &C, double W = 1.5)
{
    P.setPen(QPen(C, W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    P.setBrush(Qt::NoBrush);
    P.drawPolyline(QPolygonF(Points));
}

void Letter(QPainter &P, const QString &Text, bool Bold, bool Italic, const QString &Family = QStringLiteral("Tahoma"))
{
    QFont f(Family);
    f.setPixelSize(13);
    f.setBold(Bold);
    f.setItalic(Italic);
    P.setFont(f);
    P.setPen(Dark);
    P.drawText(QRectF(0, -1, 16, 16), Qt::AlignCenter, Text);
}

// An arrow bending back to the left: undo (mirrored: redo).
void Turn(QPainter &P)
{
    QPainterPath path;
    path.moveTo(13, 13);
    path.cubicTo(14, 6, 9, 4, 5, 6.5);
    P.setPen(QPen(Blue, 1.8, Qt::SolidLine, Qt::RoundCap));
    P.drawPath(path);
    P.setPen(Qt::NoPen);
    P.setBrush(Blue);
    P.drawPolygon(QPolygonF({QPointF(1.5, 7.5), QPointF(7, 2.5), QPointF(7.5, 10)}));
}

// One side of a data area drawn strong: the axis on that side.
void AxisSide(QPainter &P, int Side)
{
    P.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 1, Qt::DotLine));
    P.drawRect(QRectF(3.5, 3.5, 9, 9));
    P.save();
    P.translate(8, 8);
    P.rotate(90.0 * Side); // 0 left, 1 top, 2 right, 3 bottom
    P.setPen(QPen(Dark, 2));
    P.drawLine(QPointF(-4.5, -5), QPointF(-4.5, 5));
    P.setPen(QPen(Dark, 1));
    for (double y : {-3.0, 0.0, 3.0})
        P.drawLine(QPointF(-7, y), QPointF(-4.5, y));
    P.restore();
}

void DrawImage(QPainter &p, int Index)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QList<QPointF> samples{{4.5, 10}, {7, 6.5}, {10, 8}, {13, 3.5}};
    switch (Index) {
    case 0: Turn(p); break;
    case 1: p.translate(16, 0); p.scale(-1, 1); Turn(p); break;
    case 2: Letter(p, QStringLiteral("B"), true, false); break;
    case 3: Letter(p, QStringLiteral("I"), false, true, QStringLiteral("Times New Roman")); break;
    case 4:
        Letter(p, QStringLiteral("U"), false, false);
        p.setPen(QPen(Dark, 1));
        p.drawLine(QPointF(4, 14.5), QPointF(12, 14.5));
        break;
    case 5:
        Letter(p, QStringLiteral("A"), false, false, QStringLiteral("Times New Roman"));
        p.fillRect(QRectF(2, 13.5, 12, 2), Red);
        break;
    case 6:
        Axes(p);
        for (double t : {6.5, 10.5})
            p.drawLine(QPointF(t, 13.5), QPointF(t, 15)), p.drawLine(QPointF(1, t - 4), QPointF(2.5, t - 4));
        break;
    case 7: Axes(p); Line(p, samples, Blue); break;
    case 8: // a column of values
        p.setPen(QPen(Dark, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 13));
        for (double y : {5.8, 10.2})
            p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
        Dots(p, {{8, 3.7}, {8, 8}, {8, 12.4}}, Blue, 1.1);
        break;
    case 9: // a box of two items
        p.setPen(QPen(Dark, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        Line(p, {{3.5, 6}, {6.5, 6}}, Red, 2);
        Line(p, {{3.5, 10}, {6.5, 10}}, Blue, 2);
        Line(p, {{8, 6}, {12.5, 6}}, Grey, 1);
        Line(p, {{8, 10}, {12.5, 10}}, Grey, 1);
        break;
    case 10: AxisSide(p, 0); break;
    case 11: AxisSide(p, 2); break;
    case 12: AxisSide(p, 1); break;
    case 13: AxisSide(p, 3); break;
    case 14: Axes(p); Line(p, {{3.5, 11}, {6.5, 5.5}, {9.5, 9}, {14, 2.5}}, Blue); break;
    case 15: Axes(p); Dots(p, samples, Red, 1.8); break;
    case 16:
        Axes(p);
        p.setPen(QPen(Dark, 1));
        for (const QPointF &s : samples) {
            p.drawLine(s - QPointF(0, 2.5), s + QPointF(0, 2.5));
            p.drawLine(s + QPointF(-1.5, -2.5), s + QPointF(1.5, -2.5));
            p.drawLine(s + QPointF(-1.5, 2.5), s + QPointF(1.5, 2.5));
        }
        Dots(p, samples, Red);
        break;
    case 17:
        Axes(p);
        p.setPen(QPen(Blue.darker(), 1));
        p.setBrush(Light.darker(115));
        for (const QRectF &r : {QRectF(4.5, 7.5, 2.5, 6), QRectF(8.5, 3.5, 2.5, 10), QRectF(12, 9.5, 2.5, 4)})
            p.drawRect(r);
        break;
    case 18:
        for (const auto &[a, b] : {std::pair(QPointF(2, 13), QPointF(8, 5)), std::pair(QPointF(7, 14), QPointF(14, 9))}) {
            Line(p, {a, b}, Blue, 1.4);
            const QLineF l(b, a);
            QLineF w1 = l, w2 = l;
            w1.setLength(4), w2.setLength(4);
            w1.setAngle(l.angle() + 28), w2.setAngle(l.angle() - 28);
            p.setPen(Qt::NoPen);
            p.setBrush(Blue);
            p.drawPolygon(QPolygonF({b, w1.p2(), w2.p2()}));
        }
        break;
    case 19:
        Axes(p);
        p.setPen(QPen(Blue, 1));
        p.setBrush(QColor(0x1F, 0x5F, 0xBF, 90));
        p.drawEllipse(QPointF(6, 9.5), 2.5, 2.5);
        p.drawEllipse(QPointF(11, 6), 3.5, 3.5);
        p.drawEllipse(QPointF(13.5, 11.5), 1.5, 1.5);
        break;
    case 20:
        p.setPen(QPen(Dark, 1.2));
        for (const auto &[x, lo, hi, open, close] : {std::tuple(3.5, 12.0, 4.0, 10.0, 6.0), std::tuple(8.0, 10.0, 2.0, 6.0, 8.5),
                                                     std::tuple(12.5, 14.0, 6.0, 8.0, 12.0)}) {
            p.drawLine(QPointF(x, lo), QPointF(x, hi));
            p.drawLine(QPointF(x - 2, open), QPointF(x, open));
            p.drawLine(QPointF(x, close), QPointF(x + 2, close));
        }
        break;
    case 21:
        for (const auto &[x, lo, hi, top, bottom, up] : {std::tuple(3.5, 14.0, 3.0, 5.0, 11.0, true),
                                                         std::tuple(8.0, 12.0, 2.0, 4.0, 9.0, false),
                                                         std::tuple(12.5, 13.0, 5.0, 7.0, 11.5, true)}) {
            p.setPen(QPen(Dark, 1));
            p.drawLine(QPointF(x, lo), QPointF(x, hi));
            p.setBrush(up ? Green : Red);
            p.drawRect(QRectF(x - 1.8, top, 3.6, bottom - top));
        }
        break;
    case 22: Axes(p); Dots(p, samples, Grey); Line(p, {{3, 11.5}, {15, 3}}, Red); break;
    case 23: {
        Axes(p);
        Dots(p, {{4.5, 4}, {7.5, 9.5}, {11, 10}, {13.5, 4.5}}, Grey);
        QPainterPath path(QPointF(3.5, 2.5));
        path.quadTo(8.75, 17, 14.5, 2.5);
        p.setPen(QPen(Red, 1.5));
        p.drawPath(path);
        break;
    }
    case 24: {
        Axes(p);
        Dots(p, {{4, 8}, {7, 4.5}, {10, 9}, {13, 6}}, Grey);
        QPainterPath path(QPointF(3, 9));
        path.cubicTo(6, 1, 9, 14, 14.5, 4.5);
        p.setPen(QPen(Green, 1.5));
        p.drawPath(path);
        break;
    }
    case 25:
        Axes(p);
        Line(p, {{3.5, 9}, {5, 5}, {6.5, 10}, {8, 6}, {9.5, 11}, {11, 4}, {12.5, 8}, {14, 5}}, QColor(0xA0, 0xA0, 0xA0), 1);
        Line(p, {{3.5, 8}, {7, 7.5}, {10.5, 7.5}, {14, 6.5}}, Blue, 1.8);
        break;
    case 26: {
        Axes(p);
        QPainterPath path(QPointF(4.5, 10));
        path.quadTo(5.5, 5.5, 7, 6.5);
        path.quadTo(8.5, 8, 10, 8);
        path.quadTo(12, 7.5, 13, 3.5);
        p.setPen(QPen(Blue, 1.4));
        p.drawPath(path);
        Dots(p, samples, Red);
        break;
    }
    case 27: {
        Axes(p);
        QPainterPath path(QPointF(3.5, 12));
        path.quadTo(9, 11, 14.5, 2.5);
        p.setPen(QPen(Blue, 1.4));
        p.drawPath(path);
        Line(p, {{6, 13}, {14.5, 6}}, Red, 1.2);
        Dots(p, {{10.2, 9.5}}, Red);
        break;
    }
    case 28: {
        Axes(p);
        QPainterPath area(QPointF(4, 13.5));
        area.lineTo(4, 9);
        area.quadTo(8, 2, 13, 6);
        area.lineTo(13, 13.5);
        area.closeSubpath();
        p.setPen(QPen(Blue, 1.2));
        p.setBrush(Light);
        p.drawPath(area);
        break;
    }
    default: break;
    }
}
} // namespace

QList<QIcon> TGraphEdit::DefaultTopButtonImages()
{
    QList<QIcon> out;
    for (int i = 0; i < 29; ++i)
        out << DrawnIcon(QSize(16, 16), [i](QPainter &p) { DrawImage(p, i); });
    return out;
}

// ---------------------------------------------------------------------------------------
// The form

TGraphEdit::TGraphEdit(QWidget *Parent) : TGraphEdit(Parent, DeferFormCreate) { FormCreate(); }

TGraphEdit::TGraphEdit(QWidget *Parent, TDeferredCreate)
    : TKvSettingsDialog(Parent, TOwnLayout{}), FUi(std::make_unique<Ui::TGraphEdit>())
{
    Build();
}

TGraphEdit::~TGraphEdit()
{
    // The pages go first: their frames still point at the stack and the preview.
    FPages.clear();
    while (FUi->SettingsTab->count())
        delete FUi->SettingsTab->widget(0);
}

void TGraphEdit::Build()
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsDialog, Forms::NoOptions);
    BindControls(FUi->SettingsTab, FUi->OKButton, FUi->CancelButton, nullptr);
    FUi->AxisButton->setMenu(FUi->AxisMenu);
    FUi->SeriesButton->setMenu(FUi->SeriesMenu);

    for (QAction *a : {FUi->AxLeft, FUi->AxRight, FUi->AxTop, FUi->AxBottom})
        Bind(a, &TGraphEdit::AddAxisClick);
    for (QAction *a : FUi->SeriesMenu->actions())
        if (!a->isSeparator())
            Bind(a, &TGraphEdit::AddLineClick);
    Bind(FUi->AddVectorButton, &TGraphEdit::AddVectorButtonClick);
    Bind(FUi->AddLegendButton, &TGraphEdit::AddLegendButtonClick);
    Bind(FUi->AxisButton, &TGraphEdit::DropDnClick);
    Bind(FUi->SeriesButton, &TGraphEdit::DropDnClick);
    connect(FUi->AxisMenu, &QMenu::triggered, this, [this](QAction *A) { FLastChosen[FUi->AxisButton] = A; });
    connect(FUi->SeriesMenu, &QMenu::triggered, this, [this](QAction *A) { FLastChosen[FUi->SeriesButton] = A; });
    connect(FUi->UndoButton, &QToolButton::clicked, this, [this] {
        RunGuarded(this, [this] { if (FUndoStack) FUndoStack->Undo(); });
    });
    connect(FUi->RedoButton, &QToolButton::clicked, this, [this] {
        RunGuarded(this, [this] { if (FUndoStack) FUndoStack->Redo(); });
    });
    connect(FUi->SelColorPick, &TKvColorPickCombo::OnChanged, this, &TGraphEdit::SelColorPickChange);
    connect(FUi->FontsCombo, &QComboBox::activated, this, &TGraphEdit::FontsComboChange);
    for (QToolButton *b : {FUi->BoldButton, FUi->ItalicButton, FUi->UnderlineButton})
        connect(b, &QToolButton::clicked, this, &TGraphEdit::StyleButtonClick);
    connect(FUi->FontButton, &QToolButton::clicked, this, &TGraphEdit::FontButtonClick);
    connect(FUi->SettingsTab, &QTabWidget::currentChanged, this, &TGraphEdit::UpdateStyleBar);

    auto *own = new TKvUndoStack;
    own->setParent(this);
    SetUndoStack(own);
}

void TGraphEdit::FormCreate()
{
    if (FTopButtonImages.isEmpty())
        FTopButtonImages = DefaultTopButtonImages();
    ApplyImages();
    UpdateStyleBar();
    FillHistory();
}

void TGraphEdit::Bind(QAction *A, THandler Handler)
{
    connect(A, &QAction::triggered, this, [this, A, Handler] { RunHandler(A, Handler); });
}

void TGraphEdit::Bind(QAbstractButton *B, THandler Handler)
{
    connect(B, &QAbstractButton::clicked, this, [this, B, Handler] { RunHandler(B, Handler); });
}

void TGraphEdit::RunHandler(QObject *Sender, THandler Handler)
{
    // The owners that the handler may add to, and what they hold now: a handler that fails
    // half-way leaves nothing of what it was building.
    QList<QPointer<QObject>> owners;
    auto addOwner = [&owners](TComponent *C) {
        if (C && !owners.contains(C->AsObject()))
            owners << C->AsObject();
    };
    addOwner(GraphOwner());
    for (int i = 0; i < FUi->SettingsTab->count(); ++i)
        if (auto *f = FUi->SettingsTab->widget(i)->findChild<TKvGraphSettingsFrame *>(QStringLiteral("GraphFrame")))
            if (f->Graph())
                addOwner(f->Graph()->Owner());
    QSet<TComponent *> before;
    for (QObject *o : owners)
        for (int i = 0; i < AsComponent(o)->ComponentCount(); ++i)
            before.insert(AsComponent(o)->Components(i));
    const bool recording = FUndoStack && FUndoStack->Recording();
    try {
        (this->*Handler)(Sender);
    } catch (...) {
        for (QObject *o : owners)
            if (o)
                for (int i = AsComponent(o)->ComponentCount() - 1; i >= 0; --i)
                    if (TComponent *c = AsComponent(o)->Components(i); !before.contains(c))
                        delete c->AsObject();
        if (FUndoStack)
            FUndoStack->SetRecording(recording);
        Fail(std::current_exception());
    }
}

TComponent *TGraphEdit::GraphOwner() const { return FGraph ? FGraph->Owner() : nullptr; }

QTabWidget *TGraphEdit::SettingsTab() const { return FUi->SettingsTab; }
QMenu *TGraphEdit::AxisMenu() const { return FUi->AxisMenu; }
QMenu *TGraphEdit::SeriesMenu() const { return FUi->SeriesMenu; }
QAction *TGraphEdit::AxLeft() const { return FUi->AxLeft; }
QAction *TGraphEdit::AxRight() const { return FUi->AxRight; }
QAction *TGraphEdit::AxTop() const { return FUi->AxTop; }
QAction *TGraphEdit::AxBottom() const { return FUi->AxBottom; }
QToolButton *TGraphEdit::AxisButton() const { return FUi->AxisButton; }
QToolButton *TGraphEdit::SeriesButton() const { return FUi->SeriesButton; }
QToolButton *TGraphEdit::AddVectorButton() const { return FUi->AddVectorButton; }
QToolButton *TGraphEdit::AddLegendButton() const { return FUi->AddLegendButton; }
QWidget *TGraphEdit::SecondLineToolbarsPanel() const { return FUi->SecondLineToolbarsPanel; }

void TGraphEdit::SetTopButtonImages(const QList<QIcon> &Images)
{
    FTopButtonImages = Images;
    ApplyImages();
}

void TGraphEdit::ApplyImages()
{
    auto image = [this](const QObject *O) {
        const QVariant i = O->property("ImageIndex");
        return i.isValid() ? FTopButtonImages.value(i.toInt()) : QIcon();
    };
    for (QAction *a : findChildren<QAction *>())
        if (a->property("ImageIndex").isValid())
            a->setIcon(image(a));
    for (QToolButton *b : findChildren<QToolButton *>())
        if (b->property("ImageIndex").isValid())
            b->setIcon(image(b));
}

void TGraphEdit::SetUndoStack(TKvUndoStack *Stack)
{
    if (FUndoStack)
        disconnect(FUndoStack, nullptr, this, nullptr);
    FUndoStack = Stack;
    if (Stack)
        connect(Stack, &TKvUndoStack::StackChanged, this, &TGraphEdit::StackChanged);
    for (auto *f : FUi->SettingsTab->findChildren<TKvSettingsFrame *>())
        f->SetUndoStack(Stack);
    FUi->HistoryGroup->setEnabled(Stack != nullptr);
    UpdateStyleBar();
    FillHistory();
}

void TGraphEdit::StackChanged()
{
    UpdateCombos();
    FillHistory();
}

void TGraphEdit::FillHistory()
{
    QListWidget *list = FUi->UndoList;
    list->clear();
    if (!FUndoStack)
        return;
    for (int i = 0; i < FUndoStack->Count(); ++i) {
        auto *item = new QListWidgetItem(FUndoStack->Description(i), list);
        if (i >= FUndoStack->Position())
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    list->scrollToBottom();
}

void TGraphEdit::AddPage(const QString &Title, TKvSettingsFrame *Frame, const QString &FrameName)
{
    // The page holds the frame, so that a frame can be found by its name on the active page.
    auto *page = new QWidget;
    auto *l = new QVBoxLayout(page);
    l->setContentsMargins(2, 2, 2, 2);
    Frame->setParent(page);
    Frame->setObjectName(FrameName);
    Frame->SetUndoStack(FUndoStack);
    connect(Frame, &TKvSettingsFrame::OnSettingsChange, this, &TGraphEdit::UpdateStyleBar);
    l->addWidget(Frame);
    FUi->SettingsTab->addTab(page, Title);
    FPages.append({Frame->Edited(), page});
}

void TGraphEdit::SetGraph(TKvGraph2D *G)
{
    FGraph = G;
    FPages.clear();
    while (FUi->SettingsTab->count())
        delete FUi->SettingsTab->widget(0);
    FUi->GraphPreview->SetGraph(G);
    if (!G)
        return;
    auto *graph = new TKvGraphSettingsFrame;
    graph->SetGraph(G);
    AddPage(G->Name().isEmpty() ? tr("Graph") : G->Name(), graph, QStringLiteral("GraphFrame"));
    UpdateCombos();
    QList<QObject *> edited{G};
    for (const auto &page : FPages)
        if (page.first && page.first != G)
            edited << page.first;
    SetEditedObjects(edited);
}

void TGraphEdit::AddLegendPage(TKvLegend *L)
{
    auto *f = new TKvLegendSettingsFrame;
    f->SetLegend(L);
    AddPage(L->Name(), f, QStringLiteral("LegendFrame"));
}

void TGraphEdit::AddGraphPage(TKvGraph2D *G)
{
    auto *f = new TKvGraphSettingsFrame;
    f->SetGraph(G);
    AddPage(G->Name(), f, QStringLiteral("GraphFrame"));
}

QObject *TGraphEdit::PageObject(QWidget *Page) const
{
    for (const auto &[obj, page] : FPages)
        if (page == Page)
            return obj;
    return nullptr;
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
    // A series of the owner that is on no graph and has no axes yet (just added) is shown so
    // that it can be given its axes here.
    QList<TKvSeries *> series = FGraph->SeriesList();
    if (TComponent *owner = GraphOwner())
        for (int i = 0; i < owner->ComponentCount(); ++i)
            if (auto *s = ComponentCast<TKvSeries>(owner->Components(i)); s && !s->Graph() && !s->XAxis() && !s->YAxis())
                series << s;
    for (TKvSeries *s : series)
        if (!known(s)) {
            auto *f = new TKvSeriesSettingsFrame;
            f->SetContextGraph(FGraph);
            f->SetSeries(s);
            AddPage(s->Name(), f, QStringLiteral("SeriesFrame"));
        }
    for (TKvLegend *l : FGraph->ElementsOf<TKvLegend>())
        if (!known(l))
            AddLegendPage(l);
    // The graphs of master axes can be edited alongside.
    for (TKvAxis *a : FGraph->Axes())
        if (auto *other = a->MasterAxis() ? qobject_cast<TKvGraph2D *>(a->MasterAxis()->Graph()) : nullptr;
            other && other != FGraph && !known(other))
            AddGraphPage(other);
    for (int i = 0; i < FUi->SettingsTab->count(); ++i)
        if (auto *c = AsComponent(PageObject(FUi->SettingsTab->widget(i))); c && !c->Name().isEmpty())
            FUi->SettingsTab->setTabText(i, c->Name());
    ApplyOptions();
    FUi->AddLegendButton->setEnabled(FGraph->ElementsOf<TKvLegend>().isEmpty());
    UpdateStyleBar();
}

void TGraphEdit::ApplyOptions()
{
    for (int i = 0; i < FUi->SettingsTab->count(); ++i)
        for (auto *f : FUi->SettingsTab->widget(i)->findChildren<TKvSettingsFrame *>()) {
            if (qobject_cast<TKvAxisSettingsFrame *>(f))
                f->SetExtraProperties(FExtendedAxis ? QStringList{QStringLiteral("#Automatic range and numbers"),
                                                                  QStringLiteral("Automatic=AutoStart+AutoStop"),
                                                                  QStringLiteral("Moving slit=MovingSlitWidth+MovingSlitIncrement"),
                                                                  QStringLiteral("Exponent from=MaxForExtraExponent"),
                                                                  QStringLiteral("Exponent below=MinForExtraExponent"),
                                                                  QStringLiteral("Log to normal level=LogToNormalScalingLevel")}
                                                    : QStringList());
            if (auto *s = qobject_cast<TKvSeriesSettingsFrame *>(f)) {
                QStringList labels;
                if (FExtendedBarLabels && qobject_cast<TKvBars *>(s->Edited()))
                    labels << QStringLiteral("#Labels") << QStringLiteral("Position=LabelPosition")
                           << QStringLiteral("Style=LabelStyle") << QStringLiteral("Color=LabelColor") << QStringLiteral("Font=LabelFont");
                s->SetExtraProperties(labels);
                s->SetShowRangeButton(FInteractiveRanges);
            }
            f->UpdateCombos();
        }
}

void TGraphEdit::SetAsDesigner(bool V)
{
    FAsDesigner = V;
    FUi->SecondLineToolbarsPanel->setVisible(V);
}

void TGraphEdit::SetExtendedAxisOptions(bool V)
{
    FExtendedAxis = V;
    ApplyOptions();
}

void TGraphEdit::SetExtendedBarLabelOptions(bool V)
{
    FExtendedBarLabels = V;
    ApplyOptions();
}

void TGraphEdit::SetInteractiveCalculationRanges(bool V)
{
    FInteractiveRanges = V;
    ApplyOptions();
}

void TGraphEdit::SetActivPage(QObject *O)
{
    for (const auto &[obj, page] : FPages)
        if (obj && obj == O)
            FUi->SettingsTab->setCurrentWidget(page);
}

QObject *TGraphEdit::ActivePageObject() const { return PageObject(FUi->SettingsTab->currentWidget()); }

// ---------------------------------------------------------------------------------------
// Style tool bar: the caption font of the current page (the line of a series)

namespace {
const char *const FontProps[] = {"CaptionFont", "Font", "LabelFont"};
QByteArray FontProperty(const QObject *O)
{
    for (const char *p : FontProps)
        if (O && qobject_cast<TKvFont *>(O->property(p).value<QObject *>()))
            return p;
    return {};
}
} // namespace

TKvFont *TGraphEdit::PageFont() const
{
    QObject *o = ActivePageObject();
    const QByteArray p = FontProperty(o);
    return p.isEmpty() ? nullptr : qobject_cast<TKvFont *>(o->property(p.constData()).value<QObject *>());
}

TKvSimpleLineSettings *TGraphEdit::PageLine() const
{
    auto *s = qobject_cast<TKvSeries *>(ActivePageObject());
    return s ? s->Line() : nullptr;
}

void TGraphEdit::UpdateStyleBar()
{
    FUpdatingStyleBar = true;
    TKvFont *font = PageFont();
    TKvSimpleLineSettings *line = PageLine();
    for (QWidget *w : std::initializer_list<QWidget *>{FUi->BoldButton, FUi->ItalicButton, FUi->UnderlineButton,
                                                       FUi->FontButton, FUi->FontsCombo})
        w->setEnabled(font);
    FUi->SelColorPick->setEnabled(font || line);
    if (font) {
        FUi->BoldButton->setChecked(font->Bold());
        FUi->ItalicButton->setChecked(font->Italic());
        FUi->UnderlineButton->setChecked(font->Underline());
        FUi->FontsCombo->setCurrentFont(QFont(font->Name()));
    }
    if (line || font)
        FUi->SelColorPick->SetActiveColor(line ? line->Color() : font->Color());
    FUi->UndoButton->setEnabled(FUndoStack && FUndoStack->CanUndo());
    FUi->RedoButton->setEnabled(FUndoStack && FUndoStack->CanRedo());
    FUi->UndoButton->setToolTip(FUndoStack && FUndoStack->CanUndo() ? tr("Undo: %1").arg(FUndoStack->UndoText()) : tr("Undo"));
    FUi->RedoButton->setToolTip(FUndoStack && FUndoStack->CanRedo() ? tr("Redo: %1").arg(FUndoStack->RedoText()) : tr("Redo"));
    FUpdatingStyleBar = false;
}

void TGraphEdit::ChangeStyle(const QString &Description, QObject *Target, const std::function<void()> &Change)
{
    if (FUndoStack)
        FUndoStack->PushChange({Target}, Description, [&] {
            Change();
            return true;
        });
    else
        Change();
    if (QWidget *page = FUi->SettingsTab->currentWidget())
        for (auto *f : page->findChildren<TKvSettingsFrame *>())
            f->UpdateCombos();
    UpdateStyleBar();
}

void TGraphEdit::SelColorPickChange()
{
    const TKvColor c = FUi->SelColorPick->ActiveColor();
    if (TKvSimpleLineSettings *line = PageLine())
        ChangeStyle(tr("Change line color"), line, [&] { line->SetColor(c); });
    else if (TKvFont *font = PageFont())
        ChangeStyle(tr("Change caption color"), font, [&] { font->SetColor(c); });
}

void TGraphEdit::FontsComboChange()
{
    if (TKvFont *font = PageFont(); font && !FUpdatingStyleBar)
        ChangeStyle(tr("Change font"), font, [&] { font->SetName(FUi->FontsCombo->currentFont().family()); });
}

void TGraphEdit::StyleButtonClick()
{
    if (TKvFont *font = PageFont(); font && !FUpdatingStyleBar)
        ChangeStyle(tr("Change font style"), font, [&] {
            font->SetBold(FUi->BoldButton->isChecked());
            font->SetItalic(FUi->ItalicButton->isChecked());
            font->SetUnderline(FUi->UnderlineButton->isChecked());
        });
}

void TGraphEdit::FontButtonClick()
{
    RunGuarded(this, [this] {
        QObject *o = ActivePageObject();
        const QByteArray prop = FontProperty(o);
        TKvFont *font = PageFont();
        if (!font)
            return;
        auto edit = [&] { return EditPropertyDialog(o, prop, FUi->FontButton); };
        if (FUndoStack ? FUndoStack->PushChange({font}, tr("Change font"), edit) : edit())
            ChangeStyle(tr("Change font"), font, [] {});
    });
}

// ---------------------------------------------------------------------------------------
// Additions

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

std::pair<TKvAxisPosition, QString> TGraphEdit::AxisPlacement(QObject *Sender) const
{
    if (Sender == FUi->AxLeft)
        return {TKvAxisPosition::Left, QStringLiteral("LeftAxis")};
    if (Sender == FUi->AxBottom)
        return {TKvAxisPosition::Bottom, QStringLiteral("BottomAxis")};
    if (Sender == FUi->AxTop)
        return {TKvAxisPosition::Top, QStringLiteral("TopAxis")};
    return {TKvAxisPosition::Right, QStringLiteral("RightAxis")};
}

void TGraphEdit::AddAxisClick(QObject *Sender)
{
    if (!FGraph)
        return;
    const auto [position, base] = AxisPlacement(Sender);
    auto *a = new TKvAxis(GraphOwner());
    a->SetPosition(position);
    a->SetName(UniqueName(GraphOwner(), base));
    a->AttachToGraph(FGraph);
    UpdateCombos();
    SetActivPage(a);
    if (FUndoStack)
        FUndoStack->PushFreeComponent(a, _sAxisCreate());
}

void TGraphEdit::AddLineClick(QObject *Sender)
{
    const TComponentClass cls = SeriesClassOf(Sender);
    if (!FGraph || !cls)
        return;
    TComponent *c = CreateComponentOfClass(QString::fromLatin1(cls->className()), GraphOwner());
    c->SetName(UniqueName(GraphOwner(), QString::fromLatin1(cls->className() + 3)));
    // At run time a new series is drawn at once: against the graph's first axes.
    if (auto *s = ComponentCast<TKvSeries>(c)) {
        s->AttachToGraph(FGraph);
        s->SetXAxis(qobject_cast<TKvAxis *>(AxesOf(FGraph, true).value(0)));
        s->SetYAxis(qobject_cast<TKvAxis *>(AxesOf(FGraph, false).value(0)));
    }
    UpdateCombos();
    if (FUndoStack)
        FUndoStack->PushFreeComponent(c, _sSeriesCreate());
    SetActivPage(c->AsObject());
}

void TGraphEdit::AddVectorButtonClick(QObject *)
{
    if (!FGraph)
        return;
    auto *v = new TKvDoubleVector(GraphOwner());
    v->SetName(UniqueName(GraphOwner(), QStringLiteral("DoubleVector")));
    if (FUndoStack)
        FUndoStack->PushFreeComponent(v, _sVecCreate());
    UpdateCombos();
}

void TGraphEdit::AddLegendButtonClick(QObject *)
{
    if (!FGraph)
        return;
    auto *l = new TKvLegend(GraphOwner());
    l->SetPosition(TKvLegendPosition::Free);
    l->SetName(UniqueName(GraphOwner(), QStringLiteral("Legend")));
    l->SetCaption(TKvRichCaption(l->Name()));
    l->AttachToGraph(FGraph);
    AddLegendPage(l);
    SetActivPage(l);
    if (FUndoStack)
        FUndoStack->PushFreeComponent(l, _sLegendCreate());
    FUi->AddLegendButton->setEnabled(false);
}

void TGraphEdit::DropDnClick(QObject *Sender)
{
    auto *b = qobject_cast<QToolButton *>(Sender);
    if (!b)
        return;
    if (QAction *a = FLastChosen.value(b))
        a->trigger();
    else
        b->showMenu();
}
