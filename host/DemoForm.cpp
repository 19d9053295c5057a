#include "DemoForm.h"

#include <QFile>

#include "SysUtils.h"

QString DemoFormText()
{
    // The resource lives in a static library: it must be registered before the first use.
    Q_INIT_RESOURCE(demo);
    QFile f(QStringLiteral(":/kvide/Demo.kvf"));
    if (!f.open(QIODevice::ReadOnly))
        throw EConvertError(QStringLiteral("The demo form is missing from the IDE's resources"));
    return QString::fromUtf8(f.readAll());
}
