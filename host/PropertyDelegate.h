#pragma once
// Draws the Object Inspector's rows: category rows bold across both columns, names and values
// through the property painter, a dotted grid under each row and between the columns. The
// value cell's inline editor comes from the factory the inspector gives.
#include <QStyledItemDelegate>
#include <functional>

class QTreeWidgetItem;
struct TPropertyNode;

class TPropertyDelegate : public QStyledItemDelegate {
public:
    using TNodeOf = std::function<TPropertyNode *(const QModelIndex &Index)>;
    using TEditorFactory = std::function<QWidget *(TPropertyNode *Node, QWidget *Parent)>;
    TPropertyDelegate(TNodeOf NodeOf, TEditorFactory EditorFactory, std::function<int()> RowHeight, QObject *Parent);

    void paint(QPainter *P, const QStyleOptionViewItem &Opt, const QModelIndex &Index) const override;
    QSize sizeHint(const QStyleOptionViewItem &Opt, const QModelIndex &Index) const override;
    QWidget *createEditor(QWidget *Parent, const QStyleOptionViewItem &, const QModelIndex &Index) const override;
    void setEditorData(QWidget *, const QModelIndex &) const override {}
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}
    void updateEditorGeometry(QWidget *Editor, const QStyleOptionViewItem &Opt, const QModelIndex &) const override;

private:
    TNodeOf FNodeOf;
    TEditorFactory FEditorFactory;
    std::function<int()> FRowHeight;
};
