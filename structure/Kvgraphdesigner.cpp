#include "Kvgraphdesigner.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QTabWidget>
#include <QToolButton>

#include "DesignEditors.h"
#include "Kvgraphsettingsfrm.h"
#include "Kvio.h"
#include "Kvlocalize.h"
#include "Kvrichlabel.h"
#include "Kvstyles.h"
#include "ui_Kvgraphdesigner.h"
#include "Graphics.h"

namespace {
// The picture of the general linear least squares entry: samples and the fitted sum.
QIcon GeneralLinearLeastSquaresImage()
{
    return DrawnIcon(QSize(16, 16), [&](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
        p.drawLine(QPointF(2.5, 1.5), QPointF(2.5, 13.5));
        p.drawLine(QPointF(2.5, 13.5), QPointF(14.5, 13.5));
        QPainterPath curve(QPointF(3.5, 11));
        curve.cubicTo(7, 11, 8, 3, 14.5, 3.5);
        p.setPen(QPen(QColor(0x80, 0x30, 0xA0), 1.5));
        p.drawPath(curve);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x70, 0x70, 0x70));
        for (const QPointF &s : {QPointF(5, 9.5), QPointF(8.5, 8), QPointF(12, 5.5)})
            p.drawEllipse(s, 1.4, 1.4);
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0x80, 0x30, 0xA0));
        p.drawText(QRectF(3, 0, 8, 8), Qt::AlignCenter, QString(QChar(0x03A3)));
    });
}

// A designer that passes everything on to the form's designer but keeps the change reports
// of one dialog opened from a page: the graph designer reports once, when it closes.
class TPageDesigner : public IDesigner {
public:
    explicit TPageDesigner(IDesigner *Inner) : FInner(Inner) {}
    bool Changed = false;
    void Modified() override { Changed = true; }
    TComponent *CreateComponent(TComponentClass C, TComponent *Parent, int L, int T, int W, int H) override
    {
        return FInner ? FInner->CreateComponent(C, Parent, L, T, W, H) : nullptr;
    }
    TComponent *GetRoot() override { return FInner ? FInner->GetRoot() : nullptr; }
    void GetComponentNames(TComponentClass C, const TGetStrProc &Proc) override
    {
        if (FInner)
            FInner->GetComponentNames(C, Proc);
    }
    TComponent *GetComponent(const QString &Name) override { return FInner ? FInner->GetComponent(Name) : nullptr; }
    QString GetComponentName(TComponent *C) override { return FInner ? FInner->GetComponentName(C) : QString(); }
    QList<TComponent *> GetSelections() override { return FInner ? FInner->GetSelections() : QList<TComponent *>(); }
    void SelectComponent(TComponent *C) override
    {
        if (FInner)
            FInner->SelectComponent(C);
    }
private:
    IDesigner *FInner;
};

// The Object Inspector's dialog for a property (the editor the package registered for its
// type), or nothing when that editor has no dialog.
std::optional<bool> EditInObjectInspectorDialog(IDesigner *Designer, QObject *Instance, const QByteArray &Prop)
{
    const PPropInfo info = GetPropInfo(Instance, QString::fromLatin1(Prop));
    const TPropertyEditorClass cls = info ? GetEditorClass(info, Instance->metaObject()) : TPropertyEditorClass();
    if (!cls)
        return std::nullopt;
    TPageDesigner designer(Designer);
    const std::unique_ptr<TPropertyEditor> editor(cls.Create(&designer, 1));
    editor->SetPropEntry(0, Instance, info);
    editor->Initialize();
    if (!editor->GetAttributes().Contains(paDialog))
        return std::nullopt;
    editor->Edit();
    return designer.Changed;
}
} // namespace

TDsgnGraphEdit::TDsgnGraphEdit(QWidget *AOwner)
    : TGraphEdit(AOwner, DeferFormCreate), FUi(std::make_unique<Ui::TDsgnGraphEdit>())
{
    // The stored form inherits the runtime form's description; what it stores of its own is
    // the caption, the position and the series menu's extra entry with its picture.
    FUi->setupUi(this);
    setObjectName(QStringLiteral("DsgnGraphEdit"));
    move(441, 97);
    SeriesMenu()->insertAction(SeriesMenu()->actions().value(12), FUi->AddGeneralLinearLeastSquares);
    QList<QIcon> images = DefaultTopButtonImages();
    images << GeneralLinearLeastSquaresImage();
    SetTopButtonImages(images);

    Bind(FUi->AddGeneralLinearLeastSquares, static_cast<THandler>(&TDsgnGraphEdit::AddLineClick));
    // The pages open the settings dialogs of the Object Inspector.
    for (const QMetaType type : {QMetaType::fromType<TKvLineSettings *>(), QMetaType::fromType<TKvSimpleLineSettings *>(),
                                 QMetaType::fromType<TKvAreaSettings *>(), QMetaType::fromType<TKvGradientSettings *>(),
                                 QMetaType::fromType<TKvPointSymbolSettings *>(), QMetaType::fromType<TKvArrowSettings *>(),
                                 QMetaType::fromType<TKvAxisArrowPoint *>(), QMetaType::fromType<TKvFont *>(),
                                 QMetaType::fromType<TKvRichCaption>()})
        RegisterSettingsEditor(type, [this](QObject *Instance, const QByteArray &Prop, QWidget *) {
            return EditInObjectInspectorDialog(FormsDesigner, Instance, Prop);
        });
    FormCreate();
}

TDsgnGraphEdit::~TDsgnGraphEdit() = default;

QAction *TDsgnGraphEdit::AddGeneralLinearLeastSquares() const { return FUi->AddGeneralLinearLeastSquares; }

IDesigner *TDsgnGraphEdit::Designer() const
{
    if (!FormsDesigner)
        throw EComponentError(tr("The graph designer has no form designer to create components with"));
    return FormsDesigner;
}

void TDsgnGraphEdit::FormCreate()
{
    TGraphEdit::FormCreate();
    SetAsDesigner(true);
    SetZoomScrollPanningOptions(true);
    SetExtendedAxisOptions(true);
    SetExtendedBarLabelOptions(true);
    SetInteractiveCalculationRanges(false);
    SetShowOutliersSupport(true);
    SetShowFitCovariance(true);
}

TKvGraph2D *TDsgnGraphEdit::GetActiveGraph() const
{
    if (QWidget *page = SettingsTab()->currentWidget())
        if (auto *frame = qobject_cast<TKvGraphSettingsFrame *>(
                page->findChild<QWidget *>(QStringLiteral("GraphFrame"), Qt::FindDirectChildrenOnly));
            frame && frame->Graph())
            return frame->Graph();
    return Graph();
}

void TDsgnGraphEdit::DropDnClick(QObject *Sender)
{
    // A plain click opens the menu, as a click on the arrow does.
    if (auto *button = qobject_cast<QToolButton *>(Sender))
        button->showMenu();
}

void TDsgnGraphEdit::AddAxisClick(QObject *Sender)
{
    TKvGraph2D *g = GetActiveGraph();
    TKvUndoStack *undo = UndoStack();
    if (undo)
        undo->SetRecording(false);
    auto *axis = new TKvAxis(g->Owner());
    axis->AttachToGraph(g);
    const auto [position, base] = AxisPlacement(Sender);
    axis->SetPosition(position);
    axis->SetName(UniqueName(g->Owner(), base));
    Graph()->AddAxis(axis);
    UpdateCombos();
    for (int i = 0; i < SettingsTab()->count(); ++i)
        if (auto *frame = qobject_cast<TKvGraphSettingsFrame *>(
                SettingsTab()->widget(i)->findChild<QWidget *>(QStringLiteral("GraphFrame"), Qt::FindDirectChildrenOnly)))
            frame->UpdateCombos();
    SetActivPage(axis);
    axis->Calculate();
    double start = axis->Start(), stop = axis->Stop();
    axis->RoundEnds(start, stop);
    axis->CalculateTicks();
    axis->Modified();
    if (undo) {
        undo->SetRecording(true);
        undo->PushFreeComponent(axis, _sAxisCreate());
    }
}

void TDsgnGraphEdit::AddLineClick(QObject *Sender)
{
    TKvUndoStack *undo = UndoStack();
    if (undo)
        undo->SetRecording(false);
    TComponent *created = Designer()->CreateComponent(SeriesClassOf(Sender), GraphOwner(), 0, 0, 0, 0);
    if (!created)
        throw EComponentError(tr("The form designer created no component"));
    UpdateCombos();
    if (undo) {
        undo->SetRecording(true);
        undo->PushFreeComponent(created, _sSeriesCreate());
    }
    SetActivPage(created->AsObject());
}

void TDsgnGraphEdit::AddVectorButtonClick(QObject *)
{
    TComponent *vector = Designer()->CreateComponent(&TKvDoubleVector::staticMetaObject, GraphOwner(), 0, 0, 0, 0);
    if (TKvUndoStack *undo = UndoStack())
        undo->PushFreeComponent(vector, _sVecCreate());
    UpdateCombos();
}

void TDsgnGraphEdit::AddLegendButtonClick(QObject *)
{
    TKvGraph2D *g = GetActiveGraph();
    TKvUndoStack *undo = UndoStack();
    if (undo)
        undo->SetRecording(false);
    auto *legend = new TKvLegend(g->Owner());
    legend->SetPosition(TKvLegendPosition(8));
    const QString name = UniqueName(g->Owner(), QStringLiteral("Legend"));
    legend->SetName(name);
    legend->SetCaption(TKvRichCaption(name));
    legend->AttachToGraph(g);
    AddLegendPage(legend);
    SetActivPage(legend);
    if (undo) {
        undo->SetRecording(true);
        undo->PushFreeComponent(legend, _sLegendCreate());
    }
    AddLegendButton()->setEnabled(false);
}
