#include "Kvcaptioneditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPaintEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

#include "AppEvnts.h"
#include "EditMessages.h"
#include "Forms.h"
#include "ImgList.h"
#include "Kvcaptionedit.h"
#include "Kvcolorpicker.h"
#include "Kvgdi.h"
#include "Kvparsefkt.h"
#include "WindowDC.h"
#include "ui_Kvcaptioneditor.h"
#include "Graphics.h"

TCaptionEditFrm *CaptionEditFrm = nullptr;

namespace {

using TDrawItem = std::function<void(QWidget *, int, const TRect &, TCanvas &)>;
// The combo's items, drawn by the form's handler on a canvas whose brush and font colour say
// whether the item is selected, as the VCL prepares the canvas of an owner-drawn combo.
class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    TOwnerDrawDelegate(QComboBox *Combo, TDrawItem Draw)
        : QStyledItemDelegate(Combo), FCombo(Combo), FDraw(std::move(Draw))
    {
    }
    void paint(QPainter *P, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        P->save();
        P->setFont(FCombo->font());
        TCanvas c(P);
        const bool selected = Option.state & QStyle::State_Selected;
        c.Brush.Color = selected ? clHighlight : clWindow;
        c.FontColor = ColorToQColor(selected ? clHighlightText : clWindowText);
        FDraw(FCombo, Index.row(), TRect(Option.rect), c);
        P->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(Option, Index).width(), ItemHeight);
    }
    static constexpr int ItemHeight = 16;
private:
    QComboBox *FCombo;
    TDrawItem FDraw;
};

// The closed combo's face: the frame and button as the style draws them, the current item by
// the form's handler.
class TOwnerDrawFace : public QObject {
public:
    TOwnerDrawFace(QComboBox *Combo, TDrawItem Draw)
        : QObject(Combo), FCombo(Combo), FDraw(std::move(Draw))
    {
        Combo->installEventFilter(this);
    }
protected:
    bool eventFilter(QObject *Obj, QEvent *E) override
    {
        if (Obj != FCombo || E->type() != QEvent::Paint)
            return false;
        QStylePainter p(FCombo);
        QStyleOptionComboBox opt;
        opt.initFrom(FCombo);
        opt.editable = false;
        opt.frame = FCombo->hasFrame();
        opt.subControls = QStyle::SC_All;
        p.drawComplexControl(QStyle::CC_ComboBox, opt);
        const QRect edit = FCombo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, FCombo);
        if (FCombo->currentIndex() >= 0) {
            p.setFont(FCombo->font());
            p.setClipRect(edit);
            TCanvas c(&p);
            const bool focused = FCombo->hasFocus();
            c.Brush.Color = focused ? clHighlight : clWindow;
            c.FontColor = ColorToQColor(focused ? clHighlightText : clWindowText);
            FDraw(FCombo, FCombo->currentIndex(), TRect(edit), c);
        }
        return true;
    }
private:
    QComboBox *FCombo;
    TDrawItem FDraw;
};

// A glyph of the style tool bar: a letter in the style it stands for.
enum TStyle { Bold, Italic, Underline, Strikeout, Subscript, Superscript };

QIcon StyleGlyph(TStyle Style)
{
    return DrawnIcon(QSize(16, 16), [&](QPainter &p) {
        p.setRenderHint(QPainter::TextAntialiasing);
        QFont f(QStringLiteral("Liberation Serif"));
        f.setPixelSize(14);
        f.setBold(Style == Bold);
        f.setItalic(Style == Italic);
        f.setUnderline(Style == Underline);
        f.setStrikeOut(Style == Strikeout);
        p.setFont(f);
        p.setPen(Qt::black);
        if (Style == Subscript || Style == Superscript) {
            p.drawText(QRect(0, 1, 10, 14), Qt::AlignCenter, QStringLiteral("x"));
            QFont small = f;
            small.setPixelSize(9);
            p.setFont(small);
            p.setPen(QColor(0, 0, 160));
            p.drawText(QRect(9, Style == Subscript ? 7 : 0, 7, 9), Qt::AlignCenter, QStringLiteral("2"));
        } else {
            static const char *const letters = "BIUS";
            p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QLatin1Char(letters[Style])));
        }
    });
}

char AsciiUpper(QChar C)
{
    const char16_t u = C.unicode();
    return char(u >= u'a' && u <= u'z' ? u - 32 : u < 128 ? u : 0);
}

} // namespace

void TCaptionStyleForm::SetupCaptionForm(Forms::TBorderStyle Border, int Options)
{
    Forms::SetupForm(this, Border, Options, QStringLiteral("Tahoma"), -11);
    FCaptionEdit = findChild<TKvCaptionEdit *>(QStringLiteral("CaptionEdit"));
    FSelColorPick = findChild<TKvColorPickCombo *>(QStringLiteral("SelColorPick"));
    FFontsCombo = findChild<QComboBox *>(QStringLiteral("FontsCombo"));
    const char *const names[6] = {"BoldButton", "ItalicButton", "UnderlineButton", "StrikeoutButton", "SubscriptButton", "SuperScriptButton"};
    for (int i = 0; i < 6; ++i)
        FStyleButtons[i] = findChild<QToolButton *>(QLatin1String(names[i]));
    Forms::SetControlFont(FFontsCombo, QStringLiteral("Tahoma"), -13);
    Forms::SetControlFont(FCaptionEdit, QStringLiteral("Times New Roman"), -16);

    ButtonImages = new TImageList(this);
    ButtonImages->setObjectName(QStringLiteral("ButtonImages"));
    for (TStyle s : {Bold, Italic, Underline, Strikeout, Subscript, Superscript})
        ButtonImages->Add(StyleGlyph(s));
    for (int i = 0; i < 6; ++i) {
        FStyleButtons[i]->setIcon(ButtonImages->GetIcon(i));
        FStyleButtons[i]->setIconSize(QSize(16, 16));
    }
    FSelColorPick->SetActiveColor(0xFFFF0000);
    const TDrawItem draw = std::bind_front(&TCaptionStyleForm::FontsComboDrawItem, this);
    FFontsCombo->setItemDelegate(new TOwnerDrawDelegate(FFontsCombo, draw));
    new TOwnerDrawFace(FFontsCombo, draw);
    // Left-justified with both scroll bars: lines as long as they are typed.
    QTextEdit *edit = FCaptionEdit->Editor();
    edit->setLineWrapMode(QTextEdit::NoWrap);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setTabChangesFocus(true); // Tab goes to the next control, as in any dialog

    // Event bindings of the tool bar.
    connect(FStyleButtons[0], &QToolButton::clicked, this, &TCaptionStyleForm::BoldButtonClick);
    connect(FStyleButtons[1], &QToolButton::clicked, this, &TCaptionStyleForm::ItalicButtonClick);
    connect(FStyleButtons[2], &QToolButton::clicked, this, &TCaptionStyleForm::UnderlineButtonClick);
    connect(FStyleButtons[3], &QToolButton::clicked, this, &TCaptionStyleForm::StrikeoutButtonClick);
    connect(FStyleButtons[4], &QToolButton::clicked, this, &TCaptionStyleForm::SubscriptButtonClick);
    connect(FStyleButtons[5], &QToolButton::clicked, this, &TCaptionStyleForm::SuperScriptButtonClick);
    connect(FSelColorPick, &TKvColorPickCombo::OnChanged, this, &TCaptionStyleForm::SelColorPickChanged);
    connect(FFontsCombo, &QComboBox::activated, this, &TCaptionStyleForm::FontsComboSelect);
    // Typing drops the list down (the combo's own search would move on from the family the
    // handler chose, so it is not asked).
    ControlEvents::SetOnKeyPress(FFontsCombo, [this](QWidget *Sender, QChar &Key) {
        FontsComboKeyPress(Sender, Key);
        if (Key.isNull())
            return;
        QComboBox *c = FFontsCombo;
        if (c->view()->isVisible())
            c->view()->setCurrentIndex(c->model()->index(c->currentIndex(), c->modelColumn()));
        else
            c->showPopup();
        Key = QChar();
    });
    FCaptionEdit->setFocus(); // the active control
}

void TCaptionStyleForm::AddFontNames(const QStringList &Names)
{
    QStringList all;
    for (int i = 0; i < FFontsCombo->count(); ++i)
        all << FFontsCombo->itemText(i);
    all << Names;
    std::stable_sort(all.begin(), all.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    FFontsCombo->clear();
    FFontsCombo->addItems(all);
}

void TCaptionStyleForm::SetKindGlyphs(QAbstractButton *Ok, QAbstractButton *Cancel)
{
    Ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton, nullptr, Ok));
    Cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton, nullptr, Cancel));
}

void TCaptionStyleForm::ShowSelectionStyle()
{
    TKvCaptionEdit *e = FCaptionEdit;
    FSelColorPick->SetAsTColor(e->GetSelColor());
    FFontsCombo->setCurrentIndex(FFontsCombo->findText(e->GetFontName(), Qt::MatchFixedString));
    const bool down[6] = {e->GetBold(), e->GetItalic(), e->GetUnderline(), e->GetStrikeout(), e->GetSubscript(), e->GetSuperscript()};
    for (int i = 0; i < 6; ++i)
        FStyleButtons[i]->setChecked(down[i]);
}

void TCaptionStyleForm::BoldButtonClick() { FCaptionEdit->SetBold(!FCaptionEdit->GetBold()); }
void TCaptionStyleForm::ItalicButtonClick() { FCaptionEdit->SetItalic(!FCaptionEdit->GetItalic()); }
void TCaptionStyleForm::UnderlineButtonClick() { FCaptionEdit->SetUnderline(!FCaptionEdit->GetUnderline()); }
void TCaptionStyleForm::StrikeoutButtonClick() { FCaptionEdit->SetStrikeout(!FCaptionEdit->GetStrikeout()); }
void TCaptionStyleForm::SubscriptButtonClick() { FCaptionEdit->SetSubscript(!FCaptionEdit->GetSubscript()); }
void TCaptionStyleForm::SuperScriptButtonClick() { FCaptionEdit->SetSuperscript(!FCaptionEdit->GetSuperscript()); }

void TCaptionStyleForm::SelColorPickChanged() { FCaptionEdit->SetSelColor(FSelColorPick->GetAsTColor()); }

void TCaptionStyleForm::FontsComboSelect()
{
    FCaptionEdit->SetFontName(FFontsCombo->currentText());
    FCaptionEdit->setFocus();
}

void TCaptionStyleForm::FontsComboDrawItem(QWidget *Control, int Index, const TRect &Rect, TCanvas &Canvas)
{
    // Each family in its own font.
    const QString name = static_cast<QComboBox *>(Control)->itemText(Index);
    Canvas.FillRect(Rect);
    QFont f = Canvas.Font();
    f.setFamily(name);
    Canvas.SetFont(f);
    Canvas.Brush.Style = TBrushStyle::bsClear;
    Canvas.TextRect(Rect, Rect.Left, Rect.Top, name);
}

void TCaptionStyleForm::FontsComboKeyPress(QWidget *Sender, QChar &Key)
{
    auto *combo = static_cast<QComboBox *>(Sender);
    const char k = AsciiUpper(Key);
    for (int i = 0; i < combo->count(); ++i) {
        const QString t = combo->itemText(i);
        if (!t.isEmpty() && AsciiUpper(t[0]) == k) {
            combo->setCurrentIndex(i);
            break;
        }
    }
}


namespace {

// The node of a tree that is selected, nil when none.
QTreeWidgetItem *SelectedNode(QTreeWidget *Tree)
{
    QTreeWidgetItem *n = Tree->currentItem();
    return n && n->isSelected() ? n : nullptr;
}

bool IsOperator(QChar C)
{
    return C == QLatin1Char('+') || C == QLatin1Char('-') || C == QLatin1Char('*') || C == QLatin1Char('/')
           || C == QLatin1Char('^') || C == QLatin1Char(' ');
}
bool IsLeftEnd(QChar C) { return IsOperator(C) || C == QLatin1Char('(') || C == QLatin1Char('['); }
bool IsRightEnd(QChar C) { return IsOperator(C) || C == QLatin1Char(')') || C == QLatin1Char(']'); }

} // namespace

TCaptionEditFrm::TCaptionEditFrm(QWidget *Parent) : TCaptionStyleForm(Parent), FUi(new Ui::TCaptionEditFrm)
{
    FUi->setupUi(this);
    SetupCaptionForm(Forms::TBorderStyle::bsToolWindow, Forms::StayOnTop);
    ApplicationEvents1 = new TApplicationEvents(this);
    ApplicationEvents1->setObjectName(QStringLiteral("ApplicationEvents1"));
    EditMessages::KeepSelectionOnExit(FUi->FormulaEdit);
    SetKindGlyphs(FUi->OKButton, FUi->BitBtn2);
    // The insert buttons point where their items go: left into the caption, up into the formula.
    FUi->InsStringBtn->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    for (QPushButton *b : {FUi->InsFormulaBtn, FUi->InsFunctionBtn, FUi->InsVariableBtn})
        b->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));

    // Event bindings of the form (the tool bar's are the base's).
    DragModel::SetOnDragDrop(FUi->CaptionEdit, std::bind_front(&TCaptionEditFrm::CaptionEditDragDrop, this));
    DragModel::SetOnDragOver(FUi->CaptionEdit, std::bind_front(&TCaptionEditFrm::CaptionEditDragOver, this));
    ControlEvents::SetOnEnter(FUi->CaptionEdit, [this](QWidget *) { CaptionEditSelectionChange(); });
    connect(FUi->CaptionEdit, &TKvCaptionEdit::OnSelectionChange, this, &TCaptionEditFrm::CaptionEditSelectionChange);
    connect(FUi->InsStringBtn, &QPushButton::clicked, this, &TCaptionEditFrm::InsStringBtnClick);
    ControlEvents::SetOnDblClick(FUi->CaptionsView, [this](QWidget *) { InsStringBtnClick(); });
    ControlEvents::SetOnMouseDown(FUi->CaptionsView, std::bind_front(&TCaptionEditFrm::StartDragFromTree, this));
    connect(FUi->InsFormulaBtn, &QPushButton::clicked, this, [this] { Forms::HandleEvent([this] { InsFormulaBtnClick(); }); });
    ControlEvents::SetOnDblClick(FUi->FormulaEdit, [this](QWidget *) { InsFormulaBtnClick(); });
    DragModel::SetOnDragDrop(FUi->FormulaEdit, std::bind_front(&TCaptionEditFrm::FormulaEditDragDrop, this));
    DragModel::SetOnDragOver(FUi->FormulaEdit, std::bind_front(&TCaptionEditFrm::FormulaEditDragOver, this));
    ControlEvents::SetOnEnter(FUi->FormulaEdit, [this](QWidget *) { FormulaEditEnter(); });
    ControlEvents::SetOnExit(FUi->FormulaEdit, [this](QWidget *) { FormulaEditExit(); });
    ControlEvents::SetOnKeyDown(FUi->FormulaEdit, std::bind_front(&TCaptionEditFrm::FormulaEditKeyDown, this));
    ControlEvents::SetOnMouseDown(FUi->FormulaEdit, std::bind_front(&TCaptionEditFrm::FormulaEditMouseDown, this));
    connect(FUi->InsFunctionBtn, &QPushButton::clicked, this, &TCaptionEditFrm::InsFunctionBtnClick);
    ControlEvents::SetOnDblClick(FUi->FunctionsList, [this](QWidget *) { InsFunctionBtnClick(); });
    DragModel::SetDragMode(FUi->FunctionsList, DragModel::TDragMode::dmAutomatic);
    connect(FUi->InsVariableBtn, &QPushButton::clicked, this, &TCaptionEditFrm::InsVariableBtnClick);
    ControlEvents::SetOnDblClick(FUi->VariablesView, [this](QWidget *) { InsVariableBtnClick(); });
    ControlEvents::SetOnMouseDown(FUi->VariablesView, std::bind_front(&TCaptionEditFrm::StartDragFromTree, this));
    connect(FUi->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(FUi->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    ApplicationEvents1->OnIdle = std::bind_front(&TCaptionEditFrm::ApplicationEvents1Idle, this);

    FormCreate();
}

TCaptionEditFrm::~TCaptionEditFrm() = default;

void TCaptionEditFrm::FormCreate()
{
    QStringList fonts;
    GetInstalledFontNames(fonts);
    AddFontNames(fonts);
    PopulateTreeWithStrings(FUi->CaptionsView);
    PopulateTreeWithVariables(FUi->VariablesView);
    QStringList functions;
    PopulateListWithFunctions(functions);
    FUi->FunctionsList->addItems(functions);
    for (int i = 0; i < FUi->FunctionsList->count(); ++i)
        FUi->FunctionsList->item(i)->setSizeHint(QSize(0, 13));
    FLastFormulaEditSelStart = -1;
}

void TCaptionEditFrm::CaptionEditSelectionChange()
{
    if (DragModel::Dragging(FUi->CaptionsView) || DragModel::Dragging(FUi->VariablesView) || DragModel::Dragging(FUi->FormulaEdit))
        return;
    ShowSelectionStyle();
    const QString v = FUi->CaptionEdit->GetSelVariable();
    FUi->CaptionsView->setCurrentItem(nullptr);
    FUi->CaptionsView->clearSelection();
    FUi->FormulaEdit->clear();
    if (v.isEmpty())
        return;
    const qsizetype p = v.indexOf(QLatin1Char(';'));
    if (p >= 0) {
        FUi->FormatEdit->setText(v.mid(p + 1));
        FUi->FormulaEdit->setText(v.left(p));
    } else if (QTreeWidgetItem *node = FindInTree(v, FUi->CaptionsView)) {
        FUi->CaptionsView->setCurrentItem(node);
    } else {
        FUi->FormatEdit->clear();
        FUi->FormulaEdit->setText(v);
    }
}

void TCaptionEditFrm::InsStringBtnClick()
{
    QTreeWidgetItem *node = SelectedNode(FUi->CaptionsView);
    if (!node || node->childCount() > 0)
        return;
    TKvCaptionEdit *e = FUi->CaptionEdit;
    e->SetSelVariable(RefFromNode(node));
    e->SetSelStart(e->SelStart() + 1);
}

void TCaptionEditFrm::InsFormulaBtnClick()
{
    const QString formula = FUi->FormulaEdit->text();
    if (formula.isEmpty())
        return;
    TKvFunctionParser parser; // raises for a formula it cannot parse: nothing is inserted
    parser.SetExpression(formula);
    QString t = formula;
    if (!FUi->FormatEdit->text().isEmpty())
        t += QLatin1Char(';') + FUi->FormatEdit->text();
    TKvCaptionEdit *e = FUi->CaptionEdit;
    e->SetSelVariable(t);
    e->SetSelStart(e->SelStart() + 1);
}

void TCaptionEditFrm::InsertIntoFormula(const QString &Text)
{
    QLineEdit *f = FUi->FormulaEdit;
    const int p = EditMessages::GetSelStart(f);
    EditMessages::SetSelText(f, Text);
    f->setFocus();
    EditMessages::SetSelLength(f, 0);
    EditMessages::SetSelStart(f, p + int(Text.size()));
}

void TCaptionEditFrm::InsFunctionBtnClick()
{
    QListWidgetItem *item = FUi->FunctionsList->currentItem();
    if (item && item->isSelected())
        InsertIntoFormula(item->text());
}

void TCaptionEditFrm::InsVariableBtnClick()
{
    QTreeWidgetItem *node = SelectedNode(FUi->VariablesView);
    if (node && node->childCount() == 0)
        InsertIntoFormula(RefFromNode(node));
}

void TCaptionEditFrm::StartDragFromTree(QWidget *Sender, ControlEvents::TMouseButton Button, ControlEvents::TShiftState, int, int)
{
    auto *tree = qobject_cast<QTreeWidget *>(Sender);
    if (Button != ControlEvents::TMouseButton::mbLeft || !tree)
        return;
    QTreeWidgetItem *node = SelectedNode(tree);
    if (!node || node->childCount() > 0)
        return;
    FDraggedVariable = RefFromNode(node);
    DragModel::BeginDrag(tree, false, -1);
}

void TCaptionEditFrm::FormulaEditMouseDown(QWidget *, ControlEvents::TMouseButton Button, ControlEvents::TShiftState, int X, int)
{
    const QString text = FUi->FormulaEdit->text();
    if (Button != ControlEvents::TMouseButton::mbLeft || text.isEmpty())
        return;
    // Measured with the form's font, as the form's canvas measures it.
    if (X > QFontMetrics(font()).horizontalAdvance(text) + 2)
        DragModel::BeginDrag(FUi->FormulaEdit, false, 100);
}

void TCaptionEditFrm::CaptionEditDragOver(QWidget *, QWidget *Source, int X, int Y, DragModel::TDragState, bool &Accept)
{
    Accept = Source == FUi->CaptionsView || Source == FUi->VariablesView || Source == FUi->FormulaEdit;
    if (Accept && X >= 0 && Y >= 0) {
        // The caret follows the mouse.
        FUi->CaptionEdit->SetSelStart(EditMessages::CharFromPos(FUi->CaptionEdit, QPoint(X, Y)));
        FUi->CaptionEdit->setFocus();
    }
}

void TCaptionEditFrm::CaptionEditDragDrop(QWidget *, QWidget *Source, int, int)
{
    TKvCaptionEdit *e = FUi->CaptionEdit;
    const QString format = FUi->FormatEdit->text();
    if (Source == FUi->CaptionsView) {
        e->SetSelVariable(FDraggedVariable);
    } else if (Source == FUi->VariablesView) {
        e->SetSelVariable(format.isEmpty() ? FDraggedVariable : FDraggedVariable + QLatin1Char(';') + format);
    } else if (Source == FUi->FormulaEdit && !FUi->FormulaEdit->text().isEmpty()) {
        QLineEdit *f = FUi->FormulaEdit;
        QString t = EditMessages::GetSelLength(f) > 0 ? EditMessages::GetSelText(f) : f->text();
        TKvFunctionParser parser;
        parser.SetExpression(t);
        if (!format.isEmpty())
            t += QLatin1Char(';') + format;
        e->SetSelVariable(t);
    }
}

void TCaptionEditFrm::FormulaEditDragOver(QWidget *, QWidget *Source, int X, int Y, DragModel::TDragState, bool &Accept)
{
    Accept = Source == FUi->FunctionsList || Source == FUi->VariablesView;
    if (Accept && X >= 0 && Y >= 0) {
        QLineEdit *f = FUi->FormulaEdit;
        const int r = EditMessages::CharFromPos(f, QPoint(X, Y));
        EditMessages::SetSelStart(f, r);
        FFormulaCaretPosPos.setX(GetFormulaXFromChar(r));
        f->setFocus();
        f->update();
    }
}

void TCaptionEditFrm::FormulaEditDragDrop(QWidget *, QWidget *Source, int, int)
{
    if (Source == FUi->FunctionsList)
        InsFunctionBtnClick();
    else if (Source == FUi->VariablesView)
        EditMessages::SetSelText(FUi->FormulaEdit, FDraggedVariable);
}

int TCaptionEditFrm::GetFormulaXFromChar(int Index) { return quint16(EditMessages::PosFromChar(FUi->FormulaEdit, Index).x()); }

void TCaptionEditFrm::FormulaEditEnter() { FUi->FormulaEdit->update(); }

void TCaptionEditFrm::FormulaEditExit()
{
    if (EditMessages::GetSelLength(FUi->FormulaEdit) == 0)
        FFormulaCaretPosPos = EditMessages::GetCaretPos(FUi->FormulaEdit);
}

void TCaptionEditFrm::FormulaEditKeyDown(QWidget *, int &Key, ControlEvents::TShiftState Shift)
{
    QLineEdit *f = FUi->FormulaEdit;
    const Qt::KeyboardModifiers mods = Shift & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        if (Key == Qt::Key_Backspace) {
            if (FCurrentSel.Found && EditMessages::GetSelLength(f) == 0) {
                EditMessages::SetSelStart(f, FCurrentSel.VarStart);
                EditMessages::SetSelLength(f, FCurrentSel.VarLen);
            }
        } else if (Key == Qt::Key_Delete) {
            if (!FCurrentSel.Found && EditMessages::GetSelLength(f) == 0) {
                const TKvFormulaSelRec r = NodeFromSelection(f->text(), EditMessages::GetSelStart(f) + 1);
                if (r.Found) {
                    EditMessages::SetSelStart(f, r.VarStart);
                    EditMessages::SetSelLength(f, r.VarLen);
                }
            }
        }
    } else if (mods == Qt::ControlModifier && Key == Qt::Key_A) {
        f->selectAll();
    }
}

TKvFormulaSelRec TCaptionEditFrm::NodeFromSelection(const QString &Text, int Pos)
{
    TKvFormulaSelRec r;
    int i = Pos, j = Pos;
    const int n = int(Text.size());
    // 1-based as the scan is defined: the character at k is Text[k - 1].
    if (Pos > 0) {
        while (i > 1 && !IsLeftEnd(Text[i - 2]))
            --i;
        while (j < n && !IsRightEnd(Text[j]))
            ++j;
    }
    if (i < j) {
        r.Node = FindInTree(Text.mid(i - 1, j - i + 1), FUi->VariablesView);
        r.Found = r.Node != nullptr;
        r.VarStart = i - 1;
        r.VarLen = j - i + 1;
    }
    return r;
}

void TCaptionEditFrm::ApplicationEvents1Idle(QObject *, bool &Done)
{
    QLineEdit *f = FUi->FormulaEdit;
    const int s = EditMessages::GetSelStart(f), l = EditMessages::GetSelLength(f);
    if (s != FLastFormulaEditSelStart || l != FLastFormulaEditSelLength) {
        const int s0 = FLastFormulaEditSelStart, l0 = FLastFormulaEditSelLength;
        const int pos = l > 0 && s == s0 ? s + l : s; // the right end of the selection moved
        FCurrentSel = NodeFromSelection(f->text(), pos);
        if (FCurrentSel.Node) {
            FUi->VariablesView->setCurrentItem(FCurrentSel.Node);
        } else {
            FUi->VariablesView->setCurrentItem(nullptr);
            FUi->VariablesView->clearSelection();
        }
        if (FCurrentSel.Found) {
            // The caret never rests inside a variable name.
            const int a = FCurrentSel.VarStart, n = FCurrentSel.VarLen;
            if (l == 0 && s > s0) {
                EditMessages::SetSelStart(f, l0 > 0 ? a : a + n);
            } else if (l == 0) {
                if (s < a + n)
                    EditMessages::SetSelStart(f, a);
            } else if (s == s0) {
                EditMessages::SetSelLength(f, l >= l0 ? l0 + n : a - s0);
            } else {
                EditMessages::SetSelStart(f, a);
                EditMessages::SetSelLength(f, l0 + n + 1);
            }
        }
        FLastFormulaEditSelStart = EditMessages::GetSelStart(f);
        FLastFormulaEditSelLength = EditMessages::GetSelLength(f);
    }
    if (!FUi->CaptionEdit->Focused() && !f->hasFocus() && EditMessages::GetSelLength(f) == 0 && !f->text().isEmpty())
        PaintCaret();
    Done = true;
}

void TCaptionEditFrm::PaintCaret()
{
    QLineEdit *f = FUi->FormulaEdit;
    HDC dc = GetDC(f);
    TCanvas c(dc->Painter());
    c.Pen.Color = ARGBToTColor(ContrastForeColorARGB(TColorToARGB(QColorToColor(palette().color(QPalette::Window)))));
    const int x = FFormulaCaretPosPos.x(), h = f->height() - 2;
    c.MoveTo(x - 1, 0);
    c.LineTo(x - 3, 0);
    c.MoveTo(x + 1, 0);
    c.LineTo(x + 3, 0);
    c.MoveTo(x, 1);
    c.LineTo(x, h);
    c.MoveTo(x - 1, h);
    c.LineTo(x - 3, h);
    c.MoveTo(x + 1, h);
    c.LineTo(x + 3, h);
    ReleaseDC(f, dc);
}
