#pragma once
// Point symbol pickers: samples drawn with the symbol colours and border width.
#include "Kvdrawing.h"
#include "Kvstylepicker.h"

class TKvCustomPointSymbols : public TKvStylePicker {
    Q_OBJECT
    Q_PROPERTY(Kvdrawing::TKvPointSymbol Symbol READ Symbol WRITE SetSymbol)
    KV_PROPERTY(TKvColor, SymbolBorderColor, 0xFF000000)
    KV_PROPERTY(TKvColor, SymbolFillColor, 0xFFFF0000)
    KV_PROPERTY(float, SymbolBorderLineWidth, 1)
public:
    TKvCustomPointSymbols(TKind Kind, TComponent *AOwner, QWidget *AParent) : TKvStylePicker(Kind, AOwner, AParent) { Changed(); }
    TKvPointSymbol Symbol() const { return TKvPointSymbol(Index()); }
    void SetSymbol(TKvPointSymbol V) { SetIndex(int(V)); }
protected:
    QMetaEnum Styles() const override { return QMetaEnum::fromType<TKvPointSymbol>(); }
    void DrawSample(QPainter &P, const QRectF &R, int Ordinal) const override;
};

KV_PICKER_PAIR(TKvCustomPointSymbols, TKvPointSymbolsList, TKvPointSymbolsCombo)
