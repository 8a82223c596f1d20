#include <gtest/gtest.h>

#include <cmath>

#include "BitmapTexture.h"
#include "ImageIO.h"
#include "SampleShadeContext.h"
#include "tests/host/ShadingSupport.h"

namespace {

using shadetest::SurfaceSample;

void expectVector(const Point3& got, const Point3& want, const char* what) {
    EXPECT_NEAR(got.x, want.x, 1e-5f) << what;
    EXPECT_NEAR(got.y, want.y, 1e-5f) << what;
    EXPECT_NEAR(got.z, want.z, 1e-5f) << what;
}

Point3 fromAngle(float degrees) {  // a view ray descending onto the XY plane
    const float r = degrees * 3.14159265f / 180.0f;
    return {std::sin(r), 0.0f, -std::cos(r)};
}

TEST(SampleShadeContext, ReflectMirrorsAboutTheCurrentNormal) {
    SurfaceSample sample({0, 0, 1}, fromAngle(45));
    SampleShadeContext sc = sample.context();
    expectVector(sc.ReflectVector(), {std::sqrt(0.5f), 0, std::sqrt(0.5f)}, "flat");
    sc.SetNormal({1, 0, 0});  // a replaced normal is the one mirrored about
    expectVector(sc.ReflectVector(), {-std::sqrt(0.5f), 0, -std::sqrt(0.5f)}, "replaced normal");
}

TEST(SampleShadeContext, RefractFollowsSnell) {
    const float sin20 = std::sin(20.0f * 3.14159265f / 180.0f);
    const struct {
        Point3 outward;  // the object's outward normal
        Point3 view;
        float ior;
        Point3 want;
        const char* what;
    } cases[] = {
        {{0, 0, 1},
         fromAngle(45),
         1.5f,
         {std::sqrt(0.5f) / 1.5f, 0, -std::sqrt(1 - 0.5f / 2.25f)},
         "into glass"},
        {{0, 0, 1}, fromAngle(45), 1.0f, fromAngle(45), "index 1: straight on"},
        {{0, 0, 1}, {0, 0, -1}, 1.5f, {0, 0, -1}, "normal incidence"},
        {{0, 0, -1},
         fromAngle(20),
         1.5f,
         {1.5f * sin20, 0, -std::sqrt(1 - 2.25f * sin20 * sin20)},
         "back face: out of glass"},
        {{0, 0, -1},
         fromAngle(45),
         1.5f,
         {std::sqrt(0.5f), 0, std::sqrt(0.5f)},
         "back face beyond the critical angle: total internal reflection"},
        {{0, 0, 1}, fromAngle(45), 0.0f, fromAngle(45), "index 0 passes straight"},
        {{0, 0, 1}, fromAngle(45), -2.0f, fromAngle(45), "negative index passes straight"},
    };
    for (const auto& c : cases) {
        SurfaceSample sample(c.outward, c.view);
        SampleShadeContext sc = sample.context();
        const Point3 t = sc.RefractVector(c.ior);
        expectVector(t, c.want, c.what);
        EXPECT_NEAR(Length(t), 1.0f, 1e-6f) << c.what;
    }
}

TEST(SampleShadeContext, BackFaceTurnsTheNormalToTheViewer) {
    SurfaceSample front({0, 0, 1}, {0, 0, -1});
    SampleShadeContext a = front.context();
    EXPECT_FALSE(a.backFace);
    EXPECT_EQ(a.Normal(), Point3(0, 0, 1));

    SurfaceSample back({0, 0, 1}, {0, 0, 1});
    SampleShadeContext b = back.context();
    EXPECT_TRUE(b.backFace);
    EXPECT_EQ(b.Normal(), Point3(0, 0, -1));
    EXPECT_EQ(b.OrigNormal(), Point3(0, 0, -1));
}

TEST(SampleShadeContext, SampleState) {
    SurfaceSample sample({0, 0, 1}, {0, 0, -1}, {0.25f, 0.5f, 0.0f}, {2, 0, 0}, {0, 3, 0});
    SampleShadeContext sc = sample.context();
    EXPECT_TRUE(sc.doMaps);
    EXPECT_TRUE(sc.shadow);
    EXPECT_EQ(sc.GetIOR(), 1.0f);
    sc.SetIOR(1.33f);
    EXPECT_EQ(sc.GetIOR(), 1.33f);
    sc.SetGBufferID(7);
    EXPECT_EQ(sc.out.gbufId, 7);
    EXPECT_EQ(sc.UVW(1), Point3(0.25f, 0.5f, 0.0f));
    Point3 dP[3];
    sc.DPdUVW(dP, 1);
    EXPECT_EQ(dP[0], Point3(2, 0, 0));
    EXPECT_EQ(dP[1], Point3(0, 3, 0));
    EXPECT_EQ(dP[2], Point3(0, 0, 0));
    EXPECT_EQ(sc.nLights(), 2);
    EXPECT_NE(sc.Light(0), nullptr);
    EXPECT_EQ(sc.Light(2), nullptr);
    EXPECT_EQ(sc.V(), Point3(0, 0, -1));
    expectVector(sc.P(), {0, 0, 0}, "P");
}

TEST(SampleShadeContext, BackgroundIsTheScenesAtThePixel) {
    SampleScene scene(64, 32);
    SampleBackground bg;
    bg.kind = BackgroundKind::Checker;
    bg.checkerDark = {0, 0, 0};
    bg.checkerLight = {1, 1, 1};
    scene.setBackground(bg);
    SurfaceHit hit{1, {0, 0, 0}, {0, 0, 1}, {}, {1, 0, 0}, {0, 1, 0}};
    const Ray ray{{0, 0, 1}, {0, 0, -1}};
    const float cell = 64.0f / kBackgroundCheckerCells;
    const struct {
        float px, py;
        Color want;
    } cases[] = {{0.5f, 0.5f, {0, 0, 0}},
                 {cell + 0.5f, 0.5f, {1, 1, 1}},
                 {cell + 0.5f, cell + 0.5f, {0, 0, 0}}};
    for (const auto& c : cases) {
        SampleShadeContext sc(scene, ray, hit, c.px, c.py);
        Color col, transp{9, 9, 9};
        sc.GetBGColor(col, transp);
        EXPECT_EQ(col, c.want);
        EXPECT_EQ(col, scene.backgroundAt(c.px, c.py));
        EXPECT_EQ(transp, Color(0, 0, 0));
    }
}

// Answers the context's view direction as its colour.
class ViewColorMap : public Texmap {
public:
    void Update(TimeValue, Interval&) override {}
    void Reset() override {}
    Interval Validity(TimeValue) override { return FOREVER; }
    AColor EvalColor(ShadeContext& sc) override {
        const Point3 v = sc.V();
        return {v.x, v.y, v.z, 1.0f};
    }
    Point3 EvalNormalPerturb(ShadeContext&) override { return {}; }
};

TEST(SampleShadeContext, EnvironmentLookups) {
    shadetest::ScratchDir dir;
    Image img(4, 2);
    for (int x = 0; x < 4; ++x) {
        img.set(x, 0, {static_cast<float>(x), 0, 0, 1});
        img.set(x, 1, {static_cast<float>(x), 1, 0, 1});
    }
    std::string error;
    ASSERT_TRUE(writeImage(dir.file("env.exr"), img, error)) << error;
    BitmapTex* bitmap = NewDefaultBitmapTex();
    const std::string file = dir.file("env.exr");
    bitmap->SetMapName(std::wstring(file.begin(), file.end()).c_str());
    ViewColorMap* other = new ViewColorMap();

    SurfaceSample sample({0, 0, 1}, {0, 0, -1}, {0.9f, 0.9f, 0});
    SampleShadeContext sc = sample.context();
    for (const Point3& dir : {Point3(1, 0, 0), Point3(0, 1, 0.3f), Point3(-0.2f, -1, -0.5f)}) {
        // A bitmap is an environment whatever its own mapping.
        EXPECT_EQ(sc.EvalEnvironMap(bitmap, dir),
                  static_cast<BitmapTexture*>(bitmap)->EvalDirection(dir));
        EXPECT_EQ(sc.EvalEnvironMap(other, dir), AColor(dir.x, dir.y, dir.z, 1));
    }
    EXPECT_EQ(sc.V(), Point3(0, 0, -1));  // restored after the other map's lookup
    EXPECT_EQ(sc.EvalEnvironMap(nullptr, {1, 0, 0}), AColor(0, 0, 0, 0));
    bitmap->DeleteThis();
    other->DeleteThis();
}

}  // namespace
