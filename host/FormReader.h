#pragma once
// Form-description parts (FormParser.h) to components: creates the blocks' components under the
// root, sets their values through the published properties, and sets references once every
// component exists, so that the order of the text does not matter. Unknown classes, properties
// and values that do not fit are skipped and reported line by line; everything else is loaded.
#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "Classes.h"
#include "FormParser.h"
#include "TypInfo.h"

class QWidget;

// What a read made and what it had to leave out.
struct TFormReadResult {
    QList<TComponent *> Created; // in the order of the text
    // One line per skipped item, e.g. "Line 12: Graph1.Foo: unknown property, skipped".
    QStringList Messages;
};

class TFormReader {
public:
    // Load: a name that is taken already is reported and replaced by a free one. Paste: the same
    // without a report (a pasted copy gets a new name), and references among the pasted
    // components follow the new names.
    enum class TMode { Load, Paste };
    TFormReader(TComponent *Root, TMode Mode);

    // The root's block (its values and its components) or the block of one component.
    void Apply(const TFormObject &Object, bool IsRoot);
    // A component's block made again as it was: its name, its place Index among the root's
    // components, inside Parent (nil: the root's widget).
    TComponent *Restore(const TFormObject &Object, int Index, QWidget *Parent);
    // Values of property lines onto a component that exists.
    void ApplyValues(TComponent *Component, const QList<TFormPropLine> &Lines);
    // Sets the references and ends the loading of the components made.
    TFormReadResult Finish();
    // Told the number of components made so far, every thousand or so.
    void SetProgress(std::function<void(int Done)> Progress);

private:
    struct TFixup {
        QPointer<QObject> Obj;
        PPropInfo Info;
        QString Target, Where;
        int Line;
    };

    void Message(int Line, const QString &Text);
    QString FreeName(const QString &Base);
    TComponent *Create(const TFormObject &N, QWidget *ParentWidget);
    void ApplyProps(QObject *Obj, const QString &Where, const QList<TFormPropLine> &Props, bool NonVisual);
    void SetValue(QObject *Obj, PPropInfo Info, const TFormPropLine &PL, const QString &Where);

    TComponent *FRoot;
    TMode FMode;
    TFormReadResult FResult;
    QList<TFixup> FFixups;
    QHash<QString, QString> FRenamed;
    QHash<QString, int> FNextNumber; // per lower-case name base: the last number tried
    std::function<void(int)> FProgress;
};
