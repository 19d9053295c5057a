// The form-file reader: any text either raises EConvertError and leaves the root alone, or
// loads; what loaded writes a text that, saved as UTF-8 and read again, writes the same text.
#include <QStringList>

#include "Classes.h"
#include "FormStreaming.h"
#include "FuzzTarget.h"

KV_FUZZ_TARGET(formfile)
{
    TNonVisualComponent root;
    QStringList messages;
    const QString text = DecodeFormFile(QByteArray::fromRawData(reinterpret_cast<const char *>(Data), qsizetype(Size)), messages);
    try {
        ReadFormText(&root, text);
    } catch (const EConvertError &) {
        KV_FUZZ_CHECK(root.ComponentCount() == 0);
        return 0;
    }
    const QString written = WriteFormText(&root);
    const QByteArray saved = written.toUtf8();
    TNonVisualComponent again;
    QStringList more;
    ReadFormText(&again, DecodeFormFile(saved, more)); // must not raise
    KV_FUZZ_CHECK(more.isEmpty());
    KV_FUZZ_CHECK(again.ComponentCount() == root.ComponentCount());
    KV_FUZZ_CHECK(WriteFormText(&again) == written);
    return 0;
}
