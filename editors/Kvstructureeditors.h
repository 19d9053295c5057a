#pragma once
// Object Inspector editors that open the structure dialogs: the order of a legend's series, the
// property links of a control, and fill palettes (the property that references one, and the
// palette component itself).
#include <memory>

#include "DesignEditors.h"

class TStrings;

// A legend's ItemsOrderList: the legend order dialog over the series of the legend's graph
// (and of the graphs coupled to it).
class TKvLegendOrderPropEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void Edit() override;
};

// A TKvPropertyLinks property: shown as "Source->Target1; Target2", edited in the property link
// tree over the components of the designed module and of the forms that own the components
// the designer names.
class TKvPropLinkEditor : public TPropertyEditor {
public:
    TKvPropLinkEditor(IDesigner *ADesigner, int APropCount);
    ~TKvPropLinkEditor() override;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void Edit() override;
    // The designer's name callback: collects the names of the components it can reach.
    void GetTheComponent(const QString &Name);
private:
    std::unique_ptr<TStrings> FCompList;
};

// A property that references a fill palette: the ellipsis edits the referenced palette; after
// OK every selected component references it.
class TKvFilPalettePropertyEditor : public TComponentProperty {
public:
    using TComponentProperty::TComponentProperty;
    void Edit() override;
};

// The fill palette component: "&Edit Palette" (and a double click) edits it.
class TKvFillPaletteEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
    void ExecuteVerb(int Index) override;
    QString GetVerb(int Index) override;
    int GetVerbCount() override;
};
