// The rich caption storage form: reading never fails, and what was read writes a text that
// reads to the same lines and writes itself again.
#include "FuzzTarget.h"
#include "Kvrichcaption.h"
#include "SysUtils.h"

namespace {
bool sameLines(const QList<TKvCaptionLine> &A, const QList<TKvCaptionLine> &B)
{
    if (A.size() != B.size())
        return false;
    for (qsizetype i = 0; i < A.size(); ++i) {
        if (A[i].size() != B[i].size())
            return false;
        for (qsizetype k = 0; k < A[i].size(); ++k)
            if (A[i][k].Text != B[i][k].Text || A[i][k].Variable != B[i][k].Variable || !A[i][k].SameStyle(B[i][k]))
                return false;
    }
    return true;
}
} // namespace

KV_FUZZ_TARGET(richcaption)
{
    const QList<TKvCaptionLine> lines = Kvrichcaption::ParseCaption(KvFuzz::Text(Data, Size));
    const QString stored = Kvrichcaption::FormatCaption(lines);
    const QList<TKvCaptionLine> again = Kvrichcaption::ParseCaption(stored);
    KV_FUZZ_CHECK(sameLines(Kvrichcaption::ParseCaption(Kvrichcaption::FormatCaption(again)), again));
    KV_FUZZ_CHECK(Kvrichcaption::FormatCaption(again) == stored);
    return 0;
}
