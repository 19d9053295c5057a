#include "PropertyDelegate.h"

#include <QPainter>

#include "PropertyNodes.h"
#include "PropertyPainter.h"

TPropertyDelegate::TPropertyDelegate(TNodeOf NodeOf, TEditorFactory EditorFactory, std::function<int()> RowHeight,
                                     QObject *Parent)
    : QStyledItemDelegate(Parent), FNodeOf(std::move(NodeOf)), FEditorFactory(std::move(EditorFactory)),
      FRowHeight(std::move(RowHeight))
{
}

void TPropertyDelegate::paint(QPainter *P, const QStyleOptionViewItem &Opt, const QModelIndex &Index) const
{
    TPropertyNode *node = FNodeOf(Index);
    const QPalette &pal = Opt.palette;
    const bool selected = Opt.state & QStyle::State_Selected;
    const QRect r = Opt.rect;
    if (!node) { // a category row
        P->save();
        P->fillRect(r, pal.color(QPalette::AlternateBase).darker(103));
        QFont f = Opt.font;
        f.setBold(true);
        P->setFont(f);
        P->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        if (selected)
            P->fillRect(r, pal.color(QPalette::Highlight));
        P->drawText(r.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, Index.data().toString());
        P->restore();
        return;
    }
    if (Index.column() == 0)
        PropertyPainter::DrawName(P, r, node, pal, selected);
    else
        PropertyPainter::DrawValue(P, r, node, Index.data().toString(), pal, false);
    P->save();
    P->setPen(QPen(pal.color(QPalette::Mid), 1, Qt::DotLine));
    P->drawLine(r.bottomLeft(), r.bottomRight());
    if (Index.column() == 0)
        P->drawLine(r.topRight(), r.bottomRight());
    P->restore();
}

QSize TPropertyDelegate::sizeHint(const QStyleOptionViewItem &Opt, const QModelIndex &Index) const
{
    QSize s = QStyledItemDelegate::sizeHint(Opt, Index);
    s.setHeight(FRowHeight());
    return s;
}

QWidget *TPropertyDelegate::createEditor(QWidget *Parent, const QStyleOptionViewItem &, const QModelIndex &Index) const
{
    TPropertyNode *node = FNodeOf(Index);
    if (!node || Index.column() != 1 || node->Attributes.Contains(paFullWidthName))
        return nullptr;
    return FEditorFactory(node, Parent);
}

void TPropertyDelegate::updateEditorGeometry(QWidget *Editor, const QStyleOptionViewItem &Opt, const QModelIndex &) const
{
    Editor->setGeometry(Opt.rect.adjusted(0, 0, 0, -1));
}
