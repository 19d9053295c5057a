#pragma once
// The inline editor of the current row's value cell: a text field (limited to the editor's
// GetEditLimit), a drop-down button for paValueList and an ellipsis button for paDialog.
// Values that the editor draws itself show their picture until the user types. Return or
// leaving the field stores the text unless it is the one shown; Escape brings the value back;
// Alt+Down opens the list; Ctrl+Enter and a double click run the editor's Edit.
//
// It works for a host (the Object Inspector) that stores and reports: an editor made before
// the host threw its rows away (Generation changed) holds a node that is gone and does nothing.
#include <QWidget>

class QLineEdit;
class QToolButton;
struct TPropertyNode;

class IPropertyValueHost {
public:
    virtual ~IPropertyValueHost() = default;
    virtual int RowHeight() const = 0;
    // Counts the times rows were thrown away.
    virtual int Generation() const = 0;
    // Stores Text through the node's editor; the error text, empty when it went through.
    virtual QString CommitText(TPropertyNode *Node, const QString &Text) = 0;
    // Runs the node's Edit; reports a failure itself.
    virtual void RunEdit(TPropertyNode *Node) = 0;
    // Opens the node's drop-down list under Anchor.
    virtual void OpenDropDown(TPropertyNode *Node, QWidget *Anchor) = 0;
    virtual void ShowError(const QString &Message) = 0;
};

class TPropertyValueEdit : public QWidget {
public:
    TPropertyValueEdit(IPropertyValueHost *Host, TPropertyNode *Node, QWidget *Parent);

    TPropertyNode *Node() const { return FNode; }
    // Shows the editor's value again, untouched by the user.
    void Reload();
    // Starts typing, with Typed as the first keys (from the tree) or the whole value selected.
    void BeginEdit(const QString &Typed = QString());
    void RunEdit();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void ShowDrawn(bool Drawn);
    bool Alive() const;
    void Commit(bool Report = true);
    void OpenDropDown();

    IPropertyValueHost *FHost;
    TPropertyNode *FNode;
    QLineEdit *FEdit;
    QWidget *FArea; // stands where the drawn value shows while not typing
    QToolButton *FDrop = nullptr, *FEllipsis = nullptr;
    QString FShown; // the editor's value as the cell showed it last
    bool FDrawn = false;
    int FGeneration;
};
