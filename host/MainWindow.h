#pragma once
// The IDE's main window: menus, the component palette, and the designer area with the form
// being designed.
#include <QHash>
#include <QMainWindow>
#include <QPixmap>

class QAction;
class QListWidget;
class QMenu;
class QScrollArea;
class THostIDE;
class TComponentPalette;
class TFormSurface;
class TFormDesigner;
class TPropertyGrid;

class TMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainWindow(THostIDE *Host, QWidget *parent = nullptr);
    ~TMainWindow() override;

    TComponentPalette *Palette() const { return FPalette; }
    TFormSurface *Form() const { return FForm; }
    // The designer of the form in the centre: the Object Inspector and scripts work through it.
    TFormDesigner *Designer() const { return FDesigner; }
    TPropertyGrid *Inspector() const { return FInspector; }

public slots:
    void ShowAbout();
    void InstallPackage();
    // Unloads the package and takes it off the known-packages list.
    void RemovePackage(const QString &Name);
    // File menu. Open and save report failures in a message box; New and Open ask first when
    // the form has unsaved changes.
    void NewForm();
    void OpenForm();
    bool SaveForm();
    bool SaveFormAs();
    // Opens the demo form that the IDE carries (what kvide shows at start).
    void OpenDemoForm();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateMessageView();
    void CreateLoadProgress();
    bool ConfirmDiscard();
    void ShowLoadMessages(const QStringList &Messages);
    void UpdateTitle();
    void UpdatePackageMenu();
    void UpdateStatus();
    THostIDE *FHost;
    TComponentPalette *FPalette;
    QScrollArea *FDesignArea;
    TFormSurface *FForm;
    TFormDesigner *FDesigner;
    TPropertyGrid *FInspector;
    QList<QAction *> FFormActions; // editing keys that work while the form has the focus
    QMenu *FRemoveMenu;
    QListWidget *FMessages = nullptr; // the message area
    QHash<QString, QPixmap> FIconCache; // the tiles' pictures by class
    qreal FIconRatio = 0;               // the screen resolution they were made for
};
