#include "FormStreaming.h"

#include "FormParser.h"
#include "FormWriter.h"
#include "SysUtils.h"

QString WriteFormText(TComponent *Root) { return TFormWriter(Root).FormText(); }

QString WriteComponentsText(TComponent *Root, const QList<TComponent *> &Components)
{
    return TFormWriter(Root).ComponentsText(Components);
}

TFormReadResult ReadFormText(TComponent *Root, const QString &Text)
{
    const QList<TFormObject> objects = ParseFormObjects(Text);
    if (objects.size() != 1)
        throw EConvertError(QStringLiteral("Line %1: a form file holds one object block").arg(objects[1].Line));
    while (Root->ComponentCount() > 0)
        delete Root->Components(Root->ComponentCount() - 1)->AsObject();
    TFormReader r(Root, TFormReader::TMode::Load);
    r.Apply(objects.first(), true);
    return r.Finish();
}

TFormReadResult ReadComponentsText(TComponent *Root, const QString &Text)
{
    const QList<TFormObject> objects = ParseFormObjects(Text);
    TFormReader r(Root, TFormReader::TMode::Paste);
    for (const TFormObject &o : objects)
        r.Apply(o, false);
    return r.Finish();
}
