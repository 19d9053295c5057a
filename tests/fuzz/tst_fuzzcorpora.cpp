// Every fuzz target on every file of its corpus (tests/fuzz/corpus/<target>/): the seeds and
// each input that ever made a target fail. The targets are the sources `make fuzz` builds with
// libFuzzer, compiled here with the project's own compiler.
#include <QDir>
#include <QtTest>

#include "FuzzTarget.h"
#include "SysUtils.h"

class TstFuzzCorpora : public QObject {
    Q_OBJECT
    TFormatSettings FSaved;

private slots:
    void init() { FSaved = FormatSettings(); }
    void cleanup() { FormatSettings() = FSaved; }

    void everyTargetHasACorpus()
    {
        const QStringList expected{"binarydata", "colortext", "datetime", "doublearray", "fillpalette",
                                   "floattext",  "formfile",  "formula",  "richcaption"};
        QStringList names;
        for (const auto &[name, target] : KvFuzz::Targets())
            names << QString::fromStdString(name);
        QCOMPARE(names, expected);
        for (const QString &n : names)
            QVERIFY2(!QDir(QStringLiteral(KV_FUZZ_CORPUS_DIR "/") + n).entryList(QDir::Files).isEmpty(), qPrintable(n));
    }

    void inputsOfTheCorpora_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        for (const auto &[name, target] : KvFuzz::Targets()) {
            const QDir dir(QStringLiteral(KV_FUZZ_CORPUS_DIR "/") + QString::fromStdString(name));
            for (const QString &f : dir.entryList(QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(QString::fromStdString(name) + QLatin1Char('/') + f))
                    << QString::fromStdString(name) << dir.filePath(f);
        }
    }
    void inputsOfTheCorpora()
    {
        QFETCH(QString, target);
        QFETCH(QString, file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        try {
            KvFuzz::Targets().at(target.toStdString())(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
        } catch (...) {
            QFAIL(qPrintable(ExceptionMessage(std::current_exception())));
        }
    }
};

QTEST_MAIN(TstFuzzCorpora)
#include "tst_fuzzcorpora.moc"
