#pragma once
// The rich caption edit: a rich text edit whose text is a rich caption. Its characters carry
// font name, colour, bold, italic, underline, strikeout, subscript and superscript; a variable
// placed in the caption is one character, drawn as a token that shows the variable's current
// text (or, for the caption editor, its reference).
//
// The control's own font (QWidget::font, with its size) and font colour are what characters
// without attributes of their own show; Color is the background.
#include <QTextCharFormat>

#include "Graphics.h"
#include "Kvclasses.h"
#include "Kvrichlabel.h"

class QTextEdit;

class TKvCaptionEdit : public TKvControl {
    Q_OBJECT
    Q_PROPERTY(TKvRichCaption Caption READ Caption WRITE SetCaption)
    // No line breaks: Enter is refused, pasted lines are joined by spaces.
    Q_PROPERTY(bool SingleLine READ SingleLine WRITE SetSingleLine)
public:
    explicit TKvCaptionEdit(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    KV_UI_CONSTRUCTOR(TKvCaptionEdit)
    QTextEdit *Editor() const { return FEdit; }

    // The whole caption in its storage form (Kvrichcaption.h).
    TKvRichCaption Caption() const { return GetCaption(); }
    void SetCaption(const TKvRichCaption &V);
    TKvRichCaption GetCaption() const;
    bool SingleLine() const { return FSingleLine; }
    void SetSingleLine(bool V);

    int SelStart() const;
    void SetSelStart(int V);
    int SelLength() const;
    void SetSelLength(int V);
    bool Focused() const;

    // Attributes of the selection (its first character; without a selection the character
    // before the caret). Setting applies to the selection, or to what is typed next.
    bool GetBold() const;
    void SetBold(bool V);
    bool GetItalic() const;
    void SetItalic(bool V);
    bool GetUnderline() const;
    void SetUnderline(bool V);
    bool GetStrikeout() const;
    void SetStrikeout(bool V);
    bool GetSubscript() const;
    void SetSubscript(bool V);
    bool GetSuperscript() const;
    void SetSuperscript(bool V);
    TColor GetSelColor() const;
    void SetSelColor(TColor V);
    QString GetFontName() const;
    // In an empty caption there is nothing to select: the name becomes the control's font.
    void SetFontName(const QString &V);
    // The reference of the variable at the selection, empty when there is none.
    QString GetSelVariable() const;
    // Replaces the selection by a variable with that reference; the caret stays before it.
    void SetSelVariable(const QString &Reference);

    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor V);
    TColor Color() const { return FColor; }
    void SetColor(TColor V);
    // Tokens show the variables' references instead of their current texts (what a designer
    // edits); off by default.
    bool ShowReferences() const { return FShowReferences; }
    void SetShowReferences(bool V);
    // The text the token at Position shows; empty when there is no variable there.
    QString TokenText(int Position) const;

signals:
    void OnChange();
    // The caret or the selection moved.
    void OnSelectionChange();

private:
    QTextCharFormat Format() const;
    QFont SelFont() const;
    void Merge(const QTextCharFormat &F);
    void Palette();
    QTextEdit *FEdit;
    TColor FFontColor = clWindowText;
    TColor FColor = clWindow;
    bool FShowReferences = false;
    bool FSingleLine = false;
};
