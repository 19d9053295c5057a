#pragma once
// Component editors of the charts and their elements: a double click (or the verb "&Edit")
// opens the graph designer on the chart that a graph, axis, legend or series belongs to, or
// the pie chart settings on a pie chart or pie legend, turned to the page of the component;
// the form is reported modified after every run. And the font editor of the library's fonts.
#include "DesignEditors.h"
#include "VCLEditors.h"

class TKvGraphEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
    void ExecuteVerb(int Index) override;
    QString GetVerb(int Index) override;
    int GetVerbCount() override;
};

class TKvPieChartEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
    void ExecuteVerb(int Index) override;
    QString GetVerb(int Index) override;
    int GetVerbCount() override;
};

class TKvAxisEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
    void ExecuteVerb(int Index) override;
    QString GetVerb(int Index) override;
    int GetVerbCount() override;
};

class TKvLegendEditor : public TKvAxisEditor {
public:
    using TKvAxisEditor::TKvAxisEditor;
    void Edit() override;
};

class TKvPieLegendEditor : public TKvAxisEditor {
public:
    using TKvAxisEditor::TKvAxisEditor;
    void Edit() override;
};

class TKvSeriesEditor : public TKvAxisEditor {
public:
    using TKvAxisEditor::TKvAxisEditor;
    void Edit() override;
};

// The library's font (TKvFont): its ellipsis opens the library's font dialog; after OK every
// selected component gets the font.
class TKvFontProperty : public TFontProperty {
public:
    using TFontProperty::TFontProperty;
    void Edit() override;
};
