#pragma once
// Run-time type information over Qt's meta-type system: what a property editor needs to know
// of a property's type, and the published properties of an object.
#include <QMetaEnum>
#include <QMetaProperty>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QList>
#include <type_traits>

#include "Classes.h"

enum class TTypeKind { tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass,
                       tkMethod, tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord,
                       tkInterface, tkInt64, tkDynArray, tkUString };

struct TTypeInfo {
    QMetaType Type;
    TTypeKind Kind = TTypeKind::tkUnknown;
    QString Name;              // as the IDE shows it: "Double", "TKvColor", "TKvAxis", "string"
    TClass ClassType = nullptr; // tkClass: the class of the object the property refers to
    QMetaEnum Enum;            // tkEnumeration of a Q_ENUM type
    bool HasEnum = false;
};
using PTypeInfo = const TTypeInfo *;

// The one TTypeInfo of a meta type (stable pointers, created on first use).
PTypeInfo GetTypeInfo(QMetaType Type);
PTypeInfo GetTypeInfo(const QMetaProperty &Prop);

template <class T> PTypeInfo TypeInfo()
{
    if constexpr (std::is_base_of_v<QObject, T>) {
        return GetTypeInfo(QMetaType::fromType<T *>());
    } else {
        PTypeInfo ti = GetTypeInfo(QMetaType::fromType<T>());
        if constexpr (std::is_enum_v<T> && QtPrivate::IsQEnumHelper<T>::Value) {
            if (!ti->HasEnum) {
                auto *m = const_cast<TTypeInfo *>(ti);
                m->Enum = QMetaEnum::fromType<T>();
                m->HasEnum = true;
            }
        }
        return ti;
    }
}

// A property type matches a registered type when it is the same type, or, for classes, when
// the property's class descends from the registered one.
bool TypeMatches(PTypeInfo PropType, PTypeInfo Registered);

// Enumeration names, in declaration order.
QStringList GetEnumNames(PTypeInfo Info);
QString GetEnumName(PTypeInfo Info, int Value);   // empty when out of range
int GetEnumValue(PTypeInfo Info, const QString &Name); // -1 when unknown; case-insensitive
int GetEnumMin(PTypeInfo Info);
int GetEnumMax(PTypeInfo Info);

// A published property of a class.
struct TPropInfo {
    QMetaProperty Prop;
    QString Name;
    PTypeInfo PropType = nullptr;
    bool Writable() const { return Prop.isWritable(); }
};
using PPropInfo = const TPropInfo *;

// The published properties of a class (stable pointers, cached per class), in declaration
// order, base class first.
const QList<TPropInfo> &GetPropInfos(TClass Class);
PPropInfo GetPropInfo(TClass Class, const QString &Name); // nil when none; case-insensitive
PPropInfo GetPropInfo(const QObject *Instance, const QString &Name);

// Reading and writing a published property.
QVariant GetPropValue(const QObject *Instance, PPropInfo Info);
void SetPropValue(QObject *Instance, PPropInfo Info, const QVariant &Value); // raises EPropertyError
long long GetOrdProp(const QObject *Instance, PPropInfo Info);
void SetOrdProp(QObject *Instance, PPropInfo Info, long long Value);
double GetFloatProp(const QObject *Instance, PPropInfo Info);
void SetFloatProp(QObject *Instance, PPropInfo Info, double Value);
QString GetStrProp(const QObject *Instance, PPropInfo Info);
void SetStrProp(QObject *Instance, PPropInfo Info, const QString &Value);
QObject *GetObjectProp(const QObject *Instance, PPropInfo Info);
void SetObjectProp(QObject *Instance, PPropInfo Info, QObject *Value);
