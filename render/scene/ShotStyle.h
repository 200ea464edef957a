#pragma once
// How a box shot looks, as the user asks for it on the command line.
#include "render/framing/Framing.h"

#include <cstdint>

enum class TLook {
    Window,  // the window's scene and lighting, exactly
    Studio,  // lit as a solid, with a contact shadow and, when asked, a reflection
};

struct TShotStyle {
    TLook Look = TLook::Studio;
    double Shadow = 0.6;      // the shadow's strength, 0 (none) to 1; the studio look's
    double Reflection = 0.0;  // the reflection's strength, 0 (none) to 1; the studio look's
    double Margin = DefaultMargin;
    bool Transparent = false;        // background alpha 0
    uint32_t Background = 0xFFFFFF;  // 0xRRGGBB, when not transparent

    bool operator==(const TShotStyle&) const = default;
};
