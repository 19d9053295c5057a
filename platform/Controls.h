#pragma once
// Visual components: QWidgets that are components, with the published position and size
// that a form designer moves and streams.
#include <QWidget>
#include "Classes.h"

class TControl : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName STORED false)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
public:
    explicit TControl(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    ~TControl() override;
    QObject *AsObject() override { return this; }

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int v) { move(v, y()); }
    void SetTop(int v) { move(x(), v); }
    void SetWidth(int v) { resize(qMax(0, v), height()); }
    void SetHeight(int v) { resize(width(), qMax(0, v)); }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) { setGeometry(ALeft, ATop, qMax(0, AWidth), qMax(0, AHeight)); }
    // Visible is the published value; a hidden control stays on the designed form so that it
    // can be selected, as in any form designer.
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &v) { setToolTip(v); }
    void Invalidate() { update(); }

private:
    bool FVisible = true;
};
