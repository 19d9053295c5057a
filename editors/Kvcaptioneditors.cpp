#include "Kvcaptioneditors.h"

#include <functional>
#include <memory>

#include "Kvaxis.h"
#include "Kvbars.h"
#include "Kvcaptionedit.h"
#include "Kvcaptioneditor.h"
#include "Kvgdi.h"
#include "Kvgraph2d.h"
#include "Kvlegend.h"
#include "Kvmarkers.h"
#include "Kvpiedonut.h"
#include "Kvrichlabel.h"
#include "Kvstringlisteditor.h"

namespace {

// The edit's own font takes a library font's style, and its name unless told otherwise (its
// size stays the form's).
void TakeStyle(TKvCaptionEdit *Edit, const TKvFont *Font, bool WithName = true)
{
    QFont f = Edit->font();
    if (WithName)
        f.setFamily(Font->Name());
    f.setBold(Font->Bold());
    f.setItalic(Font->Italic());
    f.setUnderline(Font->Underline());
    f.setStrikeOut(Font->Strikeout());
    Edit->setFont(f);
}

// The edit shows the caption's colours: its font colour on a background that sets it off.
void TakeColor(TKvCaptionEdit *Edit, TKvColor Color)
{
    Edit->SetFontColor(ARGBToTColor(Color));
    Edit->SetColor(ARGBToTColor(ContrastBackGround(Color)));
}

// The caption font of a component that has one, and how its colour is set.
struct TCaptionFont {
    TKvFont *Font = nullptr;
    std::function<void(TKvColor)> SetColor;
};

TCaptionFont CaptionFontOf(QObject *C)
{
    if (auto *a = qobject_cast<TKvAxis *>(C))
        return {a->GetCaptionFont(), [a](TKvColor v) { a->SetCaptionColor(v); }};
    if (auto *g = qobject_cast<TKvGraph2D *>(C)) {
        TKvCustomGraph *cg = g;
        return {cg->GetCaptionFont(), [cg](TKvColor v) { cg->SetCaptionColor(v); }};
    }
    if (auto *l = qobject_cast<TKvLegend *>(C)) {
        TKvCustomLegend *cl = l;
        return {cl->GetCaptionFont(), [cl](TKvColor v) { cl->SetCaptionColor(v); }};
    }
    if (auto *r = qobject_cast<TKvRichLabel *>(C))
        return {r->GetFont(), [r](TKvColor v) { r->SetForeColor(v); }};
    TKvMovable *m = qobject_cast<::TKvCrossHair *>(C);
    if (!m)
        m = qobject_cast<TKvLabelWithArrowMarker *>(C);
    if (m)
        return {m->GetFont(), [m](TKvColor v) { m->SetForeColor(v); }};
    return {};
}

} // namespace

TPropertyAttributes TKvRichCaptionEditor::GetAttributes() { return {paDialog, paMultiSelect, paAutoUpdate, paRevertable}; }

void TKvRichCaptionEditor::Edit()
{
    const std::unique_ptr<TCaptionEditFrm> form(new TCaptionEditFrm);
    TKvCaptionEdit *edit = form->CaptionEdit();
    QObject *first = GetComponent(0);
    if (auto *label = qobject_cast<TKvRichLabel *>(first)) {
        const TKvFont *f = label->GetFont();
        edit->SetFontColor(ARGBToTColor(f->Color()));
        edit->SetFontName(f->Name());
        TakeStyle(edit, f, false);
        edit->SetColor(ARGBToTColor(ContrastBackGround(f->Color())));
    } else if (auto *axis = qobject_cast<TKvAxis *>(first)) {
        TakeStyle(edit, axis->GetCaptionFont());
        TakeColor(edit, axis->GetCaptionColor());
    } else if (auto *control = qobject_cast<QWidget *>(first)) {
        // Any other control: its own font and text colour.
        const TColor color = QColorToColor(control->palette().color(QPalette::WindowText));
        QFont f = edit->font();
        f.setFamily(control->font().family());
        edit->setFont(f);
        TakeColor(edit, TColorToARGB(color));
    }
    // The designer edits the variables themselves: the tokens show their references.
    edit->SetShowReferences(true);
    edit->SetCaption(TKvRichCaption(GetWideStrValue()));
    if (form->exec() != QDialog::Accepted)
        return;
    const TColor editColor = ColorToRGB(edit->FontColor());
    for (int i = 0; i < PropCount(); ++i) {
        const TCaptionFont target = CaptionFontOf(GetComponent(i));
        if (!target.Font)
            continue;
        target.Font->SetName(edit->font().family());
        if (ARGBToTColor(target.Font->Color()) != editColor)
            target.SetColor(TColorToARGB(edit->FontColor()));
    }
    SetWideStrValue(edit->GetCaption().Text);
    Modified();
}

TPropertyAttributes TKvCaptionListEditor::GetAttributes() { return {paDialog, paReadOnly}; }

QString TKvCaptionListEditor::GetValue() { return QStringLiteral("(TKvCaptions)"); }

void TKvCaptionListEditor::Edit()
{
    auto *list = qobject_cast<TStrings *>(reinterpret_cast<QObject *>(GetOrdValue()));
    if (!list)
        return;
    const std::unique_ptr<TStringListEditor> form(new TStringListEditor);
    TKvCaptionEdit *edit = form->CaptionEdit();
    QObject *first = GetComponent(0);
    if (auto *pie = qobject_cast<TKvPieChart *>(first)) {
        TakeStyle(edit, pie->LabelFont());
        TakeColor(edit, pie->GetLabelColor());
    } else if (auto *bars = qobject_cast<TKvBars *>(first)) {
        TakeStyle(edit, bars->LabelFont());
        TakeColor(edit, bars->GetLabelColor());
    } else if (auto *axis = qobject_cast<TKvAxis *>(first)) {
        TakeStyle(edit, axis->GetFont());
        TakeColor(edit, axis->GetNumbersColor());
    }
    // One caption, its lines the items, built item by item.
    const QChar cr(13);
    if (list->Count() > 0) {
        edit->SetCaption(TKvRichCaption(list->Get(0)));
        for (int i = 1; i < list->Count(); ++i)
            edit->SetCaption(TKvRichCaption(edit->GetCaption().Text + cr + list->Get(i)));
    }
    if (form->exec() != QDialog::Accepted)
        return;
    list->BeginUpdate();
    list->Clear();
    for (const QString &item : edit->GetCaption().Text.split(cr))
        list->Add(item);
    while (list->Count() > 0 && list->Get(list->Count() - 1).isEmpty())
        list->Delete(list->Count() - 1);
    list->EndUpdate();
    Modified();
}
