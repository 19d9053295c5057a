#include "Kvcolorpicker.h"

#include <QComboBox>
#include <QPainter>

#include "Kvtunecolorsfm.h"

namespace {
// The combo that opens the tuning form instead of its list when asked to.
class PickCombo : public QComboBox {
public:
    PickCombo(TKvColorPickCombo *Owner) : QComboBox(Owner), FOwner(Owner) {}
    void showPopup() override
    {
        if (FOwner->DirectlyShowTuneColors())
            FOwner->ShowTuneColors();
        else
            QComboBox::showPopup();
    }
private:
    TKvColorPickCombo *FOwner;
};
} // namespace

QIcon ColorSwatch(TKvColor Color, int Size)
{
    QPixmap pm(Size, Size);
    pm.fill(Qt::white);
    QPainter p(&pm);
    const int h = Size / 2;
    p.fillRect(0, 0, h, h, Qt::black);
    p.fillRect(h, h, Size - h, Size - h, Qt::black);
    p.fillRect(pm.rect(), Color.ToQColor());
    p.setPen(Qt::black);
    p.drawRect(0, 0, Size - 1, Size - 1);
    return QIcon(pm);
}

TKvColorPickCombo::TKvColorPickCombo(TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    resize(140, 24);
    FCombo = FillWith(new PickCombo(this));
    connect(FCombo, &QComboBox::activated, this, &TKvColorPickCombo::Picked);
    Fill();
}

void TKvColorPickCombo::Fill()
{
    // Named colours, then the current colour when it has no name, then the "other" entry.
    FFilling = true;
    FCombo->clear();
    for (const QString &n : ColorNames())
        FCombo->addItem(ColorSwatch(ColorToARGB(n)), n, QVariant::fromValue(ColorToARGB(n).Value));
    const QString current = ARGBToString(FActiveColor, true);
    if (FCombo->findText(current) < 0)
        FCombo->addItem(ColorSwatch(FActiveColor), current, QVariant::fromValue(FActiveColor.Value));
    FCombo->addItem(OtherBtnCaption());
    FCombo->setCurrentIndex(FCombo->findText(current));
    FFilling = false;
}

void TKvColorPickCombo::Picked(int Index)
{
    if (FFilling)
        return;
    if (Index == FCombo->count() - 1) {
        if (!ShowTuneColors())
            FCombo->setCurrentIndex(FCombo->findText(ARGBToString(FActiveColor, true)));
        return;
    }
    SetActiveColor(FCombo->itemData(Index).toUInt());
    emit OnChanged();
}

bool TKvColorPickCombo::ShowTuneColors()
{
    TKvTuneColorsForm form(this);
    form.setWindowTitle(DialogTitle());
    form.SetEnableAlpha(EnableAlpha());
    form.SetActiveColor(FActiveColor);
    if (form.exec() != QDialog::Accepted)
        return false;
    SetActiveColor(form.ActiveColor());
    emit OnChanged();
    return true;
}

void TKvColorPickCombo::SetActiveColor(TKvColor Color)
{
    if (!EnableAlpha())
        Color.Value |= 0xFF000000;
    if (Color == FActiveColor)
        return;
    FActiveColor = Color;
    Fill();
    emit OnValueChanged();
}

void TKvColorPickCombo::Changed() { Fill(); }

KV_REGISTER(TKvColorPickCombo)
