#pragma once
// The rich caption edit: a rich text edit whose text is a rich caption. A variable placed in
// the caption is one character that carries its reference text.
#include <QTextCharFormat>

#include "Kvclasses.h"
#include "Kvrichlabel.h"

class QTextEdit;

class TKvCaptionEdit : public TKvControl {
    Q_OBJECT
    Q_PROPERTY(TKvRichCaption Caption READ Caption WRITE SetCaption)
    KV_PROPERTY(bool, SingleLine, false)
public:
    explicit TKvCaptionEdit(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    QTextEdit *Editor() const { return FEdit; }
    // The whole caption: marked-up text when any character has attributes, else plain text.
    TKvRichCaption Caption() const { return GetCaption(); }
    void SetCaption(const TKvRichCaption &V);
    TKvRichCaption GetCaption() const;

    int SelStart() const;
    void SetSelStart(int V);
    int SelLength() const;
    void SetSelLength(int V);

    // Attributes of the selection (of the character before the caret without one); setting
    // applies to the selection, or to what is typed next.
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
    QColor GetSelColor() const;
    void SetSelColor(const QColor &V);
    QString GetFontName() const;
    void SetFontName(const QString &V);
    // The reference of the variable at the selection, empty when there is none.
    QString GetSelVariable() const;
    // Replaces the selection by a variable with that reference.
    void SetSelVariable(const QString &Reference);
signals:
    void OnChange();
private:
    QTextCharFormat Format() const;
    void Merge(const QTextCharFormat &F);
    QTextEdit *FEdit;
};
