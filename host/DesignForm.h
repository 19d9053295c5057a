#pragma once
// The designed form: the root component of what the designer edits. Visual components are its
// child widgets and draw themselves live; non-visual ones are drawn as icon tiles by the
// designer's overlay (DesignOverlay.h), which lies over everything so that the components never
// see the mouse while they are designed.
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <functional>

#include "Controls.h"

class TDesignForm : public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TDesignForm(QWidget *AParent = nullptr);
    ~TDesignForm() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);

    // Non-visual components: a 28 x 28 tile with the package's 24 x 24 bitmap, caption below.
    static constexpr int TileSize = 28;
    static constexpr int GridSize = 8;
    static constexpr int CaptionHeight = 14;
    QRect TileRect(const TComponent *Component) const;    // the tile itself
    QRect TileHitRect(const TComponent *Component) const; // tile and caption
    // The picture of a class on its tile (the palette bitmap); the generic glyph when unset.
    using TIconProvider = std::function<QPixmap(const QString &ClassName)>;
    void SetIconProvider(TIconProvider Provider);
    QPixmap Icon(const QString &ClassName) const;

    // The component at a point of the form (tiles first, then controls, topmost first); nil: none.
    TComponent *ComponentAt(const QPoint &Pos) const;

signals:
    void CaptionChanged(const QString &Caption);
    // The pictures of the tiles changed.
    void IconsChanged();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString FCaption = QStringLiteral("Form1");
    TIconProvider FIconProvider;
};
