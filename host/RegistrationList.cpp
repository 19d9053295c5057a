#include "RegistrationList.h"

#include "DesignRegistry.h"
#include "IDEServices.h"
#include "PackageLoader.h"

namespace {
QString className(TClass c) { return c ? QString::fromLatin1(c->className()) : QStringLiteral("(any class)"); }

QString bitmapText(const HBITMAP &b)
{
    if (!b || b->isNull())
        return QStringLiteral("bitmap=none");
    return QStringLiteral("bitmap=%1x%2").arg(b->width()).arg(b->height());
}

QString header(const QString &Title, qsizetype Count) { return QStringLiteral("%1 (%2)").arg(Title).arg(Count); }
} // namespace

QString EscapeListText(const QString &Text)
{
    QString out;
    out.reserve(Text.size());
    for (QChar c : Text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    return out;
}

QStringList ListRegistrations(const TPackageLoader &Loader, const TAboutBoxServices &AboutBox,
                              const TSplashScreenServices &Splash)
{
    const TDesignRegistry &reg = TDesignRegistry::Instance();
    const QString indent = QStringLiteral("  ");
    QStringList out;

    const QStringList packages = Loader.PackageNames();
    out << header(QStringLiteral("Packages"), packages.size());
    for (const QString &name : packages) {
        const TLoadedPackage *p = Loader.FindPackage(name);
        out << indent + QStringList{p->Name, p->FileName, QStringLiteral("flags=0x") + QString::number(p->Flags, 16).toUpper().rightJustified(8, QLatin1Char('0')),
                                    EscapeListText(p->Description)}
                            .join(QLatin1Char('\t'));
        out << indent + indent + QStringLiteral("requires\t") + p->Requires.join(QLatin1String(", "));
        QStringList units;
        for (const TPackageUnit &u : p->Units)
            units << (u.HasRegister ? u.Name + QStringLiteral("(Register)") : u.Name);
        out << indent + indent + QStringLiteral("units\t") + units.join(QLatin1String(", "));
    }

    const QStringList pages = reg.PalettePages();
    out << header(QStringLiteral("Palette pages"), pages.size());
    for (const QString &page : pages) {
        const QList<TComponentClass> classes = reg.PageClasses(page);
        out << indent + QStringLiteral("%1 (%2)").arg(page).arg(classes.size());
        for (TComponentClass c : classes)
            out << indent + indent + className(c);
    }

    out << header(QStringLiteral("Category calls"), reg.CategoryRows().size());
    for (const TCategoryRow &r : reg.CategoryRows()) {
        QStringList names, types;
        for (const TCategoryFilter &f : r.Filters) {
            if (f.Type)
                types << f.Type->Name;
            else
                names << f.Name;
        }
        QStringList fields{r.Category};
        if (r.ComponentClass)
            fields << QStringLiteral("class=") + className(r.ComponentClass);
        if (!types.isEmpty())
            fields << QStringLiteral("types=") + types.join(QLatin1String(", "));
        if (!names.isEmpty())
            fields << QStringLiteral("names=") + names.join(QLatin1String(", "));
        fields << QStringLiteral("package=") + r.Package;
        out << indent + fields.join(QLatin1Char('\t'));
    }

    out << header(QStringLiteral("Property editors"), reg.PropertyEditorRows().size());
    for (const TPropertyEditorRow &r : reg.PropertyEditorRows())
        out << indent + QStringList{r.PropertyType ? r.PropertyType->Name : QStringLiteral("?"), className(r.ComponentClass),
                                    r.PropertyName.isEmpty() ? QStringLiteral("(all properties)") : r.PropertyName,
                                    r.EditorClass.Name, QStringLiteral("package=") + r.Package}
                            .join(QLatin1Char('\t'));

    out << header(QStringLiteral("Component editors"), reg.ComponentEditorRows().size());
    for (const TComponentEditorRow &r : reg.ComponentEditorRows())
        out << indent + QStringList{className(r.ComponentClass), r.EditorClass.Name, QStringLiteral("package=") + r.Package}
                            .join(QLatin1Char('\t'));

    out << header(QStringLiteral("About box entries"), AboutBox.Entries().size());
    for (const TAboutBoxEntry &e : AboutBox.Entries()) {
        QStringList fields{QString::number(e.Index), e.Title, e.SKUName, bitmapText(e.Image),
                           QStringLiteral("package=") + e.Package};
        if (e.IsUnRegistered)
            fields << QStringLiteral("unregistered");
        if (!e.LicenseStatus.isEmpty())
            fields << QStringLiteral("license=") + EscapeListText(e.LicenseStatus);
        if (!e.AdditionalInfo.isEmpty())
            fields << QStringLiteral("info=") + EscapeListText(e.AdditionalInfo);
        out << indent + fields.join(QLatin1Char('\t'));
        out << indent + indent + QStringLiteral("description\t") + EscapeListText(e.Description);
    }

    out << header(QStringLiteral("Splash screen entries"), Splash.Entries().size());
    for (const TSplashEntry &e : Splash.Entries()) {
        QStringList fields{e.Caption, bitmapText(e.Bitmap), QStringLiteral("package=") + e.Package};
        if (e.IsUnRegistered)
            fields << QStringLiteral("unregistered");
        if (!e.LicenseStatus.isEmpty())
            fields << QStringLiteral("license=") + EscapeListText(e.LicenseStatus);
        if (!e.SKUName.isEmpty())
            fields << QStringLiteral("sku=") + EscapeListText(e.SKUName);
        out << indent + fields.join(QLatin1Char('\t'));
    }
    return out;
}
