// Binary data blocks of form files: the hex text decodes or raises EConvertError; a vector's
// "Data" block reads or raises and then keeps its values, and what it read it writes back.
#include <QBuffer>

#include "FormParser.h"
#include "FuzzTarget.h"
#include "Kvvectors.h"

KV_FUZZ_TARGET(binarydata)
{
    const QByteArray bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    TFormValue hex;
    hex.Kind = TFormValue::Binary;
    hex.Hex = bytes;
    try {
        KV_FUZZ_CHECK(FormBinaryData(hex).size() * 2 == bytes.size());
    } catch (const EConvertError &) {
    }
    // The block as it stands in a file, read by the form value parser.
    try {
        const TFormValue v = ParseFormValue(QStringLiteral("{") + QString::fromLatin1(bytes) + QStringLiteral("}"));
        KV_FUZZ_CHECK(v.Kind == TFormValue::Binary);
    } catch (const EConvertError &) {
    }
    TKvDoubleVector vector;
    vector.SetValues({1, 2});
    vector.SetPersistentValues(true);
    try {
        KV_FUZZ_CHECK(ReadBinaryProperty(&vector, QStringLiteral("Data"), bytes));
    } catch (const EConvertError &) {
        KV_FUZZ_CHECK(vector.Values() == TDoubleDynArray({1, 2}));
        return 0;
    }
    KV_FUZZ_CHECK(vector.Count() * 8 == bytes.size());
    const auto blocks = WriteBinaryProperties(&vector);
    KV_FUZZ_CHECK(bytes.isEmpty() ? blocks.isEmpty() : blocks.size() == 1 && blocks[0].Data == bytes);
    return 0;
}
