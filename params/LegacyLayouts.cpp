#include "params/LegacyLayouts.h"

#include <array>
#include <cstddef>
#include <utility>

#include "params/TavroParamIds.h"

namespace {

constexpr ParamBlockDescID record(LegacyParamType type, BOOL animatable, TavroParamId id) {
    return ParamBlockDescID(type, nullptr, animatable, static_cast<DWORD>(id));
}

// Version 1, in identifier order: the record at position p carries identifier p + 2. Maps
// were user-typed values; the three list choices were not animatable then.
constexpr std::array<ParamBlockDescID, 68> kVersion1Records = {{
    record(LegacyParamType::Bool, FALSE, mtl_affect_shadow),
    record(LegacyParamType::Rgba, TRUE, mtl_diffuse_color),
    record(LegacyParamType::User, FALSE, mtl_diffuse_map),
    record(LegacyParamType::Bool, FALSE, mtl_diffuse_mult_on),
    record(LegacyParamType::Float, TRUE, mtl_diffuse_mult),
    record(LegacyParamType::Rgba, TRUE, mtl_specular_color),
    record(LegacyParamType::User, FALSE, mtl_specular_map),
    record(LegacyParamType::Bool, FALSE, mtl_specular_mult_on),
    record(LegacyParamType::Float, TRUE, mtl_specular_mult),
    record(LegacyParamType::Int, FALSE, mtl_specular_brdf),
    record(LegacyParamType::Float, TRUE, mtl_specular_roughness),
    record(LegacyParamType::Float, TRUE, mtl_specular_cospower),
    record(LegacyParamType::Float, TRUE, mtl_specular_ior),
    record(LegacyParamType::Rgba, TRUE, mtl_reflect_color),
    record(LegacyParamType::User, FALSE, mtl_reflect_map),
    record(LegacyParamType::Bool, FALSE, mtl_reflect_mult_on),
    record(LegacyParamType::Float, TRUE, mtl_reflect_mult),
    record(LegacyParamType::Int, FALSE, mtl_reflect_brdf),
    record(LegacyParamType::Float, TRUE, mtl_reflect_cospower),
    record(LegacyParamType::Float, TRUE, mtl_reflect_roughness),
    record(LegacyParamType::Float, TRUE, mtl_reflect_ior),
    record(LegacyParamType::Rgba, TRUE, mtl_emission_color),
    record(LegacyParamType::User, FALSE, mtl_emission_map),
    record(LegacyParamType::Bool, FALSE, mtl_emission_mult_on),
    record(LegacyParamType::Float, TRUE, mtl_emission_mult),
    record(LegacyParamType::Rgba, TRUE, mtl_transparency_color),
    record(LegacyParamType::User, FALSE, mtl_transparency_map),
    record(LegacyParamType::Bool, FALSE, mtl_transparency_mult_on),
    record(LegacyParamType::Float, TRUE, mtl_transparency_mult),
    record(LegacyParamType::Bool, FALSE, mtl_transparency_thin_on),
    record(LegacyParamType::Float, TRUE, mtl_ior),
    record(LegacyParamType::Float, TRUE, mtl_transparency_cospower),
    record(LegacyParamType::Rgba, TRUE, mtl_fog_color),
    record(LegacyParamType::Float, TRUE, mtl_fog_multiplier),
    record(LegacyParamType::Rgba, TRUE, mtl_exit_color),
    record(LegacyParamType::Bool, FALSE, mtl_displacement_on),
    record(LegacyParamType::Float, TRUE, mtl_displacement_height),
    record(LegacyParamType::User, FALSE, mtl_normal_map),
    record(LegacyParamType::Bool, FALSE, mtl_displacement_invert_height_on),
    record(LegacyParamType::Bool, FALSE, mtl_no_ic_records),
    record(LegacyParamType::Float, TRUE, mtl_spec_gloss),
    record(LegacyParamType::User, FALSE, mtl_spec_gl_map),
    record(LegacyParamType::Int, FALSE, mtl_spec_gloss_or_cos),
    record(LegacyParamType::Bool, FALSE, mtl_spec_fresnel_on),
    record(LegacyParamType::Float, TRUE, mtl_refl_gloss),
    record(LegacyParamType::User, FALSE, mtl_refl_gl_map),
    record(LegacyParamType::Int, FALSE, mtl_refl_gloss_or_cos),
    record(LegacyParamType::Bool, FALSE, mtl_refl_fresnel_on),
    record(LegacyParamType::Float, TRUE, mtl_transp_gloss),
    record(LegacyParamType::User, FALSE, mtl_transp_gl_map),
    record(LegacyParamType::Int, FALSE, mtl_transp_gloss_or_cos),
    record(LegacyParamType::Bool, FALSE, mtl_lock_specular),
    record(LegacyParamType::Float, TRUE, mtl_bump_amount),
    record(LegacyParamType::Float, TRUE, mtl_bump_radius),
    record(LegacyParamType::Float, TRUE, mtl_bump_sigma),
    record(LegacyParamType::Bool, FALSE, mtl_emission_gi),
    record(LegacyParamType::User, FALSE, mtl_opacity_map),
    record(LegacyParamType::Bool, FALSE, mtl_opacity_smooth),
    record(LegacyParamType::Rgba, TRUE, mtl_translucency_color),
    record(LegacyParamType::Float, TRUE, mtl_translucency_mult),
    record(LegacyParamType::User, FALSE, mtl_translucency_map),
    record(LegacyParamType::Bool, FALSE, mtl_translucency_mult_on),
    record(LegacyParamType::Int, FALSE, mtl_reflect_extrusion),
    record(LegacyParamType::Float, TRUE, mtl_roughness_mult),
    record(LegacyParamType::Float, TRUE, mtl_reflect_anisotropy),
    record(LegacyParamType::Float, TRUE, mtl_reflect_rotation),
    record(LegacyParamType::User, FALSE, mtl_reflect_anisotropy_map),
    record(LegacyParamType::User, FALSE, mtl_reflect_rotation_map),
}};

// Version 0 lacked the anisotropy and rotation maps, the last two records of version 1.
constexpr std::size_t kVersion0Count = 66;

template <std::size_t... I>
constexpr std::array<ParamBlockDescID, sizeof...(I)> leadingRecords(std::index_sequence<I...>) {
    return {{kVersion1Records[I]...}};
}

// Writable because the host's conversion keeps its lookups in the records.
constinit std::array<ParamBlockDescID, kVersion0Count> version0 =
    leadingRecords(std::make_index_sequence<kVersion0Count>());
constinit std::array<ParamBlockDescID, kVersion1Records.size()> version1 = kVersion1Records;

constinit std::array<ParamVersionDesc, 2> versions = {{
    {version0.data(), static_cast<int>(version0.size()), 0},
    {version1.data(), static_cast<int>(version1.size()), 1},
}};

}  // namespace

std::span<ParamVersionDesc> tavroLegacyVersions() {
    return versions;
}
