#pragma once
// The graph designer: the runtime's graph settings form in design mode. Axes and legends it
// adds are built in the designed form directly; series, calculations and vectors come from
// the form designer; every addition is one entry of the form's undo stack. The pages open
// the package's settings dialogs.
#include <memory>

#include "DesignIntf.h"
#include "Kvgraphedit.h"

namespace Ui {
class TDsgnGraphEdit;
}

class TDsgnGraphEdit : public TGraphEdit {
    Q_OBJECT
public:
    explicit TDsgnGraphEdit(QWidget *AOwner = nullptr);
    ~TDsgnGraphEdit() override;
    // The designer of the form being edited; set by the component editor before showing.
    IDesigner *FormsDesigner = nullptr;
    // The graph the dialog shows now: that of the graph page in front, else the edited one.
    TKvGraph2D *GetActiveGraph() const;
    // The series menu's entry of its own.
    QAction *AddGeneralLinearLeastSquares() const;

protected:
    void FormCreate() override;
    void DropDnClick(QObject *Sender) override;
    void AddAxisClick(QObject *Sender) override;
    void AddLineClick(QObject *Sender) override;
    void AddVectorButtonClick(QObject *Sender) override;
    void AddLegendButtonClick(QObject *Sender) override;

private:
    IDesigner *Designer() const;
    std::unique_ptr<Ui::TDsgnGraphEdit> FUi;
};
