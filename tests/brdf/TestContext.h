// A shading context for the reflection models: a fixed view ray and a constant environment
// that remembers the last lookup.
#pragma once

#include "ShadeContext.h"

class TestShadeContext : public ShadeContext {
public:
    Point3 rayDir{0.0f, 0.0f, -1.0f};
    AColor environment{1.0f, 1.0f, 1.0f, 1.0f};

    int lookups = 0;
    Texmap* lastMap = nullptr;
    Point3 lastDir;

    int nLights() override { return 0; }
    LightDesc* Light(int) override { return nullptr; }
    Point3 Normal() override { return {0.0f, 0.0f, 1.0f}; }
    void SetNormal(Point3) override {}
    Point3 P() override { return {}; }
    Point3 V() override { return rayDir; }
    Point3 ReflectVector() override { return {}; }
    Point3 RefractVector(float) override { return {}; }
    void SetIOR(float) override {}
    float GetIOR() override { return 1.0f; }
    Point3 UVW(int) override { return {}; }
    void DPdUVW(Point3 dP[3], int) override { dP[0] = dP[1] = dP[2] = Point3(); }
    void GetBGColor(Color& bgcol, Color& transp, BOOL) override { bgcol = transp = Color(); }
    AColor EvalEnvironMap(Texmap* map, Point3 viewDir) override {
        ++lookups;
        lastMap = map;
        lastDir = viewDir;
        return environment;
    }
};

// Any non-null map pointer: the models pass it through to the context untouched.
inline Texmap* fakeMap(int tag) {
    return reinterpret_cast<Texmap*>(static_cast<std::uintptr_t>(0x1000 + 16 * tag));
}

// What a result holds before a sampler writes it.
inline constexpr Color kUnwritten{-7.0f, -7.0f, -7.0f};
