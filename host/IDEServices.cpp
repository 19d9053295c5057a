#include "IDEServices.h"

#include "DesignRegistry.h"

namespace {
// The package whose Initialize, Register or Finalize runs now (the loader names it).
QString runningPackage() { return TDesignRegistry::Instance().CurrentPackage(); }

// Entries outlive the call that made them, and a package's texts and pictures may live in its
// library's memory: keep copies of our own.
QString owned(const QString &s) { return QString(s.constData(), s.size()); }
HBITMAP owned(const HBITMAP &b) { return b ? std::make_shared<const QImage>(b->copy()) : HBITMAP(); }

template <class Entry> int dropEntries(QList<Entry> &entries, const QString &package)
{
    return int(entries.removeIf([&](const Entry &e) { return e.Package == package; }));
}
} // namespace

TAboutBoxServices::TAboutBoxServices(QObject *parent) : QObject(parent) {}

IInterface *TAboutBoxServices::QueryInterface(const QUuid &IID)
{
    return IID == IID_IOTAAboutBoxServices ? this : nullptr;
}

int TAboutBoxServices::AddPluginInfo(const QString &Title, const QString &Description, HBITMAP Image,
                                     bool IsUnRegistered, const QString &LicenseStatus, const QString &SKUName,
                                     const QString &AdditionalInfo)
{
    TAboutBoxEntry e;
    e.Index = FNextIndex++;
    e.Title = owned(Title);
    e.Description = owned(Description);
    e.Image = owned(Image);
    e.IsUnRegistered = IsUnRegistered;
    e.LicenseStatus = owned(LicenseStatus);
    e.SKUName = owned(SKUName);
    e.AdditionalInfo = owned(AdditionalInfo);
    e.Package = runningPackage();
    FEntries.append(std::move(e));
    emit EntriesChanged();
    return FEntries.last().Index;
}

void TAboutBoxServices::RemovePluginInfo(int Index)
{
    if (FEntries.removeIf([&](const TAboutBoxEntry &e) { return e.Index == Index; }) > 0)
        emit EntriesChanged();
}

const TAboutBoxEntry *TAboutBoxServices::FindEntry(int Index) const
{
    for (const TAboutBoxEntry &e : FEntries)
        if (e.Index == Index)
            return &e;
    return nullptr;
}

int TAboutBoxServices::DropPackage(const QString &Package)
{
    const int n = dropEntries(FEntries, Package);
    if (n > 0)
        emit EntriesChanged();
    return n;
}

TSplashScreenServices::TSplashScreenServices(QObject *parent) : QObject(parent) {}

IInterface *TSplashScreenServices::QueryInterface(const QUuid &) { return nullptr; }

void TSplashScreenServices::AddPluginBitmap(const QString &Caption, HBITMAP Bitmap, bool IsUnRegistered,
                                            const QString &LicenseStatus, const QString &SKUName)
{
    FEntries.append(
        {owned(Caption), owned(Bitmap), IsUnRegistered, owned(LicenseStatus), owned(SKUName), runningPackage()});
    emit EntriesChanged();
}

int TSplashScreenServices::DropPackage(const QString &Package)
{
    const int n = dropEntries(FEntries, Package);
    if (n > 0)
        emit EntriesChanged();
    return n;
}

TIDEServices::TIDEServices(TAboutBoxServices *AboutBox, TSplashScreenServices *Splash)
    : FAboutBox(AboutBox), FSplash(Splash)
{
}

TIDEServices::~TIDEServices() { Uninstall(); }

IInterface *TIDEServices::QueryInterface(const QUuid &IID)
{
    if (IID == IID_IOTAAboutBoxServices)
        return FOfferAboutBox ? FAboutBox : nullptr;
    return nullptr;
}

void TIDEServices::Install()
{
    BorlandIDEServices = this;
    SplashScreenServices = FSplash;
}

void TIDEServices::Uninstall()
{
    if (BorlandIDEServices == this)
        BorlandIDEServices = nullptr;
    if (SplashScreenServices == FSplash)
        SplashScreenServices = nullptr;
}

void TIDEServices::DropPackage(const QString &Package)
{
    if (FAboutBox)
        FAboutBox->DropPackage(Package);
    if (FSplash)
        FSplash->DropPackage(Package);
}
