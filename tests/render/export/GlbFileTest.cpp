#include "render/export/GlbFile.h"

#include "render/export/ModelMaterial.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The faces' colours; the front is red above its middle and blue below.
const QColor Red(220, 30, 30), Blue(30, 30, 220), Green(30, 200, 30), Yellow(230, 220, 30);

std::string SaveImage(const QTemporaryDir& dir, const char* name, QColor top, QColor bottom, int width = 200,
                      int height = 300)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(bottom);
    for (int y = 0; y < height / 2; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, top);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path.toStdString();
}

tinygltf::Model Load(const std::string& file)
{
    tinygltf::Model model;
    tinygltf::TinyGLTF loader;
    std::string error, warning;
    EXPECT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, file)) << error;
    EXPECT_EQ(error, "");
    return model;
}

template <size_t Width>
std::vector<std::array<float, Width>> Values(const tinygltf::Model& model, int accessorIndex)
{
    const tinygltf::Accessor& accessor = model.accessors.at(size_t(accessorIndex));
    const tinygltf::BufferView& view = model.bufferViews.at(size_t(accessor.bufferView));
    std::vector<std::array<float, Width>> values(accessor.count);
    std::memcpy(values.data(), model.buffers.at(0).data.data() + view.byteOffset + accessor.byteOffset,
                values.size() * sizeof values[0]);
    return values;
}

// The colour of the image at a texture coordinate.
QColor Sample(const tinygltf::Image& image, std::array<float, 2> uv)
{
    const int x = std::clamp(int(uv[0] * float(image.width)), 0, image.width - 1);
    const int y = std::clamp(int(uv[1] * float(image.height)), 0, image.height - 1);
    const unsigned char* p = &image.image.at((size_t(y) * size_t(image.width) + size_t(x)) * size_t(image.component));
    return QColor(p[0], p[1], p[2]);
}

bool Near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 60;
}

struct TShapeCase {
    TShapeKind Kind;
    TBoxSize Size;  // in units
};

} // namespace

TEST(GlbFile, EveryShapeStandsInMetresWithItsFrontArtworkUpright)
{
    QTemporaryDir dir;
    TBoxArtwork artwork;
    artwork.Faces[size_t(TArtFace::Front)] = SaveImage(dir, "front.png", Red, Blue);
    artwork.Faces[size_t(TArtFace::Back)] = SaveImage(dir, "back.png", Green, Green);
    artwork.Faces[size_t(TArtFace::Spine)] = SaveImage(dir, "spine.png", Yellow, Yellow, 50, 300);
    for (const TShapeCase& c : {TShapeCase{TShapeKind::Box, {20, 30, 5}}, TShapeCase{TShapeKind::Hardcover, {}},
                                TShapeCase{TShapeKind::Paperback, {}}, TShapeCase{TShapeKind::Dvd, {}},
                                TShapeCase{TShapeKind::Bluray, {}}, TShapeCase{TShapeKind::Jewel, {}}}) {
        const std::string name(ShapeName(c.Kind));
        SCOPED_TRACE(name);
        artwork.Shape = c.Kind;
        const TBoxSize size = RealSize(c.Kind).value_or(c.Size);
        const std::string file = dir.filePath(QString::fromStdString(name + ".glb")).toStdString();
        WriteBoxGlb(file, artwork, 4096);
        const tinygltf::Model model = Load(file);
        ASSERT_EQ(model.meshes.size(), 1u);

        std::array<double, 3> low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
        bool front = false, back = false, blended = false;
        for (const tinygltf::Primitive& primitive : model.meshes[0].primitives) {
            const tinygltf::Material& material = model.materials.at(size_t(primitive.material));
            for (int i = 0; i < 3; ++i) {
                low[size_t(i)] = std::min(low[size_t(i)], model.accessors[size_t(primitive.attributes.at("POSITION"))].minValues[size_t(i)]);
                high[size_t(i)] = std::max(high[size_t(i)], model.accessors[size_t(primitive.attributes.at("POSITION"))].maxValues[size_t(i)]);
            }
            EXPECT_EQ(material.pbrMetallicRoughness.metallicFactor, 0.0);
            blended |= material.alphaMode == "BLEND";
            const int texture = material.pbrMetallicRoughness.baseColorTexture.index;
            if (texture < 0)
                continue;
            const tinygltf::Image& image = model.images.at(size_t(model.textures.at(size_t(texture)).source));
            const auto positions = Values<3>(model, primitive.attributes.at("POSITION"));
            const auto normals = Values<3>(model, primitive.attributes.at("NORMAL"));
            const auto uvs = Values<2>(model, primitive.attributes.at("TEXCOORD_0"));
            // The highest and the lowest corner's colour, and which way the part faces.
            size_t top = 0, bottom = 0;
            double facing = 0;
            for (size_t v = 0; v < positions.size(); ++v) {
                top = positions[v][1] > positions[top][1] ? v : top;
                bottom = positions[v][1] < positions[bottom][1] ? v : bottom;
                facing += normals[v][2] / double(positions.size());
            }
            const QColor above = Sample(image, uvs[top]), below = Sample(image, uvs[bottom]);
            // The cover faces +z (its board's edges sideways), the back -z.
            if (Near(above, Red) && Near(below, Blue)) {
                front |= facing > 0.7;
                EXPECT_GT(facing, -0.3) << material.name;
            } else if (Near(above, Green)) {
                back |= facing < -0.7;
                EXPECT_LT(facing, 0.3) << material.name;
            }
            EXPECT_FALSE(Near(above, Blue) && Near(below, Red)) << material.name << " shows the front upside down";
        }
        EXPECT_TRUE(front);
        EXPECT_TRUE(back);
        EXPECT_EQ(blended, c.Kind == TShapeKind::Jewel);
        const double metres[3] = {size.Width / 100.0, size.Height / 100.0, size.Depth / 100.0};
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(high[i] - low[i], metres[i], 1e-4) << "axis " << i;
            EXPECT_NEAR(i == 1 ? low[i] : low[i] + high[i], 0.0, 1e-4) << "axis " << i;
        }
    }
}

TEST(GlbFile, LargeFacesMakeASmallFileAndTheSideCapsEveryTexture)
{
    QTemporaryDir dir;
    TBoxArtwork artwork;
    // The sample box's artwork at print size.
    const std::pair<TArtFace, const char*> faces[] = {
        {TArtFace::Front, "cover.jpg"}, {TArtFace::Spine, "spine.jpg"}, {TArtFace::Back, "cover.jpg"}};
    for (const auto& [face, name] : faces) {
        const QImage image = QImage(QString(PLENAMAR_SAMPLE_DIR "/") + name)
                                 .scaled(2000, 3000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QString path = dir.filePath(QString("big-") + name);
        ASSERT_TRUE(image.save(path, "JPEG", 95));
        artwork.Faces[size_t(face)] = path.toStdString();
    }
    artwork.Size = TBoxSize{20, 30, 5};
    struct TCase {
        int Side;
        size_t MostBytes;
        int FrontWidth, FrontHeight, SpineWidth;
    };
    for (const TCase& c : {TCase{4096, 5u << 20, 2000, 3000, 591}, TCase{1024, 1u << 20, 683, 1024, 202}}) {
        const std::string file = dir.filePath("box.glb").toStdString();
        WriteBoxGlb(file, artwork, c.Side);
        EXPECT_LT(QFileInfo(QString::fromStdString(file)).size(), qint64(c.MostBytes));
        const tinygltf::Model model = Load(file);
        std::vector<std::pair<int, int>> sizes;
        for (const tinygltf::Image& image : model.images)
            sizes.emplace_back(image.width, image.height);
        std::sort(sizes.begin(), sizes.end());
        // The front and the back share one image.
        EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{c.SpineWidth, c.FrontHeight}, {c.FrontWidth, c.FrontHeight}}));
    }
}
