// The formula parser: any expression sets or raises EConvertError (keeping the one before);
// evaluating gives a number or raises EConvertError. Nothing else may escape.
#include "FuzzTarget.h"
#include "Kvparsefkt.h"
#include "SysUtils.h"

KV_FUZZ_TARGET(formula)
{
    const QString text = KvFuzz::Text(Data, Size);
    TKvFunctionParser p;
    p.SetExpression(QStringLiteral("x + 1"));
    p.SetVariable(QStringLiteral("x"), 2);
    try {
        p.SetExpression(text);
    } catch (const EConvertError &) {
        KV_FUZZ_CHECK(p.Expression() == QStringLiteral("x + 1"));
        KV_FUZZ_CHECK(p.GetResult() == 3);
        return 0;
    }
    for (const QString &v : p.Variables())
        p.SetVariable(v, 0.5);
    try {
        p.GetResult();
        p.GetResult();
    } catch (const EConvertError &) {
    }
    return 0;
}
