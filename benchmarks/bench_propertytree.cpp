// How long the property link tree takes to be built and pruned for a form of 2,000 chart
// components (graphs, their axes and line series, each series with its line, symbol and area
// settings and their gradients; series refer to their graph and axes, axes to their graph).
//
// Peer: the plain way, in the same run and on the same form: every component and property
// descended into a QTreeWidget, object references followed without any check, the marks kept
// on the items, then the empty forks deleted walking the items from the last to the first.
// That only ends on a form without reference cycles, so the compared form has none; the
// dialog's own build is timed on a form with cycles too (graphs naming their axes, axes slaved
// in a ring), and at 500, 1,000 and 2,000 components to show how it grows.
#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "Controls.h"
#include "Kvfloatedit.h"
#include "Kvgraph2d.h"
#include "Kvpropertylink.h"
#include "Kvpropertytree.h"

namespace {
struct TForm {
    std::unique_ptr<TControl> Root = std::make_unique<TControl>();
    TKvDoubleEdit *Source = nullptr;
    int Count = 0;
};

template <class T> T *Add(TComponent *Owner, const QString &Name)
{
    auto *c = new T(Owner);
    c->SetName(Name);
    return c;
}

// Graphs of 50 components: the graph, two axes, 47 line series.
TForm MakeForm(int Components, bool Cycles)
{
    TForm f;
    f.Root->SetName(QStringLiteral("Form1"));
    f.Source = Add<TKvDoubleEdit>(f.Root.get(), QStringLiteral("Edit1"));
    std::vector<TKvAxis *> axes;
    for (int g = 0; f.Count < Components; ++g) {
        auto *graph = Add<TKvGraph2D>(f.Root.get(), QStringLiteral("Graph%1").arg(g));
        auto *x = Add<TKvAxis>(f.Root.get(), QStringLiteral("XAxis%1").arg(g));
        auto *y = Add<TKvAxis>(f.Root.get(), QStringLiteral("YAxis%1").arg(g));
        x->SetGraph(graph);
        y->SetGraph(graph);
        y->SetPosition(TKvAxisPosition::Left);
        axes.push_back(x);
        f.Count += 3;
        if (Cycles) {
            graph->SetPrimaryXAxis(x);
            graph->SetPrimaryYAxis(y);
        }
        for (int s = 0; s < 47 && f.Count < Components; ++s, ++f.Count) {
            auto *series = Add<TKvLineSeries>(f.Root.get(), QStringLiteral("Series%1_%2").arg(g).arg(s));
            series->SetGraph(graph);
            series->SetXAxis(x);
            series->SetYAxis(y);
        }
    }
    if (Cycles)
        for (size_t i = 0; i < axes.size(); ++i)
            axes[i]->SetMasterAxis(axes[(i + 1) % axes.size()]);
    return f;
}

// The peer: the descent as plainly written, into tree items.
class TPlainTree {
public:
    TPlainTree(QTreeWidget *Tree, const TKvPropertyLinks *Links) : FTree(Tree), FLinks(Links) {}
    void AddComponent(QTreeWidgetItem *Parent, TComponent *C)
    {
        QTreeWidgetItem *node = Parent;
        if (!C->Name().isEmpty())
            node = Parent ? new QTreeWidgetItem(Parent, {C->Name()}) : new QTreeWidgetItem(FTree, {C->Name()});
        Unmark(node);
        for (int i = 0; i < C->ComponentCount(); ++i)
            if (!C->Components(i)->Name().isEmpty())
                AddComponent(node, C->Components(i));
        AddProperties(node, C->AsObject());
    }
    void ClearEmptyForks()
    {
        std::vector<QTreeWidgetItem *> flat;
        std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *I) {
            flat.push_back(I);
            for (int i = 0; i < I->childCount(); ++i)
                walk(I->child(i));
        };
        for (int i = 0; i < FTree->topLevelItemCount(); ++i)
            walk(FTree->topLevelItem(i));
        for (auto it = flat.rbegin(); it != flat.rend(); ++it) {
            if ((*it)->data(0, Qt::UserRole).toInt() < 0)
                delete *it;
            else
                (*it)->setData(0, Qt::UserRole, -1);
        }
        flat.clear();
        for (int i = 0; i < FTree->topLevelItemCount(); ++i)
            walk(FTree->topLevelItem(i));
        for (auto it = flat.rbegin(); it != flat.rend(); ++it) {
            QTreeWidgetItem *n = *it, *p = n->parent();
            if (n->childCount() == 0 && p && p->childCount() == 1) {
                p->setText(0, p->text(0) + QLatin1Char('.') + n->text(0));
                delete p->takeChild(0);
            }
        }
    }
private:
    static void Unmark(QTreeWidgetItem *I)
    {
        if (I)
            I->setData(0, Qt::UserRole, -1);
    }
    void AddProperties(QTreeWidgetItem *Parent, QObject *Instance)
    {
        for (const TPropInfo &p : GetPropInfos(Instance->metaObject())) {
            if (p.PropType->Kind == TTypeKind::tkClass) {
                QObject *o = GetObjectProp(Instance, &p);
                if (!o)
                    continue;
                auto *node = new QTreeWidgetItem(Parent, {p.Name});
                Unmark(node);
                AddProperties(node, o);
            } else if (FLinks->TypeFits(p.PropType)) {
                auto *leaf = new QTreeWidgetItem(Parent, {p.Name});
                leaf->setData(0, Qt::UserRole, 10);
                for (QTreeWidgetItem *a = Parent; a && a->data(0, Qt::UserRole).toInt() < 0; a = a->parent())
                    a->setData(0, Qt::UserRole, 10);
            }
        }
    }
    QTreeWidget *FTree;
    const TKvPropertyLinks *FLinks;
};

int CountItems(QTreeWidget *T)
{
    int n = 0;
    std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *I) {
        ++n;
        for (int i = 0; i < I->childCount(); ++i)
            walk(I->child(i));
    };
    for (int i = 0; i < T->topLevelItemCount(); ++i)
        walk(T->topLevelItem(i));
    return n;
}

// The best of Rounds runs of the dialog's build and prune, in ms.
double TimeDialog(TForm &F, int Rounds, int *TopChildren = nullptr)
{
    double best = 1e300;
    for (int r = 0; r < Rounds; ++r) {
        TKvPropertyTreeForm form;
        form.SetPropertyLink(F.Source->PropertyLinks());
        QElapsedTimer clock;
        clock.start();
        form.AddComponentToTree(F.Root.get());
        form.ClearEmptyForks();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
        if (TopChildren) {
            QTreeWidgetItem *top = form.PropertyView()->topLevelItem(0);
            top->setExpanded(true);
            *TopChildren = top->childCount();
        }
    }
    return best;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TForm form = MakeForm(2000, false);
    int components = 0;
    const double dialog = TimeDialog(form, 3, &components);

    QTreeWidget plain;
    TPlainTree peer(&plain, form.Source->PropertyLinks());
    QElapsedTimer clock;
    clock.start();
    peer.AddComponent(nullptr, form.Root.get());
    const int unfolded = CountItems(&plain);
    peer.ClearEmptyForks();
    const double naive = clock.nsecsElapsed() / 1e6;
    const int kept = CountItems(&plain);
    std::printf("bench_propertytree: %d components, Double source: dialog build and prune %.1f ms (best of 3, %d components shown);"
                " plain QTreeWidget descent %.1f ms (%d items, %d after pruning); ratio %.1fx\n",
                form.Count, dialog, components, naive, unfolded, kept, naive / dialog);

    std::printf("bench_propertytree: growth of the dialog's build and prune:");
    for (int n : {500, 1000, 2000}) {
        TForm f = MakeForm(n, false);
        std::printf(" %d components %.1f ms;", n, TimeDialog(f, 3));
    }
    std::printf("\n");
    TForm cyclic = MakeForm(2000, true);
    std::printf("bench_propertytree: %d components with reference cycles (graphs and their axes, %d axes slaved in a ring):"
                " dialog build and prune %.1f ms (the plain descent would not end)\n",
                cyclic.Count, int(cyclic.Count / 50 * 2), TimeDialog(cyclic, 3));
    return 0;
}
