#pragma once
// The IDE's about box: its own name and version, and the installed products that packages
// added through the about-box service, each with its picture, title, description and
// version text.
#include <QDialog>

class TAboutBoxServices;
class QVBoxLayout;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(TAboutBoxServices *AboutBox, QWidget *parent = nullptr);

public slots:
    // Lists the service's entries anew.
    void Refresh();

private:
    TAboutBoxServices *FAboutBox;
    QVBoxLayout *FProducts;
};
