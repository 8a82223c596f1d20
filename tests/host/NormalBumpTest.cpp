#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ConstantTexmap.h"
#include "ImageIO.h"
#include "NormalBump.h"
#include "tests/host/ShadingSupport.h"

namespace {

using shadetest::SurfaceSample;

struct Bump {
    NormalBumpTexture* bump = new NormalBumpTexture();
    ConstantTexmap* map = new ConstantTexmap();
    Bump() { bump->SetSubTexmap(0, map); }
    ~Bump() { bump->DeleteThis(); }  // the map goes with its last reference
};

void expectVector(const Point3& got, const Point3& want, float tolerance, const char* what) {
    EXPECT_NEAR(got.x, want.x, tolerance) << what;
    EXPECT_NEAR(got.y, want.y, tolerance) << what;
    EXPECT_NEAR(got.z, want.z, tolerance) << what;
}

TEST(NormalBump, IdentityAndSlot) {
    Bump b;
    MSTR name;
    b.bump->GetClassName(name);
    EXPECT_EQ(name, L"Normal Bump");
    EXPECT_EQ(b.bump->NumSubTexmaps(), 1);
    EXPECT_EQ(b.bump->GetSubTexmap(0), b.map);
    EXPECT_EQ(b.bump->GetReference(0), b.map);
}

TEST(NormalBump, TangentSpaceToWorld) {
    const struct {
        AColor color;
        Point3 dpdu, dpdv;
        Point3 want;
        const char* what;
    } cases[] = {
        {{0.5f, 0.5f, 1.0f}, {2, 0, 0}, {0, 3, 0}, {0, 0, 0}, "flat normal: no offset"},
        {{1.0f, 0.5f, 0.5f}, {2, 0, 0}, {0, 3, 0}, {1, 0, -1}, "along the u tangent"},
        {{0.5f, 1.0f, 0.5f}, {2, 0, 0}, {0, 3, 0}, {0, 1, -1}, "along the v tangent"},
        {{0.5f, 1.0f, 0.5f}, {2, 0, 0}, {0, -3, 0}, {0, -1, -1}, "mirrored v follows dP/dv"},
        {{1.0f, 0.5f, 0.5f}, {1, 0, 1}, {0, 1, 0}, {1, 0, -1}, "dP/du made perpendicular"},
        {{1.0f, 0.5f, 1.0f},
         {0, 2, 0},
         {-2, 0, 0},
         {0, std::sqrt(0.5f), std::sqrt(0.5f) - 1},
         "turned frame, halfway between tangent and normal"},
    };
    for (const auto& c : cases) {
        Bump b;
        b.map->SetColor(c.color);
        SurfaceSample sample({0, 0, 1}, {0, 0, -1}, {}, c.dpdu, c.dpdv);
        SampleShadeContext sc = sample.context();
        expectVector(b.bump->EvalNormalPerturb(sc), c.want, 1e-6f, c.what);
    }
}

TEST(NormalBump, DegenerateTangentsStayFinite) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        Point3 dpdu, dpdv;
        AColor color;
    } cases[] = {
        {{0, 0, 0}, {0, 0, 0}, {1.0f, 0.5f, 0.5f}},      // no UVs
        {{0, 0, 5}, {0, 0, 1}, {0.8f, 0.2f, 0.7f}},      // tangent along the normal (a pole)
        {{nan, 0, 0}, {0, nan, 0}, {0.8f, 0.2f, 0.7f}},  // broken derivatives
        {{1, 0, 0}, {0, 1, 0}, {0.5f, 0.5f, 0.5f}},      // a map colour that encodes no direction
        {{1, 0, 0}, {0, 1, 0}, {nan, 0.5f, 1.0f}},
    };
    for (const auto& c : cases) {
        Bump b;
        b.map->SetColor(c.color);
        SurfaceSample sample({0, 0, 1}, {0, 0, -1}, {}, c.dpdu, c.dpdv);
        SampleShadeContext sc = sample.context();
        const Point3 mapped = b.bump->EvalNormalPerturb(sc) + sc.Normal();
        EXPECT_TRUE(std::isfinite(mapped.x) && std::isfinite(mapped.y) && std::isfinite(mapped.z));
        EXPECT_NEAR(Length(mapped), 1.0f, 1e-5f);
    }
}

TEST(NormalBump, WithoutAMapNothingMoves) {
    NormalBumpTexture* bump = new NormalBumpTexture();
    SurfaceSample sample({0, 0, 1}, {0, 0, -1});
    SampleShadeContext sc = sample.context();
    EXPECT_EQ(bump->EvalNormalPerturb(sc), Point3(0, 0, 0));
    EXPECT_EQ(bump->EvalColor(sc), AColor(0.5f, 0.5f, 1.0f, 1.0f));
    bump->DeleteThis();
}

TEST(NormalBump, CloneCopiesTheMap) {
    Bump b;
    b.map->SetColor({1.0f, 0.5f, 0.5f, 1.0f});
    DefaultRemapDir remap;
    auto* copy = static_cast<NormalBumpTexture*>(b.bump->Clone(remap));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->GetSubTexmap(0), nullptr);
    EXPECT_NE(copy->GetSubTexmap(0), b.map);
    SurfaceSample sample({0, 0, 1}, {0, 0, -1});
    SampleShadeContext sc = sample.context();
    EXPECT_EQ(copy->EvalNormalPerturb(sc), b.bump->EvalNormalPerturb(sc));
    copy->DeleteThis();
}

TEST(NormalBump, ImageFileIsReadAsDataNotColour) {
    shadetest::ScratchDir dir;
    // Bytes (255, 128, 128): +u, bar one step of 8-bit rounding.
    Image img(1, 1);
    img.set(0, 0, {1.0f, srgbToLinear(128 / 255.0f), srgbToLinear(128 / 255.0f), 1.0f});
    std::string error;
    ASSERT_TRUE(writeImage(dir.file("n.png"), img, error)) << error;
    const std::string file = dir.file("n.png");
    NormalBumpTexture* bump = newNormalBumpTexture(std::wstring(file.begin(), file.end()).c_str());
    ASSERT_NE(bump, nullptr);
    SurfaceSample sample({0, 0, 1}, {0, 0, -1}, {0.5f, 0.5f, 0});
    SampleShadeContext sc = sample.context();
    expectVector(bump->EvalNormalPerturb(sc), {1, 0, -1}, 0.01f, "+u normal");
    bump->DeleteThis();
}

}  // namespace
