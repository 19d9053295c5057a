#pragma once
// The chart base: a control that paints a background and a caption and lists the elements
// (axes, series, legends, markers) whose Graph property points at it.
#include "Kvclasses.h"
#include "Kvrichlabel.h"
#include "Kvstyles.h"

class TKvGraphElement;

class TKvCustomGraph : public TKvControl {
    Q_OBJECT
    KV_PROPERTY(TKvRichCaption, Caption, {})
    KV_PROPERTY(bool, CaptionVisible, true)
    KV_PROPERTY(TKvColor, BackColor, 0xFFFFFFFF)
    KV_OBJECT(TKvGradientSettings, BackgroundGradient)
    KV_OBJECT(TKvFont, CaptionFont)
    Q_PROPERTY(TKvColor CaptionColor READ GetCaptionColor WRITE SetCaptionColor STORED false)
public:
    TKvFont *GetCaptionFont() const { return FCaptionFont; }
    TKvColor GetCaptionColor() const { return FCaptionFont->Color(); }
    void SetCaptionColor(TKvColor C) { FCaptionFont->SetColor(C); }
    explicit TKvCustomGraph(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    QString CaptionAsString() const { return FCaption.ToPlainText(this); }

    // The elements attached to this chart, in the order they were attached.
    const QList<TKvGraphElement *> &Elements() const { return FElements; }
    template <class T> QList<T *> ElementsOf() const
    {
        QList<T *> out;
        for (TKvGraphElement *e : FElements)
            if (T *t = qobject_cast<T *>(ElementObject(e)))
                out << t;
        return out;
    }
    void Attach(TKvGraphElement *E);
    void Detach(TKvGraphElement *E);
    // Recomputes what depends on the elements and repaints.
    virtual void UpdateGraph();
    // A published value of the chart or of an element changed: repaint.
    void Changed() override;
    void Notification(TComponent *AComponent, bool Removing) override;
signals:
    // After every change that repaints the chart (for views of it, such as previews).
    void GraphChanged();

protected:
    void paintEvent(QPaintEvent *) override;
    // Draws the chart below the caption; Rect is what the background and caption leave.
    virtual void Paint(QPainter &P, const QRectF &Rect) = 0;
    void PaintBackground(QPainter &P, const QRectF &Rect, const TKvGradientSettings *Gradient, TKvColor Color) const;

private:
    static QObject *ElementObject(TKvGraphElement *E);
    QList<TKvGraphElement *> FElements;
};

// An element drawn by a chart: attached through its Graph property.
class TKvGraphElement : public TKvNonVisual {
    Q_OBJECT
    Q_PROPERTY(TKvCustomGraph *Graph READ Graph WRITE SetGraph)
    KV_PROPERTY(bool, Visible, true)
public:
    explicit TKvGraphElement(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    TKvCustomGraph *Graph() const { return FGraph.get(); }
    void SetGraph(TKvCustomGraph *Value);
    // Binds the element to a chart (the graph designer's entry).
    virtual void AttachToGraph(TKvCustomGraph *G) { SetGraph(G); }
    void Changed() override;
private:
    TKvRef<TKvCustomGraph> FGraph{this};
};
