#pragma once
// Form files: a designed form and its components as text in the object/end form-description
// format, written and read through the published properties of each class.
//
//   object Form1: TDesignForm
//     Caption = 'Demo'
//     object Graph1: TKvGraph2D
//       Left = 8
//       Caption = 'Signal'#13#10'and noise'
//       BackgroundGradient.Visible = True      (sub-objects as dotted names)
//       PrimaryXAxis = Axis1                   (references by name, resolved at the end)
//     end
//     object Axis1: TKvAxis
//       DesignLeft = 24                        (where a non-visual component's icon sits)
//       Rubrics.Strings = (
//         'Mon'
//         'Tue')
//     end
//   end
//
// Values: integers, floats, '...' strings with '' for a quote and #nn for control characters
// (pieces joined with +), identifiers for enumerations, True/False, sets [a, b], string lists
// ( 'a' 'b' ), double arrays ( 1 2.5 ), binary data {hex}; colours (TKvColor) as signed 32-bit
// integers. Only values that differ from those of a freshly created component are written.
//
// The work is split: FormParser (text to parts), FormReader (parts to components), FormWriter
// (components to text). These functions are the whole-text operations on top.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "FormComponents.h"
#include "FormReader.h"

// The whole form: Root's block with the blocks of every component it owns.
QString WriteFormText(TComponent *Root);
// The blocks of the given components of Root (what the clipboard holds), in Root's order.
QString WriteComponentsText(TComponent *Root, const QList<TComponent *> &Components);

// Told how far a long read went, in percent (parsing the text, then making the components).
using TFormProgress = std::function<void(int Percent)>;

// Replaces Root's components and properties with those of Text. Raises EConvertError for text
// that is not a form description (Root is then left as it was). Unknown classes, properties
// and values that do not fit are skipped and reported; everything else is loaded. The time
// grows with the size of the text alone (10^5 components are a matter of seconds).
TFormReadResult ReadFormText(TComponent *Root, const QString &Text, const TFormProgress &Progress = {});
// The text of a form file's bytes: UTF-8 (a byte order mark is skipped). Bytes that are not
// UTF-8 are read as Latin-1 instead, so that no character is lost, and Messages says where
// the first one stands.
QString DecodeFormFile(const QByteArray &Bytes, QStringList &Messages);
// Adds the components of Text (one or more object blocks) to Root, renamed uniquely where their
// names are taken; references among them follow the new names. Raises EConvertError like above.
TFormReadResult ReadComponentsText(TComponent *Root, const QString &Text);
