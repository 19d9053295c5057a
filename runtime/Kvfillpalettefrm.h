#pragma once
// The fill palette frame: the palette's entries as samples, buttons to add and delete, and
// editors for the selected entry.
#include "Kvpiedonut.h"
#include "Kvsettingsframe.h"

class QListWidget;

class TKvFillPaletteFrame : public TKvSettingsFrame {
    Q_OBJECT
    KV_REF(TKvFillPalette, Palette)
public:
    explicit TKvFillPaletteFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    QListWidget *EntryList() const { return FList; }
    void AddEntry();
    void DeleteSelected();
    void Changed() override;
protected:
    QObject *EditedObject() const override;
    QStringList EditedProperties() const override;
    void RefAssigned(QObject *Old, QObject *New) override;
private:
    void FillList();
    QListWidget *FList;
};
