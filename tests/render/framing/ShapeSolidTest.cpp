#include "render/framing/ShapeSolid.h"
#include "render/shapes/BoxShape.h"
#include "render/shapes/ShapeKinds.h"

#include <gtest/gtest.h>
#include <utility>

// GL may leave out the faces a shape turns away only where they never show
// and its triangles all turn as GL's front faces do.
TEST(ShapeSolid, OnlyAClosedConvexOpaqueShapeWoundOutwardLosesNothingByItsBackFaces)
{
    const TBoxSize size{20, 30, 5};
    TShape reversed = BoxShape(size, {});
    std::swap(reversed.Parts[0].Triangles[1], reversed.Parts[0].Triangles[2]);
    struct TCase {
        const char* What;
        TShape Shape;
        bool Hides, Wound;
    };
    const TCase cases[] = {
        {"a box", BoxShape(size, {}), true, true},
        {"a box with a triangle turned round", reversed, true, false},
        {"an open box", BoxShape(size, {.LidOpen = true}), false, true},
        {"a jewel case, clear", MakeShape(TShapeKind::Jewel, size, {}), false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(HidesBackFaces(c.Shape), c.Hides);
        EXPECT_EQ(WoundOutward(c.Shape), c.Wound);
    }
}
