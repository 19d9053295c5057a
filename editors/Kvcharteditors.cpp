#include "Kvcharteditors.h"

#include <memory>

#include "Kvfontdialog.h"
#include "Kvgraphdesigner.h"
#include "Kvpielegend.h"
#include "Kvpiesettingsedit.h"

namespace {
const QString CaptionPrefix = QStringLiteral("Set properties of: ");

void ReportModified(TComponentEditor &Editor)
{
    if (IDesigner *d = Editor.GetDesigner())
        d->Modified();
}

// One run of the graph designer on G, turned to the page of Page. The dialog is freed on
// every path; an exception from it comes out after that, without a change report.
void OpenGraphDesigner(TComponentEditor &Editor, TKvGraph2D *G, QObject *Page, bool FromGraph)
{
    const std::unique_ptr<TDsgnGraphEdit> dialog(new TDsgnGraphEdit);
    dialog->setWindowTitle(CaptionPrefix + G->CaptionAsString());
    dialog->FormsDesigner = Editor.GetDesigner();
    dialog->SetGraph(G);
    if (FromGraph)
        dialog->SetInteractiveCalculationRanges(false);
    dialog->SetActivPage(Page);
    dialog->ShowModal();
    ReportModified(Editor);
}

void OpenPieSettings(TComponentEditor &Editor, TKvPieChart *C, QObject *Page)
{
    const std::unique_ptr<TKvPieSettingsForm> form(new TKvPieSettingsForm);
    form->SetAsDesigner(true);
    form->setWindowTitle(CaptionPrefix + C->CaptionAsString());
    form->SetPieChart(C);
    form->SetActivPage(Page);
    form->ShowModal();
    ReportModified(Editor);
}

const QString EditVerb = QStringLiteral("&Edit");
} // namespace

void TKvGraphEditor::Edit()
{
    if (auto *g = ComponentCast<TKvGraph2D>(Component()))
        OpenGraphDesigner(*this, g, g, true);
}

void TKvGraphEditor::ExecuteVerb(int Index)
{
    if (Index == 0)
        Edit();
    else if (Index == 1)
        if (auto *g = ComponentCast<TKvGraph2D>(Component()))
            g->UpdateGraph();
}

QString TKvGraphEditor::GetVerb(int Index)
{
    return Index == 0 ? EditVerb : Index == 1 ? QStringLiteral("&Update Graph") : QString();
}

int TKvGraphEditor::GetVerbCount() { return 2; }

void TKvPieChartEditor::Edit()
{
    if (auto *c = ComponentCast<TKvPieChart>(Component()))
        OpenPieSettings(*this, c, c);
}

void TKvPieChartEditor::ExecuteVerb(int Index)
{
    if (Index == 0)
        Edit();
}

QString TKvPieChartEditor::GetVerb(int Index) { return Index == 0 ? EditVerb : QString(); }
int TKvPieChartEditor::GetVerbCount() { return 1; }

void TKvAxisEditor::Edit()
{
    auto *axis = ComponentCast<TKvAxis>(Component());
    if (auto *g = axis ? qobject_cast<TKvGraph2D *>(axis->Graph()) : nullptr)
        OpenGraphDesigner(*this, g, axis, false);
}

void TKvAxisEditor::ExecuteVerb(int Index)
{
    if (Index == 0)
        Edit();
}

QString TKvAxisEditor::GetVerb(int Index) { return Index == 0 ? EditVerb : QString(); }
int TKvAxisEditor::GetVerbCount() { return 1; }

void TKvLegendEditor::Edit()
{
    auto *legend = ComponentCast<TKvLegend>(Component());
    if (auto *g = legend ? qobject_cast<TKvGraph2D *>(legend->Graph()) : nullptr)
        OpenGraphDesigner(*this, g, legend, false);
}

void TKvPieLegendEditor::Edit()
{
    auto *legend = ComponentCast<TKvPieLegend>(Component());
    if (TKvPieChart *c = legend ? legend->PieChart() : nullptr)
        OpenPieSettings(*this, c, legend);
}

void TKvSeriesEditor::Edit()
{
    auto *series = ComponentCast<TKvSeries>(Component());
    TKvAxis *axis = series ? (series->XAxis() ? series->XAxis() : series->YAxis()) : nullptr;
    if (auto *g = axis ? qobject_cast<TKvGraph2D *>(axis->Graph()) : nullptr)
        OpenGraphDesigner(*this, g, series, false);
}

void TKvFontProperty::Edit()
{
    const std::unique_ptr<TKvFontDialog> dialog(new TKvFontDialog);
    auto *font = qobject_cast<TKvFont *>(reinterpret_cast<QObject *>(GetOrdValue()));
    if (!font)
        return;
    dialog->SetFont(font);
    if (!dialog->Execute())
        return;
    font->Assign(dialog->GetFont());
    SetOrdValue(reinterpret_cast<long long>(font));
    Modified();
}
