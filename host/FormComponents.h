#pragma once
// What form files and the form designer share about a form's components: where a non-visual
// one sits on the form, which published objects are sub-objects of their component, and how new
// components are named.
#include <QPoint>
#include <QString>

#include "Classes.h"

class QObject;

// Where a non-visual component's icon sits on the form (a dynamic property of its object;
// the form file keeps it as DesignLeft / DesignTop).
QPoint DesignPosition(const QObject *Component);
void SetDesignPosition(QObject *Component, const QPoint &Pos);
bool HasDesignPosition(const QObject *Component);
void ClearDesignPosition(QObject *Component);
QString DesignLeftName();
QString DesignTopName();

// Published objects of these classes belong to their component and stream as dotted
// sub-properties ("Line.Width"); other object properties are references to components.
bool IsSubObjectClass(const QMetaObject *Class);

// The name base of a new component of a class: without "T" and "Kv" and a trailing "2D",
// so that TKvGraph2D gives "Graph" and TKvAxis "Axis".
QString ComponentNameBase(const QString &ClassName);
// Base plus the first number that no component of Owner uses.
QString UniqueComponentName(TComponent *Owner, const QString &Base);
