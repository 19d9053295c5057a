#include "ComponentPalette.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

#include "DesignRegistry.h"
#include "PackageLoader.h"
#include "Pictures.h"

namespace {
// Page names may live in a package's memory, which goes away when it is unloaded.
QString owned(const QString &s) { return QString(s.constData(), s.size()); }
// The place of a button's picture, in logical pixels.
constexpr int IconPlace = 24;
} // namespace

TComponentPalette::TComponentPalette(TPackageLoader *Loader, QWidget *parent) : QTabWidget(parent), FLoader(Loader)
{
    setObjectName(QStringLiteral("ComponentPalette"));
    setDocumentMode(true);
    setUsesScrollButtons(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    // The tab widget sizes its corner by the size hint, which a line edit's minimum width does
    // not change: a layout around it does.
    auto *corner = new QWidget(this);
    auto *cornerLayout = new QHBoxLayout(corner);
    cornerLayout->setContentsMargins(0, 1, 2, 1);
    FSearch = new QLineEdit(corner);
    cornerLayout->addWidget(FSearch);
    FSearch->setObjectName(QStringLiteral("PaletteSearch"));
    FSearch->setPlaceholderText(QStringLiteral("Search components (%1)").arg(SearchShortcut()));
    FSearch->setToolTip(QStringLiteral("Type part of a class name: the palette shows the classes that contain it.\n"
                                       "Up and Down choose among them, Enter selects the chosen one; then click the "
                                       "form to place it.\nEscape clears the search. (%1)")
                            .arg(SearchShortcut()));
    FSearch->setClearButtonEnabled(true);
    FSearch->setMinimumWidth(220);
    FSearch->installEventFilter(this);
    setCornerWidget(corner, Qt::TopRightCorner);
    auto *shortcut = new QShortcut(QKeySequence(SearchShortcut()), this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        FSearch->setFocus(Qt::ShortcutFocusReason);
        FSearch->selectAll();
    });
    connect(FSearch, &QLineEdit::textChanged, this, &TComponentPalette::ApplySearch);

    connect(FLoader, &TPackageLoader::PackageLoaded, this, &TComponentPalette::Rebuild);
    connect(FLoader, &TPackageLoader::PackageUnloaded, this, &TComponentPalette::Rebuild);
    Rebuild();
}

void TComponentPalette::Rebuild()
{
    const QString selected = FSelected;
    const int current = currentIndex();
    FRatio = devicePixelRatioF();
    FMatches.clear();
    FChosen = -1;
    while (count() > 0) {
        QWidget *w = widget(0);
        removeTab(0);
        delete w;
    }
    delete FGroup;
    FGroup = new QActionGroup(this);
    FGroup->setExclusive(true);
    const int iconSize = PaletteIconSize(IconPlace, FRatio);
    FPointer = new QAction(QIcon(PointerGlyph(iconSize, FRatio)), QStringLiteral("Select"), FGroup);
    FPointer->setObjectName(QStringLiteral("PointerAction"));
    FPointer->setCheckable(true);
    FPointer->setChecked(true);
    FPointer->setToolTip(QStringLiteral("Select"));
    FPointer->setStatusTip(QStringLiteral("Select and move components on the form"));
    FSelected.clear();

    const TDesignRegistry &reg = TDesignRegistry::Instance();
    for (const QString &page : reg.PalettePages()) {
        auto *bar = new QToolBar;
        bar->setObjectName(QStringLiteral("PalettePage"));
        bar->setIconSize(QSize(iconSize, iconSize));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->addAction(FPointer);
        bar->addSeparator();
        for (const TPaletteRow &row : reg.PaletteRows()) {
            if (row.Page != page)
                continue;
            for (TComponentClass cls : row.Classes) {
                const QString name = QString::fromLatin1(cls->className());
                auto *a = new QAction(QIcon(PaletteBitmap(*FLoader, row.Package, name, IconPlace, FRatio)), name, FGroup);
                a->setObjectName(name);
                a->setCheckable(true);
                a->setToolTip(name);
                a->setStatusTip(QStringLiteral("%1 (%2, package %3)").arg(name, owned(page), owned(row.Package)));
                a->setData(name);
                bar->addAction(a);
            }
        }
        addTab(bar, owned(page));
    }
    connect(FGroup, &QActionGroup::triggered, this, [this](QAction *a) {
        FSelected = a == FPointer ? QString() : a->data().toString();
        emit ClassSelected(FSelected);
    });
    if (count() > 0)
        setCurrentIndex(qBound(0, current, count() - 1));
    if (!FSearch->text().trimmed().isEmpty())
        ApplySearch();
    if (!selected.isEmpty() && ClassAction(selected))
        SelectClass(selected);
    else if (!selected.isEmpty())
        emit ClassSelected(QString());
}

QAction *TComponentPalette::ClassAction(const QString &ClassName) const
{
    if (!FGroup || ClassName.isEmpty())
        return nullptr;
    for (QAction *a : FGroup->actions())
        if (a != FPointer && a->data().toString() == ClassName)
            return a;
    return nullptr;
}

void TComponentPalette::SelectClass(const QString &ClassName)
{
    QAction *a = ClassName.isEmpty() ? FPointer : ClassAction(ClassName);
    if (!a)
        return;
    a->setChecked(true);
    FSelected = a == FPointer ? QString() : ClassName;
    emit ClassSelected(FSelected);
}

QStringList TComponentPalette::ShownClasses() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        for (QAction *a : widget(i)->actions())
            if (a != FPointer && !a->isSeparator() && a->isVisible())
                out << a->data().toString();
    }
    return out;
}

QString TComponentPalette::ChosenMatch() const
{
    return FChosen >= 0 && FChosen < FMatches.size() ? FMatches[FChosen]->data().toString() : QString();
}

void TComponentPalette::ApplySearch()
{
    const QString text = FSearch->text().trimmed();
    FMatches.clear();
    FChosen = -1;
    for (int i = 0; i < count(); ++i)
        for (QToolButton *b : widget(i)->findChildren<QToolButton *>())
            b->setAutoRaise(true);
    QList<int> perPage;
    for (int i = 0; i < count(); ++i) {
        int n = 0;
        for (QAction *a : widget(i)->actions()) {
            if (a == FPointer || a->isSeparator())
                continue;
            const bool match = text.isEmpty() || a->data().toString().contains(text, Qt::CaseInsensitive);
            // A class is on one page: its action stands for its button there.
            if (a->isVisible() != match)
                a->setVisible(match);
            if (match && !text.isEmpty()) {
                FMatches << a;
                ++n;
            }
        }
        perPage << n;
    }
    // Pages without a match step aside; when nothing matches, every page stays with its arrow.
    for (int i = 0; i < count(); ++i) {
        setTabVisible(i, text.isEmpty() || FMatches.isEmpty() || perPage[i] > 0);
        setTabToolTip(i, text.isEmpty() ? QString() : QStringLiteral("%1 matching component(s)").arg(perPage[i]));
    }
    QPalette pal = FSearch->palette();
    pal.setColor(QPalette::Text, !text.isEmpty() && FMatches.isEmpty() ? QColor(200, 0, 0) : palette().color(QPalette::Text));
    FSearch->setPalette(pal);
    Choose(0);
}

void TComponentPalette::Choose(int Index)
{
    // The chosen button stands raised among the flat ones.
    auto buttonOf = [this](QAction *a) {
        for (int i = 0; i < count(); ++i)
            if (auto *bar = qobject_cast<QToolBar *>(widget(i)); bar && bar->actions().contains(a))
                return qobject_cast<QToolButton *>(bar->widgetForAction(a));
        return static_cast<QToolButton *>(nullptr);
    };
    if (FChosen >= 0 && FChosen < FMatches.size())
        if (QToolButton *b = buttonOf(FMatches[FChosen]))
            b->setAutoRaise(true);
    if (FMatches.isEmpty()) {
        FChosen = -1;
        return;
    }
    FChosen = (Index % FMatches.size() + FMatches.size()) % FMatches.size();
    QAction *a = FMatches[FChosen];
    for (int i = 0; i < count(); ++i)
        if (widget(i)->actions().contains(a))
            setCurrentIndex(i);
    if (QToolButton *b = buttonOf(a))
        b->setAutoRaise(false);
}

bool TComponentPalette::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FSearch && Event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(Event);
        switch (k->key()) {
        case Qt::Key_Down:
            Choose(FChosen + 1);
            return true;
        case Qt::Key_Up:
            Choose(FChosen - 1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!ChosenMatch().isEmpty())
                SelectClass(ChosenMatch());
            return true;
        case Qt::Key_Escape:
            FSearch->clear();
            return true;
        default:
            break;
        }
    }
    return QTabWidget::eventFilter(Watched, Event);
}

bool TComponentPalette::event(QEvent *Event)
{
    // On a screen of another resolution the pictures are made anew for it.
    if (Event->type() == QEvent::ScreenChangeInternal && !qFuzzyCompare(FRatio, devicePixelRatioF()))
        Rebuild();
    return QTabWidget::event(Event);
}
