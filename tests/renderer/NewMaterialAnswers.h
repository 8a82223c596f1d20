// What a renderer reads from a new material: the 45 queries of ITavroMtl in their fixed
// order, each with its answer. Shared by the module's own tests and the renderer's, which
// sees the material only through the chief header.
#pragma once

#include <functional>
#include <variant>

#include "TavroMtl.h"

namespace new_material {

using Answer = std::variant<Texmap*, float, Color, bool, int>;

struct Query {
    const char* name;
    std::function<Answer(ITavroMtl&)> call;
    Answer fresh;
};

#define Q(op, fresh)                                                       \
    {                                                                      \
#op, [](ITavroMtl & m) -> Answer { return m.op(); }, Answer(fresh) \
    }

const Color kWhite(1.0f, 1.0f, 1.0f);
Texmap* const kNoMap = nullptr;

// The 45 queries in the interface's order, with a new material's answers.
const Query kQueries[] = {
    Q(GetDiffuseTexmap, kNoMap),
    Q(GetDiffuseMult, 1.0f),
    Q(GetDiffuseColor, Color(0.8f, 0.8f, 0.8f)),
    Q(GetDiffuseMultOn, false),
    Q(GetDiffuseRoughness, 0.0f),
    Q(GetReflectTexmap, kNoMap),
    Q(GetReflectGlossTexmap, kNoMap),
    Q(GetReflectAnisotropyTexmap, kNoMap),
    Q(GetReflectRotationTexmap, kNoMap),
    Q(GetReflectMult, 0.0f),
    Q(GetReflectColor, kWhite),
    Q(GetReflectMultOn, false),
    Q(GetReflectGloss, 1.0f),
    Q(GetReflectBrdf, 3),
    Q(GetReflectIor, 1.5f),
    Q(GetReflectFresnelOn, true),
    Q(GetReflectExtrusion, 0),
    Q(GetReflectAnisotropy, 0.0f),
    Q(GetReflectRotation, 0.0f),
    Q(GetTransparencyTexmap, kNoMap),
    Q(GetTransparencyGlossTexmap, kNoMap),
    Q(GetTransparencyMult, 0.0f),
    Q(GetTransparencyColor, kWhite),
    Q(GetTransparencyMultOn, false),
    Q(GetTransparencyGloss, 1.0f),
    Q(GetIor, 1.5f),
    Q(GetFogMult, 0.0f),
    Q(GetFogColor, kWhite),
    Q(GetTransparencyThinOn, false),
    Q(GetOpacityTexmap, kNoMap),
    Q(GetAffectShadow, true),
    Q(GetOpacitySmooth, false),
    Q(HasOpacityTexmap, false),
    Q(GetEmissionTexmap, kNoMap),
    Q(GetEmissionMult, 0.0f),
    Q(GetEmissionColor, kWhite),
    Q(GetEmissionMultOn, false),
    Q(GetEmissionGi, true),
    Q(GetTranslucencyTexmap, kNoMap),
    Q(GetTranslucencyMult, 0.0f),
    Q(GetTranslucencyColor, kWhite),
    Q(GetTranslucencyMultOn, false),
    Q(GetNormalTexmap, kNoMap),
    Q(GetBumpAmount, 0.2f),
    Q(GetBumpRadius, 0.25f),
};

#undef Q

}  // namespace new_material
