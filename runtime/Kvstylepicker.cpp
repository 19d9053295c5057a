#include "Kvstylepicker.h"

#include <QComboBox>
#include <QListWidget>
#include <QMetaEnum>
#include <QPainter>

TKvStylePicker::TKvStylePicker(TKind Kind, TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    if (Kind == KindList) {
        resize(140, 160);
        FList = FillWith(new QListWidget(this));
        connect(FList, &QListWidget::currentRowChanged, this, [this](int r) { if (!FFilling && r >= 0) SetIndex(r); });
    } else {
        resize(140, 24);
        FCombo = FillWith(new QComboBox(this));
        connect(FCombo, &QComboBox::currentIndexChanged, this, [this](int r) { if (!FFilling && r >= 0) SetIndex(r); });
    }
}

int TKvStylePicker::Count() const { return Styles().keyCount(); }

void TKvStylePicker::SetIndex(int V)
{
    if (V < 0 || V >= Count())
        throw EConvertError(QStringLiteral("Style %1 out of range").arg(V));
    if (V == FIndex)
        return;
    FIndex = V;
    FFilling = true;
    FList ? FList->setCurrentRow(V) : FCombo->setCurrentIndex(V);
    FFilling = false;
    emit OnValueChanged();
}

void TKvStylePicker::Changed() { Fill(); }

void TKvStylePicker::Fill()
{
    // Styles() is virtual: the items are made on the first change, not in the constructor.
    const int h = qMax(8, ItemHeight());
    const QSize sz(qRound(h * SampleAspect()), h);
    FFilling = true;
    FList ? FList->clear() : FCombo->clear();
    for (int i = 0; i < Count(); ++i) {
        QPixmap pm(sz);
        pm.fill(Qt::white);
        {
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            DrawSample(p, QRectF(QPointF(0, 0), sz), i);
        }
        const QString text = QString::fromLatin1(Styles().key(i));
        if (FList) {
            FList->setIconSize(sz);
            FList->addItem(new QListWidgetItem(QIcon(pm), text));
        } else {
            FCombo->setIconSize(sz);
            FCombo->addItem(QIcon(pm), text);
        }
    }
    FList ? FList->setCurrentRow(FIndex) : FCombo->setCurrentIndex(FIndex);
    FFilling = false;
}
