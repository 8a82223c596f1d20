// The sample-time inputs of the preview shading: each combines the cached parameter values
// with the map of its slot, evaluated at the sample while the context's map switch is on.
#include <cmath>

#include "material/TavroMtl.h"
#include "params/TextureSlots.h"
#include "shading/Glossiness.h"
#include "shading/ShadingMath.h"

namespace {

// Fog colour per unit of fog multiplier: a multiplier of 20 gives the pure fog colour.
constexpr float kFogPerMultiplier = 0.05f;
// A hard-edged opacity map cuts at half brightness.
constexpr float kOpacityCut = 0.5f;
// The rotation parameter is in degrees; the models take turns.
constexpr float kDegreesPerTurn = 360.0f;

Texmap* mapAt(ShadeContext& sc, Texmap* map) {
    return sc.doMaps ? map : nullptr;
}

// col × m, or the map's colour × (col when `multiplyOn`) × m where the map applies.
Color modulatedColor(ShadeContext& sc, Texmap* slot, const Color& col, float m, BOOL multiplyOn) {
    Texmap* map = mapAt(sc, slot);
    if (map == nullptr) return col * m;
    const Color texColor = map->EvalColor(sc).rgb();
    return multiplyOn ? (texColor * col) * m : texColor * m;
}

Color clamped(Color c) {
    c.ClampMinMax();
    return c;
}

// A scalar parameter multiplied by the mono value of its map where the map applies.
float modulatedValue(ShadeContext& sc, Texmap* slot, float value) {
    Texmap* map = mapAt(sc, slot);
    return map == nullptr ? value : value * map->EvalMono(sc);
}

}  // namespace

Color TavroMtl::evalDiffuseColor(ShadeContext& sc) const {
    if (GetGBufID() != 0) sc.SetGBufferID(GetGBufID());
    return clamped(modulatedColor(sc, slots_[slotOf(mtl_diffuse_map)], cache_.mtl_diffuse_color,
                                  cache_.mtl_diffuse_mult, cache_.mtl_diffuse_mult_on));
}

Color TavroMtl::evalReflectColor(ShadeContext& sc) const {
    return clamped(modulatedColor(sc, slots_[slotOf(mtl_reflect_map)], cache_.mtl_reflect_color,
                                  cache_.mtl_reflect_mult, cache_.mtl_reflect_mult_on));
}

Color TavroMtl::evalTransparencyColor(ShadeContext& sc) const {
    Color fogTransparency(1.0f, 1.0f, 1.0f);
    if (!cache_.mtl_transparency_thin_on) {
        lerpClamped(fogTransparency, cache_.mtl_fog_color,
                    cache_.mtl_fog_multiplier * kFogPerMultiplier);
    }
    const Color c =
        modulatedColor(sc, slots_[slotOf(mtl_transparency_map)], cache_.mtl_transparency_color,
                       cache_.mtl_transparency_mult, cache_.mtl_transparency_mult_on);
    return clamped(c * fogTransparency);
}

Color TavroMtl::evalTranslucencyColor(ShadeContext& sc) const {
    return clamped(modulatedColor(sc, slots_[slotOf(mtl_translucency_map)],
                                  cache_.mtl_translucency_color, cache_.mtl_translucency_mult,
                                  cache_.mtl_translucency_mult_on));
}

// Unclamped: emission may be brighter than white.
Color TavroMtl::evalEmissionColor(ShadeContext& sc) const {
    return modulatedColor(sc, slots_[slotOf(mtl_emission_map)], cache_.mtl_emission_color,
                          cache_.mtl_emission_mult, cache_.mtl_emission_mult_on);
}

float TavroMtl::evalOpacity(ShadeContext& sc) const {
    Texmap* map = mapAt(sc, slots_[slotOf(mtl_opacity_map)]);
    if (map == nullptr) return 1.0f;
    const float v = std::fmin(maxComponent(map->EvalColor(sc).rgb()), 1.0f);
    if (cache_.mtl_opacity_smooth) return v;
    return v >= kOpacityCut ? 1.0f : 0.0f;
}

// With the gloss-or-cosine switch on the lobe is set by its cosine power; the glossiness is
// then the one of that power, so that the glossiness-driven models show the same lobe width
// and a mirror-like power makes a mirror.
float TavroMtl::evalReflGlossiness(ShadeContext& sc) const {
    if (cache_.mtl_refl_gloss_or_cos) return clamp01(cosPowerToGloss(cache_.mtl_reflect_cospower));
    return clamp01(modulatedValue(sc, slots_[slotOf(mtl_refl_gl_map)], cache_.mtl_refl_gloss));
}

float TavroMtl::evalReflCosPower(ShadeContext& sc) const {
    if (cache_.mtl_refl_gloss_or_cos) return cache_.mtl_reflect_cospower;
    return glossToCosPower(
        modulatedValue(sc, slots_[slotOf(mtl_refl_gl_map)], cache_.mtl_refl_gloss));
}

float TavroMtl::evalTranspGlossiness(ShadeContext& sc) const {
    if (cache_.mtl_transp_gloss_or_cos) {
        return clamp01(cosPowerToGloss(cache_.mtl_transparency_cospower));
    }
    return clamp01(modulatedValue(sc, slots_[slotOf(mtl_transp_gl_map)], cache_.mtl_transp_gloss));
}

float TavroMtl::evalTranspCosPower(ShadeContext& sc) const {
    if (cache_.mtl_transp_gloss_or_cos) return cache_.mtl_transparency_cospower;
    return glossToCosPower(
        modulatedValue(sc, slots_[slotOf(mtl_transp_gl_map)], cache_.mtl_transp_gloss));
}

float TavroMtl::evalReflAnisotropy(ShadeContext& sc) const {
    return clamp01(modulatedValue(sc, slots_[slotOf(mtl_reflect_anisotropy_map)],
                                  cache_.mtl_reflect_anisotropy));
}

// A rotation map replaces the parameter, in turns.
float TavroMtl::evalReflRotation(ShadeContext& sc) const {
    Texmap* map = mapAt(sc, slots_[slotOf(mtl_reflect_rotation_map)]);
    const float r =
        map != nullptr ? map->EvalMono(sc) : cache_.mtl_reflect_rotation / kDegreesPerTurn;
    return clamp01(r);
}
