// Form files as users and their tools produce them: deeply nested or foreign text, names that
// cannot stay, bytes that are not UTF-8, values the format cannot hold, binary data of
// persistent vectors up to a million values, large forms with their progress and tile places.
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>

#include "DemoForm.h"
#include "DesignForm.h"
#include "FormComponents.h"
#include "FormDesigner.h"
#include "FormParser.h"
#include "FormStreaming.h"
#include "Kvaxis.h"
#include "Kvrichlabel.h"
#include "Kvvectors.h"

namespace {

struct TDesignerFixture {
    TDesignForm Form;
    TFormDesigner Designer{&Form};
};

QString wrapped(const QString &Body) { return QStringLiteral("object Form1: TDesignForm\n") + Body + QStringLiteral("end\n"); }

TKvDoubleVector *vector(TFormDesigner &D, const char *Name)
{
    return ComponentCast<TKvDoubleVector>(D.GetComponent(QString::fromLatin1(Name)));
}

bool sameBits(const TDoubleDynArray &A, const TDoubleDynArray &B)
{
    return A.size() == B.size() && std::memcmp(A.constData(), B.constData(), size_t(A.size()) * sizeof(double)) == 0;
}

} // namespace

class TestFormFiles : public QObject {
    Q_OBJECT

private slots:
    // ---- text that is no form, or too deep for one -----------------------------------------
    // 20,000 levels would overflow the stack of a recursive reader: the depth is bounded with a
    // message, and the form is left as it was.
    void nestingIsBoundedWithAClearMessage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const int deep = 20000;
        QString objects;
        for (int i = 0; i < deep; ++i)
            objects += QStringLiteral("object A%1: TKvAxis\n").arg(i);
        for (int i = 0; i < deep; ++i)
            objects += QStringLiteral("end\n");
        QTest::newRow("objects") << wrapped(objects) << QStringLiteral("nested more than 256 levels");
        QTest::newRow("parentheses") << wrapped(QStringLiteral("  Caption = ") + QString(deep, QLatin1Char('(')) + QLatin1Char('\n'))
                                     << QStringLiteral("a list holds strings or numbers");
        QTest::newRow("lists in a list") << wrapped(QStringLiteral("  Hint = ( 'a' ") + QString(deep, QLatin1Char('(')) + QLatin1Char('\n'))
                                         << QStringLiteral("a list holds strings or numbers");
        QTest::newRow("sets") << wrapped(QStringLiteral("  Anchors = ") + QString(deep, QLatin1Char('[')) + QLatin1Char('\n'))
                              << QStringLiteral("identifier expected");
    }
    void nestingIsBoundedWithAClearMessage()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        TDesignerFixture f;
        f.Designer.LoadFromString(wrapped(QStringLiteral("  object Keep1: TKvAxis\n  end\n")));
        QString error;
        try {
            f.Designer.LoadFromString(text);
        } catch (const EConvertError &e) {
            error = e.Message();
        }
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(error.startsWith(QLatin1String("Line ")));
        QVERIFY(f.Designer.GetComponent(QStringLiteral("Keep1")));
    }

    // As deep as the bound allows still loads, every level made.
    void nestingUpToTheBoundLoads()
    {
        QString objects;
        for (int i = 0; i < MaxFormDepth - 1; ++i)
            objects += QStringLiteral("object A%1: TKvAxis\n").arg(i);
        for (int i = 0; i < MaxFormDepth - 1; ++i)
            objects += QStringLiteral("end\n");
        TDesignerFixture f;
        QCOMPARE(f.Designer.LoadFromString(wrapped(objects)), QStringList());
        QCOMPARE(f.Form.ComponentCount(), MaxFormDepth - 1);
    }

    // ---- what is read, and what is said about it ---------------------------------------------
    void foreignBytesAreReadAsLatin1AndReported_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("badLine"); // 0: no message
        const QByteArray head = "object Form1: TDesignForm\n  object Label1: TKvRichLabel\n    Caption = '";
        const QByteArray tail = "'\n  end\nend\n";
        QTest::newRow("utf-8") << head + "Gr\xC3\xBC\xC3\x9F" "e" + tail << QStringLiteral("Grüße") << 0;
        QTest::newRow("utf-8 with BOM") << "\xEF\xBB\xBF" + head + "\xE2\x82\xAC" + tail << QStringLiteral("€") << 0;
        QTest::newRow("latin-1") << head + "Gr\xFC\xDF" "e" + tail << QStringLiteral("Grüße") << 3;
        QTest::newRow("overlong slash") << head + "a\xC0\xAF" + tail << QStringLiteral("a\u00C0\u00AF") << 3;
        QTest::newRow("surrogate") << head + "\xED\xA0\x80" + tail << QStringLiteral("\u00ED\u00A0\u0080") << 3;
        QTest::newRow("cut sequence") << head + "\xE2\x82" + tail << QStringLiteral("\u00E2\u0082") << 3;
    }
    void foreignBytesAreReadAsLatin1AndReported()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, caption);
        QFETCH(int, badLine);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("form.kvf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        TDesignerFixture f;
        const QStringList messages = f.Designer.LoadFromFile(file.fileName());
        auto *label = ComponentCast<TKvRichLabel>(f.Designer.GetComponent(QStringLiteral("Label1")));
        QVERIFY(label);
        QCOMPARE(label->property("Caption").toString(), caption);
        if (badLine == 0) {
            QCOMPARE(messages, QStringList());
        } else {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages.first().startsWith(QStringLiteral("Line %1: the file is not UTF-8").arg(badLine)),
                     qPrintable(messages.first()));
        }
    }

    void foreignRootClassesAreReported_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("message");
        QTest::newRow("the user's form class") << "TForm1" << "the form's class TForm1 is unknown";
        QTest::newRow("a component class") << "TKvAxis" << "TKvAxis is no form class";
        QTest::newRow("the form's class") << "TDesignForm" << "";
        QTest::newRow("in other case") << "tdesignform" << "";
    }
    void foreignRootClassesAreReported()
    {
        QFETCH(QString, root);
        QFETCH(QString, message);
        TDesignerFixture f;
        const QStringList messages =
            f.Designer.LoadFromString(QStringLiteral("object Form1: %1\n  object Axis1: TKvAxis\n  end\nend\n").arg(root));
        if (message.isEmpty()) {
            QCOMPARE(messages, QStringList());
        } else {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages.first().startsWith(QStringLiteral("Line 1: ") + message), qPrintable(messages.first()));
        }
        QVERIFY(f.Designer.GetComponent(QStringLiteral("Axis1"))); // the components load all the same
    }

    // A file's names that a designed form cannot keep get free ones, and each is reported.
    void namesAFormCannotKeepAreReplaced_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << "object TKvAxis" << "Axis1" << "a TKvAxis without a name, named Axis1";
        QTest::newRow("nil") << "object nil: TKvAxis" << "Axis1" << "'nil' is reserved";
        QTest::newRow("NIL") << "object NIL: TKvAxis" << "Axis1" << "'NIL' is reserved";
        QTest::newRow("the form's") << "object form1: TKvAxis" << "Axis1" << "a component named form1 exists already";
        QTest::newRow("taken") << "object Keep: TKvAxis" << "Axis1" << "a component named Keep exists already";
    }
    void namesAFormCannotKeepAreReplaced()
    {
        QFETCH(QString, block);
        QFETCH(QString, newName);
        QFETCH(QString, message);
        TDesignerFixture f;
        const QStringList messages = f.Designer.LoadFromString(
            wrapped(QStringLiteral("  object Keep: TKvAxis\n  end\n  %1\n    Start = 5\n  end\n").arg(block)));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(message), qPrintable(messages.first()));
        auto *axis = ComponentCast<TKvAxis>(f.Designer.GetComponent(newName));
        QVERIFY(axis);
        QCOMPARE(axis->Start(), 5.0);
        // What the form saves opens again as it is.
        const QString saved = f.Designer.SaveToString();
        TDesignerFixture g;
        QCOMPARE(g.Designer.LoadFromString(saved), QStringList());
        QCOMPARE(g.Designer.SaveToString(), saved);
    }

    // Many copies of one name each get the next free number, also around numbers that are taken.
    void copiesOfOneNameGetFreeNumbers()
    {
        QString body = QStringLiteral("  object Axis3: TKvAxis\n  end\n");
        for (int i = 0; i < 2000; ++i)
            body += QStringLiteral("  object Axis1: TKvAxis\n  end\n");
        TDesignerFixture f;
        const QStringList messages = f.Designer.LoadFromString(wrapped(body));
        QCOMPARE(messages.size(), 1999);
        QCOMPARE(f.Form.ComponentCount(), 2001);
        QSet<QString> names;
        for (int i = 0; i < f.Form.ComponentCount(); ++i)
            names.insert(f.Form.Components(i)->Name().toLower());
        QCOMPARE(names.size(), 2001);
        QVERIFY(names.contains(QStringLiteral("axis2001"))); // Axis3 was taken
        QVERIFY(!names.contains(QStringLiteral("axis2002")));
    }

    // A form read outside the designer (a running form): a linked control's stored value is
    // restored, not passed on to its targets, whatever the order of the lines; what is read
    // writes the same text again.
    void linkedValuesAreNotPassedOnWhileAFormIsRead_data()
    {
        QTest::addColumn<QString>("checkBox");
        const QString links = QStringLiteral("    PropertyLinks.LinkNames.Strings = (\n      'Form1.Axis1.Stop')\n");
        const QString checked = QStringLiteral("    Checked = True\n");
        QTest::newRow("links first") << links + checked;
        QTest::newRow("value first") << checked + links;
    }
    void linkedValuesAreNotPassedOnWhileAFormIsRead()
    {
        QFETCH(QString, checkBox);
        const QString text = QStringLiteral("object Form1: TNonVisualComponent\n  object Axis1: TKvAxis\n    Stop = 12\n  end\n"
                                            "  object CheckBox1: TKvCheckBox\n")
                             + checkBox + QStringLiteral("  end\nend\n");
        TNonVisualComponent root;
        QCOMPARE(ReadFormText(&root, text).Messages, QStringList());
        auto *axis = ComponentCast<TKvAxis>(root.FindComponent(QStringLiteral("Axis1")));
        QVERIFY(axis);
        QCOMPARE(axis->Stop(), 12.0);
        const QString written = WriteFormText(&root);
        TNonVisualComponent again;
        ReadFormText(&again, written);
        QCOMPARE(WriteFormText(&again), written);
    }

    // One rule for numbers: a form file holds finite values only, written with a point.
    void infinityAndNanLinesAreReportedAndSkipped_data()
    {
        QTest::addColumn<QString>("value");
        for (const char *v : {"INF", "-INF", "+INF", "NAN", "nan", "1e999", "-1E400", "1.5.5"})
            QTest::newRow(v) << QString::fromLatin1(v);
    }
    void infinityAndNanLinesAreReportedAndSkipped()
    {
        QFETCH(QString, value);
        TDesignerFixture f;
        const QStringList messages =
            f.Designer.LoadFromString(wrapped(QStringLiteral("  object Axis1: TKvAxis\n    Start = %1\n    Stop = 2.5\n  end\n").arg(value)));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith(QStringLiteral("Line 3: Axis1.Start: ")), qPrintable(messages.first()));
        auto *axis = ComponentCast<TKvAxis>(f.Designer.GetComponent(QStringLiteral("Axis1")));
        QCOMPARE(axis->Start(), 0.0);
        QCOMPARE(axis->Stop(), 2.5);
    }

    // ---- binary data of persistent vectors -----------------------------------------------------
    // The block is written after the published properties as classic form files wrap binary
    // data: "{", 64 hex digits a line two places deeper, "}" after the last digit.
    void vectorDataIsAWrappedHexBlock()
    {
        TDesignerFixture f;
        f.Designer.LoadFromString(wrapped(QStringLiteral("  object V1: TKvDoubleVector\n"
                                                         "    PersistentValues = True\n"
                                                         "    Values = ( 1 2 3 4 5 0.5 )\n  end\n"
                                                         "  object V2: TKvDoubleVector\n    Values = ( 7 )\n  end\n")));
        const QString text = f.Designer.SaveToString();
        const QStringList lines = text.split(QLatin1Char('\n'));
        const int at = int(lines.indexOf(QStringLiteral("    Data = {")));
        QVERIFY2(at > 0, qPrintable(text));
        QVERIFY(lines[at - 1].startsWith(QLatin1String("    PersistentValues = True")));
        QCOMPARE(lines[at + 1], QStringLiteral("      000000000000F03F000000000000004000000000000008400000000000001040"));
        QVERIFY(lines[at + 2].endsWith(QLatin1Char('}')));
        QCOMPARE(lines[at + 2].size(), 6 + 32 + 1);
        QCOMPARE(lines[at + 3], QStringLiteral("  end"));
        QCOMPARE(text.count(QStringLiteral("Data =")), 1); // V2 keeps no values

        TDesignerFixture g;
        QCOMPARE(g.Designer.LoadFromString(text), QStringList());
        QCOMPARE(vector(g.Designer, "V1")->Values(), TDoubleDynArray({1, 2, 3, 4, 5, 0.5}));
        QCOMPARE(vector(g.Designer, "V2")->Count(), 0);
        QCOMPARE(g.Designer.SaveToString(), text);
    }

    // A block that does not fit is reported and leaves the vector as it was; a name nobody
    // declares is an unknown property.
    void badBlocksAreReportedAndSkipped_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("odd digits") << "Data = {000000000000F03F0}" << "odd number of hex digits";
        QTest::newRow("no hex digit") << "Data = {000000000000F03G}" << "'G', which is no hex digit";
        QTest::newRow("not whole values") << "Data = {000000000000F03F0000}" << "not a whole number of values";
        QTest::newRow("unknown block") << "Pixels = {00}" << "V1.Pixels: unknown property";
        QTest::newRow("text for a block") << "Data = 'abc'" << "V1.Data: unknown property";
    }
    void badBlocksAreReportedAndSkipped()
    {
        QFETCH(QString, line);
        QFETCH(QString, message);
        TDesignerFixture f;
        const QStringList messages = f.Designer.LoadFromString(
            wrapped(QStringLiteral("  object V1: TKvDoubleVector\n    Values = ( 9 8 )\n    %1\n  end\n").arg(line)));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith(QLatin1String("Line 4: ")) && messages.first().contains(message),
                 qPrintable(messages.first()));
        QCOMPARE(vector(f.Designer, "V1")->Values(), TDoubleDynArray({9, 8}));
    }

    // A million values, gaps (NaN) and signed zeros among them, come back bit for bit; the text
    // stays below 2.25 characters a byte.
    void aMillionPersistentValuesRoundTrip()
    {
        TDesignerFixture a;
        a.Designer.LoadFromString(wrapped(QStringLiteral("  object Big: TKvDoubleVector\n    PersistentValues = True\n  end\n")));
        TKvDoubleVector *big = vector(a.Designer, "Big");
        TDoubleDynArray values(1000000);
        QRandomGenerator gen(7);
        for (qsizetype i = 0; i < values.size(); ++i)
            values[i] = (gen.generateDouble() - 0.5) * std::pow(10.0, int(gen.bounded(40)) - 20);
        values[3] = std::numeric_limits<double>::quiet_NaN();
        values[4] = -0.0;
        values[5] = std::numeric_limits<double>::denorm_min();
        values[6] = std::numeric_limits<double>::infinity();
        big->SetValues(values);
        const QString text = a.Designer.SaveToString();
        QVERIFY2(text.size() < 8000000 * 9 / 4, qPrintable(QString::number(text.size())));

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("big.kvf"));
        a.Designer.SaveToFile(file);
        TDesignerFixture b;
        QCOMPARE(b.Designer.LoadFromFile(file), QStringList());
        QVERIFY(sameBits(vector(b.Designer, "Big")->Values(), values));
        QCOMPARE(b.Designer.SaveToString(), text);
    }

    // The demo form keeps its vectors' values.
    void demoVectorsKeepTheirValues()
    {
        TDesignerFixture a, b;
        a.Designer.LoadFromString(DemoFormText());
        for (const char *name : {"XValues", "YValues", "PValues"}) {
            QVERIFY2(vector(a.Designer, name)->PersistentValues(), name);
            QVERIFY(vector(a.Designer, name)->Count() > 0);
        }
        QCOMPARE(b.Designer.LoadFromString(a.Designer.SaveToString()), QStringList());
        for (const char *name : {"XValues", "YValues", "PValues"})
            QCOMPARE(vector(b.Designer, name)->Values(), vector(a.Designer, name)->Values());
    }

    // ---- large forms -------------------------------------------------------------------------
    // A long load tells how far it went, from 0 to 100, never going back.
    void longLoadsReportTheirProgress()
    {
        QString body;
        for (int i = 0; i < 20000; ++i)
            body += QStringLiteral("  object Axis%1: TKvAxis\n    Start = %1\n  end\n").arg(i + 1);
        TDesignerFixture f;
        QList<int> seen;
        connect(&f.Designer, &TFormDesigner::loadProgress, this, [&](int p) { seen << p; });
        QCOMPARE(f.Designer.LoadFromString(wrapped(body)), QStringList());
        QVERIFY(seen.size() >= 10);
        QCOMPARE(seen.first(), 0);
        QCOMPARE(seen.last(), 100);
        QVERIFY(std::is_sorted(seen.cbegin(), seen.cend()));
        QCOMPARE(QSet<int>(seen.cbegin(), seen.cend()).size(), seen.size()); // each step told once
    }

    // Components without a place get tiles that cover neither each other nor those placed.
    void tilesWithoutAPlaceGetFreePlaces()
    {
        QString body = QStringLiteral("  object Placed: TKvAxis\n    DesignLeft = 116\n    DesignTop = 16\n  end\n");
        for (int i = 0; i < 600; ++i)
            body += QStringLiteral("  object Axis%1: TKvAxis\n  end\n").arg(i + 1);
        TDesignerFixture f;
        f.Form.resize(640, 480);
        f.Designer.LoadFromString(wrapped(body));
        QList<QRect> rects;
        for (int i = 0; i < f.Form.ComponentCount(); ++i)
            rects << f.Form.TileHitRect(f.Form.Components(i));
        for (int i = 0; i < rects.size(); ++i)
            for (int j = i + 1; j < rects.size(); ++j)
                QVERIFY2(!rects[i].intersects(rects[j]),
                         qPrintable(QStringLiteral("%1 and %2").arg(f.Form.Components(i)->Name(), f.Form.Components(j)->Name())));
        QCOMPARE(DesignPosition(f.Designer.GetComponent(QStringLiteral("Placed"))->AsObject()), QPoint(116, 16));
        QCOMPARE(DesignPosition(f.Designer.GetComponent(QStringLiteral("Axis1"))->AsObject()), QPoint(40, 16));
    }
};

QTEST_MAIN(TestFormFiles)
#include "tst_formfiles.moc"
