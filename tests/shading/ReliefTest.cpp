#include <gtest/gtest.h>

#include <cmath>

#include "NormalBump.h"
#include "shading/Relief.h"
#include "tests/shading/ShadingFixture.h"

using namespace shadingtest;

namespace {

void expectNear(const Point3& a, const Point3& b, float tolerance = 1e-6f) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

}  // namespace

TEST(ReliefNormal, ScalesThePerturbationByTheClampedAmount) {
    const Point3 up(0.0f, 0.0f, 1.0f);
    const Point3 tilt(1.0f, 0.0f, 0.0f);
    const struct {
        float amount, scale;
    } cases[] = {{0.2f, 0.2f}, {1.0f, 1.0f}, {5.0f, 5.0f},
                 {7.0f, 5.0f}, {0.0f, 0.0f}, {-1.0f, 0.0f}};
    for (const auto& c : cases) {
        expectNear(reliefNormal(up, tilt, c.amount, false), Normalize(up + tilt * c.scale));
    }
    EXPECT_EQ(reliefNormal(up, tilt, 0.0f, false), up);
}

TEST(ReliefNormal, BackFaceTiltsTheOtherWay) {
    const Point3 up(0.0f, 0.0f, 1.0f);
    const Point3 front = reliefNormal(up, {0.5f, 0.0f, 0.0f}, 1.0f, false);
    const Point3 back = reliefNormal(up, {0.5f, 0.0f, 0.0f}, 1.0f, true);
    EXPECT_GT(front.x, 0.0f);
    expectNear(back, Point3(-front.x, front.y, front.z));
}

TEST(ReliefNormal, KeepsTheSourceNormalWhereTheSumHasNoDirection) {
    const Point3 up(0.0f, 0.0f, 1.0f);
    EXPECT_EQ(reliefNormal(up, {0.0f, 0.0f, -1.0f}, 1.0f, false), up);           // zero sum
    EXPECT_EQ(reliefNormal(up, {0.0f, 0.0f, -1.0f - 1e-30f}, 1.0f, false), up);  // too short
    EXPECT_EQ(reliefNormal(up, {1e38f, 1e38f, 0.0f}, 5.0f, false), up);          // too long
}

using Relief = ShadingTest;

TEST_F(Relief, EveryLightSeesTheSameReliefNormalAndTheNormalIsRestored) {
    // The host's normal-map texture answers relative to the context's current normal.
    auto* bump = new NormalBumpTexture();
    auto* normals = new ConstantTexmap(AColor(0.8f, 0.5f, 0.7f, 1.0f));
    bump->SetSubTexmap(0, normals);
    mtl->SetSubTexmap(slotIndex(mtl_normal_map), bump);
    set(mtl_bump_amount, 1.0f);

    TestLight key(Color(1.0f, 1.0f, 1.0f), Normalize(Point3(1.0f, 0.0f, 1.0f)));
    TestLight fill(Color(0.5f, 0.5f, 0.5f), Normalize(Point3(-1.0f, 0.0f, 1.0f)));
    TestShadeContext sc;
    sc.lights = {&key, &fill};
    const Point3 before = sc.normal;
    shade(sc);
    ASSERT_EQ(key.seenNormals.size(), 1u);
    ASSERT_EQ(fill.seenNormals.size(), 1u);
    EXPECT_EQ(key.seenNormals[0], fill.seenNormals[0]);
    EXPECT_GT(key.seenNormals[0].x, 0.1f) << "tilted toward +u";
    EXPECT_EQ(sc.normal, before);
}

TEST_F(Relief, NoLightsOrNoMapsLeaveTheNormalAlone) {
    putMap(mtl_normal_map)->SetNormalPerturb({1.0f, 0.0f, 0.0f});
    TestShadeContext dark;
    shade(dark);
    EXPECT_EQ(dark.setNormalCalls, 0);

    TestLight light(Color(1.0f, 1.0f, 1.0f), {0.0f, 0.0f, 1.0f});
    TestShadeContext mapsOff;
    mapsOff.doMaps = FALSE;
    mapsOff.lights = {&light};
    shade(mapsOff);
    EXPECT_EQ(mapsOff.setNormalCalls, 0);
    EXPECT_EQ(light.seenNormals.at(0), Point3(0.0f, 0.0f, 1.0f));
}

TEST_F(Relief, DisplacementFromTheMonoValueButNotFromANormalMap) {
    ConstantTexmap* map = putMap(mtl_normal_map);
    map->SetMono(0.5f);
    update();
    TestShadeContext sc;
    EXPECT_FLOAT_EQ(mtl->displacementAt(sc), 0.1f) << "default amount 0.2";
    sc.doMaps = FALSE;
    EXPECT_EQ(mtl->displacementAt(sc), 0.0f);
    sc.doMaps = TRUE;
    map->SetClassName(L"Normal Bump");
    EXPECT_EQ(mtl->displacementAt(sc), 0.0f);
    map->SetClassName(L"normal bump");
    EXPECT_FLOAT_EQ(mtl->displacementAt(sc), 0.1f) << "the name is compared exactly";
}

TEST_F(Relief, DisplacementIsValidForever) {
    for (TimeValue t : {TIME_NegInfinity, -160, 0, 4800, TIME_PosInfinity}) {
        EXPECT_EQ(mtl->displacementValidity(t), FOREVER) << t;
    }
}
