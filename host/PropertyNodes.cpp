#include "PropertyNodes.h"

#include <QTreeWidget>

#include "PropertyDefaults.h"
#include "SysUtils.h"
#include "VCLEditors.h"

QString SafeValue(TPropertyEditor *Editor)
{
    QString value;
    if (const auto error = GuardedCall([&] { value = Editor->GetVisualValue(); }))
        return QStringLiteral("(%1)").arg(*error);
    return value;
}

TPropertyAttributes SafeAttributes(TPropertyEditor *Editor)
{
    TPropertyAttributes a{paReadOnly};
    GuardedCall([&] { a = Editor->GetAttributes(); });
    return a;
}

bool IsChanged(TPropertyNode *Node)
{
    if (Node->Changed < 0) {
        bool changed = false;
        GuardedCall([&] {
            TPropertyEditor *e = Node->Editor.get();
            for (int i = 0; !changed && i < e->PropCount(); ++i)
                changed = TPropertyDefaults::Instance().IsChanged(e->GetComponent(i), e->GetPropInfoAt(i));
        });
        Node->Changed = changed;
    }
    return Node->Changed > 0;
}

std::unique_ptr<TPropertyNode> TPropertyNodes::Make(std::shared_ptr<TPropertyEditor> Editor, const QString &Category)
{
    auto n = std::make_unique<TPropertyNode>();
    n->Name = Editor->GetName();
    n->Attributes = SafeAttributes(Editor.get());
    n->Category = Category;
    n->Drawing = dynamic_cast<ICustomPropertyDrawing *>(Editor.get());
    n->Editor = std::move(Editor);
    return n;
}

QTreeWidgetItem *TPropertyNodes::AddRow(QTreeWidget *Tree, QTreeWidgetItem *Parent, std::unique_ptr<TPropertyNode> Node)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, Node->Name);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (Node->Attributes.Contains(paSubProperties))
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if (Node->Attributes.Contains(paFullWidthName))
        item->setFirstColumnSpanned(true);
    else
        item->setText(1, SafeValue(Node->Editor.get()));
    FByItem.insert(item, Node.get());
    if (TPropertyNode *parentNode = NodeOf(Parent))
        parentNode->Children.push_back(std::move(Node));
    else
        FTop.push_back(std::move(Node));
    if (Parent)
        Parent->addChild(item);
    else
        Tree->addTopLevelItem(item);
    return item;
}

void TPropertyNodes::Forget(const QTreeWidgetItem *Item)
{
    for (int i = 0; i < Item->childCount(); ++i)
        Forget(Item->child(i));
    FByItem.remove(Item);
}

void TPropertyNodes::DropChildren(QTreeWidgetItem *Item)
{
    for (int i = 0; i < Item->childCount(); ++i)
        Forget(Item->child(i));
    qDeleteAll(Item->takeChildren());
    if (TPropertyNode *n = NodeOf(Item)) {
        n->Children.clear();
        n->ChildrenLoaded = false;
    }
}

void TPropertyNodes::Clear(QTreeWidget *Tree)
{
    FByItem.clear();
    Tree->clear();
    FTop.clear();
}
