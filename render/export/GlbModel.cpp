#include "render/export/GlbModel.h"

#include "render/export/ModelFrame.h"
#include "render/export/ModelMaterial.h"

#include <algorithm>
#include <map>

namespace {

// The model's one buffer, filled view by view.
class TBufferViews {
public:
    explicit TBufferViews(tinygltf::Model& model) : Model_(model) { Model_.buffers.resize(1); }

    // Appends the bytes, from a multiple of 4, as a view of their own.
    int Add(const void* data, size_t bytes, int target)
    {
        std::vector<unsigned char>& buffer = Model_.buffers[0].data;
        buffer.resize((buffer.size() + 3) / 4 * 4);
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = buffer.size();
        view.byteLength = bytes;
        view.target = target;
        buffer.insert(buffer.end(), static_cast<const unsigned char*>(data),
                      static_cast<const unsigned char*>(data) + bytes);
        Model_.bufferViews.push_back(view);
        return int(Model_.bufferViews.size()) - 1;
    }

    // Floats, `width` a vertex, as an accessor; positions need their bounds.
    template <size_t Width>
    int Accessor(const std::vector<std::array<float, Width>>& values, int type, bool bounds)
    {
        tinygltf::Accessor accessor;
        accessor.bufferView = Add(values.data(), values.size() * sizeof values[0], TINYGLTF_TARGET_ARRAY_BUFFER);
        accessor.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
        accessor.count = values.size();
        accessor.type = type;
        if (bounds) {
            accessor.minValues.assign(values.front().begin(), values.front().end());
            accessor.maxValues = accessor.minValues;
            for (const std::array<float, Width>& value : values)
                for (size_t c = 0; c < Width; ++c) {
                    accessor.minValues[c] = std::min<double>(accessor.minValues[c], value[c]);
                    accessor.maxValues[c] = std::max<double>(accessor.maxValues[c], value[c]);
                }
        }
        Model_.accessors.push_back(std::move(accessor));
        return int(Model_.accessors.size()) - 1;
    }

private:
    tinygltf::Model& Model_;
};

// The texture of the image, added with the image the first time.
int TextureOf(tinygltf::Model& model, TBufferViews& views, std::map<const TEncodedImage*, int>& textures,
              const TEncodedImage& image, const std::string& name)
{
    if (const auto found = textures.find(&image); found != textures.end())
        return found->second;
    tinygltf::Image file;
    file.name = name;
    file.mimeType = image.MimeType;
    file.bufferView = views.Add(image.Bytes.data(), image.Bytes.size(), 0);
    model.images.push_back(std::move(file));
    tinygltf::Texture texture;
    texture.source = int(model.images.size()) - 1;
    texture.sampler = 0;
    model.textures.push_back(texture);
    return textures[&image] = int(model.textures.size()) - 1;
}

} // namespace

tinygltf::Model ShapeModel(const TShape& shape, const TFaceImages& images)
{
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "plenamar-render";
    tinygltf::Sampler sampler;
    sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
    sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
    sampler.wrapS = sampler.wrapT = TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    model.samplers.push_back(sampler);
    TBufferViews views(model);
    std::map<const TEncodedImage*, int> textures;
    tinygltf::Mesh mesh;
    mesh.name = shape.Name;
    for (const TShapePart& part : shape.Parts) {
        if (part.Triangles.empty())
            continue;
        const TEncodedImage* image = part.Art ? images[size_t(*part.Art)].get() : nullptr;
        std::vector<std::array<float, 3>> positions, normals;
        std::vector<std::array<float, 2>> texCoords;
        for (const TShapeVertex& vertex : part.Triangles) {
            const TModelVertex v = ModelVertex(vertex, shape.Size);
            positions.push_back(v.Position);
            normals.push_back(v.Normal);
            texCoords.push_back(v.TexCoord);
        }
        tinygltf::Primitive primitive;
        primitive.mode = TINYGLTF_MODE_TRIANGLES;
        primitive.attributes["POSITION"] = views.Accessor(positions, TINYGLTF_TYPE_VEC3, true);
        primitive.attributes["NORMAL"] = views.Accessor(normals, TINYGLTF_TYPE_VEC3, false);
        const int texture = image ? TextureOf(model, views, textures, *image, part.Name) : -1;
        if (image)
            primitive.attributes["TEXCOORD_0"] = views.Accessor(texCoords, TINYGLTF_TYPE_VEC2, false);
        primitive.material = int(model.materials.size());
        model.materials.push_back(ModelMaterial(part, texture, image && image->Alpha));
        mesh.primitives.push_back(std::move(primitive));
    }
    model.buffers[0].data.resize((model.buffers[0].data.size() + 3) / 4 * 4);
    model.meshes.push_back(std::move(mesh));
    tinygltf::Node node;
    node.name = shape.Name;
    node.mesh = 0;
    model.nodes.push_back(node);
    tinygltf::Scene scene;
    scene.nodes = {0};
    model.scenes.push_back(scene);
    model.defaultScene = 0;
    return model;
}
