#pragma once
// An image list, as forms keep the glyphs of their tool buttons: images by index.
#include <QIcon>
#include <QList>
#include <QObject>

class TImageList : public QObject {
    Q_OBJECT
public:
    explicit TImageList(QObject *AOwner = nullptr) : QObject(AOwner) {}
    // Appends an image; returns its index.
    int Add(const QIcon &Image)
    {
        FImages << Image;
        return int(FImages.size() - 1);
    }
    int Count() const { return int(FImages.size()); }
    // The image at Index; a null icon outside the list.
    QIcon GetIcon(int Index) const { return FImages.value(Index); }
private:
    QList<QIcon> FImages;
};
