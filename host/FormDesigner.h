#pragma once
// The form designer of one designed form: the IDesigner that packages' editors call, and the
// API that the Object Inspector, the main window and the scripting layer use.
//
// How to use it:
//  - Form() / GetRoot(): the designed form; its components are owned by it.
//  - Selection() / SetSelection() / Select(): the selected components; selectionChanged() fires
//    whenever the selection changes (also when a selected component goes away).
//  - After changing a published property from outside (the Object Inspector, a script), call
//    Modified() (or Modified(description)): it records one undo step, marks the form changed
//    and emits modified(). Editors of the package call Modified() through IDesigner.
//  - modified(): something on the form changed (a property, a component came or went, a move).
//  - formReloaded(): the components were rebuilt from text (undo, redo, open, new): every
//    component pointer held before is gone; re-read Selection() and the components.
//  - UndoStack(): the QUndoStack of the designer's changes (for Undo/Redo actions and views).
//  - SaveToString() / LoadFromString(), SaveToFile() / LoadFromFile(): the form as text.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include "DesignIntf.h"

class TDesignForm;
class TFormUndoStack;


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
    // One undo step named Description for what changed since the last step.
    void Modified(const QString &Description);
    bool IsModified() const { return FModified; }
    void SetModified(bool Value);
    QUndoStack *UndoStack() const;

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
    void CopySelection();  // to the clipboard, as form text
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
    // Runs the editor's verb Index, or its Edit (the double click) for -1. Returns the error
    // text of an exception the editor raised (the form keeps what it had), empty when none.
    QString RunComponentEditor(TComponent *Component, int Index = -1);

    // ---- The class the palette has chosen for the next click on the form (empty: select).
    QString PlacingClass() const { return FPlacingClass; }
    void SetPlacingClass(const QString &ClassName) { FPlacingClass = ClassName; }

    // ---- Files
    QString SaveToString();
    // Replaces the form with the text's; raises EConvertError for text that is not a form (the
    // form stays as it was). Returns the messages of what was skipped. Clears the undo history.
    QStringList LoadFromString(const QString &Text);
    void SaveToFile(const QString &FileName); // raises EConvertError when it cannot write
    QStringList LoadFromFile(const QString &FileName);
    // An empty form named Form1.
    void NewForm();
    QString FileName() const { return FFileName; }

signals:
    void selectionChanged();
    void modified();
    void formReloaded();
    // A component was placed from the palette (the palette goes back to the arrow).
    void componentPlaced(TComponent *Component);
    void fileNameChanged(const QString &FileName);

private:
    void Restore(const QString &Text);
    void AfterStructureChange();
    void EnsureTilePositions();
    QPoint FreeTilePosition() const;
    void Prune();

    TDesignForm *FForm;
    TFormUndoStack *FUndo;
    QList<QPointer<QObject>> FSelection;
    QString FCommitted; // the form's text after the last recorded step
    QString FPlacingClass, FFileName;
    bool FModified = false;
    bool FRestoring = false;
};
