#pragma once
// Area style pickers: samples filled with AreaForeColor over AreaBackColor.
#include "Kvstylepicker.h"

class TKvCustomAreaStyles : public TKvStylePicker {
    Q_OBJECT
    Q_PROPERTY(Kvgdi::TKvAreaStyle AreaStyle READ GetAreaStyle WRITE SetAreaStyle)
    KV_PROPERTY(TKvColor, AreaForeColor, 0xFF0000FF)
    KV_PROPERTY(TKvColor, AreaBackColor, 0x00FFFFFF)
public:
    TKvCustomAreaStyles(TKind Kind, TComponent *AOwner, QWidget *AParent) : TKvStylePicker(Kind, AOwner, AParent) { Changed(); }
    TKvAreaStyle GetAreaStyle() const { return TKvAreaStyle(Index()); }
    void SetAreaStyle(TKvAreaStyle V) { SetIndex(int(V)); }
protected:
    QMetaEnum Styles() const override { return QMetaEnum::fromType<TKvAreaStyle>(); }
    void DrawSample(QPainter &P, const QRectF &R, int Ordinal) const override;
    double SampleAspect() const override { return 2; }
};

KV_PICKER_PAIR(TKvCustomAreaStyles, TKvAreaStylesList, TKvAreaStylesCombo)
