#pragma once
// The interactive graph settings form: a page per graph, axis, series and legend, menus that
// add axes and series, buttons that add vectors and legends, and an undo stack for the
// additions. The graph designer of the design package derives from it.
#include <QPointer>

#include "Kvgraph2d.h"
#include "Kvlegend.h"
#include "Kvsettingsframe.h"
#include "Kvundostack.h"

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

class TGraphEdit : public TKvSettingsDialog {
    Q_OBJECT
public:
    explicit TGraphEdit(QWidget *Parent = nullptr);
    // Builds the pages for the graph and its elements.
    void SetGraph(TKvGraph2D *G);
    TKvGraph2D *Graph() const { return FGraph; }
    // Turns to the page that edits O (the graph, an axis, a series or a legend).
    void SetActivPage(QObject *O);
    QObject *ActivePageObject() const;
    void AddLegendPage(TKvLegend *L);
    // Adds pages for elements attached since and refreshes what every page shows.
    virtual void UpdateCombos();
    TKvUndoStack *UndoStack() const { return FUndoStack; }

    // In design mode the form edits the designed components: its changes stay whatever
    // button closes it (the designer records them).
    void SetAsDesigner(bool V);
    bool AsDesigner() const { return FAsDesigner; }
    // Axis pages also show moving slit, exponent limits and the automatic range.
    void SetExtendedAxisOptions(bool V);
    // Bar pages also show the bar label settings.
    void SetExtendedBarLabelOptions(bool V);
    // Series pages show the calculation range.
    void SetInteractiveCalculationRanges(bool V);
    // Options of features this runtime does not have yet (zoom and pan, outlier marking,
    // fit covariance); kept so that callers can set them.
    void SetZoomScrollPanningOptions(bool V) { FZoomScrollPanning = V; }
    void SetShowOutliersSupport(bool V) { FShowOutliers = V; }
    void SetShowFitCovariance(bool V) { FShowFitCovariance = V; }

    QTabWidget *SettingsTab;
    QToolBar *StyleToolBar, *DesignToolBar, *AddToolBar;
    QToolButton *AxisButton, *SeriesButton, *AddVectorButton, *AddLegendButton;
    QMenu *AxisMenu, *SeriesMenu;
    QAction *AxLeft, *AxRight, *AxTop, *AxBottom;
    QAction *AddLine, *AddPointSymbols, *AddErrorSymbols, *AddBars, *AddArrows, *AddBubbles, *AddOHLC, *AddCandleStick,
        *AddLinearRegression, *AddPolynomial, *AddFit, *AddMovingAverage, *AddInterpolation, *AddDifferential, *AddIntegral;

protected Q_SLOTS:
    // Handlers of the menus and buttons; the sender tells which entry was chosen.
    virtual void AddAxisClick();
    virtual void AddLineClick();
    virtual void AddVectorButtonClick();
    virtual void AddLegendButtonClick();
    virtual void DropDnClick();

protected:
    // The series class of a series menu entry (nil for another sender).
    virtual TComponentClass SeriesClassOf(QObject *Sender) const;
    // The graph whose owner receives new components.
    TComponent *GraphOwner() const;
    void AddPage(const QString &Title, TKvSettingsFrame *Frame, const QString &FrameName);
private:
    void ApplyOptions();
    QPointer<TKvGraph2D> FGraph;
    TKvUndoStack *FUndoStack;
    QList<QPair<QPointer<QObject>, QWidget *>> FPages;
    bool FAsDesigner = false, FExtendedAxis = false, FExtendedBarLabels = false, FInteractiveRanges = true;
    bool FZoomScrollPanning = false, FShowOutliers = false, FShowFitCovariance = false;
};
