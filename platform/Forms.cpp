#include "Forms.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <utility>

namespace Forms {

void RegisterFormFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Debian's fonts-wine puts metric-compatible Tahoma and MS Sans Serif here, where
    // fontconfig does not look.
    const QDir dir(QStringLiteral("/usr/share/wine/fonts"));
    for (const char *file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
        const QString path = dir.filePath(QString::fromLatin1(file));
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

QFont FormFont(const QString &Family, int Height)
{
    RegisterFormFonts();
    QFont f(Family);
    // A negative height is the character height; the cell height of these faces is about
    // 1.2 times larger, which Qt's pixel size (the em size) already accounts for.
    const int px = Height < 0 ? -Height : qMax(1, qRound(Height / 1.2));
    f.setPixelSize(qMax(1, px));
    return f;
}

void SetupForm(QWidget *Form, TBorderStyle Border, int Options, const QString &FontFamily, int FontHeight)
{
    Qt::WindowFlags flags = Qt::Dialog;
    if (Border == TBorderStyle::bsToolWindow || Border == TBorderStyle::bsSizeToolWin)
        flags = Qt::Tool;
    flags |= Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
    if (Options & StayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    Form->setWindowFlags(flags);
    Form->setFont(FormFont(FontFamily, FontHeight));
    if (Border == TBorderStyle::bsDialog || Border == TBorderStyle::bsToolWindow)
        Form->setFixedSize(Form->size());
    if (Options & ScreenCenter) {
        if (const QScreen *s = QGuiApplication::primaryScreen()) {
            QRect r = Form->frameGeometry();
            r.moveCenter(s->availableGeometry().center());
            Form->move(r.topLeft());
        }
    }
}

void SetControlFont(QWidget *Control, const QString &Family, int Height)
{
    if (Control)
        Control->setFont(FormFont(Family, Height));
}

namespace {
TExceptionHandler &exceptionHandler()
{
    static TExceptionHandler handler;
    return handler;
}
} // namespace

TExceptionHandler SetApplicationExceptionHandler(TExceptionHandler Handler)
{
    return std::exchange(exceptionHandler(), std::move(Handler));
}

void ShowApplicationException(const QString &Message)
{
    if (const TExceptionHandler &handler = exceptionHandler()) {
        handler(Message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), Message, QMessageBox::Ok,
                    QApplication::activeModalWidget());
    box.exec();
}

} // namespace Forms
