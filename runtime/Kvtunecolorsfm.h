#pragma once
// The colour tuning form: a colour chooser with alpha, OK and Cancel. Its fields carry object
// names, so that scripts and tests can operate it: "Chooser", and inside it "HueEdit",
// "SatEdit", "ValEdit", "RedEdit", "GreenEdit", "BlueEdit", "AlphaEdit", "HtmlEdit",
// "PickScreenColorBtn", "AddCustomColorBtn"; "OKBtn" and "CancelBtn".
#include <QDialog>

#include "Kvgdi.h"

class QColorDialog;

class TKvTuneColorsForm : public QDialog {
    Q_OBJECT
public:
    explicit TKvTuneColorsForm(QWidget *Parent = nullptr);
    TKvColor ActiveColor() const;
    void SetActiveColor(TKvColor Color);
    void SetEnableAlpha(bool Enable);
    QColorDialog *Chooser() const { return FChooser; }
private:
    QColorDialog *FChooser;
};
