#include "MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QDockWidget>
#include <QListWidget>
#include <QElapsedTimer>
#include <QLayout>
#include <QMessageBox>
#include <QProgressBar>
#include <QTime>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "AboutBox.h"
#include "ComponentPalette.h"
#include "DemoForm.h"
#include "DesignForm.h"
#include "DesignRegistry.h"
#include "ErrorBox.h"
#include "FormDesigner.h"
#include "FormHistory.h"
#include "FormSurface.h"
#include "HostIDE.h"
#include "PropertyGrid.h"
#include "Pictures.h"
#include "SysUtils.h"

TMainWindow::TMainWindow(THostIDE *Host, QWidget *parent) : QMainWindow(parent), FHost(Host)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("%1 - %2").arg(THostIDE::IDEName(), QStringLiteral("Form1")));
    setWindowIcon(IDEIcon());
    resize(1280, 800);

    auto *central = new QWidget(this);
    FForm = new TFormSurface;
    FDesigner = new TFormDesigner(FForm->Form(), this);
    CreateFileMenu();
    CreateEditMenu();

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

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FPalette = new TComponentPalette(FHost->Loader(), central);
    layout->addWidget(FPalette);

    // The designer area: the form on a dark ground, room to grow and scroll.
    auto *split = new QSplitter(Qt::Horizontal, central);
    split->setObjectName(QStringLiteral("MainSplitter"));
    FInspector = new TPropertyGrid(split);
    FInspector->SetDesigner(FDesigner);
    split->addWidget(FInspector);
    FDesignArea = new QScrollArea(split);
    FDesignArea->setObjectName(QStringLiteral("DesignArea"));
    FDesignArea->setBackgroundRole(QPalette::Dark);
    FDesignArea->setFrameShape(QFrame::StyledPanel);
    auto *ground = new QWidget;
    ground->setObjectName(QStringLiteral("DesignGround"));
    FForm->setParent(ground);
    FForm->move(24, 24);
    ground->setMinimumSize(FForm->width() + 48, FForm->height() + 48);
    // Non-visual components show the palette bitmap of their class from its package, at the
    // form's screen resolution. Kept per class: the form paints every tile on each repaint, a
    // big form hundreds.
    FForm->Form()->SetIconProvider([this](const QString &cls) {
        const qreal ratio = FForm->Form()->devicePixelRatioF();
        if (!qFuzzyCompare(ratio, FIconRatio)) {
            FIconCache.clear();
            FIconRatio = ratio;
        }
        if (auto it = FIconCache.constFind(cls); it != FIconCache.constEnd())
            return *it;
        QPixmap pm;
        for (const TPaletteRow &row : TDesignRegistry::Instance().PaletteRows())
            for (TComponentClass c : row.Classes)
                if (pm.isNull() && QString::fromLatin1(c->className()) == cls)
                    pm = PaletteBitmap(*FHost->Loader(), row.Package, cls, 24, ratio);
        FIconCache.insert(cls, pm);
        return pm;
    });
    FDesignArea->setWidget(ground);
    FDesignArea->setWidgetResizable(true);
    FDesignArea->addActions(FFormActions);
    split->addWidget(FDesignArea);
    split->setStretchFactor(1, 1);
    split->setSizes({340, 940});
    layout->addWidget(split, 1);
    setCentralWidget(central);

    connect(FPalette, &TComponentPalette::ClassSelected, this, [this](const QString &cls) {
        if (cls.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(QStringLiteral("%1 selected on the palette: click the form to place it").arg(cls));
        FDesigner->SetPlacingClass(cls);
    });
    connect(FDesigner, &TFormDesigner::componentPlaced, this, [this] { FPalette->SelectClass(QString()); });
    connect(FDesigner, &TFormDesigner::modified, this, &TMainWindow::UpdateTitle);
    connect(FDesigner, &TFormDesigner::fileNameChanged, this, &TMainWindow::UpdateTitle);
    connect(FDesigner->UndoStack(), &TFormHistory::cleanChanged, this, &TMainWindow::UpdateTitle);
    connect(FForm->Form(), &TDesignForm::CaptionChanged, this, &TMainWindow::UpdateTitle);
    connect(FHost->Loader(), &TPackageLoader::PackageLoaded, this, [this] { FIconCache.clear(); UpdatePackageMenu(); UpdateStatus(); });
    connect(FHost->Loader(), &TPackageLoader::PackageUnloaded, this, [this] { FIconCache.clear(); UpdatePackageMenu(); UpdateStatus(); });
    CreateMessageView();
    CreateLoadProgress();
    UpdatePackageMenu();
    UpdateStatus();
    UpdateTitle();
}

// A load that takes longer than a moment shows how far it went in the status bar. It is drawn
// at once, without running the event loop while the form is half made.
void TMainWindow::CreateLoadProgress()
{
    auto *bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("LoadProgress"));
    bar->setRange(0, 100);
    bar->setMaximumWidth(200);
    bar->setFormat(QStringLiteral("Loading %p%"));
    statusBar()->addPermanentWidget(bar);
    bar->hide();
    auto started = std::make_shared<QElapsedTimer>();
    connect(FDesigner, &TFormDesigner::loadProgress, this, [this, bar, started](int Percent) {
        if (Percent == 0)
            started->start();
        if (Percent >= 100) {
            bar->hide();
            return;
        }
        bar->setValue(Percent);
        if (!bar->isVisible() && started->isValid() && started->elapsed() > 300) {
            bar->show();
            statusBar()->layout()->activate();
        }
        if (bar->isVisible())
            bar->repaint();
    });
}

// The IDE's message area: every error box's text, with the time it showed, also when the box
// did not (a headless run). It opens with the first message.
void TMainWindow::CreateMessageView()
{
    auto *dock = new QDockWidget(QStringLiteral("Messages"), this);
    dock->setObjectName(QStringLiteral("MessagesDock"));
    FMessages = new QListWidget(dock);
    FMessages->setObjectName(QStringLiteral("MessageView"));
    dock->setWidget(FMessages);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide();
    auto add = [this, dock](const QString &Message) {
        FMessages->addItem(QStringLiteral("%1  %2").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), Message));
        FMessages->scrollToBottom();
        dock->show();
    };
    connect(&TErrorBox::Instance(), &TErrorBox::shown, this, add);
    // What the start had to say (known packages that did not load) waits here, not in a box.
    for (const QString &m : FHost->StartMessages())
        add(m);
}

TMainWindow::~TMainWindow()
{
    // The designer goes before the widgets that listen to it; its last signals (the undo stack
    // turning clean as it is freed) must not reach a window half taken down.
    FInspector->SetDesigner(nullptr);
    disconnect(FDesigner->UndoStack(), nullptr, this, nullptr);
    disconnect(FDesigner, nullptr, this, nullptr);
    delete FDesigner;
}

void TMainWindow::CreateFileMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    auto add = [&](const QString &text, const char *name, QKeySequence key, auto slot) {
        QAction *a = file->addAction(text, this, slot);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        return a;
    };
    add(QStringLiteral("&New Form"), "NewFormAction", QKeySequence::New, &TMainWindow::NewForm);
    add(QStringLiteral("&Open..."), "OpenFormAction", QKeySequence::Open, &TMainWindow::OpenForm);
    add(QStringLiteral("Open &Demo Form"), "OpenDemoAction", QKeySequence(), &TMainWindow::OpenDemoForm);
    file->addSeparator();
    add(QStringLiteral("&Save"), "SaveFormAction", QKeySequence::Save, &TMainWindow::SaveForm);
    add(QStringLiteral("Save &As..."), "SaveFormAsAction", QKeySequence::SaveAs, &TMainWindow::SaveFormAs);
    file->addSeparator();
    add(QStringLiteral("E&xit"), "ExitAction", QKeySequence::Quit, &QWidget::close);
}

void TMainWindow::CreateEditMenu()
{
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    QAction *undo = FDesigner->UndoStack()->createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("UndoAction"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = FDesigner->UndoStack()->createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("RedoAction"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    auto add = [&](const QString &text, const char *name, QKeySequence key, auto slot) {
        QAction *a = edit->addAction(text, FDesigner, slot);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        // The form's keys only while the designer has the focus, so that Delete in a text
        // field of the Object Inspector deletes text and not components.
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        FFormActions << a;
        return a;
    };
    QAction *cut = add(QStringLiteral("Cu&t"), "CutAction", QKeySequence::Cut, &TFormDesigner::CutSelection);
    QAction *copy = add(QStringLiteral("&Copy"), "CopyAction", QKeySequence::Copy, &TFormDesigner::CopySelection);
    QAction *paste = edit->addAction(QStringLiteral("&Paste"), this, [this] { ShowLoadMessages(FDesigner->Paste()); });
    paste->setObjectName(QStringLiteral("PasteAction"));
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    FFormActions << paste;
    QAction *del = add(QStringLiteral("&Delete"), "DeleteAction", QKeySequence::Delete, &TFormDesigner::DeleteSelection);
    edit->addSeparator();
    add(QStringLiteral("Select &All"), "SelectAllAction", QKeySequence::SelectAll, &TFormDesigner::SelectAll);
    auto enable = [this, cut, copy, del] {
        bool any = false;
        for (TComponent *c : FDesigner->Selection())
            any = any || c != FDesigner->GetRoot();
        cut->setEnabled(any);
        copy->setEnabled(any);
        del->setEnabled(any);
    };
    connect(FDesigner, &TFormDesigner::selectionChanged, this, enable);
    enable();
}

bool TMainWindow::ConfirmDiscard()
{
    if (!FDesigner->IsModified())
        return true;
    const auto answer = QMessageBox::question(
        this, THostIDE::IDEName(), QStringLiteral("Save changes to %1?").arg(FDesigner->GetRoot()->Name()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return SaveForm();
    return answer == QMessageBox::Discard;
}

void TMainWindow::ShowLoadMessages(const QStringList &Messages)
{
    if (Messages.isEmpty())
        return;
    TErrorBox::Show(this,
                    QStringLiteral("Some parts of the form could not be read and were left out:\n") +
                        Messages.mid(0, 5).join(QLatin1Char('\n')) + (Messages.size() > 5 ? QStringLiteral("\n...") : QString()),
                    THostIDE::IDEName(), TErrorBox::TKind::Warning, Messages.join(QLatin1Char('\n')));
}

void TMainWindow::UpdateTitle()
{
    const QString file = FDesigner->FileName();
    const QString name = file.isEmpty() ? FDesigner->GetRoot()->Name() : QFileInfo(file).fileName();
    setWindowTitle(QStringLiteral("%1 - %2%3").arg(THostIDE::IDEName(), name, FDesigner->IsModified() ? QStringLiteral(" *") : QString()));
}

void TMainWindow::NewForm()
{
    if (ConfirmDiscard())
        FDesigner->NewForm();
}

void TMainWindow::OpenForm()
{
    if (!ConfirmDiscard())
        return;
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Open Form"), QString(),
                                                      QStringLiteral("Form files (*.kvf);;All files (*)"));
    if (file.isEmpty())
        return;
    TErrorBox::Guard(this, QStringLiteral("Open Form"), [&] { ShowLoadMessages(FDesigner->LoadFromFile(file)); });
}

bool TMainWindow::SaveForm()
{
    if (FDesigner->FileName().isEmpty())
        return SaveFormAs();
    const bool saved = TErrorBox::Guard(this, QStringLiteral("Save Form"), [&] { FDesigner->SaveToFile(FDesigner->FileName()); });
    if (saved)
        statusBar()->showMessage(QStringLiteral("Saved %1").arg(FDesigner->FileName()), 5000);
    return saved;
}

bool TMainWindow::SaveFormAs()
{
    const QString suggested = FDesigner->FileName().isEmpty() ? FDesigner->GetRoot()->Name() + QStringLiteral(".kvf")
                                                              : FDesigner->FileName();
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Save Form As"), suggested,
                                                      QStringLiteral("Form files (*.kvf);;All files (*)"));
    if (file.isEmpty())
        return false;
    return TErrorBox::Guard(this, QStringLiteral("Save Form"), [&] { FDesigner->SaveToFile(file); });
}

void TMainWindow::OpenDemoForm()
{
    if (!ConfirmDiscard())
        return;
    TErrorBox::Guard(this, QStringLiteral("Demo Form"), [&] { ShowLoadMessages(FDesigner->LoadFromString(DemoFormText())); });
}

void TMainWindow::closeEvent(QCloseEvent *event)
{
    if (ConfirmDiscard())
        event->accept();
    else
        event->ignore();
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
    QString name;
    if (TErrorBox::Guard(this, QStringLiteral("Install Package"), [&] { name = FHost->Loader()->InstallPackage(file); }))
        statusBar()->showMessage(QStringLiteral("Package %1 installed").arg(name), 5000);
}

void TMainWindow::RemovePackage(const QString &Name)
{
    const TLoadedPackage *p = FHost->Loader()->FindPackage(Name);
    if (!p)
        return;
    const QString file = p->FileName;
    // A failing finalization is reported; the package is gone all the same.
    const auto error = GuardedCall([&] { FHost->Loader()->UnloadPackage(Name); });
    TPackageLoader::ForgetKnownPackage(file);
    if (error)
        TErrorBox::Show(this, *error, QStringLiteral("Remove Package"), TErrorBox::TKind::Warning);
    else
        statusBar()->showMessage(QStringLiteral("Package %1 removed").arg(Name), 5000);
}
