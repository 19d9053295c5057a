#include "DesignForm.h"

#include <QPaintEvent>
#include <QPainter>

#include "FormComponents.h"
#include "Pictures.h"

namespace {
constexpr int CaptionWidth = 72;
} // namespace

TDesignForm::TDesignForm(QWidget *AParent) : TControl(nullptr, AParent)
{
    SetDesigning(true);
    SetName(QStringLiteral("Form1"));
    resize(632, 412);
}

// The components go first, while the form they sit on exists.
TDesignForm::~TDesignForm() { Destroying(); }

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
    emit IconsChanged();
}

QPixmap TDesignForm::Icon(const QString &ClassName) const
{
    const QPixmap pm = FIconProvider ? FIconProvider(ClassName) : QPixmap();
    return pm.isNull() ? GenericComponentGlyph(24, devicePixelRatioF()) : pm;
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

// The ground with the grid's dots, in the area to paint only.
void TDesignForm::paintEvent(QPaintEvent *Event)
{
    const QRect area = Event->rect();
    QPainter p(this);
    p.fillRect(area, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    const int left = qMax(GridSize, (area.left() + GridSize - 1) / GridSize * GridSize);
    const int top = qMax(GridSize, (area.top() + GridSize - 1) / GridSize * GridSize);
    for (int y = top; y <= area.bottom() && y < height(); y += GridSize)
        for (int x = left; x <= area.right() && x < width(); x += GridSize)
            p.drawPoint(x, y);
}
