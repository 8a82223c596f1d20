// ITavroMtl: the renderer's queries, read from the block at time 0 and from the slots.
#include "ParamBlock2.h"
#include "material/TavroMtl.h"
#include "params/TavroParamBlock.h"
#include "params/TavroParamIds.h"
#include "params/TextureSlots.h"

namespace {

// The time every renderer query reads at, whatever the scene time.
constexpr TimeValue kQueryTime = 0;

const ParamDef& paramDef(ParamID id) {
    return *tavroParamBlockDesc().GetParamDefByID(id);
}

}  // namespace

// Without a block (a material made for loading, before its block arrives) the queries
// answer the descriptor's defaults instead of reading through a null block.
float TavroMtl::blockFloat(ParamID id) {
    return pblock_ != nullptr ? pblock_->GetFloat(id, kQueryTime) : paramDef(id).defFloat;
}

int TavroMtl::blockInt(ParamID id) {
    return pblock_ != nullptr ? pblock_->GetInt(id, kQueryTime) : paramDef(id).defInt;
}

Color TavroMtl::blockColor(ParamID id) {
    return pblock_ != nullptr ? pblock_->GetColor(id, kQueryTime) : paramDef(id).defColor;
}

Texmap* TavroMtl::GetDiffuseTexmap() {
    return slots_[slotOf(mtl_diffuse_map)];
}
float TavroMtl::GetDiffuseMult() {
    return blockFloat(mtl_diffuse_mult);
}
Color TavroMtl::GetDiffuseColor() {
    return blockColor(mtl_diffuse_color);
}
bool TavroMtl::GetDiffuseMultOn() {
    return blockInt(mtl_diffuse_mult_on) != 0;
}
float TavroMtl::GetDiffuseRoughness() {
    return blockFloat(mtl_roughness_mult);
}

Texmap* TavroMtl::GetReflectTexmap() {
    return slots_[slotOf(mtl_reflect_map)];
}
Texmap* TavroMtl::GetReflectGlossTexmap() {
    return slots_[slotOf(mtl_refl_gl_map)];
}
Texmap* TavroMtl::GetReflectAnisotropyTexmap() {
    return slots_[slotOf(mtl_reflect_anisotropy_map)];
}
Texmap* TavroMtl::GetReflectRotationTexmap() {
    return slots_[slotOf(mtl_reflect_rotation_map)];
}
float TavroMtl::GetReflectMult() {
    return blockFloat(mtl_reflect_mult);
}
Color TavroMtl::GetReflectColor() {
    return blockColor(mtl_reflect_color);
}
bool TavroMtl::GetReflectMultOn() {
    return blockInt(mtl_reflect_mult_on) != 0;
}
float TavroMtl::GetReflectGloss() {
    return blockFloat(mtl_refl_gloss);
}
int TavroMtl::GetReflectBrdf() {
    return blockInt(mtl_reflect_brdf);
}
float TavroMtl::GetReflectIor() {
    return blockFloat(mtl_reflect_ior);
}
bool TavroMtl::GetReflectFresnelOn() {
    return blockInt(mtl_refl_fresnel_on) != 0;
}
int TavroMtl::GetReflectExtrusion() {
    return blockInt(mtl_reflect_extrusion);
}
float TavroMtl::GetReflectAnisotropy() {
    return blockFloat(mtl_reflect_anisotropy);
}
float TavroMtl::GetReflectRotation() {
    return blockFloat(mtl_reflect_rotation);
}

Texmap* TavroMtl::GetTransparencyTexmap() {
    return slots_[slotOf(mtl_transparency_map)];
}
Texmap* TavroMtl::GetTransparencyGlossTexmap() {
    return slots_[slotOf(mtl_transp_gl_map)];
}
float TavroMtl::GetTransparencyMult() {
    return blockFloat(mtl_transparency_mult);
}
Color TavroMtl::GetTransparencyColor() {
    return blockColor(mtl_transparency_color);
}
bool TavroMtl::GetTransparencyMultOn() {
    return blockInt(mtl_transparency_mult_on) != 0;
}
float TavroMtl::GetTransparencyGloss() {
    return blockFloat(mtl_transp_gloss);
}
float TavroMtl::GetIor() {
    return blockFloat(mtl_ior);
}
float TavroMtl::GetFogMult() {
    return blockFloat(mtl_fog_multiplier);
}
Color TavroMtl::GetFogColor() {
    return blockColor(mtl_fog_color);
}
bool TavroMtl::GetTransparencyThinOn() {
    return blockInt(mtl_transparency_thin_on) != 0;
}

Texmap* TavroMtl::GetOpacityTexmap() {
    return slots_[slotOf(mtl_opacity_map)];
}
bool TavroMtl::GetAffectShadow() {
    return blockInt(mtl_affect_shadow) != 0;
}
bool TavroMtl::GetOpacitySmooth() {
    return blockInt(mtl_opacity_smooth) != 0;
}
bool TavroMtl::HasOpacityTexmap() {
    return GetOpacityTexmap() != nullptr;
}

Texmap* TavroMtl::GetEmissionTexmap() {
    return slots_[slotOf(mtl_emission_map)];
}
float TavroMtl::GetEmissionMult() {
    return blockFloat(mtl_emission_mult);
}
Color TavroMtl::GetEmissionColor() {
    return blockColor(mtl_emission_color);
}
bool TavroMtl::GetEmissionMultOn() {
    return blockInt(mtl_emission_mult_on) != 0;
}
bool TavroMtl::GetEmissionGi() {
    return blockInt(mtl_emission_gi) != 0;
}

Texmap* TavroMtl::GetTranslucencyTexmap() {
    return slots_[slotOf(mtl_translucency_map)];
}
float TavroMtl::GetTranslucencyMult() {
    return blockFloat(mtl_translucency_mult);
}
Color TavroMtl::GetTranslucencyColor() {
    return blockColor(mtl_translucency_color);
}
bool TavroMtl::GetTranslucencyMultOn() {
    return blockInt(mtl_translucency_mult_on) != 0;
}

Texmap* TavroMtl::GetNormalTexmap() {
    return slots_[slotOf(mtl_normal_map)];
}
float TavroMtl::GetBumpAmount() {
    return blockFloat(mtl_bump_amount);
}
float TavroMtl::GetBumpRadius() {
    return blockFloat(mtl_bump_radius);
}
