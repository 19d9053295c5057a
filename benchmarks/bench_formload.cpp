// Loading a form of 10^5 components (about 10 MB of text) into the designer, as File > Open
// does: parse, make and name the components (a twentieth of them duplicates to rename), set
// their values and references, place the tiles of those that come without a place, take the
// form as the base of undo. The goal: under 10 s, and linear (10^5 costs about ten times 10^4).
//
// The peer in the same run is the plain Qt way of reading such a text naively: split it into
// lines, and for each block make a QObject child of one root, set each "Name = Value" line as a
// dynamic property, and find references by QObject::findChild, a search through the children
// for each (the naive reader grows with the square of the size, which the ratio shows). A form of persistent vectors with 10^6 values is
// loaded and saved as well (size and times).
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "DesignForm.h"
#include "FormDesigner.h"
#include "Kvvectors.h"

namespace {
// Components of several kinds: non-visual ones with and without a place, references between
// them, every twentieth named like one before it, a few controls.
QString bigForm(int Count)
{
    QString s;
    s.reserve(qsizetype(Count) * 140);
    s += QStringLiteral("object Form1: TDesignForm\n  Caption = 'Big'\n  Width = 1200\n  Height = 900\n");
    for (int i = 1; i <= Count; ++i) {
        const int name = i % 20 == 0 ? i - 7 : i;
        switch (i % 4) {
        case 0:
            s += QStringLiteral("  object Axis%1: TKvAxis\n    DesignLeft = %2\n    DesignTop = %3\n    Start = %4.25\n    Stop = 1E%5\n  end\n")
                     .arg(name).arg(40 + i % 900).arg(16 + i / 900 * 48).arg(i).arg(i % 30);
            break;
        case 1:
            s += QStringLiteral("  object Values%1: TKvDoubleVector\n    Values = ( %1 0.5 -2 )\n  end\n").arg(name);
            break;
        case 2:
            s += QStringLiteral("  object Series%1: TKvLineSeries\n    XAxis = Axis%2\n    XData = Values%3\n    Caption = 'S%1'\n    Line.Width = 2\n  end\n")
                     .arg(name).arg(i - 2 > 0 ? i - 2 : 4).arg(i - 1);
            break;
        default:
            if (i % 100 == 3)
                s += QStringLiteral("  object Label%1: TKvRichLabel\n    Left = %2\n    Top = %3\n    Caption = 'Label %1'\n  end\n")
                         .arg(name).arg(8 + i % 1000).arg(8 + i / 1000 * 20);
            else
                s += QStringLiteral("  object Axis%1: TKvAxis\n    Scaling = Logarithmic\n    Caption = 'A%1'\n  end\n").arg(name);
        }
    }
    return s + QStringLiteral("end\n");
}

double designerLoadMs(const QString &Text, int *Made = nullptr)
{
    TDesignForm form;
    form.resize(1200, 900);
    TFormDesigner designer(&form);
    QElapsedTimer t;
    t.start();
    designer.LoadFromString(Text);
    const double ms = t.nsecsElapsed() / 1e6;
    if (Made)
        *Made = form.ComponentCount();
    return ms;
}

// The naive Qt reader: lines, QObjects, dynamic properties, references by findChild.
double peerLoadMs(const QString &Text)
{
    QElapsedTimer t;
    t.start();
    QObject root;
    QObject *current = nullptr;
    QList<std::pair<QObject *, QString>> references;
    for (QStringView line : QStringView(Text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1String("object "))) {
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            current = new QObject(&root);
            current->setObjectName(line.mid(7, colon - 7).toString());
        } else if (line == QLatin1String("end")) {
            current = nullptr;
        } else if (current) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq < 0)
                continue;
            const QByteArray name = line.first(eq).trimmed().toLatin1();
            const QString value = line.mid(eq + 1).trimmed().toString();
            current->setProperty(name.constData(), value);
            if (!value.isEmpty() && value.front().isLetter())
                references.append({current, value});
        }
    }
    int found = 0;
    for (const auto &[obj, target] : references)
        found += root.findChild<QObject *>(target, Qt::FindDirectChildrenOnly) != nullptr;
    return found >= 0 ? t.nsecsElapsed() / 1e6 : 0;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QString small = bigForm(10000), big = bigForm(100000);
    int made = 0;
    designerLoadMs(small); // warm up: classes, fonts, default objects
    const double smallMs = designerLoadMs(small);
    const double bigMs = designerLoadMs(big, &made);
    const double peerMs = peerLoadMs(big);
    std::printf("bench_formload: a form of 10^5 components (%.1f MB of text, %d made)\n", big.toUtf8().size() / 1e6, made);
    std::printf("  designer: %8.0f ms   (goal: under 10000 ms: %s)\n", bigMs, bigMs < 10000 ? "met" : "MISSED");
    std::printf("  peer (naive QObject reader): %8.0f ms   ratio designer/peer: %.3f (the peer finds references by a search)\n", peerMs, bigMs / peerMs);
    std::printf("  10^4 components: %8.0f ms; 10^5 / 10^4 = %.1f (linear: about 10)\n", smallMs, bigMs / smallMs);

    // A million persistent values: the text, its save and its load.
    TDesignForm form;
    TFormDesigner designer(&form);
    designer.LoadFromString(QStringLiteral("object Form1: TDesignForm\n  object Big: TKvDoubleVector\n"
                                           "    PersistentValues = True\n  end\nend\n"));
    TDoubleDynArray million;
    million.resize(1000000);
    for (qsizetype i = 0; i < million.size(); ++i)
        million[i] = double(i) * 0.001 + 1.0 / double(i + 1);
    ComponentCast<TKvDoubleVector>(form.FindComponent(QStringLiteral("Big")))->SetValues(million);
    QElapsedTimer t;
    t.start();
    const QString saved = designer.SaveToString();
    const double saveMs = t.nsecsElapsed() / 1e6;
    const double loadMs = designerLoadMs(saved);
    std::printf("  10^6 persistent values: text %.1f MB (%.2f characters a byte), save %.0f ms, load %.0f ms\n",
                saved.size() / 1e6, saved.size() / 8e6, saveMs, loadMs);
    return bigMs < 10000 ? 0 : 1;
}
