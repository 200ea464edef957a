#pragma once
// The ground a box stands on in a studio shot: the plane of its bottom, which
// turns with the box as the window's floor does, and what lies on it: the
// contact shadow around the box's footprint and the reflection below it.
// Plain numbers, no GL.
#include <cstdint>
#include <vector>

struct TGround {
    // The plane y = Y of the box's own frame: the side of the box that is
    // down on screen when it stands upright (+y after the half turn).
    double Y = 0.0;
    // The footprint: |x| <= HalfWidth, |z| <= HalfDepth.
    double HalfWidth = 0.0, HalfDepth = 0.0;
    // How far the shadow reaches out from the footprint: a third of the
    // box's height.
    double ShadowReach = 0.0;
    // How far below the ground the reflection shows before it has faded
    // away: 0.4 of the box's height.
    double ReflectionReach = 0.0;

    bool operator==(const TGround&) const = default;
};

// The ground of a box of these sizes (negative sizes mirror the box: the
// ground is its lower side all the same).
TGround GroundOf(float width, float height, float depth);

// The shadow's darkness at a share t of its reach out from the footprint:
// 1 at the foot, falling off steeply and then softly to 0 at t = 1, with no
// edge where it ends.
double ShadowFalloff(double t);

// The shadow as a side x side alpha map (rows along z, columns along x, 0 to
// 255 at full strength) over the square of the ground that ShadowRect gives.
std::vector<uint8_t> ShadowAlphaMap(const TGround& ground, int side);

struct TGroundRect {
    double Left, Right;  // x
    double Near, Far;    // z
};

// The part of the ground the shadow covers: the footprint grown by the reach.
TGroundRect ShadowRect(const TGround& ground);

// A fade along one distance, as a 1-D texture of FadeLevelCount levels: the
// levels, and the linear map that puts a distance on the texture coordinate,
// the first texel's centre at distance 0, the last one's at `reach`, and
// clamped beyond.
constexpr int FadeLevelCount = 256;

struct TFadeMap {
    double Scale = 0.0, Offset = 0.0;  // texture coordinate = Scale * distance + Offset
};

TFadeMap FadeMap(double reach);

// The floor's fade into the background: 255 near, ending smoothly at 0.
std::vector<uint8_t> FloorFadeLevels();
// The reflection's fade: `strength` of 255 at the foot, falling to 0.
std::vector<uint8_t> ReflectionFadeLevels(double strength);
