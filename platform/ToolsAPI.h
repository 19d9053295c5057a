#pragma once
// The IDE's tools services that a package reaches at load time: the about box and the splash
// screen. The host implements them and publishes them through BorlandIDEServices.
#include <QString>
#include <QUuid>

#include "Windows.h"

// Interfaces are asked for by their identifier, as the IDE's services are.
class IInterface {
public:
    virtual ~IInterface() = default;
    // The interface of that identifier, or nil.
    virtual IInterface *QueryInterface(const QUuid &IID) = 0;
};

class IBorlandIDEServices : public IInterface {};

// {62A2F7FD-16F1-45B9-9417-A2D293D07A22}
inline const QUuid IID_IOTAAboutBoxServices{QStringLiteral("{62A2F7FD-16F1-45B9-9417-A2D293D07A22}")};

class IOTAAboutBoxServices : public IInterface {
public:
    // Adds an entry; returns its index (never 0).
    virtual int AddPluginInfo(const QString &Title, const QString &Description, HBITMAP Image,
                              bool IsUnRegistered = false, const QString &LicenseStatus = QString(),
                              const QString &SKUName = QString(), const QString &AdditionalInfo = QString()) = 0;
    virtual void RemovePluginInfo(int Index) = 0;
};

class IOTASplashScreenServices : public IInterface {
public:
    virtual void AddPluginBitmap(const QString &Caption, HBITMAP Bitmap, bool IsUnRegistered = false,
                                 const QString &LicenseStatus = QString(), const QString &SKUName = QString()) = 0;
};

// Set by the host before it loads packages; nil when there is no IDE.
extern IBorlandIDEServices *BorlandIDEServices;
extern IOTASplashScreenServices *SplashScreenServices;

// Asks Instance for the interface of IID; true and Intf set when it offers it.
template <class T> bool Supports(IInterface *Instance, const QUuid &IID, T *&Intf)
{
    Intf = nullptr;
    if (!Instance)
        return false;
    Intf = dynamic_cast<T *>(Instance->QueryInterface(IID));
    return Intf != nullptr;
}
