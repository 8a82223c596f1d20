#include "params/TavroParamIds.h"
#include "tests/material/MaterialFixture.h"
#include "tests/renderer/NewMaterialAnswers.h"

using new_material::kQueries;
using new_material::Query;

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
