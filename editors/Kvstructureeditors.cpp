#include "Kvstructureeditors.h"

#include <QApplication>
#include <QMessageBox>
#include <QSet>
#include <QTreeWidget>

#include "Controls.h"
#include "Kvfillpaletteeditor.h"
#include "Kvgraph2d.h"
#include "Kvlegend.h"
#include "Kvlegendorder.h"
#include "Kvpiedonut.h"
#include "Kvpropertylink.h"
#include "Kvpropertytree.h"

namespace {
// A plain message box with the application's title, as the IDE's ShowMessage shows it.
void ShowMessage(const QString &Text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), Text, QMessageBox::Ok);
    box.exec();
}

// A form: a designed window that nothing owns.
bool IsForm(const TComponent *C) { return C && !C->Owner() && ComponentCast<TControl>(const_cast<TComponent *>(C)); }

// One modal pass of the fill palette dialog over Palette (may be nil); after OK the new palette
// read from it (the caller's), else nothing. The form goes on every path.
std::unique_ptr<TKvFillPalette> RunFillPaletteForm(TKvFillPalette *Palette)
{
    const std::unique_ptr<TFillPaletteForm> form(new TFillPaletteForm);
    form->SetFillPalette(Palette);
    if (form->exec() != QDialog::Accepted)
        return nullptr;
    return form->GetFillPalette();
}
} // namespace

// ---------------------------------------------------------------------------------------
TPropertyAttributes TKvLegendOrderPropEditor::GetAttributes() { return {paDialog, paReadOnly}; }

QString TKvLegendOrderPropEditor::GetValue() { return QStringLiteral("(Series Order)"); }

void TKvLegendOrderPropEditor::Edit()
{
    const std::unique_ptr<TLegendOrderForm> form(new TLegendOrderForm);
    QList<TKvSeries *> list;
    auto *legend = qobject_cast<TKvLegend *>(GetComponent(0));
    if (!legend)
        return;
    form->SetOrder(legend->ItemsOrderList());
    if (!legend->Graph()) {
        ShowMessage(QStringLiteral("No graph assigned"));
        return;
    }
    if (auto *graph = qobject_cast<TKvGraph2D *>(legend->Graph())) {
        TKvGraph2D *g = graph->CouplingMaster();
        if (g->AutoCheckCoupled())
            g->CheckCoupled();
        list = g->LegendSeries();
    } else {
        list = legend->Graph()->ElementsOf<TKvSeries>();
    }
    form->SetList(list);
    if (form->exec() != QDialog::Accepted)
        return;
    Modified();
    legend->ItemsOrderChanged();
}

// ---------------------------------------------------------------------------------------
TKvPropLinkEditor::TKvPropLinkEditor(IDesigner *ADesigner, int APropCount)
    : TPropertyEditor(ADesigner, APropCount), FCompList(std::make_unique<TStrings>())
{
}

TKvPropLinkEditor::~TKvPropLinkEditor() = default;

TPropertyAttributes TKvPropLinkEditor::GetAttributes() { return {paDialog, paReadOnly}; }

QString TKvPropLinkEditor::GetValue()
{
    auto *links = qobject_cast<TKvPropertyLinks *>(GetObjectValueAt(0));
    if (!links)
        return QStringLiteral("nil");
    if (links->LinkNames()->Count() == 0)
        return QStringLiteral("(empty Links)");
    QString text = links->SourceRef() + QStringLiteral("->");
    links->UpdateLinkNames();
    for (const QString &name : links->LinkNames()->Strings())
        text += name + QStringLiteral("; ");
    text.chop(2);
    return text;
}

void TKvPropLinkEditor::GetTheComponent(const QString &Name) { FCompList->Add(Name); }

void TKvPropLinkEditor::Edit()
{
    const std::unique_ptr<TKvPropertyTreeForm> form(new TKvPropertyTreeForm);
    TComponent *root = Designer() ? Designer()->GetRoot() : nullptr;
    form->SetPropertyLink(qobject_cast<TKvPropertyLinks *>(GetObjectValueAt(0)));
    TComponent *top = root;
    while (top && top->Owner())
        top = top->Owner();
    FCompList->Clear();
    form->PropertyView()->clear();
    form->AddComponentToTree(top);
    if (Designer()) {
        Designer()->GetComponentNames(nullptr, [this](const QString &Name) { GetTheComponent(Name); });
        // The forms that own the components named, each when it differs from the one before;
        // never the dialog's own form or the colour picker's, and no form twice.
        TComponent *last = top;
        QSet<TComponent *> added{top};
        for (const QString &name : FCompList->Strings()) {
            TComponent *c = Designer()->GetComponent(name);
            TComponent *owner = c ? c->Owner() : nullptr;
            if (!IsForm(owner) || owner == last)
                continue;
            last = owner;
            if (owner->AsObject() != form.get() && owner->Name() != QLatin1String("KvColorPickerForm") && !added.contains(owner)) {
                added.insert(owner);
                form->AddComponentToTree(owner);
            }
        }
    }
    form->ClearEmptyForks();
    if (form->exec() == QDialog::Accepted)
        Modified();
}

// ---------------------------------------------------------------------------------------
void TKvFilPalettePropertyEditor::Edit()
{
    auto *palette = qobject_cast<TKvFillPalette *>(GetObjectValueAt(0));
    const std::unique_ptr<TKvFillPalette> result = RunFillPaletteForm(palette);
    if (!result)
        return;
    if (!palette) {
        // Nothing was referenced: the fills go into a new palette of the form, when there are any.
        if (result->GetCount() == 0 || !Designer())
            return;
        palette = ComponentCast<TKvFillPalette>(Designer()->CreateComponent(&TKvFillPalette::staticMetaObject, nullptr, -1, -1, -1, -1));
        if (!palette)
            return;
    }
    palette->Assign(result.get());
    SetObjectValue(palette);
    Modified();
}

// ---------------------------------------------------------------------------------------
void TKvFillPaletteEditor::Edit()
{
    auto *palette = ComponentCast<TKvFillPalette>(Component());
    if (!palette)
        return;
    const std::unique_ptr<TKvFillPalette> result = RunFillPaletteForm(palette);
    if (!result)
        return;
    palette->Assign(result.get());
    if (GetDesigner())
        GetDesigner()->Modified();
}

void TKvFillPaletteEditor::ExecuteVerb(int Index)
{
    if (Index == 0)
        Edit();
}

QString TKvFillPaletteEditor::GetVerb(int Index) { return Index == 0 ? QStringLiteral("&Edit Palette") : QString(); }

int TKvFillPaletteEditor::GetVerbCount() { return 1; }
