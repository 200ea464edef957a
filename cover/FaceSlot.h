#pragma once
// The five face images of a box, in their fixed order: each has a path, a
// texture object and, for all but the plain image, a preview.
#include <array>

enum class TFaceSlot { Cover, Spine, Top, Floor, Plain };

constexpr int FaceSlotCount = 5;

// Every slot, in their order (the order start-up loads them in).
constexpr std::array<TFaceSlot, FaceSlotCount> FaceSlots{TFaceSlot::Cover, TFaceSlot::Spine, TFaceSlot::Top,
                                                         TFaceSlot::Floor, TFaceSlot::Plain};

// The slots with a preview, which share their index with their picture store item.
constexpr std::array<TFaceSlot, 4> PreviewedFaceSlots{TFaceSlot::Cover, TFaceSlot::Spine, TFaceSlot::Top,
                                                      TFaceSlot::Floor};
