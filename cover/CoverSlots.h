#pragma once
// Which face slot each image of a cover file fills. The file keeps the five
// images in the order cover, spine, plain, top, floor; the slots run cover,
// spine, top, floor, plain.
#include "cover/CoverFile.h"
#include "cover/FaceSlot.h"

#include <array>
#include <cstddef>

constexpr TFaceSlot FaceSlotOf(TCoverImage image)
{
    constexpr std::array<TFaceSlot, 5> filled{TFaceSlot::Cover, TFaceSlot::Spine, TFaceSlot::Plain, TFaceSlot::Top,
                                              TFaceSlot::Floor};
    return filled[static_cast<size_t>(image)];
}
