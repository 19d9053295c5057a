// kvdrawicons: draws the package's bitmaps and writes them, with the description and the Qt
// resource collection file that compiles them into the package.
//
//   kvdrawicons <output folder> <resource prefix> <description> [<contact sheet.png>]
//
// Every resource file is named by its resource name without extension, so that the package
// finds it by that name: the palette bitmaps (class name in upper case, plus "16" and "32" for
// the small and large sizes), "SPLASH", "ABOUT", "MAINICON" and "DESCRIPTION".
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QtEndian>
#include <cstdio>

#include "IconPainter.h"

namespace {

int Fail(const QString &Message)
{
    std::fprintf(stderr, "kvdrawicons: %s\n", qPrintable(Message));
    return 1;
}

bool WriteFile(const QString &Path, const QByteArray &Data, QString &Error)
{
    QSaveFile f(Path);
    if (!f.open(QIODevice::WriteOnly) || f.write(Data) != Data.size() || !f.commit()) {
        Error = QStringLiteral("cannot write %1: %2").arg(Path, f.errorString());
        return false;
    }
    return true;
}

// A Windows bitmap file, 24 bits per pixel, uncompressed: what Qt's BMP writer makes of an
// RGB32 image.
QByteArray Bmp(const QImage &Image)
{
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    Image.convertToFormat(QImage::Format_RGB32).save(&buf, "BMP");
    return data;
}

// An icon file whose images are PNG streams, one per size.
QByteArray Ico(const QList<QImage> &Images)
{
    QList<QByteArray> pngs;
    for (const QImage &img : Images) {
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "PNG");
        pngs << png;
    }
    QByteArray out;
    auto put16 = [&out](quint16 v) { v = qToLittleEndian(v); out.append(reinterpret_cast<const char *>(&v), 2); };
    auto put32 = [&out](quint32 v) { v = qToLittleEndian(v); out.append(reinterpret_cast<const char *>(&v), 4); };
    put16(0);
    put16(1); // icon
    put16(quint16(Images.size()));
    quint32 offset = 6 + 16 * quint32(Images.size());
    for (int i = 0; i < Images.size(); ++i) {
        out.append(char(Images[i].width() >= 256 ? 0 : Images[i].width()));
        out.append(char(Images[i].height() >= 256 ? 0 : Images[i].height()));
        out.append(char(0)); // no colour table
        out.append(char(0));
        put16(1);  // planes
        put16(32); // bits per pixel
        put32(quint32(pngs[i].size()));
        put32(offset);
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        out += png;
    return out;
}

QByteArray Utf16Le(const QString &Text)
{
    QByteArray out;
    for (QChar ch : Text) {
        out.append(char(ch.unicode() & 0xFF));
        out.append(char(ch.unicode() >> 8));
    }
    out.append(2, '\0'); // readers take it as a null-terminated string
    return out;
}

// All pictures beside each other, enlarged, for a person to look at.
QImage ContactSheet(const QStringList &Classes)
{
    const int zoom = 3, cellW = (16 + 24 + 32) * zoom + 4 * 8 + 190, cellH = 32 * zoom + 12, cols = 3;
    const int rows = (int(Classes.size()) + cols - 1) / cols + 1;
    QImage sheet(cols * cellW, rows * cellH, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    QFont font;
    font.setPixelSize(13);
    p.setFont(font);
    auto cell = [&](int index, const QString &label, const QList<QImage> &imgs) {
        const int x0 = (index % cols) * cellW + 6, y0 = (index / cols) * cellH + 6;
        int x = x0;
        for (const QImage &img : imgs) {
            p.drawImage(QRect(x, y0, img.width() * zoom, img.height() * zoom), img);
            x += img.width() * zoom + 8;
        }
        p.setPen(Qt::black);
        p.drawText(QRect(x, y0, cellW - (x - x0), 32 * zoom), Qt::AlignVCenter | Qt::TextWordWrap, label);
    };
    int i = 0;
    for (const QString &c : Classes)
        cell(i++, c, {KvIcons::DrawClass(c, 16), KvIcons::DrawClass(c, 24), KvIcons::DrawClass(c, 32)});
    i = ((i + cols - 1) / cols) * cols;
    cell(i++, "SPLASH", {KvIcons::DrawSplash()});
    const QImage about = KvIcons::DrawAbout();
    cell(i++, "ABOUT", {about.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), about});
    cell(i++, "MAINICON", {KvIcons::DrawMainIcon(16), KvIcons::DrawMainIcon(32)});
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4 || args.size() > 5)
        return Fail("usage: kvdrawicons <output folder> <resource prefix> <description> [<contact sheet.png>]");
    const QDir out(args[1]);
    const QString prefix = args[2];
    if (!QDir().mkpath(out.path()))
        return Fail("cannot create " + out.path());

    QList<std::pair<QString, QByteArray>> files;
    const QStringList classes = KvIcons::ClassNames();
    for (const QString &c : classes) {
        const QString name = c.toUpper();
        for (const auto &[suffix, size] : {std::pair{QString(), 24}, std::pair{QStringLiteral("16"), 16}, std::pair{QStringLiteral("32"), 32}}) {
            const QImage img = KvIcons::DrawClass(c, size);
            // The palette takes the lower-left pixel as the transparent colour: a picture
            // that paints over it would lose its background.
            if (img.pixel(0, size - 1) != KvIcons::Background)
                return Fail(QStringLiteral("%1%2 paints over its lower-left pixel").arg(name, suffix));
            files.append({name + suffix, Bmp(img)});
        }
    }
    files.append({"SPLASH", Bmp(KvIcons::DrawSplash())});
    files.append({"ABOUT", Bmp(KvIcons::DrawAbout())});
    files.append({"MAINICON", Ico({KvIcons::DrawMainIcon(16), KvIcons::DrawMainIcon(32), KvIcons::DrawMainIcon(48)})});
    files.append({"DESCRIPTION", Utf16Le(args[3])});

    QString error;
    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/" + prefix.toUtf8() + "\">\n";
    for (const auto &[name, data] : files) {
        if (!WriteFile(out.filePath(name), data, error))
            return Fail(error);
        qrc += "  <file>" + name.toUtf8() + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    if (!WriteFile(out.filePath(prefix + ".qrc"), qrc, error))
        return Fail(error);

    if (args.size() == 5 && !ContactSheet(classes).save(args[4], "PNG"))
        return Fail("cannot write " + args[4]);
    return 0;
}
