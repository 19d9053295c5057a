#pragma once
// The IDE's tools services as packages reach them: the about box's list of installed
// products and the splash screen's plug-in pictures, published through BorlandIDEServices.
// Every entry remembers the package whose code added it, so that unloading a package can
// take away whatever it left behind.
#include <QList>
#include <QObject>
#include <QString>

#include "ToolsAPI.h"

struct TAboutBoxEntry {
    int Index = 0;
    QString Title;
    QString Description; // line breaks as the package gave them (CR LF)
    HBITMAP Image;       // may be null
    bool IsUnRegistered = false;
    QString LicenseStatus;
    QString SKUName;     // the product's version text ("Version 3.6.0.1")
    QString AdditionalInfo;
    QString Package;     // the package that added it; empty for the host's own
};

struct TSplashEntry {
    QString Caption;
    HBITMAP Bitmap; // may be null
    bool IsUnRegistered = false;
    QString LicenseStatus;
    QString SKUName;
    QString Package;
};

class TAboutBoxServices : public QObject, public IOTAAboutBoxServices {
    Q_OBJECT
public:
    explicit TAboutBoxServices(QObject *parent = nullptr);
    IInterface *QueryInterface(const QUuid &IID) override;
    // Indexes count up from 1 and are never reused, so that a stale index removes nothing.
    int AddPluginInfo(const QString &Title, const QString &Description, HBITMAP Image, bool IsUnRegistered,
                      const QString &LicenseStatus, const QString &SKUName, const QString &AdditionalInfo) override;
    // An index that is not (or no longer) there is ignored, as the IDE does: a package's
    // finalization must not fail on it.
    void RemovePluginInfo(int Index) override;

    const QList<TAboutBoxEntry> &Entries() const { return FEntries; }
    const TAboutBoxEntry *FindEntry(int Index) const;
    // Drops the entries a package left behind; returns how many.
    int DropPackage(const QString &Package);

signals:
    void EntriesChanged();

private:
    QList<TAboutBoxEntry> FEntries;
    int FNextIndex = 1;
};

class TSplashScreenServices : public QObject, public IOTASplashScreenServices {
    Q_OBJECT
public:
    explicit TSplashScreenServices(QObject *parent = nullptr);
    IInterface *QueryInterface(const QUuid &IID) override;
    void AddPluginBitmap(const QString &Caption, HBITMAP Bitmap, bool IsUnRegistered, const QString &LicenseStatus,
                         const QString &SKUName) override;

    const QList<TSplashEntry> &Entries() const { return FEntries; }
    int DropPackage(const QString &Package);

signals:
    void EntriesChanged();

private:
    QList<TSplashEntry> FEntries;
};

// The IDE's service root. It answers the about-box interface unless told to refuse it (an IDE
// edition without one); the splash screen is reached through its own global.
class TIDEServices : public IBorlandIDEServices {
public:
    TIDEServices(TAboutBoxServices *AboutBox, TSplashScreenServices *Splash);
    ~TIDEServices() override;
    TIDEServices(const TIDEServices &) = delete;
    TIDEServices &operator=(const TIDEServices &) = delete;

    IInterface *QueryInterface(const QUuid &IID) override;

    void SetOfferAboutBox(bool Value) { FOfferAboutBox = Value; }
    bool OffersAboutBox() const { return FOfferAboutBox; }
    TAboutBoxServices *AboutBox() const { return FAboutBox; }
    TSplashScreenServices *Splash() const { return FSplash; }

    // Publishes the services as BorlandIDEServices and SplashScreenServices; packages loaded
    // afterwards find them. Uninstall (also run by the destructor) clears the globals again
    // if they are still ours.
    void Install();
    void Uninstall();

    // Takes away the about and splash entries a package left behind.
    void DropPackage(const QString &Package);

private:
    TAboutBoxServices *FAboutBox;
    TSplashScreenServices *FSplash;
    bool FOfferAboutBox = true;
};
