// The IDE on a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2): pictures are drawn at the
// screen's resolution, not made at 1x and enlarged. A one-pixel line is two device pixels of
// full colour with clean neighbours, the palette shows the package's 32-pixel bitmaps pixel for
// pixel, image controls and chart previews hold twice their logical size in pixels.
#include <QLabel>
#include <QListWidget>
#include <QToolBar>
#include <QtTest>

#include "ComponentPalette.h"
#include "DesignForm.h"
#include "Graphics.h"
#include "HostFixture.h"
#include "Kvcolorpicker.h"
#include "Kvdashstyleslist.h"
#include "Kvgraphedit.h"
#include "PackageLoader.h"
#include "Pictures.h"
#include "Windows.h"

namespace {
// The device pixels of a picture (its ratio left aside, so that pixels compare with pixels).
QImage pixelsOf(const QPixmap &Picture)
{
    QImage img = Picture.toImage().convertToFormat(QImage::Format_ARGB32);
    img.setDevicePixelRatio(1);
    return img;
}
QImage imageOf(const QIcon &Icon, QSize Logical) { return pixelsOf(Icon.pixmap(Logical, 2.0)); }
QString hex(QRgb c) { return QString::number(c, 16); }
} // namespace

class TestHighDpi : public QObject {
    Q_OBJECT
    THostFixture F;

private slots:
    void initTestCase()
    {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        QVERIFY(F.Start());
    }
    void init() { F.Reset(); }
    void cleanupTestCase() { F.Stop(); }

    void colourSwatchHasATwoPixelFrameAndNoBlur()
    {
        const QColor colour(0x1E, 0x90, 0xFF);
        const QImage img = imageOf(ColorSwatch(TKvColor(0xFF1E90FFu), 16), QSize(16, 16));
        QCOMPARE(img.size(), QSize(32, 32));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const bool frame = x < 2 || y < 2 || x > 29 || y > 29;
                const QRgb want = frame ? qRgb(0, 0, 0) : colour.rgb();
                QVERIFY2(img.pixel(x, y) == want, qPrintable(QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(hex(img.pixel(x, y)))));
            }
    }

    void dashSampleLineIsTwoDevicePixelsOfFullColour()
    {
        TKvDashStylesList list;
        list.SetLineColor(0xFFFF0000);
        list.resize(200, 120);
        QListWidgetItem *solid = list.ListBox()->item(0);
        QVERIFY(solid);
        const QSize logical = list.ListBox()->iconSize();
        const QImage img = imageOf(solid->icon(), logical);
        QCOMPARE(img.size(), logical * 2);
        const int x = img.width() / 2;
        QList<int> ink;
        for (int y = 0; y < img.height(); ++y) {
            const QRgb c = img.pixel(x, y);
            if (c != qRgb(255, 255, 255)) {
                // Every inked pixel is the line's own colour: nothing half covered.
                QVERIFY2(c == qRgb(255, 0, 0), qPrintable(QStringLiteral("row %1 is %2").arg(y).arg(hex(c))));
                ink << y;
            }
        }
        QCOMPARE(ink.size(), 2);
        QCOMPARE(ink[1], ink[0] + 1);
    }

    // The package's drawing routines draw through a canvas: a one-pixel pen there covers its
    // whole logical pixel, as the colour editor's framed swatch in the inspector needs.
    void canvasOnePixelLinesCoverTheirLogicalPixels()
    {
        QImage img(60, 60, QImage::Format_RGB32);
        img.setDevicePixelRatio(2);
        img.fill(Qt::white);
        {
            QPainter painter(&img);
            TCanvas c(&painter);
            c.Pen.Color = clBlack;
            c.Brush.Color = clWhite;
            c.Rectangle(1, 1, 11, 11); // outline on logical pixels 1 and 10
            c.Pen.Color = clRed;
            c.MoveTo(2, 20);
            c.LineTo(12, 20); // logical pixels 2..11 of row 20
            c.MoveTo(25, 2);
            c.LineTo(25, 3); // one pixel
        }
        auto at = [&](int x, int y) { return img.pixel(x, y); };
        const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), red = qRgb(255, 0, 0);
        for (int d = 2; d < 22; ++d) {
            // Top and bottom edges: device rows 2, 3 and 20, 21.
            QCOMPARE(at(d, 1), white);
            QCOMPARE(at(d, 2), black);
            QCOMPARE(at(d, 3), black);
            QCOMPARE(at(d, 20), black);
            QCOMPARE(at(d, 21), black);
            QCOMPARE(at(d, 22), white);
        }
        for (int d = 4; d < 20; ++d) {
            // Left and right edges: device columns 2, 3 and 20, 21; inside and outside white.
            QCOMPARE(at(1, d), white);
            QCOMPARE(at(2, d), black);
            QCOMPARE(at(3, d), black);
            QCOMPARE(at(4, d), white);
            QCOMPARE(at(19, d), white);
            QCOMPARE(at(20, d), black);
            QCOMPARE(at(21, d), black);
            QCOMPARE(at(22, d), white);
        }
        for (int x = 4; x < 24; ++x) {
            QCOMPARE(at(x, 39), white);
            QCOMPARE(at(x, 40), red);
            QCOMPARE(at(x, 41), red);
            QCOMPARE(at(x, 42), white);
        }
        QCOMPARE(at(24, 40), white); // the end point is left out
        QCOMPARE(at(50, 4), red);
        QCOMPARE(at(51, 5), red);
        QCOMPARE(at(52, 4), white);
        QCOMPARE(at(50, 6), white);
    }

    void imageControlsPaintAtDeviceResolution()
    {
        QLabel label;
        label.resize(100, 50);
        PaintImage(&label, [](QPainter &P) {
            P.setPen(QPen(Qt::black, 1));
            P.drawLine(QPointF(10, 10.5), QPointF(90, 10.5));
        });
        const QPixmap pm = label.pixmap();
        QCOMPARE(pm.devicePixelRatio(), 2.0);
        QCOMPARE(pm.size(), QSize(200, 100));
        const QImage img = pm.toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(img.pixel(100, 19), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(100, 20), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(100, 21), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(100, 22), qRgb(255, 255, 255));
        // A second drawing goes onto the same picture.
        PaintImage(&label, [](QPainter &P) { P.fillRect(QRectF(0, 0, 1, 1), Qt::red); });
        const QImage again = label.pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(again.pixel(1, 1), qRgb(255, 0, 0));
        QCOMPARE(again.pixel(2, 2), qRgb(255, 255, 255));
        QCOMPARE(again.pixel(100, 20), qRgb(0, 0, 0));
    }

    void paletteShowsThePackagesLargerBitmapsPixelForPixel()
    {
        const TPaletteRow *pieRow = nullptr;
        for (const TPaletteRow &row : TDesignRegistry::Instance().PaletteRows())
            for (TComponentClass c : row.Classes)
                if (QLatin1String(c->className()) == QLatin1String("TKvPieChart"))
                    pieRow = &row;
        QVERIFY(pieRow);
        const TLoadedPackage *package = F.Host->Loader()->FindPackage(pieRow->Package);
        QVERIFY(package && package->Module());
        const HBITMAP big = LoadBitmapW(FindResourceHInstance(package->Module()), QStringLiteral("TKVPIECHART32"));
        QVERIFY(big && big->size() == QSize(32, 32));
        const QImage want = big->convertToFormat(QImage::Format_ARGB32);

        // At ratio 2 the 24-pixel place holds the 32-pixel bitmap as 16 logical pixels.
        QCOMPARE(PaletteIconSize(24, 2), 16);
        QCOMPARE(PaletteIconSize(24, 1), 24);
        const QPixmap pm = PaletteBitmap(*F.Host->Loader(), pieRow->Package, QStringLiteral("TKvPieChart"), 24, 2);
        QCOMPARE(pm.devicePixelRatio(), 2.0);
        QCOMPARE(pixelsOf(pm), want);
        // The palette's button shows that very picture.
        TComponentPalette *palette = F.Window->Palette();
        QAction *a = palette->ClassAction(QStringLiteral("TKvPieChart"));
        QVERIFY(a);
        QCOMPARE(imageOf(a->icon(), QSize(16, 16)), want);
        QCOMPARE(palette->findChild<QToolBar *>(QStringLiteral("PalettePage"))->iconSize(), QSize(16, 16));
        // The form's tile of a non-visual component too.
        const QPixmap tile = F.Designer()->Form()->Icon(QStringLiteral("TKvPieLegend"));
        QCOMPARE(tile.devicePixelRatio(), 2.0);
        QCOMPARE(tile.size(), QSize(32, 32));
        // The IDE's own glyphs are drawn at the ratio.
        const QPixmap arrow = PointerGlyph(16, 2);
        QCOMPARE(arrow.size(), QSize(32, 32));
        QCOMPARE(arrow.devicePixelRatio(), 2.0);
    }

    void chartPreviewHoldsTheDevicePixels()
    {
        TKvGraph2D graph;
        graph.resize(400, 300);
        TKvGraphPreview preview;
        preview.resize(200, 150);
        preview.SetGraph(&graph);
        graph.SetCaption(TKvRichCaption(QStringLiteral("Preview")));
        QTRY_VERIFY(!preview.Picture().isNull());
        QCOMPARE(preview.Picture().devicePixelRatio(), 2.0);
        QCOMPARE(preview.Picture().size(), QSize(400, 300));
        QCOMPARE(preview.Picture().deviceIndependentSize(), QSizeF(200, 150));
        // Drawn in the middle of the preview, filling it.
        const QImage shown = preview.grab().toImage();
        QCOMPARE(shown.size(), QSize(400, 300));
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), preview.Picture().toImage().convertToFormat(QImage::Format_RGB32));
    }
};

int main(int argc, char **argv)
{
    // Every screen at ratio 2, before the application sees its screens.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_highdpi.moc"
