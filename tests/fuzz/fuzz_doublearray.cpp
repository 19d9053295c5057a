// The double array editor's memo: the bytes are edits (select, type, undo, replace all); after
// each one the array is the parse of the memo's lines, however the memo reported the change.
#include <QStringList>

#include "FuzzTarget.h"
#include "Kvdoublearrayeditor.h"
#include "StdCtrls.h"
#include "SysUtils.h"

namespace {
TDoubleDynArray parseAll(const TMemo *Memo)
{
    int n = Memo->LineCount();
    while (n > 0 && Memo->LineLength(n - 1) == 0)
        --n;
    TDoubleDynArray out;
    for (int i = 0; i < n; ++i) {
        double v = 0;
        out << (TryStrToFloat(Memo->Line(i), v) ? v : 0.0);
    }
    return out;
}
} // namespace

KV_FUZZ_TARGET(doublearray)
{
    TDoubleArrayEditor editor;
    editor.Values = {1.5, -2, 1e300};
    editor.FillBox();
    auto *memo = editor.findChild<TMemo *>(QStringLiteral("Memo1"));
    KV_FUZZ_CHECK(memo);
    static const char *const pieces[] = {"", "\n", "1", "2.5", "-", "e", "E-3", "\n\n", "x", ",", " ", "\r\n", "9999"};
    size_t i = 0;
    auto next = [&] { return i < Size ? Data[i++] : uint8_t(0); };
    while (i < Size) {
        const int length = int(memo->Text().size());
        switch (next() % 5) {
        case 0:
            memo->SetSelStart(length ? next() * 257 % (length + 1) : 0);
            memo->SetSelLength(next() % 8);
            break;
        case 1:
            memo->ReplaceSelection(QString::fromLatin1(pieces[next() % std::size(pieces)]));
            break;
        case 2:
            memo->Undo();
            break;
        case 3: {
            const int n = next() % 16;
            const QString typed = KvFuzz::Text(Data + i, qMin<size_t>(n, Size - i));
            i += qMin<size_t>(n, Size - i);
            memo->ReplaceSelection(typed);
            break;
        }
        default:
            if (next() % 8 == 0)
                memo->SetText(QStringLiteral("3\n\n4\n"));
        }
        KV_FUZZ_CHECK(editor.Values == parseAll(memo));
    }
    return 0;
}
