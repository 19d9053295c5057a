#include "DesignOverlay.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "DesignForm.h"
#include "DesignIntf.h"
#include "FormComponents.h"

namespace {
constexpr int HandleSize = 6;
} // namespace

TDesignOverlay::TDesignOverlay(TDesignForm *Form, IDesigner *Designer) : QWidget(Form), FForm(Form), FDesigner(Designer)
{
    setObjectName(QStringLiteral("DesignOverlay"));
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setGeometry(Form->rect());
    Form->installEventFilter(this);
    connect(Form, &TDesignForm::IconsChanged, this, qOverload<>(&QWidget::update));
}

// Covers the form whatever its size, and stays above the controls placed on it.
bool TDesignOverlay::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FForm) {
        if (Event->type() == QEvent::Resize)
            setGeometry(FForm->rect());
        else if (Event->type() == QEvent::ChildAdded)
            raise();
    }
    return QWidget::eventFilter(Watched, Event);
}

QList<TComponent *> TDesignOverlay::Selection() const { return FDesigner->GetSelections(); }

QList<QRect> TDesignOverlay::Handles(const QRect &R)
{
    const int l = R.left() - HandleSize / 2, t = R.top() - HandleSize / 2;
    const int cx = R.center().x() - HandleSize / 2 + 1, cy = R.center().y() - HandleSize / 2 + 1;
    const int r = R.right() - HandleSize / 2 + 1, b = R.bottom() - HandleSize / 2 + 1;
    const QSize s(HandleSize, HandleSize);
    return {QRect(QPoint(l, t), s), QRect(QPoint(cx, t), s), QRect(QPoint(r, t), s), QRect(QPoint(r, cy), s),
            QRect(QPoint(r, b), s), QRect(QPoint(cx, b), s), QRect(QPoint(l, b), s), QRect(QPoint(l, cy), s)};
}

QPoint TDesignOverlay::Snap(const QPoint &P)
{
    const int g = TDesignForm::GridSize;
    return QPoint((P.x() + g / 2) / g * g, (P.y() + g / 2) / g * g);
}

int TDesignOverlay::HandleAt(const QPoint &Pos) const
{
    const QList<TComponent *> sel = Selection();
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

void TDesignOverlay::paintEvent(QPaintEvent *Event)
{
    QPainter p(this);
    PaintTiles(p, Event->rect());
    PaintSelection(p);
    if (!FRubber.isEmpty()) {
        p.setPen(QPen(QColor(40, 40, 40), 1, Qt::DashLine));
        p.setBrush(QColor(51, 153, 255, 40));
        p.drawRect(FRubber.adjusted(0, 0, -1, -1));
    }
}

void TDesignOverlay::ComponentsChanged()
{
    FTilesValid = false;
    raise();
    update();
}

const QList<TDesignOverlay::TTile> &TDesignOverlay::Tiles()
{
    if (FTilesValid && FTilesFor == FForm->ComponentCount())
        return FTiles;
    FTiles.clear();
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        TComponent *c = FForm->Components(i);
        if (!qobject_cast<QWidget *>(c->AsObject()))
            FTiles.append({c->AsObject(), c, FForm->TileHitRect(c)});
    }
    FTilesValid = true;
    FTilesFor = FForm->ComponentCount();
    return FTiles;
}

// Non-visual components as tiles; only those in the area to paint.
void TDesignOverlay::PaintTiles(QPainter &P, const QRect &Area)
{
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    P.setFont(f);
    for (const TTile &t : Tiles()) {
        if (!t.Hit.intersects(Area) || !t.Object)
            continue;
        TComponent *c = t.Component;
        const QRect hit = t.Hit;
        const QRect tile = FForm->TileRect(c);
        P.setPen(QColor(128, 128, 128));
        P.setBrush(QColor(240, 240, 240));
        P.drawRect(tile.adjusted(0, 0, -1, -1));
        P.setPen(Qt::white);
        P.drawLine(tile.left() + 1, tile.top() + 1, tile.right() - 1, tile.top() + 1);
        P.drawLine(tile.left() + 1, tile.top() + 1, tile.left() + 1, tile.bottom() - 1);
        // The picture at the screen's resolution, in the middle of its 24-pixel place.
        const QPixmap icon = FForm->Icon(c->ClassName());
        const QSize size = icon.deviceIndependentSize().toSize();
        P.drawPixmap(tile.left() + 2 + (24 - size.width()) / 2, tile.top() + 2 + (24 - size.height()) / 2, icon);
        const QRect caption(hit.left(), tile.bottom() + 2, hit.width(), TDesignForm::CaptionHeight);
        P.setPen(palette().color(QPalette::WindowText));
        P.drawText(caption, Qt::AlignHCenter | Qt::AlignTop, P.fontMetrics().elidedText(c->Name(), Qt::ElideRight, caption.width()));
    }
}

// Black handles for one component, grey ones for a multiple selection.
void TDesignOverlay::PaintSelection(QPainter &P)
{
    const QList<TComponent *> sel = Selection();
    const QColor handleColor = sel.size() == 1 ? Qt::black : QColor(128, 128, 128);
    for (TComponent *c : sel) {
        if (c == FForm)
            continue;
        auto *w = qobject_cast<QWidget *>(c->AsObject());
        const QRect r = w ? w->geometry() : FForm->TileRect(c).adjusted(-2, -2, 2, 2);
        if (!w) {
            P.setPen(QPen(handleColor, 1, Qt::DotLine));
            P.setBrush(Qt::NoBrush);
            P.drawRect(r.adjusted(0, 0, -1, -1));
        }
        P.setPen(Qt::NoPen);
        P.setBrush(handleColor);
        const QList<QRect> hs = Handles(r);
        for (int i = 0; i < hs.size(); ++i)
            if (w || i % 2 == 0)
                P.drawRect(hs[i]);
    }
}

void TDesignOverlay::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    FStart = FLast = e->position().toPoint();
    FMoved = false;
    setFocus();
    if (FPlacing) {
        FDrag = TDrag::Place;
        return;
    }
    FHandle = HandleAt(FStart);
    if (FHandle >= 0) {
        FDrag = TDrag::Resize;
        FStartGeometry = qobject_cast<QWidget *>(Selection().first()->AsObject())->geometry();
        return;
    }
    TComponent *hit = FForm->ComponentAt(FStart);
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    QList<TComponent *> sel = Selection();
    if (!hit) {
        if (!shift)
            emit selectionRequested({});
        FDrag = TDrag::Rubber;
        return;
    }
    if (shift) {
        // Shift toggles the component in the selection; the form itself leaves it.
        sel.removeOne(FForm);
        if (!sel.removeOne(hit))
            sel << hit;
        emit selectionRequested(sel);
        FDrag = TDrag::None;
        return;
    }
    if (!sel.contains(hit))
        emit selectionRequested({hit});
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
            emit moveRequested(total - done);
        break;
    }
    case TDrag::Resize: {
        QRect r = FStartGeometry;
        const QPoint d = Snap(pos - FStart);
        if (FHandle == 0 || FHandle == 6 || FHandle == 7) r.setLeft(qMin(r.left() + d.x(), r.right() - 4));
        if (FHandle == 2 || FHandle == 3 || FHandle == 4) r.setRight(qMax(r.right() + d.x(), r.left() + 4));
        if (FHandle == 0 || FHandle == 1 || FHandle == 2) r.setTop(qMin(r.top() + d.y(), r.bottom() - 4));
        if (FHandle == 4 || FHandle == 5 || FHandle == 6) r.setBottom(qMax(r.bottom() + d.y(), r.top() + 4));
        if (!Selection().isEmpty())
            emit boundsRequested(Selection().first(), r);
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
    if (e->button() != Qt::LeftButton)
        return;
    const TDrag drag = std::exchange(FDrag, TDrag::None);
    const QRect band = std::exchange(FRubber, QRect());
    update();
    switch (drag) {
    case TDrag::Move:
    case TDrag::Resize:
        if (FMoved)
            emit dragFinished(drag == TDrag::Move ? QStringLiteral("Move") : QStringLiteral("Size"));
        break;
    case TDrag::Rubber: {
        QList<TComponent *> hits = (e->modifiers() & Qt::ShiftModifier) ? Selection() : QList<TComponent *>();
        for (int i = 0; i < FForm->ComponentCount(); ++i) {
            TComponent *c = FForm->Components(i);
            auto *w = qobject_cast<QWidget *>(c->AsObject());
            const QRect r = w ? w->geometry() : FForm->TileRect(c);
            if (band.intersects(r) && !hits.contains(c))
                hits << c;
        }
        // A plain click on the form's ground selects the form itself, as IDEs do.
        if (hits.isEmpty() && !FMoved)
            hits << FForm;
        emit selectionRequested(hits);
        break;
    }
    case TDrag::Place: {
        const QPoint at = Snap(band.isEmpty() || !FMoved ? FStart : band.topLeft());
        const QSize size = FMoved && band.width() > 8 && band.height() > 8 ? band.size() : QSize();
        emit placeRequested(at, size);
        break;
    }
    case TDrag::None:
        break;
    }
}

void TDesignOverlay::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || FPlacing)
        return;
    TComponent *hit = FForm->ComponentAt(e->position().toPoint());
    if (!hit)
        return;
    FDrag = TDrag::None;
    emit selectionRequested({hit});
    emit editRequested(hit);
}

void TDesignOverlay::contextMenuEvent(QContextMenuEvent *e)
{
    TComponent *hit = FForm->ComponentAt(e->pos());
    if (hit && !Selection().contains(hit))
        emit selectionRequested({hit});
    emit contextMenuRequested(hit, e->globalPos());
}
