#include "FormComponents.h"

#include <QVariant>

namespace {
const char *const DesignPosProperty = "_kvDesignPos";
} // namespace

QPoint DesignPosition(const QObject *Component) { return Component->property(DesignPosProperty).toPoint(); }
void SetDesignPosition(QObject *Component, const QPoint &Pos) { Component->setProperty(DesignPosProperty, Pos); }
bool HasDesignPosition(const QObject *Component) { return Component->property(DesignPosProperty).isValid(); }
void ClearDesignPosition(QObject *Component) { Component->setProperty(DesignPosProperty, QVariant()); }
QString DesignLeftName() { return QStringLiteral("DesignLeft"); }
QString DesignTopName() { return QStringLiteral("DesignTop"); }

bool IsSubObjectClass(const QMetaObject *Class) { return Class && InheritsFrom(Class, &TPersistent::staticMetaObject); }

QString ComponentNameBase(const QString &ClassName)
{
    QString base = ClassName;
    if (base.startsWith(QLatin1Char('T')) && base.size() > 1)
        base.remove(0, 1);
    if (base.startsWith(QLatin1String("Kv")) && base.size() > 2)
        base.remove(0, 2);
    if (base.endsWith(QLatin1String("2D")) && base.size() > 2)
        base.chop(2);
    return base;
}

QString UniqueComponentName(TComponent *Owner, const QString &Base)
{
    for (int i = 1;; ++i) {
        const QString name = Base + QString::number(i);
        if (!Owner || (!Owner->FindComponent(name) && Owner->Name().compare(name, Qt::CaseInsensitive) != 0))
            return name;
    }
}
