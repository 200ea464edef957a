#pragma once
// The picture store behind the four face previews: an ordered list of named
// pictures, "Front", "Spine", "Top" and "Floor" at indexes 0 to 3, each made
// from its default picture built into the program.
#include "platform/pictures/Picture.h"

#include <array>
#include <string>

struct TNamedPicture {
    std::string Name;
    TPicture Picture;
};

class TPictureStore {
public:
    static constexpr int kCount = 4;

    // Each item starts with its built-in picture; one that is missing from the
    // program's resources, or damaged, leaves its item empty.
    TPictureStore();

    int Count() const { return kCount; }
    // Throws TError "List index out of bounds (%d)" outside 0 to 3.
    TNamedPicture& Item(int index);
    const TNamedPicture& Item(int index) const;

private:
    std::array<TNamedPicture, kCount> Items_;
};

// The resource path of each item's built-in JPEG picture, in item order.
extern const std::array<const char*, TPictureStore::kCount> kDefaultPicturePaths;
