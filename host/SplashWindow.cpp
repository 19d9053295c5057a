#include "SplashWindow.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>

#include "HostIDE.h"
#include "IDEServices.h"
#include "Pictures.h"

TSplashWindow::TSplashWindow(TSplashScreenServices *Splash, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), FSplash(Splash)
{
    setObjectName(QStringLiteral("SplashWindow"));
    setWindowTitle(THostIDE::IDEName());
    setFixedSize(540, 330);
    connect(FSplash, &TSplashScreenServices::EntriesChanged, this, qOverload<>(&QWidget::update));
}

namespace {
constexpr int Margin = 28;
constexpr int RowsTop = Margin + 100;
constexpr int RowHeight = 34;
constexpr int StatusHeight = 18;
} // namespace

QRect TSplashWindow::PictureRect(int Row) const
{
    return QRect(Margin, RowsTop + Row * RowHeight + (RowHeight - 24) / 2, 24, 24);
}

int TSplashWindow::RowCapacity() const
{
    const int statusTop = height() - Margin - StatusHeight;
    return (statusTop - 6 - RowsTop) / RowHeight;
}

void TSplashWindow::SetStatus(const QString &Text)
{
    FStatus = Text;
    update();
}

void TSplashWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect r = rect();

    QLinearGradient bg(r.topLeft(), r.bottomRight());
    bg.setColorAt(0, QColor(24, 46, 74));
    bg.setColorAt(1, QColor(44, 86, 130));
    p.fillRect(r, bg);
    p.setPen(QColor(12, 24, 40));
    p.drawRect(r.adjusted(0, 0, -1, -1));

    const int margin = Margin;
    // The IDE's mark and name.
    p.drawPixmap(margin, margin, IDELogo(56, devicePixelRatioF()));
    QFont title = font();
    title.setPointSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    const QRect titleRect(margin + 72, margin - 6, r.width() - margin * 2 - 72, 48);
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, THostIDE::IDEName());
    QFont sub = font();
    sub.setPointSize(10);
    p.setFont(sub);
    p.setPen(QColor(190, 210, 232));
    p.drawText(QRect(titleRect.left(), titleRect.bottom() + 2, titleRect.width(), 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Component design environment  \u2014  Version %1").arg(THostIDE::IDEVersion()));

    // Plug-ins.
    p.setPen(QColor(120, 160, 200));
    p.drawLine(margin, RowsTop - 12, r.width() - margin, RowsTop - 12);
    QFont caption = font();
    caption.setPointSize(10);
    caption.setBold(true);
    const QList<TSplashEntry> &entries = FSplash->Entries();
    for (int row = 0; row < qMin(int(entries.size()), RowCapacity()); ++row) {
        const TSplashEntry &e = entries.at(row);
        const QRect picRect = PictureRect(row);
        const QPixmap pm = SharpBitmap(e.Bitmap, devicePixelRatioF());
        if (!pm.isNull())
            p.drawPixmap(picRect, pm);
        else
            p.fillRect(picRect, QColor(255, 255, 255, 40));
        p.setFont(caption);
        p.setPen(Qt::white);
        QString text = e.Caption;
        if (e.IsUnRegistered)
            text += QStringLiteral("  (unregistered)");
        p.drawText(QRect(margin + 36, RowsTop + row * RowHeight, r.width() - margin * 2 - 36, RowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
    }

    // What is happening now.
    const int statusTop = r.height() - margin - StatusHeight;
    p.setFont(sub);
    p.setPen(QColor(170, 195, 222));
    p.drawText(QRect(margin, statusTop, r.width() - margin * 2, StatusHeight), Qt::AlignLeft | Qt::AlignVCenter,
               p.fontMetrics().elidedText(FStatus, Qt::ElideMiddle, r.width() - margin * 2));
}
