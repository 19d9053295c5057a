#include "MainWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "AboutBox.h"
#include "ComponentPalette.h"
#include "DesignRegistry.h"
#include "FormSurface.h"
#include "HostIDE.h"
#include "Pictures.h"
#include "SysUtils.h"

TMainWindow::TMainWindow(THostIDE *Host, QWidget *parent) : QMainWindow(parent), FHost(Host)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("%1 - %2").arg(THostIDE::IDEName(), QStringLiteral("Form1")));
    setWindowIcon(IDEIcon());
    resize(1180, 760);

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    QAction *exit = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exit->setObjectName(QStringLiteral("ExitAction"));
    exit->setShortcut(QKeySequence::Quit);

    QMenu *component = menuBar()->addMenu(QStringLiteral("&Component"));
    component->setObjectName(QStringLiteral("ComponentMenu"));
    QAction *install = component->addAction(QStringLiteral("&Install Package..."), this, &TMainWindow::InstallPackage);
    install->setObjectName(QStringLiteral("InstallPackageAction"));
    FRemoveMenu = component->addMenu(QStringLiteral("&Remove Package"));
    FRemoveMenu->setObjectName(QStringLiteral("RemovePackageMenu"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    QAction *about = help->addAction(QStringLiteral("&About %1...").arg(THostIDE::IDEName()), this, &TMainWindow::ShowAbout);
    about->setObjectName(QStringLiteral("AboutAction"));

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FPalette = new TComponentPalette(FHost->Loader(), central);
    layout->addWidget(FPalette);

    // The designer area: the form on a dark ground, room to grow and scroll.
    FDesignArea = new QScrollArea(central);
    FDesignArea->setObjectName(QStringLiteral("DesignArea"));
    FDesignArea->setBackgroundRole(QPalette::Dark);
    FDesignArea->setFrameShape(QFrame::StyledPanel);
    auto *ground = new QWidget;
    ground->setObjectName(QStringLiteral("DesignGround"));
    FForm = new TFormSurface(ground);
    FForm->move(24, 24);
    ground->setMinimumSize(FForm->width() + 48, FForm->height() + 48);
    FDesignArea->setWidget(ground);
    FDesignArea->setWidgetResizable(true);
    layout->addWidget(FDesignArea, 1);
    setCentralWidget(central);

    connect(FPalette, &TComponentPalette::ClassSelected, this, [this](const QString &cls) {
        if (cls.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(QStringLiteral("%1 selected on the palette").arg(cls));
    });
    connect(FHost->Loader(), &TPackageLoader::PackageLoaded, this, [this] { UpdatePackageMenu(); UpdateStatus(); });
    connect(FHost->Loader(), &TPackageLoader::PackageUnloaded, this, [this] { UpdatePackageMenu(); UpdateStatus(); });
    UpdatePackageMenu();
    UpdateStatus();
}

void TMainWindow::UpdatePackageMenu()
{
    FRemoveMenu->clear();
    const QStringList names = FHost->Loader()->PackageNames();
    for (const QString &name : names) {
        // Queued: removing rebuilds this menu, and the action must not go while it fires.
        QAction *a = FRemoveMenu->addAction(
            name, this, [this, name] { QMetaObject::invokeMethod(this, [this, name] { RemovePackage(name); }, Qt::QueuedConnection); });
        a->setStatusTip(FHost->Loader()->FindPackage(name)->FileName);
    }
    FRemoveMenu->setEnabled(!names.isEmpty());
}

void TMainWindow::UpdateStatus()
{
    const TDesignRegistry &reg = TDesignRegistry::Instance();
    int classes = 0;
    for (const TPaletteRow &r : reg.PaletteRows())
        classes += int(r.Classes.size());
    const int packages = int(FHost->Loader()->PackageNames().size());
    auto *label = findChild<QLabel *>(QStringLiteral("PackagesStatus"));
    if (!label) {
        label = new QLabel(this);
        label->setObjectName(QStringLiteral("PackagesStatus"));
        statusBar()->addPermanentWidget(label);
    }
    label->setText(QStringLiteral("%1 package%2 loaded, %3 component%4 on the palette")
                       .arg(packages)
                       .arg(packages == 1 ? "" : "s")
                       .arg(classes)
                       .arg(classes == 1 ? "" : "s"));
}

void TMainWindow::ShowAbout()
{
    TAboutBox box(FHost->AboutBox(), this);
    box.exec();
}

void TMainWindow::InstallPackage()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Install Design Package"),
                                                      QApplication::applicationDirPath(),
                                                      QStringLiteral("Design packages (*.so);;All files (*)"));
    if (file.isEmpty())
        return;
    try {
        const QString name = FHost->Loader()->InstallPackage(file);
        statusBar()->showMessage(QStringLiteral("Package %1 installed").arg(name), 5000);
    } catch (const EPackageError &e) {
        QMessageBox::critical(this, QStringLiteral("Install Package"), e.Message());
    }
}

void TMainWindow::RemovePackage(const QString &Name)
{
    const TLoadedPackage *p = FHost->Loader()->FindPackage(Name);
    if (!p)
        return;
    const QString file = p->FileName;
    try {
        FHost->Loader()->UnloadPackage(Name);
        TPackageLoader::ForgetKnownPackage(file);
        statusBar()->showMessage(QStringLiteral("Package %1 removed").arg(Name), 5000);
    } catch (const EPackageError &e) {
        TPackageLoader::ForgetKnownPackage(file);
        QMessageBox::warning(this, QStringLiteral("Remove Package"), e.Message());
    }
}
