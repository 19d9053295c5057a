#include "Kvcustomgraph.h"

#include <QPainter>

TKvCustomGraph::TKvCustomGraph(TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    resize(400, 300);
    FCaptionFont->SetSize(11);
    FCaptionFont->SetBold(true);
}

void TKvCustomGraph::UpdateGraph() { Changed(); }

void TKvCustomGraph::Changed()
{
    update();
    emit GraphChanged();
}

QObject *TKvCustomGraph::ElementObject(TKvGraphElement *E) { return E; }

void TKvCustomGraph::Attach(TKvGraphElement *E)
{
    if (!FElements.contains(E)) {
        FElements.append(E);
        FreeNotification(E);
    }
    Changed();
}

void TKvCustomGraph::Detach(TKvGraphElement *E)
{
    if (FElements.removeAll(E))
        Changed();
}

void TKvCustomGraph::Notification(TComponent *AComponent, bool Removing)
{
    TKvControl::Notification(AComponent, Removing);
    if (!Removing)
        return;
    // Compare addresses only: the element is already half destroyed.
    for (int i = FElements.size() - 1; i >= 0; --i)
        if (static_cast<TComponent *>(FElements[i]) == AComponent) {
            FElements.removeAt(i);
            Changed();
        }
}

void TKvCustomGraph::PaintBackground(QPainter &P, const QRectF &Rect, const TKvGradientSettings *Gradient, TKvColor Color) const
{
    if (Gradient && Gradient->Visible())
        P.fillRect(Rect, Gradient->GetBrush(Rect));
    else if (Color.Alpha())
        P.fillRect(Rect, Color.ToQColor());
}

void TKvCustomGraph::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r(rect());
    PaintBackground(p, r, FBackgroundGradient, FBackColor);
    if (FCaptionVisible && !FCaption.IsEmpty()) {
        const double h = RichCaptionSize(FCaption, FCaptionFont, this).height() + 6;
        DrawRichCaption(p, QRectF(r.left(), r.top() + 3, r.width(), h), FCaption, FCaptionFont, TKvContentAlignment::TopCenter, false, this);
        r.setTop(r.top() + h);
    }
    Paint(p, r);
}

void TKvGraphElement::SetGraph(TKvCustomGraph *Value)
{
    TKvCustomGraph *old = FGraph.get();
    if (!FGraph.Set(this, Value))
        return;
    if (old)
        old->Detach(this);
    if (Value)
        Value->Attach(this);
}

void TKvGraphElement::Changed()
{
    if (TKvCustomGraph *g = FGraph.get())
        g->Changed();
}
