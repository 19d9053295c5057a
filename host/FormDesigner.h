#pragma once
// The form designer of one designed form: the IDesigner that packages' editors call, and the
// API that the Object Inspector, the main window and the scripting layer use.
//
// How to use it:
//  - Form() / GetRoot(): the designed form; its components are owned by it. Overlay(): the
//    glass over it that turns the mouse into the designer's tools.
//  - Selection() / SetSelection() / Select(): the selected components; selectionChanged() fires
//    whenever the selection changes (also when a selected component goes away).
//  - Every change is one undo step. The designer's own edits (place, delete, paste, move) make
//    theirs; an editor call is wrapped in a TDesignerChange (the Object Inspector does this for
//    each stored value and dialog, RunComponentEditor for a component editor's run), so that
//    what it does, including components it makes or frees directly, is one step. Modified()
//    outside such a change compares the whole form and records what differs. Modified() marks
//    the form as changed also when nothing differs: it is an editor's report (a cancelled graph
//    designer makes one), as IsModified() then tells.
//  - modified(): something on the form changed (a property, a component came or went, a move).
//    componentsChanged(): components came, went or were renamed.
//  - formReloaded(): the form was restored (undo, redo) or replaced (open, new): look up the
//    components again (those that went are gone); Selection() follows by name.
//  - UndoStack(): the history of the designer's changes (for Undo/Redo actions and views).
//  - SaveToString() / LoadFromString(), SaveToFile() / LoadFromFile(): the form as text.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

#include "DesignIntf.h"

class QMenu;
class QWidget;
class TDesignForm;
class TDesignOverlay;
class TFormChangeTracker;
class TFormHistory;
struct TFormChanges;

class TFormDesigner : public QObject, public IDesigner {
    Q_OBJECT
public:
    // Designs Form (which the caller owns and which must outlive the designer).
    explicit TFormDesigner(TDesignForm *Form, QObject *parent = nullptr);
    ~TFormDesigner() override;

    // ---- IDesigner
    void Modified() override;
    TComponent *CreateComponent(TComponentClass ComponentClass, TComponent *Parent, int Left, int Top, int Width,
                                int Height) override;
    TComponent *GetRoot() override;
    void GetComponentNames(TComponentClass ComponentClass, const TGetStrProc &Proc) override;
    TComponent *GetComponent(const QString &Name) override;
    QString GetComponentName(TComponent *Component) override;
    QList<TComponent *> GetSelections() override { return Selection(); }
    void SelectComponent(TComponent *Component) override;

    // ---- The form
    TDesignForm *Form() const { return FForm; }
    TDesignOverlay *Overlay() const { return FOverlay; }
    // Records what changed since the last step as one step named Description.
    void Modified(const QString &Description);
    bool IsModified() const { return FModified; }
    void SetModified(bool Value);
    TFormHistory *UndoStack() const { return FHistory.get(); }

    // ---- Steps. Everything between BeginChange and the matching EndChange is one undo step
    // named Description. Touched: the objects an editor edits; Whole: the change may reach
    // anything on the form (a dialog, a component editor), which is then compared at the end.
    // Changes nest; the outermost records. TDesignerChange pairs the calls.
    void BeginChange(const QString &Description, const QList<QObject *> &Touched, bool Whole);
    void EndChange();

    // ---- Selection
    QList<TComponent *> Selection() const;
    void SetSelection(const QList<TComponent *> &Components);
    // Selects Component alone, or adds it to / takes it from the selection (Toggle).
    void Select(TComponent *Component, bool Toggle = false);
    void SelectAll();
    bool IsSelected(const TComponent *Component) const;

    // ---- Editing (each one undoable step)
    // Creates a component of a registered class at a point of the form, as the palette does:
    // visual ones with their default size (or Size when given), non-visual ones as a tile.
    TComponent *PlaceComponent(const QString &ClassName, const QPoint &Pos, const QSize &Size = {});
    void DeleteSelection();
    void CopySelection(); // to the clipboard, as form text
    void CutSelection();
    // Adds the components on the clipboard (or in Text) with new unique names; they become the
    // selection. Returns the messages of what could not be read.
    QStringList Paste();
    QStringList PasteText(const QString &Text);
    // Moves the selection by a distance (controls and tiles); Record: make it an undo step.
    void MoveSelection(const QPoint &Delta, bool Record = true);
    void SetBounds(TComponent *Component, const QRect &Bounds, bool Record = true);

    // ---- Component editors (double click and context menu of a component)
    // The verbs of Component's editor, in order.
    QStringList ComponentVerbs(TComponent *Component);
    // Runs the editor's verb Index, or its Edit (the double click) for -1, as one undo step.
    // Returns the error text of an exception the editor raised, empty when none.
    QString RunComponentEditor(TComponent *Component, int Index = -1);
    // The same for the user: an error shows in the error box.
    void ExecuteComponentEditor(TComponent *Component, int Index = -1);
    // The context menu of a component (nil: the form): its editor's verbs, then the editing
    // commands. The caller owns the menu (object name "ComponentMenu").
    QMenu *CreateContextMenu(TComponent *Component, QWidget *Parent);

    // ---- The class the palette has chosen for the next click on the form (empty: select).
    QString PlacingClass() const { return FPlacingClass; }
    void SetPlacingClass(const QString &ClassName);

    // ---- While an editor runs (its dialog is open) the form is not replaced and nothing is
    // freed or added from outside it: loading, undo and redo, deleting, cutting, pasting,
    // placing and another editor are refused with this error (EComponentError). Empty when
    // they may go ahead.
    QString FormChangeRefusal(const QString &What) const;
    void CheckFormChange(const QString &What) const;

    // ---- Files
    QString SaveToString();
    // Replaces the form with the text's; raises EConvertError for text that is not a form (the
    // form stays as it was). Returns the messages of what was skipped. Clears the undo history.
    // loadProgress tells how far a long load went.
    QStringList LoadFromString(const QString &Text);
    void SaveToFile(const QString &FileName); // raises EConvertError when it cannot write
    QStringList LoadFromFile(const QString &FileName);
    // An empty form named Form1.
    void NewForm();
    QString FileName() const { return FFileName; }

signals:
    void selectionChanged();
    void modified();
    void componentsChanged();
    void formReloaded();
    // A component was placed from the palette (the palette goes back to the arrow).
    void componentPlaced(TComponent *Component);
    void fileNameChanged(const QString &FileName);
    // A load went Percent (0 to 100) of its way.
    void loadProgress(int Percent);

private:
    void Record(const QString &Description, const TFormChanges &Changes);
    void ApplyStep(const TFormChanges &Changes, bool Undo);
    void ReportError(const QString &Message);
    void ConnectOverlay();
    void EnsureTilePositions(const QList<TComponent *> &Components);
    QPoint FreeTilePosition() const;
    void Prune();

    TDesignForm *FForm;
    TDesignOverlay *FOverlay;
    std::unique_ptr<TFormChangeTracker> FTracker;
    std::unique_ptr<TFormHistory> FHistory;
    QList<QPointer<QObject>> FSelection;
    QString FChangeDescription; // of the outermost open change
    QString FPlacingClass, FFileName;
    bool FModified = false;
    bool FModifiedReported = false; // Modified() was called in the change under way
};

// One undo step around an editor call: BeginChange now, EndChange when it goes.
class TDesignerChange {
public:
    TDesignerChange(TFormDesigner *Designer, const QString &Description, const QList<QObject *> &Touched = {},
                    bool Whole = true);
    ~TDesignerChange();
    TDesignerChange(const TDesignerChange &) = delete;
    TDesignerChange &operator=(const TDesignerChange &) = delete;

private:
    QPointer<TFormDesigner> FDesigner;
};
