// The preview shade call: diffuse and translucency lit by the host's lights, then reflection
// and refraction of the preview environment averaged over random samples until the average
// settles, then emission, exposure, roll-off and the cut-out against the background.
#include <cmath>

#include "Point2.h"
#include "brdf/Beckmann.h"
#include "brdf/Ggx.h"
#include "brdf/OrenNayar.h"
#include "brdf/Phong.h"
#include "brdf/PreviewEnvMap.h"
#include "brdf/TorranceSparrow.h"
#include "brdf/Trggx.h"
#include "material/TavroMtl.h"
#include "params/TextureSlots.h"
#include "shading/Relief.h"
#include "shading/SamplingSupport.h"
#include "shading/ShadingMath.h"

namespace {

constexpr int kNormalMapSlot = slotOf(mtl_normal_map);

// Reflection models by the value of mtl_reflect_brdf.
enum ReflectionModel { kPhong = 0, kTorrSparr = 1, kBeckmann = 2, kGgx = 3, kTrggx = 4 };
// mtl_reflect_extrusion value that weighs the reflection by its strongest component; any
// other weighs it by luminance.
constexpr int kExtrusionStrong = 0;

// Passes whose change of the average stays below kStableChange before the average counts as
// settled; they need not follow one another.
constexpr int kStablePasses = 32;
constexpr float kStableChange = 0.001f;
// The average is compared as display values (gamma 1/2.2), where noise shows.
constexpr float kDisplayGamma = 0.45454544f;
// Fixed exposure of the preview before the roll-off.
constexpr float kExposure = 1.5f;

Color environmentAlong(ShadeContext& sc, Texmap* env, const Point3& dir) {
    return sc.EvalEnvironMap(env, dir).rgb();
}

}  // namespace

void TavroMtl::Shade(ShadeContext& sc) {
    if (GetGBufID() != 0) sc.SetGBufferID(GetGBufID());
    sc.shadow = FALSE;

    bool normalChanged = false;
    const Point3 sourceNormal = sc.Normal();
    Point3 normal = sourceNormal;

    const Color diffColor = evalDiffuseColor(sc);
    const Color translucColor = evalTranslucencyColor(sc);
    const float translucWeight = maxComponent(translucColor);
    Color resultDiffuse(0.0f, 0.0f, 0.0f);
    Color resultTransluc(0.0f, 0.0f, 0.0f);

    // Lights. translucColor stays as it is after a light in front of the surface: such a
    // light's back cosine is 0, so it adds no translucency either way.
    Texmap* normalMap = slots_[kNormalMapSlot];
    for (int i = 0; i < sc.nLights(); ++i) {
        LightDesc* ld = sc.Light(i);
        if (ld == nullptr) continue;
        float NdotL = 0.0f;
        float diffCoeff = 0.0f;
        Color lightColor(1.0f, 1.0f, 1.0f);
        Point3 light;

        if (normalMap != nullptr && sc.doMaps) {
            // The perturbation is taken against the sample's own normal for every light, so
            // that every light sees the same relief normal.
            if (normalChanged) sc.SetNormal(sourceNormal);
            normal = reliefNormal(sourceNormal, normalMap->EvalNormalPerturb(sc),
                                  cache_.mtl_bump_amount, sc.backFace != FALSE);
            sc.SetNormal(normal);
            normalChanged = true;
        }

        ld->Illuminate(sc, normal, lightColor, light, NdotL, diffCoeff);
        float backCos = 0.0f;
        if (!(NdotL >= 0.0f)) {
            backCos = NdotL;
            NdotL = 0.0f;
        }

        if (cache_.mtl_roughness_mult > 0.0f) {
            resultDiffuse += lightColor * diffColor * NdotL *
                             orenNayarFactor(light, -sc.V(), normal, cache_.mtl_roughness_mult);
        } else {
            resultDiffuse += lightColor * diffColor * NdotL;
        }
        resultTransluc += lightColor * translucColor * std::fabs(backCos);
        lerpClamped(resultDiffuse, resultTransluc, translucWeight);
    }

    // Directions and the remaining inputs.
    Point3 tbnBasis[2];
    tangentFrame(normal, sc.V(), tbnBasis);
    sc.SetIOR(cache_.mtl_ior);
    const Point3 reflVect = sc.ReflectVector();
    const Point3 refractVect = sc.RefractVector(cache_.mtl_ior);
    Color bg;
    Color bgt;
    sc.GetBGColor(bg, bgt, FALSE);

    const Color transpColor = evalTransparencyColor(sc);
    const float transpWeight = maxComponent(transpColor);
    const float opacity = evalOpacity(sc);
    Color brdfReflects(0.0f, 0.0f, 0.0f);
    Color brdfRefracts(0.0f, 0.0f, 0.0f);
    const float reflGloss = evalReflGlossiness(sc);
    const float reflCosPower = evalReflCosPower(sc);
    const float refrGloss = evalTranspGlossiness(sc);
    const float refrCosPower = evalTranspCosPower(sc);
    const float anisotropy = evalReflAnisotropy(sc);
    const float rotation = evalReflRotation(sc);
    const Color reflColor = evalReflectColor(sc);
    const float reflWeight = cache_.mtl_reflect_extrusion == kExtrusionStrong
                                 ? maxComponent(reflColor)
                                 : luminance(reflColor);
    float fresnel = 1.0f;
    if (cache_.mtl_refl_fresnel_on) {
        fresnel = fresnelConductor(std::fabs(sc.V() % sc.Normal()), cache_.mtl_reflect_ior, 0.0f);
    }
    const bool refracts = luminance(transpColor) > 0.0f;

    // Sampling until the average settles.
    int passCount = 0;
    int stableCount = 0;
    float prevLum = 0.0f;
    Color summColor(0.0f, 0.0f, 0.0f);
    seedShadeRandom();
    Texmap* env = previewEnvMap;
    while (stableCount < kStablePasses) {
        if (env != nullptr) {
            Point2 rnd2d;
            rnd2d.x = rand01();
            rnd2d.y = rand01();
            // The models never take a second value of 0; the pass is abandoned and not counted.
            if (rnd2d.y == 0.0f) continue;

            if (reflWeight > 0.0f) {
                if (reflGloss >= 1.0f) {
                    brdfReflects = environmentAlong(sc, env, reflVect);
                } else {
                    switch (cache_.mtl_reflect_brdf) {
                        case kPhong:
                            brdfSamplePhong(brdfReflects, sc, rnd2d, reflCosPower, env, reflVect);
                            break;
                        case kTorrSparr:
                            brdfSampleTorrSparr(brdfReflects, sc, rnd2d, reflCosPower, env, normal);
                            break;
                        case kBeckmann:
                            brdfSampleBeckmann(brdfReflects, sc, rnd2d, reflGloss, anisotropy,
                                               rotation, env, normal, tbnBasis);
                            break;
                        case kGgx:
                            brdfSampleGGX(brdfReflects, sc, rnd2d, reflGloss, env, normal);
                            break;
                        case kTrggx:
                            brdfSampleTRGGX(brdfReflects, sc, rnd2d, reflGloss, anisotropy,
                                            rotation, env, normal, tbnBasis);
                            break;
                        default:
                            break;
                    }
                }
            }
            if (refracts) {
                if (refrGloss >= 1.0f) {
                    brdfRefracts = environmentAlong(sc, env, refractVect);
                } else {
                    brdfSamplePhong(brdfRefracts, sc, rnd2d, refrCosPower, env, refractVect);
                }
            }
        }

        Color col = resultDiffuse;
        lerpClamped(col, brdfRefracts * transpColor, transpWeight);
        lerpClamped(col, brdfReflects * reflColor, reflWeight * fresnel);
        lerpClamped(col, bg, 1.0f - opacity);

        const float k = 1.0f / static_cast<float>(passCount + 1);
        summColor = summColor * (1.0f - k) + col * k;
        const float lum = std::pow(luminance(summColor), kDisplayGamma);
        const float change = std::fabs(prevLum - lum);
        prevLum = lum;
        if (!(change >= kStableChange)) ++stableCount;
        ++passCount;
    }

    Color col = summColor + evalEmissionColor(sc);
    col = col * kExposure;
    col = Color(rollOff(col.r), rollOff(col.g), rollOff(col.b));
    lerpClamped(col, bg, 1.0f - opacity);
    sc.out.c = col;

    if (normalChanged) sc.SetNormal(sourceNormal);
}
