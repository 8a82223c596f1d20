// A shading context the tests control (lights, normal, view, background, environment, map
// switch) and a fixture holding a new material with its module attached.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "ConstantTexmap.h"
#include "ParamBlock2.h"
#include "SampleShadeContext.h"
#include "brdf/PreviewEnvMap.h"
#include "material/TavroMtl.h"
#include "params/TavroParamIds.h"
#include "params/TextureSlots.h"
#include "tests/material/MaterialFixture.h"

namespace shadingtest {

// A light that reports fixed values. Without a fixed cosine it reports normal · direction for
// the normal it is asked with. It records every normal it was asked with.
class TestLight : public LightDesc {
public:
    TestLight(const Color& color, const Point3& towardLight, std::optional<float> cosine = {})
        : color_(color), dir_(towardLight), cosine_(cosine) {}

    BOOL Illuminate(ShadeContext&, Point3& normal, Color& color, Point3& dir, float& dot_nl,
                    float& diffuseCoef) override {
        seenNormals.push_back(normal);
        color = color_;
        dir = dir_;
        dot_nl = cosine_ ? *cosine_ : normal % dir_;
        diffuseCoef = dot_nl > 0.0f ? dot_nl : 0.0f;
        return dot_nl > 0.0f;
    }

    std::vector<Point3> seenNormals;

private:
    Color color_;
    Point3 dir_;
    std::optional<float> cosine_;
};

class TestShadeContext : public ShadeContext {
public:
    std::vector<LightDesc*> lights;
    Point3 normal{0.0f, 0.0f, 1.0f};
    Point3 view{0.0f, 0.0f, -1.0f};
    Color bg;
    // Colour of the environment along a direction, whatever the map.
    std::function<Color(const Point3&)> environment = [](const Point3&) { return Color(); };
    // Every environment lookup's direction, and the maps they were made with.
    std::vector<Point3> envDirections;
    std::vector<Texmap*> envMaps;
    int setNormalCalls = 0;

    int nLights() override { return static_cast<int>(lights.size()); }
    LightDesc* Light(int n) override { return lights[static_cast<std::size_t>(n)]; }
    Point3 Normal() override { return normal; }
    void SetNormal(Point3 n) override {
        normal = n;
        ++setNormalCalls;
    }
    Point3 P() override { return {}; }
    Point3 V() override { return view; }
    Point3 ReflectVector() override { return mirrorDirection(view, normal); }
    // Straight through: refraction without bending, so that tests tell it from reflection.
    Point3 RefractVector(float) override { return view; }
    void SetIOR(float ior) override { out.ior = ior; }
    float GetIOR() override { return out.ior; }
    Point3 UVW(int) override { return {0.5f, 0.5f, 0.0f}; }
    void DPdUVW(Point3 dP[3], int) override {
        dP[0] = {1.0f, 0.0f, 0.0f};
        dP[1] = {0.0f, 1.0f, 0.0f};
        dP[2] = {0.0f, 0.0f, 0.0f};
    }
    void GetBGColor(Color& bgcol, Color& transp, BOOL) override {
        bgcol = bg;
        transp = Color();
    }
    AColor EvalEnvironMap(Texmap* map, Point3 dir) override {
        envDirections.push_back(dir);
        envMaps.push_back(map);
        return AColor(environment(dir), 1.0f);
    }
};

inline bool isFinite(const Color& c) {
    return std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b);
}

// A new material at the parameter defaults; parameters are set through its block, and each
// shade call updates it first, as the host does.
class ShadingTest : public MaterialTest {
protected:
    void SetUp() override {
        MaterialTest::SetUp();
        savedEnvMap_ = previewEnvMap;
    }
    void TearDown() override { previewEnvMap = savedEnvMap_; }

    template <class T>
    void set(TavroParamId id, T value) {
        ASSERT_TRUE(block()->SetValue(id, 0, value)) << id;
    }
    void update() {
        Interval valid = FOREVER;
        mtl->Update(0, valid);
    }
    // A constant map in the slot of texture parameter `map`, owned by the material.
    ConstantTexmap* putMap(TavroParamId map, const AColor& color = {1.0f, 1.0f, 1.0f, 1.0f}) {
        auto* m = new ConstantTexmap(color);
        mtl->SetSubTexmap(slotIndex(map), m);
        return m;
    }
    static int slotIndex(TavroParamId map) {
        for (std::size_t i = 0; i < TAVRO_TEXTURE_SLOTS.size(); ++i) {
            if (TAVRO_TEXTURE_SLOTS[i].param == map) return static_cast<int>(i);
        }
        return -1;
    }
    Color shade(TestShadeContext& sc) {
        update();
        mtl->Shade(sc);
        return sc.out.c;
    }
    // A reflective material: white reflection colour at multiplier 1, black diffuse.
    void makeReflective() {
        set(mtl_reflect_mult, 1.0f);
        set(mtl_diffuse_color, Color(0.0f, 0.0f, 0.0f));
    }

private:
    Texmap* savedEnvMap_ = nullptr;
};

// The preview's exposure and roll-off of a summed value.
inline float expectedOutput(float summed) {
    const float x = summed * 1.5f;
    return x / std::pow(1.0f + std::pow(x, 5.0f), 0.2f);
}

}  // namespace shadingtest
