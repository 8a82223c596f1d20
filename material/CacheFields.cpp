#include "material/CacheFields.h"

#include <array>

#include "params/TavroParamIds.h"

namespace {

using C = TavroMtlCache;

constexpr std::array<RefreshedField, 45> kRefreshed = {{
    {mtl_affect_shadow, &C::mtl_affect_shadow},
    {mtl_diffuse_color, &C::mtl_diffuse_color},
    {mtl_diffuse_mult_on, &C::mtl_diffuse_mult_on},
    {mtl_diffuse_mult, &C::mtl_diffuse_mult},
    {mtl_no_ic_records, &C::mtl_no_ic_records},
    {mtl_roughness_mult, &C::mtl_roughness_mult},
    {mtl_reflect_color, &C::mtl_reflect_color},
    {mtl_reflect_mult_on, &C::mtl_reflect_mult_on},
    {mtl_reflect_mult, &C::mtl_reflect_mult},
    {mtl_reflect_brdf, &C::mtl_reflect_brdf},
    {mtl_reflect_cospower, &C::mtl_reflect_cospower},
    {mtl_reflect_roughness, &C::mtl_reflect_roughness},
    {mtl_reflect_ior, &C::mtl_reflect_ior},
    {mtl_refl_gloss, &C::mtl_refl_gloss},
    {mtl_refl_gloss_or_cos, &C::mtl_refl_gloss_or_cos},
    {mtl_refl_fresnel_on, &C::mtl_refl_fresnel_on},
    {mtl_reflect_extrusion, &C::mtl_reflect_extrusion},
    {mtl_reflect_anisotropy, &C::mtl_reflect_anisotropy},
    {mtl_reflect_rotation, &C::mtl_reflect_rotation},
    {mtl_lock_specular, &C::mtl_lock_specular},
    {mtl_emission_color, &C::mtl_emission_color},
    {mtl_emission_mult_on, &C::mtl_emission_mult_on},
    {mtl_emission_mult, &C::mtl_emission_mult},
    {mtl_emission_gi, &C::mtl_emission_gi},
    {mtl_transparency_color, &C::mtl_transparency_color},
    {mtl_transparency_mult_on, &C::mtl_transparency_mult_on},
    {mtl_transparency_mult, &C::mtl_transparency_mult},
    {mtl_transparency_thin_on, &C::mtl_transparency_thin_on},
    {mtl_transparency_cospower, &C::mtl_transparency_cospower},
    {mtl_ior, &C::mtl_ior},
    {mtl_fog_color, &C::mtl_fog_color},
    {mtl_fog_multiplier, &C::mtl_fog_multiplier},
    {mtl_exit_color, &C::mtl_exit_color},
    {mtl_transp_gloss, &C::mtl_transp_gloss},
    {mtl_transp_gloss_or_cos, &C::mtl_transp_gloss_or_cos},
    {mtl_opacity_smooth, &C::mtl_opacity_smooth},
    {mtl_translucency_color, &C::mtl_translucency_color},
    {mtl_translucency_mult, &C::mtl_translucency_mult},
    {mtl_translucency_mult_on, &C::mtl_translucency_mult_on},
    {mtl_bump_amount, &C::mtl_bump_amount},
    {mtl_displacement_on, &C::mtl_displacement_on},
    {mtl_displacement_height, &C::mtl_displacement_height},
    {mtl_displacement_invert_height_on, &C::mtl_displacement_invert_height_on},
    {mtl_bump_radius, &C::mtl_bump_radius},
    {mtl_bump_sigma, &C::mtl_bump_sigma},
}};

}  // namespace

std::span<const RefreshedField> refreshedCacheFields() {
    return kRefreshed;
}
