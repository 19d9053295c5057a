#pragma once
// Components to form-description text: an object block per component with the stored values
// that differ from those of a new component of its class, in the order the class publishes them
// (sub-objects as dotted names, references by name, colours as signed 32-bit integers).
// A writer keeps one new component per class to compare with: keep it for repeated writes.
#include <QHash>
#include <QList>
#include <QString>
#include <memory>

#include "Classes.h"

// One "Path = Value" line of a block.
struct TPropText {
    QString Path;
    QString Value;
    bool operator==(const TPropText &) const = default;
};
using TPropTexts = QList<TPropText>;

class TFormWriter {
public:
    explicit TFormWriter(TComponent *Root);
    ~TFormWriter();
    TFormWriter(const TFormWriter &) = delete;
    TFormWriter &operator=(const TFormWriter &) = delete;

    // The whole form: Root's block with the blocks of every component it owns.
    QString FormText();
    // The blocks of the given components of Root (what the clipboard holds), in Root's order.
    QString ComponentsText(const QList<TComponent *> &Components);
    // The lines of C's own block (not those of controls placed inside it); values as written
    // at the block's Indent.
    TPropTexts Lines(TComponent *C, int Indent = 0);
    // C's block alone: "object Name: Class", its lines, "end".
    QString Block(TComponent *C);
    // What a missing line of C stands for: the value a new component of its class has at Path
    // ("nil" for a reference); empty when there is none to tell.
    QString DefaultValue(TComponent *C, const QString &Path);

private:
    using TNesting = QHash<TComponent *, QList<TComponent *>>;
    static TNesting Nesting(const QList<TComponent *> &Among);
    static QString Header(TComponent *C);
    void Component(TComponent *C, int Indent, const TNesting &Nesting);
    void Line(int Indent, const QString &S);
    QObject *Default(const QMetaObject *Class);
    void Props(QObject *Obj, QObject *Def, const QString &Prefix, int Indent, TPropTexts &Out);

    TComponent *FRoot;
    QString FOut;
    QHash<QString, std::shared_ptr<TComponent>> FDefaults;
};
