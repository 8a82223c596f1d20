// The renderer's side: a material made by a loaded module, read through ITavroMtl only.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <variant>

#include "BuiltModules.h"
#include "ClassDesc2.h"
#include "ModuleLoader.h"
#include "TavroMtl.h"

namespace {

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

// What a renderer reads from a new material, in the interface's order.
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

}  // namespace

TEST(Renderer, ReadsANewMaterialOfEveryBuild) {
    ASSERT_EQ(std::size(kQueries), 45u);
    for (const BuiltModule& b : kBuiltModules) {
        SCOPED_TRACE(b.sdk);
        std::string error;
        std::unique_ptr<LoadedModule> module = LoadedModule::Open(modulePath(b.sdk), error);
        ASSERT_NE(module, nullptr) << error;
        ClassDesc* cd = module->GetClassDesc(0);
        ASSERT_NE(cd, nullptr);
        EXPECT_EQ(cd->ClassID(), TAVROMTL_CLASS_ID);

        auto* made = static_cast<Animatable*>(cd->Create(FALSE));
        ASSERT_NE(made, nullptr);
        // Recognised by class id; the material is its own ITavroMtl.
        ASSERT_EQ(made->ClassID(), TAVROMTL_CLASS_ID);
        ASSERT_EQ(made->SuperClassID(), MATERIAL_CLASS_ID);
        ITavroMtl& material = *static_cast<ITavroMtl*>(static_cast<Mtl*>(made));
        for (const Query& q : kQueries) EXPECT_TRUE(q.call(material) == q.fresh) << q.name;
        static_cast<ReferenceTarget*>(made)->DeleteMe();
    }
}
