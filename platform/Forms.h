#pragma once
// What every dialog of the package does right after setupUi, written once: the window kind of
// its stored form (dialog, tool window, sizeable or not, stay on top) and fonts given as the
// forms give them, by family and a height in pixels ("height -11").
//
// Usage in a dialog's constructor:
//     FUi->setupUi(this);
//     Forms::SetupForm(this, Forms::TBorderStyle::bsToolWindow, Forms::StayOnTop);
//     Forms::SetControlFont(FUi->CaptionEdit, QStringLiteral("Times New Roman"), -16);
#include <QFont>
#include <QString>
#include <functional>

#include "SysUtils.h"

class QCheckBox;
class QPushButton;
class QWidget;

namespace Forms {

// Border styles of the stored forms. Fixed ones (bsDialog, bsToolWindow) keep the designed
// client size; sizeable ones take it as the starting size.
enum class TBorderStyle { bsDialog, bsToolWindow, bsSizeable, bsSizeToolWin };

enum TFormOption { NoOptions = 0, StayOnTop = 1, ScreenCenter = 2 };

// Makes the form fonts that ship outside fontconfig's path (Tahoma, MS Sans Serif from Wine's
// font package) known to Qt; safe to call any number of times. SetupForm calls it.
void RegisterFormFonts();

// A font of a stored form: a negative Height is the character height in pixels (as the forms
// store it), a positive one the cell height; both are set as pixel sizes so that the forms'
// fixed pixel geometry holds on any screen density.
QFont FormFont(const QString &Family, int Height);

// Window flags, size policy and font of a dialog after its layout was set up.
void SetupForm(QWidget *Form, TBorderStyle Border, int Options = NoOptions,
               const QString &FontFamily = QStringLiteral("Tahoma"), int FontHeight = -11);

// A control that carries its own font in the form ("own font Times New Roman height -16").
void SetControlFont(QWidget *Control, const QString &Family, int Height);

// An exception that leaves an event handler of an open form (a button's click inside a modal
// run) goes to the application, as the VCL's message loop hands it to Application's exception
// handling: the IDE shows its error box and the form stays open. The host installs its error
// box; without one a plain critical message box shows the text. Returns the previous handler.
using TExceptionHandler = std::function<void(const QString &Message)>;
TExceptionHandler SetApplicationExceptionHandler(TExceptionHandler Handler);
void ShowApplicationException(const QString &Message);

// Runs an event handler; what it raises goes to the application's exception handler.
template <class F> void HandleEvent(F &&Handler)
{
    if (const std::optional<QString> error = GuardedCall(std::forward<F>(Handler)))
        ShowApplicationException(*error);
}
// The control that has the focus when the form is shown: the form's active control, or else
// the first of its tab order. (Qt keeps the tab order as a ring; where the form enters it is
// the form's to say.)
void SetActiveControl(QWidget *Control);

// The standard buttons of the forms ("kind OK", "kind Cancel"): their glyph, and for OK the
// default button's role. The caption stays the form's; the dialog connects the clicks.
enum class TBitBtnKind { bkOK, bkCancel };
void SetButtonKind(QPushButton *Button, TBitBtnKind Kind);

// A check box whose caption stands left of the box (the forms' "caption left of the box"): the
// caption starts at the control's left edge and the box sits at its right edge, as the forms
// were laid out for, so that the caption keeps the whole width left of the box.
void SetCaptionLeft(QCheckBox *Box);

} // namespace Forms
