#include "cover/PictureStore.h"

#include "platform/Error.h"

#include <QFile>

const std::array<const char*, TPictureStore::kCount> kDefaultPicturePaths = {
    ":/assets/previews/front.jpg", ":/assets/previews/spine.jpg",
    ":/assets/previews/top.jpg", ":/assets/previews/floor.jpg"};

TPictureStore::TPictureStore()
    : Items_{{{"Front", {}}, {"Spine", {}}, {"Top", {}}, {"Floor", {}}}}
{
    for (int i = 0; i < kCount; ++i) {
        QFile resource(kDefaultPicturePaths[i]);
        if (!resource.open(QIODevice::ReadOnly))
            continue;
        try {
            Items_[i].Picture.LoadFromData(resource.readAll(), "jpg");
        } catch (const TError&) {
            // A damaged built-in picture leaves its item empty, like a missing one.
        }
    }
}

TNamedPicture& TPictureStore::Item(int index)
{
    if (index < 0 || index >= kCount)
        throw TError("List index out of bounds (" + std::to_string(index) + ")");
    return Items_[index];
}

const TNamedPicture& TPictureStore::Item(int index) const
{
    return const_cast<TPictureStore*>(this)->Item(index);
}
