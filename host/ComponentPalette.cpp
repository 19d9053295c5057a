#include "ComponentPalette.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QToolBar>

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
    connect(FLoader, &TPackageLoader::PackageLoaded, this, &TComponentPalette::Rebuild);
    connect(FLoader, &TPackageLoader::PackageUnloaded, this, &TComponentPalette::Rebuild);
    Rebuild();
}

void TComponentPalette::Rebuild()
{
    const QString selected = FSelected;
    const int current = currentIndex();
    FRatio = devicePixelRatioF();
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

bool TComponentPalette::event(QEvent *Event)
{
    // On a screen of another resolution the pictures are made anew for it.
    if (Event->type() == QEvent::ScreenChangeInternal && !qFuzzyCompare(FRatio, devicePixelRatioF()))
        Rebuild();
    return QTabWidget::event(Event);
}
