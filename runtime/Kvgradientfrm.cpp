#include "Kvgradientfrm.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>

#include "Kvcolorpicker.h"
#include "Kvfloatedit.h"
#include "Graphics.h"

namespace {
QLabel *Caption(const char *Name, const QString &Text, int Left, int Top, QWidget *Parent)
{
    auto *l = new QLabel(Text, Parent);
    l->setObjectName(QLatin1String(Name));
    l->setGeometry(Left, Top, 58, 21);
    return l;
}

TKvDoubleEdit *CentreEdit(const char *Name, const QString &Hint, int Left, int Top, QWidget *Parent)
{
    auto *e = new TKvDoubleEdit(nullptr, Parent);
    e->setObjectName(QLatin1String(Name));
    e->SetBounds(Left, Top, 48, 21);
    e->SetFormat(QStringLiteral("0.000"));
    e->SetMaxValue(1);
    e->SetIncrement(0.05);
    e->SetHint(Hint);
    return e;
}
} // namespace

TKvGradientFrame::TKvGradientFrame(TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    resize(250, 135);
    const auto picker = [this](const char *Name, const QString &Hint, int Left, QLabel *&Label, const QString &Text) {
        auto *c = new TKvColorPickCombo(nullptr, this);
        c->setObjectName(QLatin1String(Name) + QStringLiteral("Color"));
        c->SetBounds(Left, 0, 40, 22);
        c->SetHint(Hint);
        Label = new QLabel(Text, this);
        Label->setObjectName(QLatin1String(Name) + QStringLiteral("Label"));
        Label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        c->installEventFilter(this); // the caption follows its picker when a host moves it
        return c;
    };
    FFirst = picker("First", QStringLiteral("First color of the gradient"), 0, FFirstLabel, QStringLiteral("First"));
    FMiddle = picker("Middle", QStringLiteral("Middle color of the gradient"), 60, FMiddleLabel, QStringLiteral("Middle"));
    FLast = picker("Last", QStringLiteral("Last color of the gradient"), 120, FLastLabel, QStringLiteral("Last"));

    Caption("StyleLabel", QStringLiteral("Style"), 0, 42, this);
    FStyle = new QComboBox(this);
    FStyle->setObjectName(QStringLiteral("StyleCombo"));
    FStyle->setGeometry(60, 42, 100, 21);
    FStyle->addItems({QStringLiteral("Linear"), QStringLiteral("Radial"), QStringLiteral("Elliptical")});
    FStyle->setToolTip(QStringLiteral("Style of the gradient"));

    Caption("AngleLabel", QStringLiteral("Angle"), 0, 66, this);
    FAngle = new TKvNumericUpDn(nullptr, this);
    FAngle->setObjectName(QStringLiteral("AngleUpDn"));
    FAngle->SetBounds(60, 66, 48, 21);
    FAngle->SetMaxValue(360);
    FAngle->SetIncrement(5);
    FAngle->SetHint(QStringLiteral("Angle of the linear gradient in degrees"));
    Caption("CenterLabel", QStringLiteral("Center"), 0, 90, this);
    FCenter = CentreEdit("CenterEdit", QStringLiteral("Center of the linear gradient (0..1)"), 60, 90, this);
    Caption("CenterXYLabel", QStringLiteral("X, Y"), 0, 114, this);
    FCenterX = CentreEdit("CenterXEdit", QStringLiteral("Horizontal center of the radial gradient (0..1)"), 60, 114, this);
    FCenterY = CentreEdit("CenterYEdit", QStringLiteral("Vertical center of the radial gradient (0..1)"), 112, 114, this);

    FSample = new QLabel(this);
    FSample->setObjectName(QStringLiteral("SamplePic"));
    FSample->setGeometry(166, 42, 84, 93);
    FSample->setToolTip(QStringLiteral("Sample of the gradient"));

    connect(FFirst, &TKvColorPickCombo::OnValueChanged, this, [this] { Write([this](auto *G) { G->SetFirstColor(FFirst->ActiveColor()); }); });
    connect(FMiddle, &TKvColorPickCombo::OnValueChanged, this, [this] { Write([this](auto *G) { G->SetMiddleColor(FMiddle->ActiveColor()); }); });
    connect(FLast, &TKvColorPickCombo::OnValueChanged, this, [this] { Write([this](auto *G) { G->SetLastColor(FLast->ActiveColor()); }); });
    connect(FStyle, &QComboBox::currentIndexChanged, this, [this](int I) { Write([I](auto *G) { G->SetStyle(TKvGradientStyle(I)); }); });
    connect(FAngle, &TKvNumericUpDn::OnValueChanged, this, [this] { Write([this](auto *G) { G->SetLinearAngle(float(FAngle->Value())); }); });
    connect(FCenter, &TKvDoubleEdit::OnValueChanged, this, [this] { Write([this](auto *G) { G->SetLinearCenter(float(FCenter->Value())); }); });
    connect(FCenterX, &TKvDoubleEdit::OnValueChanged, this, [this] { Write([this](auto *G) { G->SetRadialCenterX(float(FCenterX->Value())); }); });
    connect(FCenterY, &TKvDoubleEdit::OnValueChanged, this, [this] { Write([this](auto *G) { G->SetRadialCenterY(float(FCenterY->Value())); }); });
    for (QWidget *c : ExposedControls())
        eventFilter(c, nullptr);
    SetFocusField(FFirst);
    Changed();
}

void TKvGradientFrame::SetGradient(TKvGradientSettings *V)
{
    FGradient = V;
    Changed();
}

QList<QWidget *> TKvGradientFrame::ExposedControls() const { return {FFirst, FMiddle, FLast}; }

void TKvGradientFrame::MoveExposedControls(std::initializer_list<int> Lefts)
{
    const QList<QWidget *> exposed = ExposedControls();
    int i = 0;
    for (int left : Lefts)
        if (i < exposed.size()) {
            exposed[i]->move(left, exposed[i]->y());
            ++i;
        }
}

bool TKvGradientFrame::eventFilter(QObject *Watched, QEvent *E)
{
    if (!E || E->type() == QEvent::Move || E->type() == QEvent::Resize) {
        const QList<QWidget *> pickers = ExposedControls();
        const QList<QLabel *> labels{FFirstLabel, FMiddleLabel, FLastLabel};
        const qsizetype i = pickers.indexOf(static_cast<QWidget *>(Watched));
        if (i >= 0)
            labels[i]->setGeometry(pickers[i]->x() - 5, pickers[i]->geometry().bottom() + 2, pickers[i]->width() + 10, 16);
    }
    return TKvControl::eventFilter(Watched, E);
}

template <class F> void TKvGradientFrame::Write(F &&Setter)
{
    if (FReading || !FGradient)
        return;
    Setter(FGradient.data());
    Changed();
    emit OnGradientChange();
}

void TKvGradientFrame::Changed()
{
    FReading = true;
    const bool has = FGradient;
    for (QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        w->setEnabled(has);
    if (has) {
        const TKvGradientSettings *g = FGradient;
        FFirst->SetActiveColor(g->FirstColor());
        FMiddle->SetActiveColor(g->MiddleColor());
        FLast->SetActiveColor(g->LastColor());
        FStyle->setCurrentIndex(int(g->Style()));
        FAngle->SetValue(g->LinearAngle());
        FCenter->SetValue(g->LinearCenter());
        FCenterX->SetValue(g->RadialCenterX());
        FCenterY->SetValue(g->RadialCenterY());
        // Only the values that the chosen style uses can be edited.
        const bool linear = g->Style() == TKvGradientStyle::Linear;
        FAngle->setEnabled(linear);
        FCenter->setEnabled(linear);
        FCenterX->setEnabled(!linear);
        FCenterY->setEnabled(!linear);
    }
    FReading = false;
    DrawSample();
}

void TKvGradientFrame::DrawSample()
{
    QPixmap pm = DevicePixmap(FSample->size(), FSample->devicePixelRatioF(), palette().color(QPalette::Window));
    if (FGradient) {
        QPainter p(&pm);
        const QRectF r(0, 0, FSample->width() - 1, FSample->height() - 1);
        p.fillRect(r, FGradient->GetBrush(r));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(r);
    }
    FSample->setPixmap(pm);
}

KV_REGISTER(TKvGradientFrame)
