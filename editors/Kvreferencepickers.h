#pragma once
// Object Inspector drop-downs built by the chart library's rules: enumerations in declaration
// order, component references filtered to what makes sense for the edited component, the
// gradient frame's gradient picker, vector references and data-set field names.
#include "DesignEditors.h"
#include "Kvdb.h"

// Enumerations in declaration order: the standard enumeration editor without sorting.
class TKvContentAlignmentEditor : public TEnumProperty {
public:
    using TEnumProperty::TEnumProperty;
    TPropertyAttributes GetAttributes() override;
};

class TKvNotSortedEnum : public TEnumProperty {
public:
    using TEnumProperty::TEnumProperty;
    TPropertyAttributes GetAttributes() override;
};

// Holds the Object Inspector's name procedure while the designer lists component names
// through an editor's filters, which pass the names they accept on to it.
class TKvHeldNames {
protected:
    // Runs Listing with Proc held and clears it again afterwards, also when an error passes.
    void ListHolding(const TGetStrProc &Proc, const std::function<void()> &Listing);
    // Does nothing when no procedure is held.
    void Pass(const QString &Name) const;
private:
    TGetStrProc FProc;
};

// A component reference whose list holds the components of the property's class that Filter
// accepts.
class TKvFilteredComponentProperty : public TComponentProperty, protected TKvHeldNames {
public:
    using TComponentProperty::TComponentProperty;
    void GetValues(const TGetStrProc &Proc) override;
protected:
    virtual void Filter(const QString &Name) = 0;
};

// An axis's master: another axis of the same direction that is not itself a slave.
class TKvMasterAxisProperty : public TKvFilteredComponentProperty {
public:
    using TKvFilteredComponentProperty::TKvFilteredComponentProperty;
    TPropertyAttributes GetAttributes() override;
    void IsAAxis(const QString &Name);
protected:
    void Filter(const QString &Name) override { IsAAxis(Name); }
};

// A horizontal axis: of the edited graph (or the marker's graph) or of a graph aligned with
// it; any horizontal axis when there is no graph (series).
class TKvXAxisProperty : public TKvFilteredComponentProperty {
public:
    using TKvFilteredComponentProperty::TKvFilteredComponentProperty;
    void IsAXAxis(const QString &Name);
protected:
    void Filter(const QString &Name) override { IsAXAxis(Name); }
};

// A vertical axis: of the edited graph (or the marker's graph) only; any vertical axis when
// there is no graph.
class TKvYAxisProperty : public TKvFilteredComponentProperty {
public:
    using TKvFilteredComponentProperty::TKvFilteredComponentProperty;
    void IsAYAxis(const QString &Name);
protected:
    void Filter(const QString &Name) override { IsAYAxis(Name); }
};

// Any component of the class but the edited one (a series never refers to itself).
class TKvNotMeComponentsProperty : public TKvFilteredComponentProperty {
public:
    using TKvFilteredComponentProperty::TKvFilteredComponentProperty;
    void IsNotMe(const QString &Name);
protected:
    void Filter(const QString &Name) override { IsNotMe(Name); }
};

// The gradient frame's Gradient: one of the gradients of the form's graphs, listed as
// "Graph.BackgroundGradient", "Graph.DataAreaGradient", "Graph.DataAreaFrame.Gradient".
class TKvGradFramePropEditor : public TPropertyEditor, protected TKvHeldNames {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    // The entry that names the current gradient; empty when none does.
    QString GetValue() override;
    void GetValues(const TGetStrProc &Proc) override;
    // Stores nothing when the text names no gradient of a component of the form.
    void SetValue(const QString &Value) override;
    void AddBackgroundGradient(const QString &Name);
    void AddDataAreaGradient(const QString &Name);
};

// A vector reference; the index vector shows as "(Index)".
class TKvDoubleVectorProperty : public TComponentProperty {
public:
    using TComponentProperty::TComponentProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
};

// A field name typed freely or chosen from the fields of the element's data set.
class TKvFieldProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetValues(const TGetStrProc &Proc) override;
    void SetValue(const QString &Value) override;
protected:
    // Updates the data set's field definitions and passes the names of those that Accept
    // takes, in definition order; nothing without a data source or data set.
    static void PassFieldNames(TDataSource *Source, const TGetStrProc &Proc, bool (*Accept)(TFieldType));
};

// A vector's DataField: only the fields that hold numbers (or dates and times).
class TKvNumberFieldProperty : public TKvFieldProperty {
public:
    using TKvFieldProperty::TKvFieldProperty;
    void GetValues(const TGetStrProc &Proc) override;
};
