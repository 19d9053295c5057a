#pragma once
// User-facing texts of the runtime, read at the moment of use so that a translation applies.
#include <QCoreApplication>
#include <QString>

inline QString _sSeriesCreate() { return QCoreApplication::translate("Kvlocalize", "Create series"); }
inline QString _sAxisCreate() { return QCoreApplication::translate("Kvlocalize", "Create axis"); }
inline QString _sLegendCreate() { return QCoreApplication::translate("Kvlocalize", "Create legend"); }
inline QString _sVecCreate() { return QCoreApplication::translate("Kvlocalize", "Create vector"); }
