#include "render/shapes/BoxShape.h"

#include <gtest/gtest.h>

namespace {

std::array<double, 3> Cross(const TBoxVertex& o, const TBoxVertex& a, const TBoxVertex& b)
{
    const double u[3] = {a.X - o.X, a.Y - o.Y, a.Z - o.Z}, v[3] = {b.X - o.X, b.Y - o.Y, b.Z - o.Z};
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

} // namespace

TEST(BoxShape, EveryQuadFacesOutWoundCounterClockwise)
{
    for (const TBoxOptions& options : {TBoxOptions{}, TBoxOptions{.Book = true, .LidOpen = true}}) {
        for (const float sign : {1.0f, -1.0f}) {
            const std::vector<TBoxQuad> quads = BoxQuads(20 * sign, 30 * sign, 5 * sign, options);
            const std::vector<TLitQuad> lit = OutwardQuads(quads);
            ASSERT_EQ(lit.size(), quads.size());
            for (size_t i = 0; i < lit.size(); ++i) {
                SCOPED_TRACE(testing::Message() << "quad " << i << " sign " << sign);
                const auto& v = lit[i].Quad.Vertices;
                const std::array<float, 3>& n = lit[i].Normal;
                EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0, 1e-6);
                // Away from the centre, and the turn of its corners agrees.
                const double cx = v[0].X + v[1].X + v[2].X + v[3].X, cy = v[0].Y + v[1].Y + v[2].Y + v[3].Y,
                             cz = v[0].Z + v[1].Z + v[2].Z + v[3].Z;
                EXPECT_GT(n[0] * cx + n[1] * cy + n[2] * cz, 0.0);
                const std::array<double, 3> turn = Cross(v[0], v[1], v[2]);
                EXPECT_GT(n[0] * turn[0] + n[1] * turn[1] + n[2] * turn[2], 0.0);
                // The same corners with the same texture coordinates.
                for (const TBoxVertex& corner : quads[i].Vertices)
                    EXPECT_TRUE(std::any_of(v.begin(), v.end(), [&](const TBoxVertex& w) {
                        return w.X == corner.X && w.Y == corner.Y && w.Z == corner.Z && w.S == corner.S &&
                               w.T == corner.T;
                    }));
            }
        }
    }
    // The front cover seen at rest faces -z, the top -y, the spine +x.
    const std::vector<TLitQuad> lit = OutwardQuads(BoxQuads(20, 30, 5, {}));
    EXPECT_EQ(lit[1].Normal, (std::array<float, 3>{0, 0, -1}));
    EXPECT_EQ(lit[2].Normal, (std::array<float, 3>{0, -1, 0}));
    EXPECT_EQ(lit[4].Normal, (std::array<float, 3>{1, 0, 0}));
    // A face of no area still gets a normal.
    EXPECT_EQ(OutwardQuads(BoxQuads(0, 0, 0, {}))[0].Normal, (std::array<float, 3>{0, -1, 0}));
}
