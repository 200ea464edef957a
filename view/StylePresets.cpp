#include "view/StylePresets.h"

std::array<TStylePreset, StylePresetCount> StylePresetTable()
{
    return {{
        {-0.25f, -45.0f, 20, 30, 5},
        {0.25f, 45.0f, 20, 30, 5},
        {31.5f, 31.5f, 20, 30, 5},
        {-0.25f, 40.0f, 20, 30, 10},
        {-50.0f, 18.0f, 20, 30, 1},
    }};
}
