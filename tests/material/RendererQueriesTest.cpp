#include <functional>
#include <variant>

#include "params/TavroParamIds.h"
#include "tests/material/MaterialFixture.h"

namespace {

using Answer = std::variant<Texmap*, float, Color, bool, int>;

struct Query {
    const char* name;
    std::function<Answer(ITavroMtl&)> call;
    Answer fresh;  // the answer of a new material
};

#define Q(op, fresh)                                                       \
    {                                                                      \
#op, [](ITavroMtl & m) -> Answer { return m.op(); }, Answer(fresh) \
    }

const Color kWhite(1.0f, 1.0f, 1.0f);
Texmap* const kNoMap = nullptr;

// The 45 queries in their fixed order, with a new material's answers.
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

TEST_F(MaterialTest, RendererQueriesOfANewMaterial) {
    ASSERT_EQ(std::size(kQueries), 45u);
    ITavroMtl& renderer = *mtl;
    for (const Query& q : kQueries) EXPECT_TRUE(q.call(renderer) == q.fresh) << q.name;
}

TEST_F(MaterialTest, RendererQueriesReadTheBlockAtTimeZero) {
    block()->SetKey(mtl_diffuse_mult, ParamKey{0, 1.0f, Color()});
    block()->SetKey(mtl_diffuse_mult, ParamKey{100, 5.0f, Color()});
    Interval valid = FOREVER;
    mtl->Update(100, valid);
    EXPECT_EQ(mtl->cache().mtl_diffuse_mult, 5.0f);
    EXPECT_EQ(mtl->GetDiffuseMult(), 1.0f);
}

TEST_F(MaterialTest, RendererSeesABlockChangeBeforeAnyUpdate) {
    block()->SetValue(mtl_reflect_rotation, 0, 270.0f);
    block()->SetValue(mtl_reflect_brdf, 0, 4);
    block()->SetValue(mtl_transparency_thin_on, 0, 1);
    EXPECT_EQ(mtl->GetReflectRotation(), 270.0f);
    EXPECT_EQ(mtl->GetReflectBrdf(), 4);
    EXPECT_TRUE(mtl->GetTransparencyThinOn());
}

TEST_F(MaterialTest, EachMapQueryAnswersItsSlot) {
    struct MapQuery {
        int slot;
        Texmap* (ITavroMtl::*query)();
    };
    const MapQuery queries[] = {
        {0, &ITavroMtl::GetDiffuseTexmap},
        {2, &ITavroMtl::GetReflectTexmap},
        {3, &ITavroMtl::GetEmissionTexmap},
        {4, &ITavroMtl::GetTransparencyTexmap},
        {5, &ITavroMtl::GetNormalTexmap},
        {7, &ITavroMtl::GetReflectGlossTexmap},
        {8, &ITavroMtl::GetTransparencyGlossTexmap},
        {9, &ITavroMtl::GetOpacityTexmap},
        {10, &ITavroMtl::GetTranslucencyTexmap},
        {11, &ITavroMtl::GetReflectAnisotropyTexmap},
        {12, &ITavroMtl::GetReflectRotationTexmap},
    };
    for (const MapQuery& q : queries) {
        ConstantTexmap* map = newMap();
        mtl->SetSubTexmap(q.slot, map);
        EXPECT_EQ((mtl->*q.query)(), map) << q.slot;
    }
}

TEST_F(MaterialTest, OpacityMapQueriesFollowSlotNine) {
    ConstantTexmap* map = newMap();
    mtl->SetSubTexmap(9, map);
    EXPECT_EQ(mtl->GetOpacityTexmap(), map);
    EXPECT_TRUE(mtl->HasOpacityTexmap());
    mtl->SetSubTexmap(9, nullptr);
    EXPECT_EQ(mtl->GetOpacityTexmap(), nullptr);
    EXPECT_FALSE(mtl->HasOpacityTexmap());
}
