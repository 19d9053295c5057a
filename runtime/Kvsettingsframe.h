#pragma once
// The base of the settings frames: editors for listed properties of the edited object, in
// titled groups, each writing its property at once (and recording it on an undo stack when
// one is given). Frames name the object and the properties; the editor follows the type:
// check box, number, colour picker, text, a list of the components a reference may point at,
// or a sample of a settings object or font that opens its dialog.
#include <QMetaType>
#include <QPointer>
#include <exception>
#include <functional>
#include <optional>

#include "Kvclasses.h"

class QFormLayout;
class QMetaProperty;
class QScrollArea;
class QVBoxLayout;
class TKvUndoStack;

// "DistanceBorderAxisLeft" -> "Distance border axis left", "PrimaryXAxis" -> "Primary X axis".
QString PropertyCaption(const QString &Name);

class TKvSettingsFrame : public TKvControl {
    Q_OBJECT
public:
    explicit TKvSettingsFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    // The editor of a property (nil when it is not shown); a settings object's Visible switch
    // is the editor of Prop + "Visible".
    QWidget *EditorFor(const QString &Prop) const;
    QStringList EditorNames() const;
    // Rebuilds the editors when the edited object changed, else shows the current values.
    void Changed() override;
    void UpdateCombos() { Changed(); }
    // The object the editors write, and further properties of it to show (in a group of
    // their own unless the list starts with a "#Title").
    QObject *Edited() const { return EditedObject(); }
    void SetExtraProperties(const QStringList &Props);
    // Where the edits are recorded (nil: nowhere); the frame shows the values again after the
    // stack undid or redid something.
    void SetUndoStack(TKvUndoStack *Stack);
signals:
    // After every change that an editor wrote.
    void OnSettingsChange();
protected:
    virtual QObject *EditedObject() const = 0;
    // Entries: "Prop" (a row named after the property), "Label=Prop" or "Label=Prop1+Prop2"
    // (one row, its editors side by side), "#Title" (a new group), "!Name" (a row of the
    // frame's own, from MakeCustomRow).
    virtual QStringList EditedProperties() const = 0;
    virtual QWidget *MakeCustomRow(const QString &Name) { return nullptr; }
    // The components a reference property may point at: by default those of the edited
    // component's owner of the property's class, itself excepted.
    virtual QList<QObject *> ReferenceCandidates(const QMetaProperty &P) const;
    // Before the values are shown: adapt editors to the current values (dates on a date axis).
    virtual void PrepareEditors() {}
    // Room above the editors for a frame's own widgets.
    QVBoxLayout *Top() const { return FTop; }
    // Writes one property of the edited object as the editors do (recorded, reported).
    void Write(const QByteArray &Prop, const QVariant &V, QWidget *Source = nullptr, bool Merge = false);
    TKvUndoStack *UndoStack() const { return FUndo; }
    // Builds the editors again (after the list of entries changed).
    void Rebuild();
private:
    void Build();
    QWidget *MakeEditor(const QMetaProperty &P, const QString &Caption);
    QWidget *MakeSettingsRow(const QMetaProperty &P, QObject *Settings);
    void EditInDialog(const QByteArray &Prop);
    void FillReferences(QWidget *Combo, const QMetaProperty &P);
    void ReadValues(QWidget *Except = nullptr);
    QVBoxLayout *FTop;
    QScrollArea *FScroll;
    QWidget *FBody = nullptr;
    QPointer<QObject> FTarget;
    bool FBuilt = false;
    QList<QPair<QString, QWidget *>> FEditors;
    QStringList FExtra;
    bool FReading = false;
    QPointer<TKvUndoStack> FUndo;
};

// A frame over every published property of any object (the runtime's own settings dialog).
class TKvObjectSettingsFrame : public TKvSettingsFrame {
    Q_OBJECT
public:
    explicit TKvObjectSettingsFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    void SetObject(QObject *O);
protected:
    QObject *EditedObject() const override { return FObject; }
    QStringList EditedProperties() const override;
private:
    QPointer<QObject> FObject;
};

// A frame that edits listed properties of the component its reference property points at.
#define KV_SETTINGS_FRAME(Class, TargetType, TargetName, ...)                                       \
    class Class : public TKvSettingsFrame {                                                          \
        Q_OBJECT                                                                                     \
        KV_REF(TargetType, TargetName)                                                               \
    public:                                                                                          \
        explicit Class(TComponent *AOwner = nullptr, QWidget *AParent = nullptr)                     \
            : TKvSettingsFrame(AOwner, AParent) { Changed(); }                                       \
    protected:                                                                                       \
        QObject *EditedObject() const override { return TargetName(); }                              \
        QStringList EditedProperties() const override { return {__VA_ARGS__}; }                      \
    };

#include <QDialog>

#include "Kvundostack.h"

class QAbstractButton;
class QPushButton;
class QTabWidget;

// A dialog editor for values of one type that the application offers instead of the
// runtime's own (the design package's settings dialogs): it edits property Prop of Instance
// and tells whether the value changed, or gives nothing when it has no dialog for it.
using TKvSettingsEditorProc = std::function<std::optional<bool>(QObject *Instance, const QByteArray &Prop, QWidget *Parent)>;

// A dialog of settings frames on tabs. The frames write at once; Cancel puts the values back
// that the edited objects had when the dialog opened (or at the last Apply).
class TKvSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit TKvSettingsDialog(QWidget *Parent = nullptr);
    void AddPage(const QString &Title, QWidget *Page);
    // The objects whose values Cancel restores.
    void SetEditedObjects(const QList<QObject *> &Objects);
    void SetShowApply(bool Show);
    QTabWidget *Pages() const { return FPages; }
    void Apply();
    void reject() override;
    // Shows the dialog modally. An exception that one of its handlers raised closes it (as
    // Cancel does) and is raised again here, after the modal run.
    int ShowModal();
    // How a handler leaves with an exception: no exception may cross the event loop.
    void Fail(std::exception_ptr E);
    void RegisterSettingsEditor(QMetaType Type, TKvSettingsEditorProc Proc);
    TKvSettingsEditorProc SettingsEditor(QMetaType Type) const;
protected:
    // Forms with a layout of their own hand over their pages and buttons.
    struct TOwnLayout {};
    TKvSettingsDialog(QWidget *Parent, TOwnLayout);
    void BindControls(QTabWidget *Pages, QAbstractButton *OK, QAbstractButton *Cancel, QAbstractButton *ApplyButton);
private:
    QTabWidget *FPages = nullptr;
    QAbstractButton *FApply = nullptr;
    QList<QObject *> FObjects;
    TKvValueSnapshot FSnapshot;
    std::exception_ptr FFailure;
    QList<QPair<QMetaType, TKvSettingsEditorProc>> FEditors;
};

// Hands an exception to the settings dialog that holds Where (which closes and raises it
// after its modal run); outside such a dialog it is reported as a warning.
void FailIn(QWidget *Where, std::exception_ptr E);
template <class F> void RunGuarded(QWidget *Where, F &&Call)
{
    try {
        Call();
    } catch (...) {
        FailIn(Where, std::current_exception());
    }
}

// Opens the dialog for property Prop of Instance: the one the dialog of Where offers for its
// type, else the runtime's own (font dialog, caption editor, a dialog of the settings
// object's properties). True when the user confirmed a change.
bool EditPropertyDialog(QObject *Instance, const QByteArray &Prop, QWidget *Where);
