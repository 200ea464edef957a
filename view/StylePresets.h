#pragma once
// The five ready-made views of the box offered by the style strip: both
// rotation angles and the three box sizes, indexed by the strip's column.
#include <array>
#include <cstdint>

struct TStylePreset {
    float XRotation;  // degrees about x
    float YRotation;  // degrees about y
    int32_t Width;
    int32_t Height;
    int32_t Depth;
};

constexpr int StylePresetCount = 5;

std::array<TStylePreset, StylePresetCount> StylePresetTable();
