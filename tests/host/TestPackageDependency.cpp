// A library that a test package requires by its package name; the loader finds it beside it.
#include <QtGlobal>

extern "C" Q_DECL_EXPORT int TestPackageDependencyVersion() { return 1; }
