#pragma once
// Dash style pickers: samples drawn in LineColor and LineWidth, or with the pen of the
// linked line settings when UseLineSettings is set.
#include <QPointer>

#include "Gdipapi_kv.h"
#include "Kvstyles.h"
#include "Kvstylepicker.h"

class TKvCustomDashStyles : public TKvStylePicker {
    Q_OBJECT
    Q_PROPERTY(Gdipapi_kv::TDashStyle DashStyle READ DashStyle WRITE SetDashStyle)
    KV_PROPERTY(TKvColor, LineColor, 0xFF000000)
    KV_PROPERTY(float, LineWidth, 1)
public:
    TKvCustomDashStyles(TKind Kind, TComponent *AOwner, QWidget *AParent) : TKvStylePicker(Kind, AOwner, AParent) { Changed(); }
    TDashStyle DashStyle() const { return TDashStyle(Index()); }
    void SetDashStyle(TDashStyle V) { SetIndex(int(V)); }
    // The custom style takes its pattern from a dash array: it has no sample to pick, but it
    // is kept as a value.
    int Count() const override { return int(DashStyleCustom); }
    QString ItemText(int Ordinal) const override;
    TKvSimpleLineSettings *UseLineSettings() const { return FUseLineSettings; }
    void SetUseLineSettings(TKvSimpleLineSettings *V) { FUseLineSettings = V; Changed(); }
protected:
    QMetaEnum Styles() const override { return QMetaEnum::fromType<TDashStyle>(); }
    void DrawSample(QPainter &P, const QRectF &R, int Ordinal) const override;
    double SampleAspect() const override { return 0.75 * qMax(1.0f, LineWidth()) + 2; }
private:
    QPointer<TKvSimpleLineSettings> FUseLineSettings;
};

KV_PICKER_PAIR(TKvCustomDashStyles, TKvDashStylesList, TKvDashStylesCombo)

// The names users read for the dash styles that have a sample, by ordinal: "Solid", "Dash",
// "Dot", "DashDot", "DashDotDot".
const QStringList &DashStyleNames();
