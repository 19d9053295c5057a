#pragma once
// The IDE's start-up splash screen: its own name and version, a row per plug-in picture that
// a package added through the splash-screen service, and what is being loaded.
#include <QWidget>

class TSplashScreenServices;

class TSplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit TSplashWindow(TSplashScreenServices *Splash, QWidget *parent = nullptr);
    QString Status() const { return FStatus; }
    // Where the picture of the plug-in in that row is drawn (24 x 24).
    QRect PictureRect(int Row) const;
    // How many plug-in rows fit.
    int RowCapacity() const;

public slots:
    void SetStatus(const QString &Text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TSplashScreenServices *FSplash;
    QString FStatus;
};
