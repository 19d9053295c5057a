#include "DesignForm.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <memory>
#include <QPainter>

#include "FormDesigner.h"
#include "FormStreaming.h"
#include "Pictures.h"

namespace {
constexpr int HandleSize = 6;
constexpr int CaptionWidth = 72;
constexpr int CaptionHeight = 14;
} // namespace

TDesignForm::TDesignForm(QWidget *AParent) : TControl(nullptr, AParent)
{
    SetDesigning(true);
    SetName(QStringLiteral("Form1"));
    resize(632, 412);
    FOverlay = new TDesignOverlay(this);
}

TDesignForm::~TDesignForm()
{
    // The components go first, while the overlay that paints them and the form they sit on exist.
    Destroying();
}

void TDesignForm::SetCaption(const QString &Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    emit CaptionChanged(Value);
}

QRect TDesignForm::TileRect(const TComponent *Component) const
{
    return QRect(DesignPosition(Component->AsObject()), QSize(TileSize, TileSize));
}

QRect TDesignForm::TileHitRect(const TComponent *Component) const
{
    const QRect tile = TileRect(Component);
    return tile.united(QRect(tile.center().x() - CaptionWidth / 2, tile.bottom() + 1, CaptionWidth, CaptionHeight));
}

void TDesignForm::SetIconProvider(TIconProvider Provider)
{
    FIconProvider = std::move(Provider);
    FOverlay->update();
}

QPixmap TDesignForm::Icon(const QString &ClassName) const
{
    const QPixmap pm = FIconProvider ? FIconProvider(ClassName) : QPixmap();
    return pm.isNull() ? GenericComponentGlyph() : pm;
}

void TDesignForm::ComponentsChanged()
{
    FOverlay->raise();
    FOverlay->update();
}

TComponent *TDesignForm::ComponentAt(const QPoint &Pos) const
{
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        TComponent *c = Components(i);
        if (!qobject_cast<QWidget *>(c->AsObject()) && TileRect(c).contains(Pos))
            return c;
    }
    // Controls: the topmost child widget that is one of ours.
    const QObjectList kids = children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        auto *w = qobject_cast<QWidget *>(*it);
        TComponent *c = w ? AsComponent(w) : nullptr;
        if (c && c->Owner() == this && w->geometry().contains(Pos))
            return c;
    }
    return nullptr;
}

void TDesignForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    for (int y = GridSize; y < height(); y += GridSize)
        for (int x = GridSize; x < width(); x += GridSize)
            p.drawPoint(x, y);
}

void TDesignForm::resizeEvent(QResizeEvent *e)
{
    TControl::resizeEvent(e);
    FOverlay->setGeometry(rect());
}

// ---------------------------------------------------------------------------------------
TDesignOverlay::TDesignOverlay(TDesignForm *Form) : QWidget(Form), FForm(Form)
{
    setObjectName(QStringLiteral("DesignOverlay"));
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setGeometry(Form->rect());
}

void TDesignOverlay::SetDesigner(TFormDesigner *Designer)
{
    FDesigner = Designer;
    update();
}

QList<QRect> TDesignOverlay::Handles(const QRect &R)
{
    const int l = R.left() - HandleSize / 2, t = R.top() - HandleSize / 2;
    const int cx = R.center().x() - HandleSize / 2 + 1, cy = R.center().y() - HandleSize / 2 + 1;
    const int r = R.right() - HandleSize / 2 + 1, b = R.bottom() - HandleSize / 2 + 1;
    const QSize s(HandleSize, HandleSize);
    return {QRect(QPoint(l, t), s), QRect(QPoint(cx, t), s), QRect(QPoint(r, t), s), QRect(QPoint(r, cy), s),
            QRect(QPoint(r, b), s), QRect(QPoint(cx, b), s), QRect(QPoint(l, b), s), QRect(QPoint(l, cy), s)};
}

QPoint TDesignOverlay::Snap(const QPoint &P) const
{
    const int g = TDesignForm::GridSize;
    return QPoint((P.x() + g / 2) / g * g, (P.y() + g / 2) / g * g);
}

int TDesignOverlay::HandleAt(const QPoint &Pos) const
{
    if (!FDesigner)
        return -1;
    const QList<TComponent *> sel = FDesigner->Selection();
    if (sel.size() != 1 || sel.first() == FForm) // the form is sized by its frame, not by handles
        return -1;
    auto *w = qobject_cast<QWidget *>(sel.first()->AsObject());
    if (!w)
        return -1;
    const QList<QRect> hs = Handles(w->geometry());
    for (int i = 0; i < hs.size(); ++i)
        if (hs[i].adjusted(-1, -1, 1, 1).contains(Pos))
            return i;
    return -1;
}

void TDesignOverlay::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Non-visual components as tiles.
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        TComponent *c = FForm->Components(i);
        if (qobject_cast<QWidget *>(c->AsObject()))
            continue;
        const QRect tile = FForm->TileRect(c);
        p.setPen(QColor(128, 128, 128));
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(tile.adjusted(0, 0, -1, -1));
        p.setPen(Qt::white);
        p.drawLine(tile.left() + 1, tile.top() + 1, tile.right() - 1, tile.top() + 1);
        p.drawLine(tile.left() + 1, tile.top() + 1, tile.left() + 1, tile.bottom() - 1);
        p.drawPixmap(tile.left() + 2, tile.top() + 2, FForm->Icon(c->ClassName()).scaled(24, 24));
        const QRect hit = FForm->TileHitRect(c);
        const QRect caption(hit.left(), tile.bottom() + 2, hit.width(), CaptionHeight);
        QFont f = font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        p.setFont(f);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(caption, Qt::AlignHCenter | Qt::AlignTop,
                   p.fontMetrics().elidedText(c->Name(), Qt::ElideRight, caption.width()));
    }
    if (!FDesigner)
        return;
    // Selection: black handles for one control, grey ones for a multiple selection.
    const QList<TComponent *> sel = FDesigner->Selection();
    const QColor handleColor = sel.size() == 1 ? Qt::black : QColor(128, 128, 128);
    for (TComponent *c : sel) {
        if (c == FForm)
            continue;
        auto *w = qobject_cast<QWidget *>(c->AsObject());
        const QRect r = w ? w->geometry() : FForm->TileRect(c).adjusted(-2, -2, 2, 2);
        if (!w) {
            p.setPen(QPen(handleColor, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(handleColor);
        const QList<QRect> hs = Handles(r);
        for (int i = 0; i < hs.size(); ++i)
            if (w || i % 2 == 0)
                p.drawRect(hs[i]);
    }
    if (!FRubber.isEmpty()) {
        p.setPen(QPen(QColor(40, 40, 40), 1, Qt::DashLine));
        p.setBrush(QColor(51, 153, 255, 40));
        p.drawRect(FRubber.adjusted(0, 0, -1, -1));
    }
}

void TDesignOverlay::mousePressEvent(QMouseEvent *e)
{
    if (!FDesigner || e->button() != Qt::LeftButton)
        return;
    FStart = FLast = e->position().toPoint();
    FMoved = false;
    setFocus();
    if (!FDesigner->PlacingClass().isEmpty()) {
        FDrag = TDrag::Place;
        return;
    }
    FHandle = HandleAt(FStart);
    if (FHandle >= 0) {
        FDrag = TDrag::Resize;
        FStartGeometry = qobject_cast<QWidget *>(FDesigner->Selection().first()->AsObject())->geometry();
        return;
    }
    TComponent *hit = FForm->ComponentAt(FStart);
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    if (!hit) {
        if (!shift)
            FDesigner->SetSelection({});
        FDrag = TDrag::Rubber;
        return;
    }
    if (shift) {
        FDesigner->Select(hit, true);
        FDrag = TDrag::None;
        return;
    }
    if (!FDesigner->IsSelected(hit))
        FDesigner->Select(hit);
    FDrag = TDrag::Move;
}

void TDesignOverlay::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    if (FDrag == TDrag::None) {
        static const Qt::CursorShape shapes[] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor,
                                                 Qt::SizeHorCursor,   Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                                 Qt::SizeBDiagCursor, Qt::SizeHorCursor};
        const int h = HandleAt(pos);
        setCursor(h >= 0 ? shapes[h] : Qt::ArrowCursor);
        return;
    }
    if ((pos - FStart).manhattanLength() >= 3)
        FMoved = true;
    switch (FDrag) {
    case TDrag::Move: {
        // Whole grid steps, measured from where the drag started.
        const QPoint total = Snap(pos - FStart), done = Snap(FLast - FStart);
        if (FMoved && total != done)
            FDesigner->MoveSelection(total - done, false);
        break;
    }
    case TDrag::Resize: {
        QRect r = FStartGeometry;
        const QPoint d = Snap(pos - FStart);
        if (FHandle == 0 || FHandle == 6 || FHandle == 7) r.setLeft(qMin(r.left() + d.x(), r.right() - 4));
        if (FHandle == 2 || FHandle == 3 || FHandle == 4) r.setRight(qMax(r.right() + d.x(), r.left() + 4));
        if (FHandle == 0 || FHandle == 1 || FHandle == 2) r.setTop(qMin(r.top() + d.y(), r.bottom() - 4));
        if (FHandle == 4 || FHandle == 5 || FHandle == 6) r.setBottom(qMax(r.bottom() + d.y(), r.top() + 4));
        FDesigner->SetBounds(FDesigner->Selection().first(), r, false);
        break;
    }
    case TDrag::Rubber:
    case TDrag::Place:
        FRubber = QRect(FStart, pos).normalized();
        update();
        break;
    case TDrag::None:
        break;
    }
    FLast = pos;
}

void TDesignOverlay::mouseReleaseEvent(QMouseEvent *e)
{
    if (!FDesigner || e->button() != Qt::LeftButton)
        return;
    const TDrag drag = FDrag;
    FDrag = TDrag::None;
    const QRect band = FRubber;
    FRubber = QRect();
    update();
    switch (drag) {
    case TDrag::Move:
        if (FMoved)
            FDesigner->Modified(QStringLiteral("Move"));
        break;
    case TDrag::Resize:
        if (FMoved)
            FDesigner->Modified(QStringLiteral("Size"));
        break;
    case TDrag::Rubber: {
        QList<TComponent *> hits = (e->modifiers() & Qt::ShiftModifier) ? FDesigner->Selection() : QList<TComponent *>();
        for (int i = 0; i < FForm->ComponentCount(); ++i) {
            TComponent *c = FForm->Components(i);
            auto *w = qobject_cast<QWidget *>(c->AsObject());
            const QRect r = w ? w->geometry() : FForm->TileRect(c);
            if (band.intersects(r) && !hits.contains(c))
                hits << c;
        }
        // A plain click on the form's ground selects the form itself, as IDEs do.
        if (hits.isEmpty() && !FMoved)
            hits << FDesigner->GetRoot();
        FDesigner->SetSelection(hits);
        break;
    }
    case TDrag::Place: {
        const QString cls = FDesigner->PlacingClass();
        const QPoint at = Snap(band.isEmpty() || !FMoved ? FStart : band.topLeft());
        const QSize size = FMoved && band.width() > 8 && band.height() > 8 ? band.size() : QSize();
        FDesigner->PlaceComponent(cls, at, size);
        break;
    }
    case TDrag::None:
        break;
    }
}

void TDesignOverlay::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!FDesigner || e->button() != Qt::LeftButton || !FDesigner->PlacingClass().isEmpty())
        return;
    TComponent *hit = FForm->ComponentAt(e->position().toPoint());
    if (!hit)
        return;
    FDrag = TDrag::None;
    FDesigner->Select(hit);
    RunComponentEditor(hit, -1);
}

void TDesignOverlay::RunComponentEditor(TComponent *Component, int Verb)
{
    const QString error = FDesigner->RunComponentEditor(Component, Verb);
    if (!error.isEmpty())
        QMessageBox::critical(window(), QApplication::applicationName(), error);
}

QMenu *TDesignOverlay::CreateContextMenu(TComponent *Component, QWidget *Parent)
{
    if (!FDesigner)
        return nullptr;
    auto *menu = new QMenu(Parent);
    menu->setObjectName(QStringLiteral("ComponentMenu"));
    QPointer<TFormDesigner> designer = FDesigner;
    const bool isRoot = !Component || Component == FDesigner->GetRoot();
    if (Component) {
        const QStringList verbs = FDesigner->ComponentVerbs(Component);
        const QString name = Component->Name();
        for (int i = 0; i < verbs.size(); ++i)
            menu->addAction(verbs[i], this, [this, designer, name, i] {
                // The verb runs after the menu closed; the component is found again by name.
                if (TComponent *c = designer ? designer->GetComponent(name) : nullptr)
                    RunComponentEditor(c, i);
            });
        if (!verbs.isEmpty())
            menu->addSeparator();
    }
    QAction *cut = menu->addAction(QStringLiteral("Cu&t"), FDesigner, &TFormDesigner::CutSelection);
    QAction *copy = menu->addAction(QStringLiteral("&Copy"), FDesigner, &TFormDesigner::CopySelection);
    menu->addAction(QStringLiteral("&Paste"), FDesigner, [designer] { if (designer) designer->Paste(); });
    QAction *del = menu->addAction(QStringLiteral("&Delete"), FDesigner, &TFormDesigner::DeleteSelection);
    for (QAction *a : {cut, copy, del})
        a->setEnabled(!isRoot);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Select &All"), FDesigner, &TFormDesigner::SelectAll);
    return menu;
}

void TDesignOverlay::contextMenuEvent(QContextMenuEvent *e)
{
    if (!FDesigner)
        return;
    TComponent *hit = FForm->ComponentAt(e->pos());
    if (hit && !FDesigner->IsSelected(hit))
        FDesigner->Select(hit);
    std::unique_ptr<QMenu> menu(CreateContextMenu(hit ? hit : FDesigner->GetRoot(), this));
    menu->exec(e->globalPos());
}
