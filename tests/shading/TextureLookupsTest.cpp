#include <gtest/gtest.h>

#include "shading/Glossiness.h"
#include "tests/shading/ShadingFixture.h"

using namespace shadingtest;

using TextureLookups = ShadingTest;

TEST_F(TextureLookups, NewMaterialIsGreyDiffuseAndBlackElsewhere) {
    update();
    TestShadeContext sc;
    EXPECT_EQ(mtl->evalDiffuseColor(sc), Color(0.8f, 0.8f, 0.8f));
    EXPECT_EQ(mtl->evalReflectColor(sc), Color());
    EXPECT_EQ(mtl->evalTransparencyColor(sc), Color());
    EXPECT_EQ(mtl->evalTranslucencyColor(sc), Color());
    EXPECT_EQ(mtl->evalEmissionColor(sc), Color());
    EXPECT_EQ(mtl->evalOpacity(sc), 1.0f);
    EXPECT_EQ(mtl->evalReflGlossiness(sc), 1.0f);
}

TEST_F(TextureLookups, DiffuseMapReplacesOrMultipliesTheColour) {
    set(mtl_diffuse_color, Color(0.5f, 0.25f, 1.0f));
    set(mtl_diffuse_mult, 0.5f);
    putMap(mtl_diffuse_map, {0.4f, 0.4f, 0.4f, 1.0f});
    TestShadeContext sc;
    update();
    EXPECT_EQ(mtl->evalDiffuseColor(sc), Color(0.2f, 0.2f, 0.2f)) << "multiply switch off";
    set(mtl_diffuse_mult_on, TRUE);
    update();
    const Color c = mtl->evalDiffuseColor(sc);
    EXPECT_FLOAT_EQ(c.r, 0.4f * 0.5f * 0.5f);
    EXPECT_FLOAT_EQ(c.g, 0.4f * 0.25f * 0.5f);
    EXPECT_FLOAT_EQ(c.b, 0.4f * 1.0f * 0.5f);
    sc.doMaps = FALSE;
    EXPECT_EQ(mtl->evalDiffuseColor(sc), Color(0.25f, 0.125f, 0.5f)) << "maps switched off";
}

TEST_F(TextureLookups, EveryColourButEmissionIsClamped) {
    for (TavroParamId id : {mtl_diffuse_color, mtl_emission_color})
        set(id, Color(1.0f, 1.0f, 1.0f));
    set(mtl_diffuse_mult, 100.0f);
    set(mtl_emission_mult, 100.0f);
    update();
    TestShadeContext sc;
    EXPECT_EQ(mtl->evalDiffuseColor(sc), Color(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(mtl->evalEmissionColor(sc), Color(100.0f, 100.0f, 100.0f));
}

TEST_F(TextureLookups, DiffuseHandsOverTheGBufferId) {
    update();
    TestShadeContext sc;
    mtl->evalDiffuseColor(sc);
    EXPECT_EQ(sc.out.gbufId, 0);
    mtl->SetGBufID(7);
    mtl->evalDiffuseColor(sc);
    EXPECT_EQ(sc.out.gbufId, 7);
}

TEST_F(TextureLookups, FogTintsThickTransparencyOnly) {
    set(mtl_transparency_mult, 1.0f);
    set(mtl_fog_color, Color(0.0f, 0.0f, 1.0f));
    set(mtl_fog_multiplier, 10.0f);
    update();
    TestShadeContext sc;
    EXPECT_EQ(mtl->evalTransparencyColor(sc), Color(0.5f, 0.5f, 1.0f));
    set(mtl_transparency_thin_on, TRUE);
    update();
    EXPECT_EQ(mtl->evalTransparencyColor(sc), Color(1.0f, 1.0f, 1.0f));
    set(mtl_transparency_thin_on, FALSE);
    set(mtl_fog_multiplier, 40.0f);
    update();
    EXPECT_EQ(mtl->evalTransparencyColor(sc), Color(0.0f, 0.0f, 1.0f)) << "20 or more: pure fog";
}

TEST_F(TextureLookups, OpacityMapCutsHardOrPassesSmoothly) {
    const struct {
        float grey;
        BOOL smooth;
        float expected;
    } cases[] = {{0.5f, FALSE, 1.0f},  {0.49f, FALSE, 0.0f}, {0.5f, TRUE, 0.5f},
                 {0.49f, TRUE, 0.49f}, {2.0f, TRUE, 1.0f},   {2.0f, FALSE, 1.0f}};
    ConstantTexmap* map = putMap(mtl_opacity_map);
    TestShadeContext sc;
    for (const auto& c : cases) {
        map->SetColor({c.grey, c.grey * 0.5f, 0.0f, 1.0f});  // the strongest component counts
        set(mtl_opacity_smooth, c.smooth);
        update();
        EXPECT_EQ(mtl->evalOpacity(sc), c.expected) << c.grey << " smooth " << c.smooth;
    }
    sc.doMaps = FALSE;
    map->SetColor({0.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_EQ(mtl->evalOpacity(sc), 1.0f) << "maps switched off";
}

TEST_F(TextureLookups, GlossinessIsClampedAndCosinePowerIsNot) {
    set(mtl_refl_gloss, 10.0f);
    update();
    TestShadeContext sc;
    EXPECT_EQ(mtl->evalReflGlossiness(sc), 1.0f);
    set(mtl_refl_gloss, 1.0f);
    update();
    EXPECT_NEAR(mtl->evalReflCosPower(sc), 49847.0f, 5.0f);

    set(mtl_transp_gloss, 0.8f);
    putMap(mtl_transp_gl_map)->SetMono(0.5f);
    update();
    EXPECT_FLOAT_EQ(mtl->evalTranspGlossiness(sc), 0.4f);
    EXPECT_FLOAT_EQ(mtl->evalTranspCosPower(sc), glossToCosPower(0.4f));
    sc.doMaps = FALSE;
    EXPECT_FLOAT_EQ(mtl->evalTranspGlossiness(sc), 0.8f);
}

TEST_F(TextureLookups, CosinePowerSwitchTakesThePowerAndItsGlossiness) {
    set(mtl_refl_gloss_or_cos, 1);
    set(mtl_refl_gloss, 0.2f);
    putMap(mtl_refl_gl_map)->SetMono(0.1f);
    update();
    TestShadeContext sc;
    EXPECT_EQ(mtl->evalReflCosPower(sc), 256.0f);
    EXPECT_NEAR(mtl->evalReflGlossiness(sc), cosPowerToGloss(256.0f), 1e-6f);
    set(mtl_reflect_cospower, 1e6f);
    update();
    EXPECT_EQ(mtl->evalReflGlossiness(sc), 1.0f) << "a power beyond the fit's top is a mirror";
}

TEST_F(TextureLookups, AnisotropyAndRotation) {
    set(mtl_reflect_anisotropy, 0.8f);
    set(mtl_reflect_rotation, 90.0f);
    update();
    TestShadeContext sc;
    EXPECT_FLOAT_EQ(mtl->evalReflAnisotropy(sc), 0.8f);
    EXPECT_EQ(mtl->evalReflRotation(sc), 0.25f);
    putMap(mtl_reflect_anisotropy_map)->SetMono(2.0f);
    putMap(mtl_reflect_rotation_map)->SetMono(0.7f);
    update();
    EXPECT_EQ(mtl->evalReflAnisotropy(sc), 1.0f);
    EXPECT_EQ(mtl->evalReflRotation(sc), 0.7f) << "the map replaces the parameter";
}
