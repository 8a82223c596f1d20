// The material's texture slots. Slot i is the material's reference i and its sub-texture i,
// and mirrors one texture-map parameter held by the material; the slot's name is that
// parameter's display name. The parameter block is the reference after the last slot.
#pragma once

#include <array>
#include <cstddef>

#include "params/TavroParamIds.h"
#include "resources/StringIds.h"

struct TextureSlot {
    TavroParamId param;
    StringId name;
};

inline constexpr std::array<TextureSlot, 13> TAVRO_TEXTURE_SLOTS = {{
    {mtl_diffuse_map, IDS_DIFFUSE_MAP},
    {mtl_specular_map, IDS_DEPRECATED_MAP1},
    {mtl_reflect_map, IDS_REFLECTIVITY_MAP},
    {mtl_emission_map, IDS_EMISSION_MAP},
    {mtl_transparency_map, IDS_TRANSPARENCY_MAP},
    {mtl_normal_map, IDS_NORMAL_MAP},
    {mtl_spec_gl_map, IDS_DEPRECATED_MAP2},
    {mtl_refl_gl_map, IDS_REFLECT_GLOSSINESS_MAP},
    {mtl_transp_gl_map, IDS_TRANSP_GLOSSINESS_MAP},
    {mtl_opacity_map, IDS_OPACITY_MAP},
    {mtl_translucency_map, IDS_TRANSLUCENCY_MAP},
    {mtl_reflect_anisotropy_map, IDS_REFLECTIVITY_ANISOTROPY_MAP},
    {mtl_reflect_rotation_map, IDS_REFLECTIVITY_ROTATION_MAP},
}};

constexpr int TAVRO_SLOT_COUNT = static_cast<int>(TAVRO_TEXTURE_SLOTS.size());
constexpr int TAVRO_PARAM_BLOCK_REF = TAVRO_SLOT_COUNT;

// The slot that holds the map of texture-map parameter `map`.
consteval int slotOf(TavroParamId map) {
    for (std::size_t i = 0; i < TAVRO_TEXTURE_SLOTS.size(); ++i) {
        if (TAVRO_TEXTURE_SLOTS[i].param == map) return static_cast<int>(i);
    }
    throw "not a texture-map parameter";
}
