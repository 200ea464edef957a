#include "render/export/ModelMaterial.h"

tinygltf::Material ModelMaterial(const TShapePart& part, int texture, bool masked)
{
    tinygltf::Material material;
    material.name = part.Name;
    tinygltf::PbrMetallicRoughness& pbr = material.pbrMetallicRoughness;
    const TMaterial& made = part.Material;
    // An image is printed on the part: its colour, not the material's, shows.
    if (texture >= 0)
        pbr.baseColorFactor = {1.0, 1.0, 1.0, made.Colour[3]};
    else
        pbr.baseColorFactor = {made.Colour[0], made.Colour[1], made.Colour[2], made.Colour[3]};
    pbr.baseColorTexture.index = texture;
    pbr.metallicFactor = 0.0;
    pbr.roughnessFactor = made.Finish == TFinish::Glossy ? GlossyRoughness : MatteRoughness;
    if (made.SeeThrough()) {
        material.alphaMode = "BLEND";
        material.doubleSided = true;
    } else if (masked) {
        material.alphaMode = "MASK";
    }
    return material;
}
