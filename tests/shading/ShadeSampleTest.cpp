#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "brdf/OrenNayar.h"
#include "shading/Glossiness.h"
#include "shading/SamplingSupport.h"
#include "tests/shading/ShadingFixture.h"

using namespace shadingtest;

namespace {
const Color kWhite(1.0f, 1.0f, 1.0f);
const Point3 kUp(0.0f, 0.0f, 1.0f);

void expectGrey(const Color& c, float v, float tolerance = 1e-5f) {
    EXPECT_NEAR(c.r, v, tolerance);
    EXPECT_NEAR(c.g, v, tolerance);
    EXPECT_NEAR(c.b, v, tolerance);
}
}  // namespace

using ShadeSample = ShadingTest;

TEST_F(ShadeSample, DefaultMaterialUnderOneWhiteLight) {
    TestLight light(kWhite, kUp, 1.0f);
    TestShadeContext sc;
    sc.lights = {&light};
    sc.environment = [](const Point3&) { return Color(5.0f, 5.0f, 5.0f); };
    expectGrey(shade(sc), 0.9347f, 1e-4f);
    expectGrey(sc.out.c, expectedOutput(0.8f));
    EXPECT_EQ(sc.shadow, FALSE);
    EXPECT_EQ(sc.out.ior, 1.5f);
}

TEST_F(ShadeSample, LightBehindFeedsTranslucencyOnly) {
    set(mtl_translucency_mult, 0.5f);
    TestLight light(kWhite, -kUp, -0.5f);
    TestShadeContext sc;
    sc.lights = {&light};
    // resultTransluc 0.25, blended in by the weight 0.5: resultDiffuse 0.125.
    expectGrey(shade(sc), expectedOutput(0.125f));
}

TEST_F(ShadeSample, RoughnessScalesEachLightByOrenNayar) {
    const Point3 toLight = Normalize(Point3(0.6f, 0.0f, 0.8f));
    TestLight light(kWhite, toLight);
    TestShadeContext sc;
    sc.view = Normalize(Point3(0.3f, 0.4f, -1.0f));
    sc.lights = {&light};
    const float lambert = 0.8f * 0.8f;
    expectGrey(shade(sc), expectedOutput(lambert));
    set(mtl_roughness_mult, 0.7f);
    const float factor = orenNayarFactor(toLight, -sc.view, kUp, 0.7f);
    EXPECT_NE(factor, 1.0f);
    expectGrey(shade(sc), expectedOutput(lambert * factor));
}

// A constant environment makes every pass the same, so the average is exact and the shade
// call's arithmetic can be followed by hand.
TEST_F(ShadeSample, MirrorReflectionWithFresnelFollowsTheLayerArithmetic) {
    const Color env(0.6f, 0.3f, 0.9f);
    const Color diffuse(0.2f, 0.4f, 0.1f);
    set(mtl_reflect_mult, 1.0f);
    set(mtl_diffuse_color, diffuse);
    TestLight light(kWhite, kUp, 1.0f);
    TestShadeContext sc;
    sc.lights = {&light};
    sc.environment = [&](const Point3&) { return env; };
    const Color out = shade(sc);
    const float f = 0.04f;  // Fresnel at index 1.5, straight on
    EXPECT_NEAR(out.r, expectedOutput(diffuse.r + (env.r - diffuse.r) * f), 1e-5f);
    EXPECT_NEAR(out.g, expectedOutput(diffuse.g + (env.g - diffuse.g) * f), 1e-5f);
    EXPECT_NEAR(out.b, expectedOutput(diffuse.b + (env.b - diffuse.b) * f), 1e-5f);
    // One mirror lookup per counted pass: the loop ends after 32 or 33 of them.
    EXPECT_GE(sc.envDirections.size(), 32u);
    EXPECT_LE(sc.envDirections.size(), 33u);
    for (const Point3& d : sc.envDirections) EXPECT_EQ(d, kUp);
    for (Texmap* m : sc.envMaps) EXPECT_EQ(m, previewEnvMap);
}

TEST_F(ShadeSample, FresnelTendsToOneAtGrazingViews) {
    makeReflective();
    TestShadeContext sc;
    sc.environment = [](const Point3&) { return Color(1.0f, 1.0f, 1.0f); };
    sc.view = Normalize(Point3(1.0f, 0.0f, -0.001f));
    EXPECT_NEAR(shade(sc).r, expectedOutput(1.0f), 0.01f);
}

TEST_F(ShadeSample, ExtrusionWeighsTheReflection) {
    makeReflective();
    set(mtl_reflect_color, Color(1.0f, 0.0f, 0.0f));
    set(mtl_refl_fresnel_on, FALSE);
    const struct {
        int extrusion;
        float weight;
    } cases[] = {{0, 1.0f}, {1, 0.2126f}};
    for (const auto& c : cases) {
        set(mtl_reflect_extrusion, c.extrusion);
        TestShadeContext sc;
        sc.environment = [](const Point3&) { return Color(1.0f, 1.0f, 1.0f); };
        const Color out = shade(sc);
        EXPECT_NEAR(out.r, expectedOutput(c.weight), 1e-5f) << c.extrusion;
        EXPECT_EQ(out.g, 0.0f);
    }
}

TEST_F(ShadeSample, OpacityCutsOutToTheBackground) {
    set(mtl_emission_mult, 3.0f);
    ConstantTexmap* opacity = putMap(mtl_opacity_map, {0.0f, 0.0f, 0.0f, 1.0f});
    TestLight light(kWhite, kUp, 1.0f);
    TestShadeContext sc;
    sc.lights = {&light};
    sc.bg = Color(0.3f, 0.6f, 0.9f);
    const Color cut = shade(sc);
    EXPECT_NEAR(cut.r, 0.3f, 1e-6f);
    EXPECT_NEAR(cut.g, 0.6f, 1e-6f);
    EXPECT_NEAR(cut.b, 0.9f, 1e-6f);

    opacity->SetColor({1.0f, 1.0f, 1.0f, 1.0f});
    const Color solid = shade(sc);
    sc.bg = Color(1.0f, 0.0f, 0.0f);
    EXPECT_EQ(shade(sc), solid) << "an opaque sample ignores the background";
}

TEST_F(ShadeSample, GlossOneLooksAlongTheMirrorWhateverTheModel) {
    makeReflective();
    for (int model : {0, 1, 2, 3, 4, 7, -1}) {
        set(mtl_reflect_brdf, model);
        TestShadeContext sc;
        sc.view = Normalize(Point3(0.5f, 0.0f, -1.0f));
        const Point3 mirror = sc.ReflectVector();
        shade(sc);
        ASSERT_FALSE(sc.envDirections.empty()) << model;
        for (const Point3& d : sc.envDirections) EXPECT_EQ(d, mirror) << model;
    }
}

TEST_F(ShadeSample, UnknownModelBelowGlossOneReflectsNothing) {
    makeReflective();
    set(mtl_reflect_brdf, 7);
    set(mtl_refl_gloss, 0.5f);
    set(mtl_refl_fresnel_on, FALSE);
    TestShadeContext sc;
    sc.environment = [](const Point3&) { return Color(1.0f, 1.0f, 1.0f); };
    EXPECT_EQ(shade(sc), Color());
    EXPECT_TRUE(sc.envDirections.empty());
}

TEST_F(ShadeSample, GlossyRefractionUsesThePhongLobeWhateverTheModel) {
    set(mtl_transparency_mult, 1.0f);
    set(mtl_transp_gloss, 0.5f);
    set(mtl_reflect_brdf, 3);
    TestShadeContext sc;  // refracts straight through: along -Z; the mirror is +Z
    shade(sc);
    ASSERT_GT(sc.envDirections.size(), 30u);
    float meanZ = 0.0f;
    int spread = 0;
    for (const Point3& d : sc.envDirections) {
        meanZ += d.z / static_cast<float>(sc.envDirections.size());
        if (d.z > -0.999f) ++spread;
    }
    EXPECT_LT(meanZ, -0.7f) << "about the refraction direction";
    EXPECT_GT(spread, 0) << "a lobe, not the clear refraction";
}

TEST_F(ShadeSample, WithoutEnvironmentNothingIsSampled) {
    makeReflective();
    set(mtl_refl_gloss, 0.5f);
    previewEnvMap = nullptr;
    const std::uint32_t seed = shadeSeed.load();
    TestShadeContext sc;
    sc.environment = [](const Point3&) { return Color(1.0f, 1.0f, 1.0f); };
    EXPECT_EQ(shade(sc), Color());
    EXPECT_TRUE(sc.envDirections.empty());
    EXPECT_EQ(shadeSeed.load(), seed + 1) << "the seed still advances";
}

TEST_F(ShadeSample, EachCallTakesTheNextSeed) {
    shadeSeed.store(100);
    TestShadeContext sc;
    shade(sc);
    EXPECT_EQ(shadeSeed.load(), 101u);
    mtl->Shade(sc);
    EXPECT_EQ(shadeSeed.load(), 102u);
}

TEST_F(ShadeSample, EmissionIsAddedOnceBeforeExposure) {
    set(mtl_emission_mult, 0.4f);
    TestShadeContext sc;
    expectGrey(shade(sc), expectedOutput(0.4f));
}

// Degenerate inputs that the formulas alone would turn into NaN or infinity.
TEST_F(ShadeSample, StaysFiniteForDegenerateGeometry) {
    makeReflective();
    set(mtl_reflect_ior, 0.0f);
    set(mtl_refl_gloss, 0.6f);
    set(mtl_reflect_anisotropy, 0.5f);
    set(mtl_roughness_mult, 1.0f);
    set(mtl_transparency_mult, 0.5f);
    set(mtl_transp_gloss, 0.5f);
    set(mtl_emission_mult, 100.0f);
    const struct {
        Point3 normal, view;
    } geometry[] = {
        {kUp, {1.0f, 0.0f, 0.0f}},                  // view in the tangent plane
        {kUp, {0.0f, 0.0f, -1.0f}},                 // with the relief: a sum of zero
        {{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}},  // no normal at all
        {{1.0f, 0.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}},  // exact-zero tangent fallback
    };
    TestLight light(kWhite, Normalize(Point3(1.0f, 0.0f, 1.0f)));
    for (bool relief : {false, true}) {
        if (relief) {
            putMap(mtl_normal_map)->SetNormalPerturb({0.0f, 0.0f, -1.0f});
            set(mtl_bump_amount, 1.0f);
        }
        for (int model = 0; model < 5; ++model) {
            set(mtl_reflect_brdf, model);
            for (const auto& g : geometry) {
                TestShadeContext sc;
                sc.lights = {&light};
                sc.normal = g.normal;
                sc.view = g.view;
                sc.environment = [](const Point3&) { return Color(2.0f, 1.0f, 0.5f); };
                EXPECT_TRUE(isFinite(shade(sc)))
                    << "model " << model << " relief " << relief << " normal " << g.normal.x << ","
                    << g.normal.y << "," << g.normal.z << " view " << g.view.x;
            }
        }
    }
}
