#include <string>
#include <vector>

#include "BitmapTex.h"
#include "brdf/PreviewEnvMap.h"
#include "material/CacheFields.h"
#include "material/PreviewTextures.h"
#include "params/TavroParamIds.h"
#include "tests/material/MaterialFixture.h"

TEST_F(MaterialTest, NewMaterialHasItsBlockEmptySlotsAndAStaleCache) {
    ASSERT_NE(block(), nullptr);
    EXPECT_EQ(mtl->GetReference(13), block());
    for (int i = 0; i < 13; ++i) EXPECT_EQ(mtl->GetReference(i), nullptr) << i;
    EXPECT_TRUE(mtl->cacheValidity().Empty());
    EXPECT_EQ(mtl->cache().mtl_reflect_ior, 0.0f);
    EXPECT_EQ(mtl->cache().mtl_bump_radius, 1.0f);
    EXPECT_EQ(mtl->ClassID(), TAVROMTL_CLASS_ID);
    EXPECT_EQ(mtl->SuperClassID(), SClass_ID{0x0C00});
    MSTR name;
    mtl->GetClassName(name);
    EXPECT_EQ(name, L"TavroMtl");
}

TEST_F(MaterialTest, FirstUpdateLoadsTheDefaults) {
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    const TavroMtlCache& c = mtl->cache();
    EXPECT_EQ(c.mtl_reflect_ior, 1.5f);
    EXPECT_EQ(c.mtl_reflect_cospower, 256.0f);
    EXPECT_EQ(c.mtl_refl_gloss, 1.0f);
    EXPECT_EQ(c.mtl_bump_radius, 0.25f);
    EXPECT_EQ(c.mtl_reflect_brdf, 3);
    EXPECT_EQ(c.mtl_diffuse_color, Color(0.8f, 0.8f, 0.8f));
    EXPECT_EQ(c.mtl_affect_shadow, 1);
    EXPECT_EQ(valid, FOREVER);
    EXPECT_EQ(observer->count(REFMSG_MTL_CACHE_RELOADED), 1);
}

TEST_F(MaterialTest, UpdateLeavesTheFormerSpecularLayerAlone) {
    block()->SetValue(mtl_specular_ior, 0, 7.0f);
    block()->SetValue(mtl_spec_fresnel_on, 0, 0);
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    EXPECT_EQ(mtl->cache().mtl_specular_ior, 0.0f);
    EXPECT_EQ(mtl->cache().mtl_spec_fresnel_on, 1);
    EXPECT_EQ(mtl->cache().mtl_specular_brdf, 3);
}

TEST_F(MaterialTest, UpdateReadsTheParametersInTheFixedOrder) {
    const std::vector<int> expected = {2,  3,  5,  6,  41, 65, 15, 17, 18, 19, 20, 21, 22, 46, 48,
                                       49, 64, 66, 67, 53, 23, 25, 26, 57, 27, 29, 30, 31, 33, 32,
                                       34, 35, 36, 50, 52, 59, 60, 61, 63, 54, 37, 38, 40, 55, 56};
    std::vector<int> order;
    for (const RefreshedField& f : refreshedCacheFields()) order.push_back(f.param);
    EXPECT_EQ(order, expected);
}

TEST_F(MaterialTest, EveryRefreshedFieldTakesTheBlocksValue) {
    block()->SetValue(mtl_bump_sigma, 0, 3.0f);
    block()->SetValue(mtl_fog_color, 0, Color(0.1f, 0.2f, 0.3f));
    block()->SetValue(mtl_reflect_extrusion, 0, 1);
    block()->SetValue(mtl_opacity_smooth, 0, 1);
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    EXPECT_EQ(mtl->cache().mtl_bump_sigma, 3.0f);
    EXPECT_EQ(mtl->cache().mtl_fog_color, Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(mtl->cache().mtl_reflect_extrusion, 1);
    EXPECT_EQ(mtl->cache().mtl_opacity_smooth, 1);
}

TEST_F(MaterialTest, SecondUpdateAtTheSameTimeReadsNothing) {
    ConstantTexmap* map = newMap();
    mtl->SetSubTexmap(0, map);
    Interval valid = FOREVER;
    mtl->Update(10, valid);
    const int mapUpdates = map->UpdateCount();
    const long broadcasts = observer->count(REFMSG_MTL_CACHE_RELOADED);
    // A change that bypasses notification is not seen while the cache is current.
    Interval narrow(5, 20);
    mtl->Update(10, narrow);
    EXPECT_EQ(map->UpdateCount(), mapUpdates);
    EXPECT_EQ(observer->count(REFMSG_MTL_CACHE_RELOADED), broadcasts);
    EXPECT_EQ(narrow, Interval(5, 20));
}

TEST_F(MaterialTest, AnimatedParameterNarrowsTheCacheAndReloadsOutsideIt) {
    block()->SetKey(mtl_diffuse_mult, ParamKey{0, 1.0f, Color()});
    block()->SetKey(mtl_diffuse_mult, ParamKey{100, 5.0f, Color()});
    Interval valid = FOREVER;
    mtl->Update(50, valid);
    EXPECT_EQ(valid, Interval(50, 50));
    EXPECT_EQ(mtl->cache().mtl_diffuse_mult, 3.0f);
    const long broadcasts = observer->count(REFMSG_MTL_CACHE_RELOADED);
    valid = FOREVER;
    mtl->Update(200, valid);
    EXPECT_EQ(mtl->cache().mtl_diffuse_mult, 5.0f);
    EXPECT_EQ(valid, Interval(100, TIME_PosInfinity));
    EXPECT_EQ(observer->count(REFMSG_MTL_CACHE_RELOADED), broadcasts + 1);
}

TEST_F(MaterialTest, MapsNarrowTheCacheThroughTheirUpdate) {
    ConstantTexmap* map = newMap();
    map->SetValidity(Interval(-10, 10));
    mtl->SetSubTexmap(7, map);
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    EXPECT_EQ(map->UpdateCount(), 1);
    EXPECT_EQ(valid, Interval(-10, 10));
}

TEST_F(MaterialTest, ChangeFromTheBlockEmptiesTheCacheValidity) {
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    ASSERT_FALSE(mtl->cacheValidity().Empty());
    block()->SetValue(mtl_reflect_ior, 0, 2.0f);
    EXPECT_TRUE(mtl->cacheValidity().Empty());
    mtl->Update(0, valid);
    EXPECT_EQ(mtl->cache().mtl_reflect_ior, 2.0f);
}

TEST_F(MaterialTest, OnlyTheChangeMessageEmptiesTheCache) {
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    PartID part = PART_ALL;
    for (RefMessage m : {REFMSG_TARGET_DELETED, REFMSG_SUBANIM_STRUCTURE_CHANGED,
                         REFMSG_MTL_CACHE_RELOADED, RefMessage{0x51}}) {
        EXPECT_EQ(mtl->NotifyRefChanged(FOREVER, block(), part, m, TRUE), REF_SUCCEED);
        EXPECT_EQ(mtl->cacheValidity(), FOREVER) << m;
    }
    EXPECT_EQ(mtl->NotifyRefChanged(FOREVER, nullptr, part, REFMSG_CHANGE, TRUE), REF_SUCCEED);
    EXPECT_TRUE(mtl->cacheValidity().Empty());
}

TEST_F(MaterialTest, ValidityComesFromTheMapsOnly) {
    block()->SetKey(mtl_diffuse_mult, ParamKey{0, 1.0f, Color()});
    block()->SetKey(mtl_diffuse_mult, ParamKey{100, 5.0f, Color()});
    EXPECT_EQ(mtl->Validity(50), FOREVER);
    ConstantTexmap* a = newMap();
    ConstantTexmap* b = newMap();
    a->SetValidity(Interval(0, 40));
    b->SetValidity(Interval(20, 90));
    mtl->SetSubTexmap(3, a);
    mtl->SetSubTexmap(11, b);
    EXPECT_EQ(mtl->Validity(30), Interval(20, 40));
}

TEST_F(MaterialTest, ResetEmptiesTheSlotsAndInstallsAFreshBlock) {
    mtl->SetSubTexmap(2, newMap());
    mtl->SetSubTexmap(5, newMap());
    block()->SetValue(mtl_reflect_ior, 0, 3.0f);
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    mtl->Reset();
    for (int i = 0; i < 13; ++i) EXPECT_EQ(mtl->GetSubTexmap(i), nullptr) << i;
    ASSERT_NE(block(), nullptr);
    EXPECT_EQ(block()->GetFloat(mtl_reflect_ior), 1.5f);
    EXPECT_EQ(block()->GetTexmap(mtl_reflect_map), nullptr);
    EXPECT_TRUE(mtl->cacheValidity().Empty());
    EXPECT_EQ(mtl->cache().mtl_reflect_ior, 3.0f);
}

TEST_F(MaterialTest, MaterialMadeForLoadingWaitsForItsBlock) {
    TavroMtl* loading = newMaterial(true);
    Observer holder(loading);
    EXPECT_EQ(loading->GetParamBlock(0), nullptr);
    Interval valid = FOREVER;
    loading->Update(0, valid);
    EXPECT_TRUE(valid.Empty());
    EXPECT_EQ(loading->cache().mtl_reflect_ior, 0.0f);
    // The renderer queries answer the defaults rather than reading through no block.
    EXPECT_EQ(loading->GetReflectIor(), 1.5f);
    EXPECT_EQ(loading->GetReflectBrdf(), 3);
    EXPECT_TRUE(loading->GetAffectShadow());
}

TEST(PreviewTextures, FirstMaterialPreparesTheEnvironmentOnce) {
    attachModule();
    PreviewTextures& textures = previewTextures();
    TavroMtl* first = newMaterial(false);
    Observer holdFirst(first);
    ASSERT_TRUE(textures.environmentPrepared());
    BitmapTex* env = textures.environment();
    ASSERT_NE(env, nullptr);
    EXPECT_EQ(previewEnvMap, env);
    EXPECT_EQ(std::wstring(env->GetMapName()),
              L"c:\\[Tavro]\\pluginFiles\\material\\EnvMatEdit.hdr");
    EXPECT_EQ(env->GetFilterType(), 2);
    EXPECT_EQ(env->GetUVGen()->GetCoordMapping(), 1);
    EXPECT_EQ(env->GetUVGen()->GetSlotType(), 0);

    env->SetMapName(L"elsewhere.hdr");
    TavroMtl* second = newMaterial(false);
    Observer holdSecond(second);
    EXPECT_EQ(std::wstring(env->GetMapName()), L"elsewhere.hdr");
    EXPECT_EQ(previewEnvMap, env);
}
