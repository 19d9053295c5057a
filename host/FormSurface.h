#pragma once
// The designed form as the designer shows it: a window frame with the form's caption around
// the form itself (TDesignForm), which fills the client area. The frame follows the form's
// size and caption.
#include <QWidget>

class TDesignForm;

class TFormSurface : public QWidget {
    Q_OBJECT
public:
    explicit TFormSurface(QWidget *parent = nullptr);
    QString Caption() const;
    void SetCaption(const QString &Value);
    // Where the client area starts, in the surface's coordinates.
    QRect ClientRect() const;
    int GridSize() const { return 8; }
    TDesignForm *Form() const { return FForm; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FitToForm();
    TDesignForm *FForm;
};
