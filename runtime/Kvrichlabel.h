#pragma once
// The library's font object, the drawing of rich captions (Kvrichcaption.h) and the label
// control that shows one.
#include <QFont>
#include <QMetaType>

#include "Kvclasses.h"
#include "Kvgdi.h"
#include "Kvrichcaption.h"
#include "Kvstyles.h"


namespace Kvrichlabel {
Q_NAMESPACE
enum class TKvContentAlignment { TopLeft, TopCenter, TopRight, MiddleLeft, MiddleCenter, MiddleRight,
                                 BottomLeft, BottomCenter, BottomRight };
Q_ENUM_NS(TKvContentAlignment)
enum class TKvTextRenderingHint { SystemDefault, SingleBitPerPixelGridFit, SingleBitPerPixel, AntiAliasGridFit,
                                  AntiAlias, ClearTypeGridFit };
Q_ENUM_NS(TKvTextRenderingHint)
}
using Kvrichlabel::TKvContentAlignment;
using Kvrichlabel::TKvTextRenderingHint;

Qt::Alignment ToQtAlignment(TKvContentAlignment A);

class TKvFont : public TKvSettings {
    Q_OBJECT
    KV_PROPERTY(QString, Name, QStringLiteral("Arial"))
    KV_PROPERTY(float, Size, 9)
    KV_PROPERTY(bool, Bold, false)
    KV_PROPERTY(bool, Italic, false)
    KV_PROPERTY(bool, Underline, false)
    KV_PROPERTY(bool, Strikeout, false)
    KV_PROPERTY(TKvColor, Color, 0xFF000000)
public:
    using TKvSettings::TKvSettings;
    QFont ToQFont() const;
    void FromQFont(const QFont &F);
};

// Paints a caption into Rect in the font and its colour (characters with attributes of their
// own show those), its lines aligned among themselves and the whole placed by Alignment; its
// variables show their current texts, found for Context (the component whose caption it is).
void DrawRichCaption(QPainter &P, const QRectF &Rect, const TKvRichCaption &Caption, const TKvFont *Font,
                     TKvContentAlignment Alignment, bool Vertical = false, const TComponent *Context = nullptr);
void DrawRichCaption(QPainter &P, const QRectF &Rect, const TKvRichCaption &Caption, const QFont &Font,
                     const QColor &Color, TKvContentAlignment Alignment, bool Vertical = false,
                     const TComponent *Context = nullptr);
QSizeF RichCaptionSize(const TKvRichCaption &Caption, const TKvFont *Font, const TComponent *Context = nullptr);
QSizeF RichCaptionSize(const TKvRichCaption &Caption, const QFont &Font, const TComponent *Context = nullptr);

// A caption placed at a point and painted on a graphics object, as legends write their items:
// the font's face and size, the colour Color (not the font's), turned by Angle degrees about
// the point, with a soft shadow when Shadow is set.
class TKvRichCaptionObject : public TKvSettings {
    Q_OBJECT
    KV_PROPERTY(TKvRichCaption, Text, {})
    KV_PROPERTY(TKvColor, Color, 0xFF000000)
    KV_PROPERTY(float, X, 0)
    KV_PROPERTY(float, Y, 0)
    KV_PROPERTY(int, Angle, 0)
    KV_PROPERTY(bool, Shadow, false)
    KV_OBJECT(TKvFont, Font)
public:
    using TKvSettings::TKvSettings;
    // The caption's extent before it is turned.
    QSizeF Size() const { return RichCaptionSize(FText, FFont, FContext); }
    void PaintGr(TGPGraphics *Graphics) const;
    // The component whose variables the caption shows (none: variables show their names).
    void SetContext(const TComponent *Context) { FContext = Context; }
private:
    const TComponent *FContext = nullptr;
};

class TKvRichLabel : public TKvControl {
    Q_OBJECT
    KV_PROPERTY(TKvRichCaption, Caption, {})
    KV_PROPERTY(Kvrichlabel::TKvContentAlignment, Alignment, TKvContentAlignment::MiddleLeft)
    KV_PROPERTY(Kvrichlabel::TKvTextRenderingHint, TextRenderingHint, TKvTextRenderingHint::AntiAlias)
    KV_PROPERTY(TKvColor, BackColor, 0x00FFFFFF)
    KV_OBJECT(TKvFont, Font)
public:
    explicit TKvRichLabel(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    TKvFont *GetFont() const { return FFont; }
    void SetForeColor(TKvColor C) { FFont->SetColor(C); }
protected:
    void paintEvent(QPaintEvent *) override;
};
