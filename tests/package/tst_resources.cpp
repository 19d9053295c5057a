// The package's resources as the host reads them: the version block from the package file
// (without loading it), and, with the package loaded, its bitmaps, icon and description.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <vector>

#include "Windows.h"

namespace {

const QString PackageFile = QStringLiteral(KV_PACKAGE_FILE);
const QString Prefix = QStringLiteral("KvPlots2D_StudioXE_Win32");

// The palette classes, written out here rather than taken from the drawing tool, so that a
// class the tool forgot shows up as a missing bitmap.
const QStringList PaletteClasses = {
    // Standard
    "TKvRichLabel", "TKvCaptionEdit", "TKvIntegerEdit", "TKvDoubleEdit", "TKvNumericUpDn", "TKvCheckBox",
    "TKvRadioGroup", "TKvColorPickCombo", "TKvTuneColorsDialog", "TKvFontDialog", "TKvDashStylesList",
    "TKvDashStylesCombo", "TKvAreaStylesList", "TKvAreaStylesCombo", "TKvPointSymbolsList",
    "TKvPointSymbolsCombo", "TKvUndoStack", "TKvUndoButton", "TKvRedoButton",
    // Graph
    "TKvGraph2D", "TKvAxis", "TKvLegend", "TKvGraphSettingsTool", "TKvDoubleVector", "TKvLineSeries",
    "TKvPointSeries", "TKvPointWithErrorSeries", "TKvBars", "TKvBubbles", "TKvArrows", "TKvOHLC",
    "TKvCandleSticks", "TKvLinearRegression", "TKvGeneralLinearLeastSquares", "TKvPolynomial", "TKvFittedLine",
    "TKvMovingAverage", "TKvInterpolation", "TKvDifferential", "TKvIntegral", "TKvDiscreteFourier",
    "TKvVerticalMarker", "TKvHorizontalMarker", "TKvCrossHair", "TKvLabelWithArrowMarker", "TKvPieChart",
    "TKvFillPalette", "TKvPieLegend", "TKvPieSettingsTool",
    // Frames
    "TKvGradientFrame", "TKvGraphSettingsFrame", "TKvAxisSettingsFrame", "TKvSeriesSettingsFrame",
    "TKvLegendSettingsFrame", "TKvPieGeneralSettingsFrame", "TKvFillPaletteFrame", "TKvPieDonutFillFrame",
    "TKvPieLabelsFrame", "TKvPieLegendSettingsFrame", "TKvSelectSeriesFrame"};

QByteArray ReadVersionBlock(const QString &FileName)
{
    DWORD handle = 1;
    const DWORD size = GetFileVersionInfoSizeW(FileName, &handle);
    if (size == 0 || handle != 0)
        return {};
    QByteArray block(qsizetype(size), '\0');
    if (!GetFileVersionInfoW(FileName, handle, size, block.data()))
        return {};
    return block;
}

QString QueryString(const QByteArray &Block, const QString &SubBlock, bool *Found = nullptr)
{
    void *buffer = nullptr;
    UINT len = 0;
    const BOOL ok = VerQueryValueW(Block.constData(), SubBlock, &buffer, &len);
    if (Found)
        *Found = ok;
    if (!ok || !buffer)
        return QStringLiteral("<none>");
    const auto *text = static_cast<const char16_t *>(buffer);
    // The length counts the terminator.
    if (len == 0 || text[len - 1] != 0)
        return QStringLiteral("<bad length %1>").arg(len);
    return QString::fromUtf16(text, qsizetype(len) - 1);
}

struct TBmpHeader {
    bool Valid = false;
    qint32 Width = 0, Height = 0;
    quint16 BitCount = 0;
    quint32 Compression = 0xFFFFFFFF;
};

TBmpHeader ParseBmp(const QByteArray &Data)
{
    TBmpHeader h;
    if (Data.size() < 54 || !Data.startsWith("BM"))
        return h;
    const uchar *p = reinterpret_cast<const uchar *>(Data.constData());
    h.Width = qFromLittleEndian<qint32>(p + 18);
    h.Height = qFromLittleEndian<qint32>(p + 22);
    h.BitCount = qFromLittleEndian<quint16>(p + 28);
    h.Compression = qFromLittleEndian<quint32>(p + 30);
    h.Valid = true;
    return h;
}

int ColourCount(const QImage &Image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            colours.insert(Image.pixel(x, y));
    return int(colours.size());
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private slots:
    // Runs first: everything about the version is read while the package is not loaded.
    void versionIsReadFromTheFileWithoutLoadingIt();
    void versionStrings_data();
    void versionStrings();
    void versionQueriesThatMustFail();
    void cutBlockIsQueriedWithinItsBuffer();
    void blockIsFoundAtAnyOffset();
    void filesWithoutVersionInformation_data();
    void filesWithoutVersionInformation();

    void loadingRegistersTheModule();
    void paletteBitmaps_data();
    void paletteBitmaps();
    void paletteBitmapsArePairwiseDistinct();
    void splashAboutAndIcon();
    void namesThatAreNoBitmaps();
    void description();
    void resourceModuleStandsInForItsModule();
    void unloadingForgetsModuleAndResources();

private:
    QLibrary FRuntime;
    QLibrary FLibrary;
    HMODULE FModule = nullptr;
    HBITMAP FKeptBitmap;
};

void TestResources::versionIsReadFromTheFileWithoutLoadingIt()
{
    QVERIFY2(QFileInfo(PackageFile).isFile(), qPrintable(PackageFile));
    QVERIFY(!GetModuleHandleW(PackageFile));

    const QByteArray block = ReadVersionBlock(PackageFile);
    QVERIFY(!block.isEmpty());
    void *buffer = nullptr;
    UINT len = 0;
    QVERIFY(VerQueryValueW(block.constData(), QStringLiteral("\\"), &buffer, &len));
    QCOMPARE(len, UINT(sizeof(VS_FIXEDFILEINFO)));
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(buffer);
    QCOMPARE(fixed->dwSignature, VS_FFI_SIGNATURE);
    QCOMPARE(fixed->dwFileVersionMS, DWORD(0x00030006));
    QCOMPARE(fixed->dwFileVersionLS, DWORD(0x00000001));
    QCOMPARE(fixed->dwProductVersionMS, DWORD(0x00030006));
    QCOMPARE(fixed->dwProductVersionLS, DWORD(0x00000001));
    QCOMPARE(fixed->dwFileType, VFT_DLL);

    QVERIFY(VerQueryValueW(block.constData(), QStringLiteral("\\VarFileInfo\\Translation"), &buffer, &len));
    QCOMPARE(len, UINT(4));
    const auto *words = static_cast<const WORD *>(buffer);
    QCOMPARE(words[0], WORD(0x0407));
    QCOMPARE(words[1], WORD(0x04E4));

    QVERIFY2(!GetModuleHandleW(PackageFile), "reading the version must not load the package");
}

void TestResources::versionStrings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("FileVersion") << "FileVersion" << "3.6.0.1";
    QTest::newRow("ProductVersion") << "ProductVersion" << "3.6.0.1";
    QTest::newRow("FileDescription") << "FileDescription" << "Kv-Plots2D.VCL Components for Win32 Designtime Package";
    QTest::newRow("ProductName") << "ProductName" << "Kv-Plots2D.VCL";
    QTest::newRow("InternalName") << "InternalName" << "Plots2D.VCL";
    QTest::newRow("CompanyName") << "CompanyName" << "Kv-Works";
    QTest::newRow("LegalTrademarks empty") << "LegalTrademarks" << "";
    QTest::newRow("OriginalFilename empty") << "OriginalFilename" << "";
    QTest::newRow("Comments empty, the last of the table") << "Comments" << "";
    // Keys compare without regard to case, as the OS does.
    QTest::newRow("key in other case") << "fileVERSION" << "3.6.0.1";
}

void TestResources::versionStrings()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QByteArray block = ReadVersionBlock(PackageFile);
    bool found = false;
    QCOMPARE(QueryString(block, "\\StringFileInfo\\040704E4\\" + key, &found), value);
    QVERIFY(found);
    QCOMPARE(QueryString(block, "\\stringfileinfo\\040704e4\\" + key), value);
}

void TestResources::versionQueriesThatMustFail()
{
    const QByteArray block = ReadVersionBlock(PackageFile);
    void *buffer = reinterpret_cast<void *>(1);
    UINT len = 99;
    // another language block, a key that is not there, a path below a string
    for (const char *path : {"\\StringFileInfo\\040904B0\\FileVersion", "\\StringFileInfo\\040704E4\\LegalCopyright",
                             "\\StringFileInfo\\040704E4\\FileVersion\\More", "\\NoSuchBlock"}) {
        QVERIFY2(!VerQueryValueW(block.constData(), QString::fromLatin1(path), &buffer, &len), path);
        QVERIFY(!buffer);
        QCOMPARE(len, UINT(0));
    }
    QVERIFY(!VerQueryValueW(nullptr, QStringLiteral("\\"), &buffer, &len));
}

void TestResources::cutBlockIsQueriedWithinItsBuffer()
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(PackageFile, &handle);
    QVERIFY(size > 200);
    // A buffer that holds the fixed part but not the strings: the strings are not there, and
    // no query reads past the buffer (the sanitizer build checks that).
    const DWORD cut = 100;
    std::vector<char> small(cut);
    QVERIFY(GetFileVersionInfoW(PackageFile, handle, cut, small.data()));
    void *buffer = nullptr;
    UINT len = 0;
    QVERIFY(VerQueryValueW(small.data(), QStringLiteral("\\"), &buffer, &len));
    QCOMPARE(static_cast<const VS_FIXEDFILEINFO *>(buffer)->dwFileVersionMS, DWORD(0x00030006));
    QVERIFY(!VerQueryValueW(small.data(), QStringLiteral("\\StringFileInfo\\040704E4\\Comments"), &buffer, &len));
    QVERIFY(!VerQueryValueW(small.data(), QStringLiteral("\\VarFileInfo\\Translation"), &buffer, &len));

    std::vector<char> tiny(60);
    QVERIFY(GetFileVersionInfoW(PackageFile, handle, DWORD(tiny.size()), tiny.data()));
    QVERIFY(!VerQueryValueW(tiny.data(), QStringLiteral("\\"), &buffer, &len));
}

void TestResources::blockIsFoundAtAnyOffset()
{
    const QByteArray block = ReadVersionBlock(PackageFile);
    QVERIFY(!block.isEmpty());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A decoy first: the key alone, not followed by a well-formed block, must be passed over.
    QByteArray decoy;
    for (char c : QByteArrayLiteral("VS_VERSION_INFO"))
        decoy += QByteArray(1, c) + '\0';
    decoy += QByteArray(2, '\0') + QByteArray(60, '\x7f');
    const QString file = dir.filePath("odd.bin");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("xyz" + QByteArray(6, 'q') + decoy + "12345" + block + "trailing");
    f.close();
    QCOMPARE(ReadVersionBlock(file), block);
}

void TestResources::filesWithoutVersionInformation_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<DWORD>("error");
    QTest::newRow("the runtime library") << QStringLiteral(KV_RUNTIME_FILE) << ERROR_RESOURCE_TYPE_NOT_FOUND;
    // it holds the reader, which must not take itself for a version block
    QTest::newRow("the design interface library") << QStringLiteral(KV_DESIGNIDE_FILE) << ERROR_RESOURCE_TYPE_NOT_FOUND;
    QTest::newRow("this test program") << QCoreApplication::applicationFilePath() << ERROR_RESOURCE_TYPE_NOT_FOUND;
    QTest::newRow("a text file") << QStringLiteral(KV_TEXT_FILE) << ERROR_RESOURCE_TYPE_NOT_FOUND;
    QTest::newRow("a missing file") << PackageFile + ".missing" << ERROR_FILE_NOT_FOUND;
    QTest::newRow("a folder") << QFileInfo(PackageFile).absolutePath() << ERROR_FILE_NOT_FOUND;
    QTest::newRow("no name") << QString() << ERROR_FILE_NOT_FOUND;
}

void TestResources::filesWithoutVersionInformation()
{
    QFETCH(QString, file);
    QFETCH(DWORD, error);
    DWORD handle = 7;
    QCOMPARE(GetFileVersionInfoSizeW(file, &handle), DWORD(0));
    QCOMPARE(GetLastError(), error);
    QCOMPARE(handle, DWORD(0));
    char buffer[256] = {};
    QVERIFY(!GetFileVersionInfoW(file, 0, sizeof buffer, buffer));
}

void TestResources::loadingRegistersTheModule()
{
    // The runtime is there before the package, in the global scope, as in the host that links
    // it: otherwise the runtime's references to shared template statics would bind to the
    // package's copies and pin the package in memory.
    FRuntime.setFileName(QStringLiteral(KV_RUNTIME_FILE));
    FRuntime.setLoadHints(QLibrary::ExportExternalSymbolsHint);
    QVERIFY2(FRuntime.load(), qPrintable(FRuntime.errorString()));
    FLibrary.setFileName(PackageFile);
    QVERIFY2(FLibrary.load(), qPrintable(FLibrary.errorString()));
    FModule = GetModuleHandleW(PackageFile);
    QVERIFY(FModule);
    QCOMPARE(FModule->FileName, QFileInfo(PackageFile).canonicalFilePath());
    QCOMPARE(FModule->ResourcePrefix, Prefix);
    QCOMPARE(GetModuleHandleW(QFileInfo(PackageFile).fileName()), FModule);
    QVERIFY(!GetModuleHandleW(QStringLiteral("libKvPlots2D_Other.so")));
    // The module record knows its own file: the version can be read through it.
    QCOMPARE(ReadVersionBlock(FModule->FileName), ReadVersionBlock(PackageFile));
}

void TestResources::paletteBitmaps_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    for (const QString &cls : PaletteClasses) {
        const QString name = cls.toUpper();
        QTest::newRow(qPrintable(name)) << name << 24;
        QTest::newRow(qPrintable(name + "16")) << name + "16" << 16;
        QTest::newRow(qPrintable(name + "32")) << name + "32" << 32;
    }
}

void TestResources::paletteBitmaps()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    QVERIFY(FModule);
    QByteArray raw;
    QVERIFY(LoadResourceData(FModule, name, raw));
    const TBmpHeader h = ParseBmp(raw);
    QVERIFY(h.Valid);
    QCOMPARE(h.BitCount, quint16(24));
    QCOMPARE(h.Compression, quint32(0)); // BI_RGB
    QCOMPARE(h.Width, size);
    QCOMPARE(qAbs(h.Height), size);

    const HBITMAP bitmap = LoadBitmapW(FindResourceHInstance(FModule), name);
    QVERIFY(bitmap);
    QCOMPARE(bitmap->size(), QSize(size, size));
    QVERIFY2(ColourCount(*bitmap) >= 3, "a palette bitmap needs more than a background and one colour");
    // Resource names are found without regard to case.
    const HBITMAP lower = LoadBitmapW(FModule, name.toLower());
    QVERIFY(lower);
    QCOMPARE(*lower, *bitmap);
}

void TestResources::paletteBitmapsArePairwiseDistinct()
{
    QVERIFY(FModule);
    for (const QString &suffix : {QString(), QStringLiteral("16"), QStringLiteral("32")}) {
        std::vector<std::pair<QString, QImage>> images;
        for (const QString &cls : PaletteClasses) {
            const HBITMAP b = LoadBitmapW(FModule, cls.toUpper() + suffix);
            QVERIFY2(b, qPrintable(cls + suffix));
            images.emplace_back(cls + suffix, b->convertToFormat(QImage::Format_RGB32));
        }
        for (size_t i = 0; i < images.size(); ++i)
            for (size_t j = i + 1; j < images.size(); ++j)
                QVERIFY2(images[i].second != images[j].second,
                         qPrintable(images[i].first + " and " + images[j].first + " are the same picture"));
    }
}

void TestResources::splashAboutAndIcon()
{
    QVERIFY(FModule);
    const QList<std::pair<QString, int>> pictures = {{"SPLASH", 24}, {"ABOUT", 48}};
    for (const auto &[name, size] : pictures) {
        QByteArray raw;
        QVERIFY(LoadResourceData(FModule, name, raw));
        const TBmpHeader h = ParseBmp(raw);
        QVERIFY2(h.Valid && h.BitCount == 24 && h.Compression == 0, qPrintable(name));
        const HBITMAP b = LoadBitmapW(FModule, name);
        QVERIFY2(b, qPrintable(name));
        QCOMPARE(b->size(), QSize(size, size));
        QVERIFY(ColourCount(*b) >= 3);
    }

    // The icon group: an icon file with its images one after another.
    QByteArray ico;
    QVERIFY(LoadResourceData(FModule, QStringLiteral("MAINICON"), ico));
    QVERIFY(ico.size() > 6);
    const uchar *p = reinterpret_cast<const uchar *>(ico.constData());
    QCOMPARE(qFromLittleEndian<quint16>(p), quint16(0));
    QCOMPARE(qFromLittleEndian<quint16>(p + 2), quint16(1));
    const int count = qFromLittleEndian<quint16>(p + 4);
    QVERIFY(count >= 2);
    QSet<int> sizes;
    for (int i = 0; i < count; ++i) {
        const uchar *e = p + 6 + 16 * i;
        const quint32 bytes = qFromLittleEndian<quint32>(e + 8), offset = qFromLittleEndian<quint32>(e + 12);
        QVERIFY(offset + bytes <= quint32(ico.size()));
        const QImage img = QImage::fromData(ico.mid(offset, bytes));
        QVERIFY(!img.isNull());
        QCOMPARE(img.width(), e[0] ? int(e[0]) : 256);
        sizes.insert(img.width());
    }
    QVERIFY(sizes.contains(16) && sizes.contains(32));
}

void TestResources::namesThatAreNoBitmaps()
{
    QVERIFY(FModule);
    QVERIFY(!LoadBitmapW(FModule, QStringLiteral("TKVNOSUCHCLASS")));
    QCOMPARE(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    QVERIFY(!LoadBitmapW(FModule, QStringLiteral("TKVGRAPH2D48"))); // no such size
    QVERIFY(!LoadBitmapW(FModule, QString()));
    QVERIFY(!LoadBitmapW(nullptr, QStringLiteral("ABOUT")));
    // Raw data and icons are resources of the module, but no bitmaps.
    QVERIFY(!LoadBitmapW(FModule, QStringLiteral("DESCRIPTION")));
    QCOMPARE(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    QVERIFY(!LoadBitmapW(FModule, QStringLiteral("MAINICON")));
    // Another module's names are not this one's.
    TLibModule other{FModule->FileName, QStringLiteral("KvPlots2D_NoSuchPackage")};
    QVERIFY(!LoadBitmapW(&other, QStringLiteral("ABOUT")));
    QByteArray data = "untouched";
    QVERIFY(!LoadResourceData(&other, QStringLiteral("DESCRIPTION"), data));
    QCOMPARE(data, QByteArray("untouched"));
    QCOMPARE(GetPackageDescription(&other), QString());
}

void TestResources::description()
{
    QVERIFY(FModule);
    QCOMPARE(GetPackageDescription(FModule), QStringLiteral("Kv-Plots2D.VCL Components for Win32"));
    QByteArray raw;
    QVERIFY(LoadResourceData(FModule, QStringLiteral("description"), raw));
    // UTF-16, little-endian, no byte-order mark, null-terminated
    QVERIFY(raw.startsWith(QByteArray("K\0v\0-\0", 6)));
    QCOMPARE(raw.size(), qsizetype(2 * (QStringLiteral("Kv-Plots2D.VCL Components for Win32").size() + 1)));
    QVERIFY(raw.endsWith(QByteArray(2, '\0')));
}

void TestResources::resourceModuleStandsInForItsModule()
{
    QVERIFY(FModule);
    QCOMPARE(FindResourceHInstance(FModule), FModule);
    QCOMPARE(FindResourceHInstance(nullptr), HINSTANCE(nullptr));
    // A language module takes over the resources while it is loaded.
    TLibModule language{QStringLiteral("/nowhere/libKvPlots2D_StudioXE_Win32.de.so"), QStringLiteral("KvPlots2D_NoSuchLanguage")};
    RegisterModule(&language);
    FModule->ResInstance = &language;
    QCOMPARE(FindResourceHInstance(FModule), &language);
    QVERIFY(!LoadBitmapW(FindResourceHInstance(FModule), QStringLiteral("ABOUT")));
    UnregisterModule(&language);
    QCOMPARE(FindResourceHInstance(FModule), FModule);
    QVERIFY(LoadBitmapW(FindResourceHInstance(FModule), QStringLiteral("ABOUT")));
}

void TestResources::unloadingForgetsModuleAndResources()
{
    QVERIFY(FModule);
    FKeptBitmap = LoadBitmapW(FModule, QStringLiteral("ABOUT"));
    QVERIFY(FKeptBitmap);
    const QString path = ":/" + Prefix + "/ABOUT";
    QVERIFY(QFile::exists(path));
    QVERIFY2(FLibrary.unload(), qPrintable(FLibrary.errorString()));
    FModule = nullptr;
    QVERIFY(!GetModuleHandleW(PackageFile));
    QVERIFY(!QFile::exists(path));
    // A bitmap handed out stays valid after its module is gone.
    QCOMPARE(FKeptBitmap->size(), QSize(48, 48));
    QVERIFY(ColourCount(*FKeptBitmap) >= 3);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
