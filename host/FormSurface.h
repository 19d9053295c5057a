#pragma once
// The designed form as the designer shows it: a window with its caption and the dotted
// alignment grid of its client area. The components placed on it are its children.
#include <QWidget>

class TFormSurface : public QWidget {
    Q_OBJECT
public:
    explicit TFormSurface(QWidget *parent = nullptr);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    // Where the client area starts, in the surface's coordinates.
    QRect ClientRect() const;
    int GridSize() const { return 8; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString FCaption;
};
