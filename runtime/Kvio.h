#pragma once
// Naming and finding components of a form.
#include "Classes.h"

// Base itself when no component of Owner has that name, else Base followed by the smallest
// number from 1 on that is free.
QString UniqueName(TComponent *Owner, const QString &Base);
// The component that Ref names: "Name" among Root's components or Root itself, or
// "Owner.Name" through the owner named first; nil when there is none.
TComponent *GetComponentFromRef(TComponent *Root, const QString &Ref);
// The reference text of a component, as GetComponentFromRef reads it from the component's
// module: its name, after the names of the owners between it and the module ("Panel1.Edit1").
QString GetComponentRef(const TComponent *Component);
