#include <gtest/gtest.h>

#include <cmath>

#include "SampleLights.h"
#include "SampleScene.h"
#include "SampleShadeContext.h"

namespace {

void expectVector(const Point3& got, const Point3& want, const char* what) {
    EXPECT_NEAR(got.x, want.x, 1e-5f) << what;
    EXPECT_NEAR(got.y, want.y, 1e-5f) << what;
    EXPECT_NEAR(got.z, want.z, 1e-5f) << what;
}

constexpr float kPi = 3.14159265f;

TEST(SampleScene, CameraLooksAlongPlusYThroughTheImageCentre) {
    SampleScene scene(200, 100);
    expectVector(scene.cameraRay(100, 50).dir, {0, 1, 0}, "centre");
    const Ray topLeft = scene.cameraRay(0, 0);
    EXPECT_LT(topLeft.dir.x, 0.0f);
    EXPECT_GT(topLeft.dir.z, 0.0f);
    // Vertical field of view of 40 degrees.
    const Ray top = scene.cameraRay(100, 0);
    EXPECT_NEAR(std::atan2(top.dir.z, top.dir.y), 20.0f * kPi / 180.0f, 1e-5f);
}

TEST(SampleScene, SphereHitsNormalsAndUVs) {
    SampleScene scene(8, 8);
    const struct {
        Point3 origin, dir;
        Point3 p;
        float u, v;
        const char* what;
    } cases[] = {
        {{0, -5, 0}, {0, 1, 0}, {0, -1, 0}, 0.75f, 0.5f, "front (-Y)"},
        {{5, 0, 0}, {-1, 0, 0}, {1, 0, 0}, 0.0f, 0.5f, "+X: u starts"},
        {{0, 5, 0}, {0, -1, 0}, {0, 1, 0}, 0.25f, 0.5f, "+Y: a quarter round"},
        {{0, 0, 5}, {0, 0, -1}, {0, 0, 1}, 0.0f, 1.0f, "top pole"},
        {{0, 0, -5}, {0, 0, 1}, {0, 0, -1}, 0.0f, 0.0f, "bottom pole"},
    };
    for (const auto& c : cases) {
        SurfaceHit hit;
        ASSERT_TRUE(scene.intersect({c.origin, c.dir}, hit)) << c.what;
        expectVector(hit.p, c.p, c.what);
        expectVector(hit.normal, c.p, c.what);
        EXPECT_NEAR(hit.uvw.x, c.u, 1e-6f) << c.what;
        EXPECT_NEAR(hit.uvw.y, c.v, 1e-6f) << c.what;
        EXPECT_NEAR(hit.t, 4.0f, 1e-5f) << c.what;
    }
}

TEST(SampleScene, SphereTangentsAreTheUvDerivatives) {
    SampleScene scene(8, 8);
    const Point3 dir = Normalize({0.3f, 1.0f, 0.4f});
    SurfaceHit hit;
    ASSERT_TRUE(scene.intersect({Point3(0, 0, 0) - dir * 5.0f, dir}, hit));
    // Finite differences of the surface point over u and v.
    const auto pointAt = [](float u, float v) {
        const float phi = 2 * kPi * u, theta = kPi * (v - 0.5f);
        return Point3(std::cos(theta) * std::cos(phi), std::cos(theta) * std::sin(phi),
                      std::sin(theta));
    };
    const float h = 1e-3f;
    const Point3 du =
        (pointAt(hit.uvw.x + h, hit.uvw.y) - pointAt(hit.uvw.x - h, hit.uvw.y)) / (2 * h);
    const Point3 dv =
        (pointAt(hit.uvw.x, hit.uvw.y + h) - pointAt(hit.uvw.x, hit.uvw.y - h)) / (2 * h);
    EXPECT_NEAR(Length(hit.dpdu - du), 0.0f, 2e-3f);
    EXPECT_NEAR(Length(hit.dpdv - dv), 0.0f, 2e-3f);
    EXPECT_GT((hit.dpdu ^ hit.dpdv) % hit.normal, 0.0f);  // right-handed about the normal
}

TEST(SampleScene, RayFromInsideSeesABackFace) {
    SampleScene scene(8, 8);
    const Ray ray{{0, 0, 0}, {0, 1, 0}};
    SurfaceHit hit;
    ASSERT_TRUE(scene.intersect(ray, hit));
    EXPECT_NEAR(hit.t, 1.0f, 1e-6f);
    SampleShadeContext sc(scene, ray, hit, 4, 4);
    EXPECT_TRUE(sc.backFace);
    expectVector(sc.Normal(), {0, -1, 0}, "toward the viewer");
}

TEST(SampleScene, MissesLeaveTheBackground) {
    SampleScene scene(8, 8);
    SurfaceHit hit;
    EXPECT_FALSE(scene.intersect({{0, -5, 0}, {0, -1, 0}}, hit));
    EXPECT_FALSE(scene.intersect({{0, -5, 2}, {0, 1, 0}}, hit));
    EXPECT_FALSE(scene.intersect(scene.cameraRay(0.5f, 0.5f), hit));  // a corner
}

TEST(SampleScene, EveryObjectGivesConsistentHitsAcrossTheImage) {
    for (const SampleObject object :
         {SampleObject::Sphere, SampleObject::Cube, SampleObject::Plane}) {
        SampleScene scene(32, 32, object);
        int hits = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const Ray ray = scene.cameraRay(x + 0.5f, y + 0.5f);
                SurfaceHit hit;
                if (!scene.intersect(ray, hit)) continue;
                ++hits;
                EXPECT_NEAR(Length(hit.normal), 1.0f, 1e-5f);
                EXPECT_LT(hit.normal % ray.dir, 0.0f);  // all seen from outside
                EXPECT_GE(hit.uvw.x, -1e-5f);
                EXPECT_LE(hit.uvw.x, 1.0f + 1e-5f);
                EXPECT_GE(hit.uvw.y, -1e-5f);
                EXPECT_LE(hit.uvw.y, 1.0f + 1e-5f);
                expectVector(hit.p, ray.origin + ray.dir * hit.t, "point on the ray");
                if (LengthSquared(hit.dpdu) > 0.0f) {
                    EXPECT_GT((hit.dpdu ^ hit.dpdv) % hit.normal, 0.0f);
                }
            }
        }
        EXPECT_GT(hits, 32 * 32 / 4) << static_cast<int>(object);
        EXPECT_LT(hits, 32 * 32) << static_cast<int>(object);
    }
}

TEST(SampleScene, PlaneFromBehindIsABackFace) {
    SampleScene scene(8, 8, SampleObject::Plane);
    const Ray ray{{0.2f, 5, 0.1f}, {0, -1, 0}};
    SurfaceHit hit;
    ASSERT_TRUE(scene.intersect(ray, hit));
    EXPECT_NEAR(hit.uvw.x, 0.6f, 1e-6f);
    EXPECT_NEAR(hit.uvw.y, 0.55f, 1e-6f);
    SampleShadeContext sc(scene, ray, hit, 4, 4);
    EXPECT_TRUE(sc.backFace);
    expectVector(sc.Normal(), {0, 1, 0}, "toward the viewer");
}

TEST(SampleLights, CosinesAndDirections) {
    SampleScene scene(8, 8);
    const Ray ray{{0, 0, 5}, {0, 0, -1}};
    const SurfaceHit hit{5, {0, 0, 0}, {0, 0, 1}, {}, {1, 0, 0}, {0, 1, 0}};
    SampleShadeContext sc(scene, ray, hit, 4, 4);
    OmniLight above({0, 0, 10}, {1, 0.5f, 0.25f});
    DirectionalLight slanted({1, 0, 1}, {2, 2, 2});
    OmniLight atSample({0, 0, 0}, {1, 1, 1});
    const struct {
        LightDesc* light;
        Point3 normal;
        Point3 dir;
        float cosine;
        BOOL lit;
        const char* what;
    } cases[] = {
        {&above, {0, 0, 1}, {0, 0, 1}, 1.0f, TRUE, "facing"},
        {&above, {0, 0, -1}, {0, 0, 1}, -1.0f, FALSE, "behind"},
        {&above, {1, 0, 0}, {0, 0, 1}, 0.0f, FALSE, "grazing"},
        {&slanted,
         {0, 0, 1},
         {std::sqrt(0.5f), 0, std::sqrt(0.5f)},
         std::sqrt(0.5f),
         TRUE,
         "45 degrees"},
        {&slanted,
         {-1, 0, 0},
         {std::sqrt(0.5f), 0, std::sqrt(0.5f)},
         -std::sqrt(0.5f),
         FALSE,
         "slanted behind"},
        {&atSample, {0, 1, 0}, {0, 1, 0}, 1.0f, TRUE, "light at the sample: along the normal"},
    };
    for (const auto& c : cases) {
        Point3 normal = c.normal, dir;
        Color color;
        float cosine = 9, diffuse = 9;
        EXPECT_EQ(c.light->Illuminate(sc, normal, color, dir, cosine, diffuse), c.lit) << c.what;
        expectVector(dir, c.dir, c.what);
        EXPECT_NEAR(cosine, c.cosine, 1e-6f) << c.what;
        EXPECT_NEAR(diffuse, std::max(c.cosine, 0.0f), 1e-6f) << c.what;
    }
    Point3 n{0, 0, 1}, dir;
    Color color;
    float cosine, diffuse;
    above.Illuminate(sc, n, color, dir, cosine, diffuse);
    EXPECT_EQ(color, Color(1, 0.5f, 0.25f));
}

TEST(SampleLights, DefaultLightingReachesTheFrontOfTheSphere) {
    SampleScene scene(64, 64);
    ASSERT_EQ(scene.nLights(), 2);
    const Ray ray = scene.cameraRay(32, 32);
    SurfaceHit hit;
    ASSERT_TRUE(scene.intersect(ray, hit));
    SampleShadeContext sc(scene, ray, hit, 32, 32);
    Point3 n = sc.Normal(), dir;
    Color key, fill;
    float keyCos, fillCos, diffuse;
    EXPECT_TRUE(sc.Light(0)->Illuminate(sc, n, key, dir, keyCos, diffuse));
    sc.Light(1)->Illuminate(sc, n, fill, dir, fillCos, diffuse);
    EXPECT_GT(keyCos, 0.5f);
    EXPECT_GT(key.r, fill.r);  // the key outshines the fill
}

}  // namespace
