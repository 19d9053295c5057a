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
