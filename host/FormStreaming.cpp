#include "FormStreaming.h"

#include "FormParser.h"
#include "FormWriter.h"
#include "SysUtils.h"

QString WriteFormText(TComponent *Root) { return TFormWriter(Root).FormText(); }

QString WriteComponentsText(TComponent *Root, const QList<TComponent *> &Components)
{
    return TFormWriter(Root).ComponentsText(Components);
}

namespace {
int countObjects(const TFormObject &O)
{
    int n = 1;
    for (const TFormObject &c : O.Children)
        n += countObjects(c);
    return n;
}
} // namespace

TFormReadResult ReadFormText(TComponent *Root, const QString &Text, const TFormProgress &Progress)
{
    int shown = -1;
    auto report = [&](int Percent) {
        if (Progress && Percent != shown)
            Progress(shown = Percent);
    };
    report(0);
    const QList<TFormObject> objects =
        ParseFormObjects(Text, [&](qsizetype Done, qsizetype Total) { report(int(Done * 40 / qMax<qsizetype>(1, Total))); });
    if (objects.size() != 1)
        throw EConvertError(QStringLiteral("Line %1: a form file holds one object block").arg(objects[1].Line));
    report(40);
    while (Root->ComponentCount() > 0)
        delete Root->Components(Root->ComponentCount() - 1)->AsObject();
    report(50);
    TFormReader r(Root, TFormReader::TMode::Load);
    const int total = countObjects(objects.first());
    r.SetProgress([&](int Done) { report(50 + Done * 45 / total); });
    r.Apply(objects.first(), true);
    TFormReadResult result = r.Finish();
    report(100);
    return result;
}

QString DecodeFormFile(const QByteArray &Bytes, QStringList &Messages)
{
    QByteArrayView b(Bytes);
    if (b.startsWith("\xEF\xBB\xBF"))
        b = b.sliced(3);
    // The first byte that does not belong to a well-formed UTF-8 sequence (no overlong forms,
    // no surrogates, nothing beyond U+10FFFF).
    qsizetype bad = -1;
    for (qsizetype i = 0; i < b.size() && bad < 0;) {
        const uchar c = uchar(b[i]);
        int len = 0;
        uint cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            len = 2, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4, cp = c & 0x07;
        } else {
            bad = i;
            break;
        }
        if (i + len > b.size()) {
            bad = i;
            break;
        }
        for (int k = 1; k < len; ++k) {
            const uchar t = uchar(b[i + k]);
            if ((t & 0xC0) != 0x80) {
                bad = i;
                break;
            }
            cp = cp << 6 | (t & 0x3F);
        }
        if (bad < 0 && ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))))
            bad = i;
        i += len;
    }
    if (bad < 0)
        return QString::fromUtf8(b);
    const qsizetype line = b.first(bad).count('\n') + 1;
    Messages << QStringLiteral("Line %1: the file is not UTF-8 (byte $%2 at offset %3); it was read as Latin-1")
                    .arg(line)
                    .arg(uint(uchar(b[bad])), 2, 16, QLatin1Char('0'))
                    .arg(bad + (b.data() - Bytes.data()));
    return QString::fromLatin1(b);
}

TFormReadResult ReadComponentsText(TComponent *Root, const QString &Text)
{
    const QList<TFormObject> objects = ParseFormObjects(Text);
    TFormReader r(Root, TFormReader::TMode::Paste);
    for (const TFormObject &o : objects)
        r.Apply(o, false);
    return r.Finish();
}
