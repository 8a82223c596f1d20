// The host's summary queries, answered from the cache, and its setters, written through to
// the block.
#include "ParamBlock2.h"
#include "material/TavroMtl.h"
#include "params/TavroParamIds.h"

namespace {

// Services the material requires of the host's renderer, for every sub-material.
constexpr ULONG kRequirements = 0x00800018;
// The reflection colour's share in the diffuse summary: its multiplier is in percent.
constexpr float kReflectShareOfDiffuse = 0.01f;
// Rec. 709 luminance weights.
constexpr float kLumaR = 0.2126f, kLumaG = 0.7152f, kLumaB = 0.0722f;
// The share of the transparency luminance the host sees as transparency.
constexpr float kTransparencyScale = 0.8f;
// The transparency multiplier counts at most as fully transparent.
constexpr float kTransparencyMultCap = 1.0f;

}  // namespace

ULONG TavroMtl::Requirements(int) {
    return kRequirements;
}

BOOL TavroMtl::IsTransparent(int, BOOL) {
    const Color& c = cache_.mtl_transparency_color;
    return cache_.mtl_transparency_mult * (c.r + c.g + c.b) > 0.0f;
}

Color TavroMtl::GetAmbient(int mtlNum, BOOL backFace) {
    return GetDiffuse(mtlNum, backFace);
}

Color TavroMtl::GetDiffuse(int, BOOL) {
    return cache_.mtl_diffuse_color * cache_.mtl_diffuse_mult +
           cache_.mtl_reflect_color * cache_.mtl_reflect_mult * kReflectShareOfDiffuse;
}

Color TavroMtl::GetSpecular(int, BOOL) {
    return cache_.mtl_reflect_color * cache_.mtl_reflect_mult;
}

float TavroMtl::GetShininess(int, BOOL) {
    return cache_.mtl_refl_gloss;
}

float TavroMtl::GetShinStr(int, BOOL) {
    return 1.0f;
}

float TavroMtl::GetXParency(int, BOOL) {
    // A query leaves the cache alone: the cap applies to this answer only. A NaN
    // multiplier fails the comparison and counts as the cap.
    const float mult = cache_.mtl_transparency_mult <= kTransparencyMultCap
                           ? cache_.mtl_transparency_mult
                           : kTransparencyMultCap;
    const Color& c = cache_.mtl_transparency_color;
    return mult * (kLumaR * c.r + kLumaG * c.g + kLumaB * c.b) * kTransparencyScale;
}

Color TavroMtl::GetSelfIllumColor(int, BOOL) {
    Color res = cache_.mtl_emission_color * cache_.mtl_emission_mult;
    // Reinhard roll-off: any emission maps into [0, 1).
    for (int i = 0; i < 3; ++i) res[i] = res[i] / (1.0f + res[i]);
    return res;
}

float TavroMtl::GetWireSize(int, BOOL) {
    return 1.0f;
}

void TavroMtl::SetAmbient(Color, TimeValue) {}

void TavroMtl::SetDiffuse(Color c, TimeValue t) {
    cache_.mtl_diffuse_color = c;
    if (pblock_ != nullptr) pblock_->SetValue(mtl_diffuse_color, t, cache_.mtl_diffuse_color);
    NotifyChanged();
}

void TavroMtl::SetSpecular(Color c, TimeValue t) {
    cache_.mtl_specular_color = c;
    if (pblock_ != nullptr) pblock_->SetValue(mtl_specular_color, t, cache_.mtl_specular_color);
    NotifyChanged();
}

void TavroMtl::SetShininess(float v, TimeValue t) {
    // The value itself goes to the block (which clamps it to its range), so the setter's
    // value reaches the reflection roughness instead of being lost.
    cache_.mtl_specular_roughness = v;
    if (pblock_ != nullptr) pblock_->SetValue(mtl_reflect_roughness, t, v);
    NotifyChanged();
}
