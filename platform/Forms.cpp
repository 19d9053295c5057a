#include "Forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QWidget>
#include <utility>

namespace {
// The box at the right edge, the caption from the left edge up to the box.
class TCaptionLeftStyle : public QProxyStyle {
public:
    QRect subElementRect(SubElement E, const QStyleOption *O, const QWidget *W) const override
    {
        switch (E) {
        case SE_CheckBoxIndicator: {
            QRect r = QProxyStyle::subElementRect(E, O, W);
            r.moveRight(O->rect.right());
            return r;
        }
        case SE_CheckBoxContents: {
            const QRect box = subElementRect(SE_CheckBoxIndicator, O, W);
            return QRect(O->rect.left(), O->rect.top(), qMax(0, box.left() - O->rect.left()), O->rect.height());
        }
        case SE_CheckBoxFocusRect:
            return subElementRect(SE_CheckBoxContents, O, W);
        case SE_CheckBoxClickRect:
            return O->rect;
        default:
            return QProxyStyle::subElementRect(E, O, W);
        }
    }
    void drawControl(ControlElement E, const QStyleOption *O, QPainter *P, const QWidget *W) const override
    {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(O);
        if (E != CE_CheckBox || !button) {
            QProxyStyle::drawControl(E, O, P, W);
            return;
        }
        // The base style places its parts with its own rectangles; these are ours.
        QStyleOptionButton part = *button;
        part.rect = subElementRect(SE_CheckBoxIndicator, button, W);
        drawPrimitive(PE_IndicatorCheckBox, &part, P, W);
        part.rect = subElementRect(SE_CheckBoxContents, button, W);
        QProxyStyle::drawControl(CE_CheckBoxLabel, &part, P, W);
        if (button->state & State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*button);
            focus.rect = subElementRect(SE_CheckBoxFocusRect, button, W);
            drawPrimitive(PE_FrameFocusRect, &focus, P, W);
        }
    }
};
} // namespace

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
    box.setObjectName(QStringLiteral("ExceptionBox"));
    box.exec();
}

void SetActiveControl(QWidget *Control)
{
    // On a form not yet shown this only marks the control; the form's activation focuses it.
    Control->setFocus(Qt::OtherFocusReason);
}

void SetButtonKind(QPushButton *Button, TBitBtnKind Kind)
{
    const bool ok = Kind == TBitBtnKind::bkOK;
    Button->setIcon(Button->style()->standardIcon(ok ? QStyle::SP_DialogOkButton : QStyle::SP_DialogCancelButton));
    if (ok)
        Button->setDefault(true);
}

void SetCaptionLeft(QCheckBox *Box)
{
    auto *style = new TCaptionLeftStyle;
    style->setParent(Box);
    Box->setStyle(style);
    Box->setLayoutDirection(Qt::LeftToRight);
}

} // namespace Forms
