#include "material/SavedRecord.h"

#include <array>

namespace {

using C = TavroMtlCache;

constexpr std::array<SavedField, 55> kFields = {{
    &C::mtl_diffuse_color,
    &C::mtl_specular_color,
    &C::mtl_reflect_color,
    &C::mtl_emission_color,
    &C::mtl_transparency_color,
    &C::mtl_fog_color,
    &C::mtl_exit_color,
    &C::mtl_translucency_color,
    SavedFlag{&C::mtl_displacement_on},
    SavedFlag{&C::mtl_displacement_invert_height_on},
    SavedFlag{&C::mtl_diffuse_mult_on},
    SavedFlag{&C::mtl_specular_mult_on},
    SavedFlag{&C::mtl_emission_mult_on},
    SavedFlag{&C::mtl_transparency_mult_on},
    SavedFlag{&C::mtl_reflect_mult_on},
    SavedFlag{&C::mtl_transparency_thin_on},
    SavedFlag{&C::mtl_affect_shadow},
    SavedFlag{&C::mtl_no_ic_records},
    SavedFlag{&C::mtl_spec_fresnel_on},
    SavedFlag{&C::mtl_refl_fresnel_on},
    SavedFlag{&C::mtl_lock_specular},
    SavedFlag{&C::mtl_emission_gi},
    SavedFlag{&C::mtl_opacity_smooth},
    SavedFlag{&C::mtl_translucency_mult_on},
    &C::mtl_specular_roughness,
    &C::mtl_reflect_roughness,
    &C::mtl_reflect_cospower,
    &C::mtl_specular_cospower,
    &C::mtl_ior,
    &C::mtl_specular_ior,
    &C::mtl_reflect_ior,
    &C::mtl_transparency_cospower,
    &C::mtl_fog_multiplier,
    &C::mtl_displacement_height,
    &C::mtl_diffuse_mult,
    &C::mtl_specular_mult,
    &C::mtl_emission_mult,
    &C::mtl_transparency_mult,
    &C::mtl_reflect_mult,
    &C::mtl_spec_gloss,
    &C::mtl_refl_gloss,
    &C::mtl_transp_gloss,
    &C::mtl_bump_amount,
    &C::mtl_bump_radius,
    &C::mtl_bump_sigma,
    &C::mtl_translucency_mult,
    &C::mtl_roughness_mult,
    &C::mtl_reflect_anisotropy,
    &C::mtl_reflect_rotation,
    &C::mtl_specular_brdf,
    &C::mtl_reflect_brdf,
    &C::mtl_spec_gloss_or_cos,
    &C::mtl_refl_gloss_or_cos,
    &C::mtl_transp_gloss_or_cos,
    &C::mtl_reflect_extrusion,
}};

struct FieldSize {
    constexpr ULONG operator()(Color C::*) const { return 12; }
    constexpr ULONG operator()(SavedFlag) const { return 1; }
    constexpr ULONG operator()(float C::*) const { return 4; }
    constexpr ULONG operator()(int C::*) const { return 4; }
};

constexpr ULONG recordSize() {
    ULONG total = 0;
    for (const SavedField& f : kFields) total += std::visit(FieldSize{}, f);
    return total;
}
static_assert(recordSize() == kSavedRecordSize);

}  // namespace

std::span<const SavedField> savedRecordFields() {
    return kFields;
}

ULONG savedFieldSize(const SavedField& field) {
    return std::visit(FieldSize{}, field);
}
