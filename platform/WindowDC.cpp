#include "WindowDC.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPointer>
#include <QWidget>

#include "ControlEvents.h"

namespace {

const char *const LayerName = "kv_window_dc";

// What was drawn on a window through GetDC, and whether it is on the window now.
class TDirectLayer : public QObject {
public:
    explicit TDirectLayer(QWidget *Window) : QObject(Window), FWindow(Window)
    {
        setObjectName(QLatin1String(LayerName));
        Window->installEventFilter(this);
    }

    void Draw(const QPicture &Picture)
    {
        const QRect r = Picture.boundingRect().adjusted(-1, -1, 1, 1);
        if ((FShown || FPending) && Picture.size() == FPicture.size()
            && std::equal(Picture.data(), Picture.data() + Picture.size(), FPicture.data()))
            return; // already there: nothing to do
        FPicture = Picture;
        FRect = r;
        FPending = true;
        FWindow->update(r);
    }

    bool Shown() const { return FShown || FPending; }

protected:
    bool eventFilter(QObject *Obj, QEvent *E) override
    {
        if (E->type() != QEvent::Paint || Obj != FWindow || FResending)
            return false;
        auto *pe = static_cast<QPaintEvent *>(E);
        if (RenderedElsewhere()) {
            // Rendered into a picture (a grab): it shows what the window shows, and changes
            // nothing on the window.
            if (!FShown)
                return false;
            PaintOver(pe);
            return true;
        }
        if (!FPending) {
            // The window repaints itself: where it covers the drawing, the drawing is gone.
            if (FShown && pe->region().intersects(FRect))
                FShown = false;
            return false;
        }
        if (!PaintOver(pe))
            return true;
        FPending = false;
        FShown = pe->region().contains(FRect);
        return true;
    }

    // A paint pass into a picture of the window (a grab), not into what the window shows.
    bool RenderedElsewhere() const
    {
        QBackingStore *store = FWindow->window()->backingStore();
        QPainter probe(FWindow);
        const QPaintEngine *e = probe.paintEngine();
        return store && e && e->paintDevice() != store->paintDevice();
    }

    // The window's own painting first, then the drawing over it, in the same pass. False when
    // the window went away meanwhile.
    bool PaintOver(QPaintEvent *E)
    {
        if (!ControlEvents::DeliverFirst(this, FWindow, E, FResending))
            return false;
        QPainter p(FWindow);
        p.setClipRegion(E->region());
        p.drawPicture(0, 0, FPicture);
        return true;
    }

private:
    QWidget *FWindow;
    QPicture FPicture;
    QRect FRect;
    bool FPending = false;
    bool FShown = false;
    bool FResending = false;
};

TDirectLayer *LayerOf(QWidget *Window, bool Create)
{
    for (QObject *c : Window->children())
        if (c->objectName() == QLatin1String(LayerName))
            if (auto *l = dynamic_cast<TDirectLayer *>(c))
                return l;
    return Create ? new TDirectLayer(Window) : nullptr;
}

} // namespace

TWindowDC::TWindowDC(QWidget *Window) : FWindow(Window)
{
    FPainter.begin(&FPicture);
    FPainter.setRenderHint(QPainter::Antialiasing, false);
}

TWindowDC::~TWindowDC() { Release(); }

void TWindowDC::Release()
{
    if (FReleased)
        return;
    FReleased = true;
    FPainter.end();
    if (FWindow && !FPicture.isNull())
        LayerOf(FWindow, true)->Draw(FPicture);
}

HDC GetDC(QWidget *Window) { return Window ? new TWindowDC(Window) : nullptr; }

int ReleaseDC(QWidget *Window, HDC DC)
{
    if (!DC || DC->Window() != Window)
        return 0;
    DC->Release();
    delete DC;
    return 1;
}

namespace WindowDC {
bool IsShown(const QWidget *Window)
{
    TDirectLayer *l = Window ? LayerOf(const_cast<QWidget *>(Window), false) : nullptr;
    return l && l->Shown();
}
} // namespace WindowDC
