#pragma once
// The rich caption editor: a caption edit with a style tool bar, a tree of string variables to
// place into the caption, and a formula composer (formula and format edits, the functions and
// the numeric variables) whose formulas go into the caption as variables. Items move by the
// insert buttons, by double clicks and by drag and drop between the dialog's controls.
//
// Variable names in the formula edit behave as single tokens: an idle pass recognises the name
// around the caret, shows it in the variables tree and keeps the caret out of it; Backspace and
// Delete remove a name whole. While neither edit has the focus, an I-beam mark shows where an
// inserted function or variable will land in the formula.
//
// The opener configures CaptionEdit (its font, colours and caption) and reads it back after OK;
// the dialog never touches the edited component.
#include <QDialog>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

#include "ControlEvents.h"
#include "DragModel.h"
#include "Forms.h"
#include "Graphics.h"

class QAbstractButton;
class QComboBox;
class QToolButton;
class QTreeWidgetItem;
class TApplicationEvents;
class TImageList;
class TKvCaptionEdit;
class TKvColorPickCombo;
namespace Ui {
class TCaptionEditFrm;
}

// A recognition of the variable name around a position of the formula text.
struct TKvFormulaSelRec {
    bool Found = false;             // the token is the reference of a node of the variable tree
    QTreeWidgetItem *Node = nullptr; // that node, nil when none
    int VarStart = 0;               // 0-based index of the token's first character
    int VarLen = 0;                 // its number of characters
};

// What both caption dialogs share: the caption edit with its style tool bar (six attribute
// buttons, the colour picker, the fonts combo that shows each family in its own font) and the
// handlers of the tool bar. The dialogs name these controls alike in their form descriptions.
class TCaptionStyleForm : public QDialog {
    Q_OBJECT
public:
    // The caption edit, configured by the opener.
    TKvCaptionEdit *CaptionEdit() const { return FCaptionEdit; }

public slots:
    // A style button inverts the attribute of the caption's selection as the caption edit
    // reports it, not as the button shows it.
    void BoldButtonClick();
    void ItalicButtonClick();
    void UnderlineButtonClick();
    void StrikeoutButtonClick();
    void SubscriptButtonClick();
    void SuperScriptButtonClick();
    void SelColorPickChanged();
    void FontsComboSelect();
    void FontsComboDrawItem(QWidget *Control, int Index, const TRect &Rect, TCanvas &Canvas);
    // The first family whose first letter is the typed one (ASCII upper case) is chosen.
    void FontsComboKeyPress(QWidget *Sender, QChar &Key);

protected:
    using QDialog::QDialog;
    // Right after setupUi: the form's kind and fonts, the tool bar's glyphs and owner drawing,
    // and the tool bar's event bindings.
    void SetupCaptionForm(Forms::TBorderStyle Border, int Options);
    // The tool bar follows the caption's selection: colour, font name and the buttons' states.
    void ShowSelectionStyle();
    // Adds families to the fonts combo in its sorted order (without regard to case).
    void AddFontNames(const QStringList &Names);
    // The glyphs of bitmap buttons of kind OK and Cancel.
    void SetKindGlyphs(QAbstractButton *Ok, QAbstractButton *Cancel);
    TImageList *ButtonImages = nullptr;

private:
    TKvCaptionEdit *FCaptionEdit = nullptr;
    TKvColorPickCombo *FSelColorPick = nullptr;
    QComboBox *FFontsCombo = nullptr;
    QToolButton *FStyleButtons[6] = {};
};

class TCaptionEditFrm : public TCaptionStyleForm {
    Q_OBJECT
public:
    explicit TCaptionEditFrm(QWidget *Parent = nullptr);
    ~TCaptionEditFrm() override;

    // The token around a 1-based position of Text (the character left of a 0-based caret): it
    // reaches left to an operator, "(" or "[", right to an operator, ")" or "]"; the character
    // at Pos itself always belongs to it. Found only for tokens of two characters or more that
    // are the reference of a node of the variables tree.
    TKvFormulaSelRec NodeFromSelection(const QString &Text, int Pos);
    // The insertion mark drawn straight on the formula edit, at FFormulaCaretPosPos.
    void PaintCaret();
    // The x of the formula edit's character Index (EM_POSFROMCHAR's low word).
    int GetFormulaXFromChar(int Index);

public slots:
    void CaptionEditSelectionChange();
    void InsStringBtnClick();
    // Raises the parser's exception for a formula it rejects; nothing is inserted then.
    void InsFormulaBtnClick();
    void InsFunctionBtnClick();
    void InsVariableBtnClick();
    void StartDragFromTree(QWidget *Sender, ControlEvents::TMouseButton Button, ControlEvents::TShiftState Shift, int X, int Y);
    void FormulaEditMouseDown(QWidget *Sender, ControlEvents::TMouseButton Button, ControlEvents::TShiftState Shift, int X, int Y);
    void CaptionEditDragOver(QWidget *Sender, QWidget *Source, int X, int Y, DragModel::TDragState State, bool &Accept);
    // Raises the parser's exception for a dragged formula it rejects.
    void CaptionEditDragDrop(QWidget *Sender, QWidget *Source, int X, int Y);
    void FormulaEditDragOver(QWidget *Sender, QWidget *Source, int X, int Y, DragModel::TDragState State, bool &Accept);
    void FormulaEditDragDrop(QWidget *Sender, QWidget *Source, int X, int Y);
    void FormulaEditEnter();
    void FormulaEditExit();
    void FormulaEditKeyDown(QWidget *Sender, int &Key, ControlEvents::TShiftState Shift);
    void ApplicationEvents1Idle(QObject *Sender, bool &Done);

private:
    void FormCreate();
    void InsertIntoFormula(const QString &Text);

    std::unique_ptr<Ui::TCaptionEditFrm> FUi;
    TApplicationEvents *ApplicationEvents1;
    int FLastFormulaEditSelStart = -1;
    int FLastFormulaEditSelLength = 0;
    TKvFormulaSelRec FCurrentSel;
    QPoint FFormulaCaretPosPos;
    QString FDraggedVariable;
};

// The unit's form variable; openers create their own instance.
extern TCaptionEditFrm *CaptionEditFrm;
