#pragma once
// The base of the settings frames: a column of editors, one per listed property of the edited
// object, each writing its property at once. Frames name the object and the properties.
#include <QPointer>

#include "Kvclasses.h"

class QFormLayout;
class QVBoxLayout;

class TKvSettingsFrame : public TKvControl {
    Q_OBJECT
public:
    explicit TKvSettingsFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    // The editor of a property (nil when it is not shown).
    QWidget *EditorFor(const QString &Prop) const;
    QStringList EditorNames() const;
    // Rebuilds the editors when the edited object changed, else shows the current values.
    void Changed() override;
    void UpdateCombos() { Changed(); }
    // The object the editors write, and further properties of it to show.
    QObject *Edited() const { return EditedObject(); }
    void SetExtraProperties(const QStringList &Props);
signals:
    // After every change that an editor wrote.
    void OnSettingsChange();
protected:
    virtual QObject *EditedObject() const = 0;
    virtual QStringList EditedProperties() const = 0;
    // Room above the editors for a frame's own widgets.
    QVBoxLayout *Top() const { return FTop; }
private:
    QWidget *MakeEditor(QObject *Target, const QMetaProperty &P);
    void Write(const char *Prop, const QVariant &V);
    void ReadValues();
    QVBoxLayout *FTop;
    QFormLayout *FForm;
    QPointer<QObject> FTarget;
    bool FBuilt = false;
    QList<QPair<QString, QWidget *>> FEditors;
    QStringList FExtra;
    bool FReading = false;
};

// A frame that edits listed properties of the component its reference property points at.
#define KV_SETTINGS_FRAME(Class, TargetType, TargetName, ...)                                       \
    class Class : public TKvSettingsFrame {                                                          \
        Q_OBJECT                                                                                     \
        KV_REF(TargetType, TargetName)                                                               \
    public:                                                                                          \
        explicit Class(TComponent *AOwner = nullptr, QWidget *AParent = nullptr)                     \
            : TKvSettingsFrame(AOwner, AParent) { Changed(); }                                       \
    protected:                                                                                       \
        QObject *EditedObject() const override { return TargetName(); }                              \
        QStringList EditedProperties() const override { return {__VA_ARGS__}; }                      \
    };

#include <QDialog>

class QPushButton;
class QTabWidget;

// The published values of objects and their owned settings sub-objects, to put back later.
class TKvValueSnapshot {
public:
    void Take(const QList<QObject *> &Objects);
    void Restore() const;
private:
    void Add(QObject *O);
    QList<QPair<QPointer<QObject>, QList<QPair<QByteArray, QVariant>>>> FValues;
};

// A dialog of settings frames on tabs. The frames write at once; Cancel puts the values back
// that the edited objects had when the dialog opened (or at the last Apply).
class TKvSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit TKvSettingsDialog(QWidget *Parent = nullptr);
    void AddPage(const QString &Title, QWidget *Page);
    // The objects whose values Cancel restores.
    void SetEditedObjects(const QList<QObject *> &Objects);
    void SetShowApply(bool Show);
    QTabWidget *Pages() const { return FPages; }
    void Apply();
    void reject() override;
private:
    QTabWidget *FPages;
    QPushButton *FApply;
    QList<QObject *> FObjects;
    TKvValueSnapshot FSnapshot;
};
