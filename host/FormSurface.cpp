#include "FormSurface.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

#include "DesignForm.h"

namespace {
constexpr int FrameWidth = 4;
constexpr int CaptionHeight = 24;
} // namespace

TFormSurface::TFormSurface(QWidget *parent) : QWidget(parent), FForm(new TDesignForm(this))
{
    setObjectName(QStringLiteral("FormSurface"));
    FForm->installEventFilter(this);
    connect(FForm, &TDesignForm::CaptionChanged, this, [this] { update(); });
    FitToForm();
}

QString TFormSurface::Caption() const { return FForm->Caption(); }
void TFormSurface::SetCaption(const QString &Value) { FForm->SetCaption(Value); }

QRect TFormSurface::ClientRect() const
{
    return rect().adjusted(FrameWidth, FrameWidth + CaptionHeight, -FrameWidth, -FrameWidth);
}

void TFormSurface::FitToForm()
{
    // The form's Left and Top are where it sits on the screen, not inside the frame.
    resize(FForm->width() + 2 * FrameWidth, FForm->height() + 2 * FrameWidth + CaptionHeight);
    FForm->setGeometry(QRect(QPoint(FrameWidth, FrameWidth + CaptionHeight), FForm->size()));
    if (parentWidget())
        parentWidget()->setMinimumSize(width() + 48, height() + 48);
}

bool TFormSurface::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FForm && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        const QRect want(QPoint(FrameWidth, FrameWidth + CaptionHeight), FForm->size());
        if (FForm->geometry() != want || size() != want.size() + QSize(2 * FrameWidth, 2 * FrameWidth + CaptionHeight))
            FitToForm();
    }
    return QWidget::eventFilter(watched, event);
}

void TFormSurface::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    // Frame and caption bar.
    p.fillRect(r, QColor(200, 208, 220));
    p.setPen(QColor(110, 120, 135));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const QRect captionRect(FrameWidth, FrameWidth, r.width() - 2 * FrameWidth, CaptionHeight);
    QLinearGradient g(captionRect.topLeft(), captionRect.topRight());
    g.setColorAt(0, QColor(38, 78, 140));
    g.setColorAt(1, QColor(110, 150, 205));
    p.fillRect(captionRect, g);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(captionRect.adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, FForm->Caption());
}
