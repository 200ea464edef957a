#include "render/framing/ShapeSolid.h"
#include "render/shapes/BoxShape.h"

#include <gtest/gtest.h>
#include <utility>

// GL may leave out the faces turned away only where every triangle turns as
// its front faces do; one triangle turned round is enough to keep them all.
TEST(ShapeSolid, ABoxIsWoundOutwardUnlessATriangleIsTurnedRound)
{
    const TShape box = BoxShape({20, 30, 5}, {});
    TShape turned = box;
    std::swap(turned.Parts[0].Triangles[1], turned.Parts[0].Triangles[2]);
    EXPECT_TRUE(WoundOutward(box));
    EXPECT_FALSE(WoundOutward(turned));
}
