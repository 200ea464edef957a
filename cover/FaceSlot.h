#pragma once
// The five face images of a box, in their fixed order: each has a path, a
// texture object and, for all but the plain image, a preview.

enum class TFaceSlot { Cover, Spine, Top, Floor, Plain };

constexpr int FaceSlotCount = 5;
