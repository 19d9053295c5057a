#pragma once
// The IDE's main window: menus, the component palette, and the designer area with the form
// being designed.
#include <QMainWindow>

class QMenu;
class QScrollArea;
class THostIDE;
class TComponentPalette;
class TFormSurface;

class TMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainWindow(THostIDE *Host, QWidget *parent = nullptr);

    TComponentPalette *Palette() const { return FPalette; }
    TFormSurface *Form() const { return FForm; }

public slots:
    void ShowAbout();
    void InstallPackage();
    // Unloads the package and takes it off the known-packages list.
    void RemovePackage(const QString &Name);

private:
    void UpdatePackageMenu();
    void UpdateStatus();
    THostIDE *FHost;
    TComponentPalette *FPalette;
    QScrollArea *FDesignArea;
    TFormSurface *FForm;
    QMenu *FRemoveMenu;
};
