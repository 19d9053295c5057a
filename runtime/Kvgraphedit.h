#pragma once
// The interactive graph settings form: a page per graph, axis, series and legend, a style tool
// bar for the caption of the current page, menus that add axes and series, buttons that add
// vectors and legends, an undo stack for all of it and a preview of the chart. The graph
// designer of the design package derives from it.
#include <QIcon>
#include <QPointer>
#include <memory>

#include "Kvgraph2d.h"
#include "Kvlegend.h"
#include "Kvsettingsframe.h"
#include "Kvundostack.h"

class QAbstractButton;
class QAction;
class QFontComboBox;
class QMenu;
class QToolButton;
class TKvColorPickCombo;

namespace Ui {
class TGraphEdit;
}

// A picture of a graph, redrawn whenever the graph changes.
class TKvGraphPreview : public QWidget {
    Q_OBJECT
public:
    explicit TKvGraphPreview(QWidget *Parent = nullptr);
    void SetGraph(TKvCustomGraph *G);
    // The picture as last drawn (scaled to fit, aspect kept).
    const QPixmap &Picture() const { return FPicture; }
protected:
    void paintEvent(QPaintEvent *) override;
private:
    void Schedule();
    void Render();
    QPointer<TKvCustomGraph> FGraph;
    QPixmap FPicture;
    bool FPending = false;
};

class TGraphEdit : public TKvSettingsDialog {
    Q_OBJECT
public:
    explicit TGraphEdit(QWidget *Parent = nullptr);
    ~TGraphEdit() override;
    // Builds the pages for the graph and its elements.
    void SetGraph(TKvGraph2D *G);
    TKvGraph2D *Graph() const { return FGraph; }
    // Turns to the page that edits O (the graph, an axis, a series or a legend); nothing when
    // no page edits it.
    void SetActivPage(QObject *O);
    QObject *ActivePageObject() const;
    void AddLegendPage(TKvLegend *L);
    // A page for a graph other than the edited one (that of a master axis).
    void AddGraphPage(TKvGraph2D *G);
    // Adds pages for elements attached since (and for series of the owner that are on no
    // graph yet), drops those of freed ones, and shows every page's values again.
    virtual void UpdateCombos();

    // The stack that records additions and edits: the form's own unless another one (or none)
    // was given.
    TKvUndoStack *UndoStack() const { return FUndoStack; }
    void SetUndoStack(TKvUndoStack *Stack);

    // Design mode shows the tool bars that add components.
    void SetAsDesigner(bool V);
    bool AsDesigner() const { return FAsDesigner; }
    // Axis pages also show automatic range, moving slit, exponent limits and log level.
    void SetExtendedAxisOptions(bool V);
    bool ExtendedAxisOptions() const { return FExtendedAxis; }
    // Bar pages also show the bar labels.
    void SetExtendedBarLabelOptions(bool V);
    bool ExtendedBarLabelOptions() const { return FExtendedBarLabels; }
    // Series pages offer to take the calculation range from the chart's x axis.
    void SetInteractiveCalculationRanges(bool V);
    bool InteractiveCalculationRanges() const { return FInteractiveRanges; }
    // Options of features this runtime does not draw (zoom and pan, outlier marking, fit
    // covariance); kept so that forms can ask for them.
    void SetZoomScrollPanningOptions(bool V) { FZoomScrollPanning = V; }
    bool ZoomScrollPanningOptions() const { return FZoomScrollPanning; }
    void SetShowOutliersSupport(bool V) { FShowOutliers = V; }
    bool ShowOutliersSupport() const { return FShowOutliers; }
    void SetShowFitCovariance(bool V) { FShowFitCovariance = V; }
    bool ShowFitCovariance() const { return FShowFitCovariance; }

    // The pictures of the tool buttons and menu entries, by their "ImageIndex".
    const QList<QIcon> &TopButtonImages() const { return FTopButtonImages; }
    void SetTopButtonImages(const QList<QIcon> &Images);
    static QList<QIcon> DefaultTopButtonImages();

    // Controls of the stored form that forms deriving from it use.
    QTabWidget *SettingsTab() const;
    QMenu *AxisMenu() const;
    QMenu *SeriesMenu() const;
    QAction *AxLeft() const;
    QAction *AxRight() const;
    QAction *AxTop() const;
    QAction *AxBottom() const;
    QToolButton *AxisButton() const;
    QToolButton *SeriesButton() const;
    QToolButton *AddVectorButton() const;
    QToolButton *AddLegendButton() const;
    QWidget *SecondLineToolbarsPanel() const;

protected:
    // For forms deriving from this one: their constructor runs FormCreate when it is done.
    enum TDeferredCreate { DeferFormCreate };
    TGraphEdit(QWidget *Parent, TDeferredCreate);
    // The form's OnCreate: images, fonts, the style tool bar's state.
    virtual void FormCreate();
    // Handlers of the menus and buttons; Sender tells which entry was chosen.
    virtual void AddAxisClick(QObject *Sender);
    virtual void AddLineClick(QObject *Sender);
    virtual void AddVectorButtonClick(QObject *Sender);
    virtual void AddLegendButtonClick(QObject *Sender);
    // A plain click on a drop-down tool button: repeats the last entry chosen from its menu
    // (the menu when there is none yet).
    virtual void DropDnClick(QObject *Sender);
    using THandler = void (TGraphEdit::*)(QObject *Sender);
    // Connects a menu entry or a button to a handler. A handler that raises closes the form
    // (the exception comes out of ShowModal) and frees the components it had added.
    void Bind(QAction *A, THandler Handler);
    void Bind(QAbstractButton *B, THandler Handler);
    // The series class of a series menu entry (nil for another sender).
    virtual TComponentClass SeriesClassOf(QObject *Sender) const;
    // The position and base name of the axis that an axis menu entry adds.
    std::pair<TKvAxisPosition, QString> AxisPlacement(QObject *Sender) const;
    // The owner of the edited graph, which receives new components.
    TComponent *GraphOwner() const;
private:
    void Build();
    void RunHandler(QObject *Sender, THandler Handler);
    void AddPage(const QString &Title, TKvSettingsFrame *Frame, const QString &FrameName);
    void ApplyOptions();
    void ApplyImages();
    QObject *PageObject(QWidget *Page) const;
    TKvFont *PageFont() const;
    TKvSimpleLineSettings *PageLine() const;
    void ChangeStyle(const QString &Description, QObject *Target, const std::function<void()> &Change);
    void UpdateStyleBar();
    void StackChanged();
    void FillHistory();
    void SelColorPickChange();
    void FontsComboChange();
    void StyleButtonClick();
    void FontButtonClick();
    std::unique_ptr<Ui::TGraphEdit> FUi;
    QPointer<TKvGraph2D> FGraph;
    QPointer<TKvUndoStack> FUndoStack;
    QList<QPair<QPointer<QObject>, QWidget *>> FPages;
    QList<QIcon> FTopButtonImages;
    QHash<QToolButton *, QAction *> FLastChosen;
    bool FAsDesigner = false, FExtendedAxis = false, FExtendedBarLabels = false, FInteractiveRanges = true;
    bool FZoomScrollPanning = false, FShowOutliers = false, FShowFitCovariance = false;
    bool FUpdatingStyleBar = false;
};
