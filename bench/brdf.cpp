// Nanoseconds per sample of each lobe sampler, its one view query and one environment lookup
// of a constant map through a virtual shading context included, and of the Oren–Nayar factor.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "ShadeContext.h"
#include "brdf/Beckmann.h"
#include "brdf/Ggx.h"
#include "brdf/OrenNayar.h"
#include "brdf/Phong.h"
#include "brdf/PreviewEnvMap.h"
#include "brdf/TorranceSparrow.h"
#include "brdf/Trggx.h"

namespace {

class ConstantEnvironment : public ShadeContext {
public:
    Point3 rayDir = Normalize({0.35f, -0.2f, -0.9f});
    int nLights() override { return 0; }
    LightDesc* Light(int) override { return nullptr; }
    Point3 Normal() override { return {0, 0, 1}; }
    void SetNormal(Point3) override {}
    Point3 P() override { return {}; }
    Point3 V() override { return rayDir; }
    Point3 ReflectVector() override { return {}; }
    Point3 RefractVector(float) override { return {}; }
    void SetIOR(float) override {}
    float GetIOR() override { return 1.0f; }
    Point3 UVW(int) override { return {}; }
    void DPdUVW(Point3*, int) override {}
    void GetBGColor(Color& bgcol, Color& transp, BOOL) override { bgcol = transp = Color(); }
    AColor EvalEnvironMap(Texmap*, Point3) override { return {0.8f, 0.9f, 1.0f, 1.0f}; }
};

// A fixed table of random pairs (u1 never 0), cycled so the sequence is the same every run.
const std::array<Point2, 1024>& pairs() {
    static const std::array<Point2, 1024> table = [] {
        std::array<Point2, 1024> t{};
        std::uint32_t s = 12345u;
        auto next = [&s] {
            s = s * 1664525u + 1013904223u;
            return (static_cast<float>(s >> 9) + 0.5f) * (1.0f / 8388608.0f);
        };
        for (Point2& p : t) p = Point2(next(), next());
        return t;
    }();
    return table;
}

Texmap* const kMap = reinterpret_cast<Texmap*>(std::uintptr_t{0x1000});
const Point3 kNormal = Normalize({0.1f, 0.05f, 1.0f});
const Point3 kTbn[2] = {Normalize(Point3(1, 0, 0) - kNormal * kNormal.x),
                        kNormal ^ Normalize(Point3(1, 0, 0) - kNormal * kNormal.x)};

template <class Sample>
void runSampler(benchmark::State& state, Sample&& sample) {
    ConstantEnvironment sc;
    ShadeContext& base = sc;
    const auto& u = pairs();
    std::size_t i = 0;
    Color result;
    for (auto _ : state) {
        sample(result, base, u[i]);
        benchmark::DoNotOptimize(result);
        i = (i + 1) & 1023u;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Phong(benchmark::State& state) {
    previewEnvMap = kMap;
    runSampler(state, [](Color& r, ShadeContext& sc, const Point2& u) {
        brdfSamplePhong(r, sc, u, 40.0f, kMap, Normalize({0.2f, -0.1f, 0.9f}));
    });
}
void BM_TorrSparr(benchmark::State& state) {
    runSampler(state, [](Color& r, ShadeContext& sc, const Point2& u) {
        brdfSampleTorrSparr(r, sc, u, 40.0f, kMap, kNormal);
    });
}
void BM_Beckmann(benchmark::State& state) {
    const float anisotropy = static_cast<float>(state.range(0)) / 10.0f;
    runSampler(state, [anisotropy](Color& r, ShadeContext& sc, const Point2& u) {
        brdfSampleBeckmann(r, sc, u, 0.5f, anisotropy, 0.1f, kMap, kNormal, kTbn);
    });
}
void BM_Ggx(benchmark::State& state) {
    runSampler(state, [](Color& r, ShadeContext& sc, const Point2& u) {
        brdfSampleGGX(r, sc, u, 0.5f, kMap, kNormal);
    });
}
void BM_Trggx(benchmark::State& state) {
    const float anisotropy = static_cast<float>(state.range(0)) / 10.0f;
    runSampler(state, [anisotropy](Color& r, ShadeContext& sc, const Point2& u) {
        brdfSampleTRGGX(r, sc, u, 0.5f, anisotropy, 0.1f, kMap, kNormal, kTbn);
    });
}
void BM_OrenNayar(benchmark::State& state) {
    const auto& u = pairs();
    std::size_t i = 0;
    const Point3 n = kNormal;
    const Point3 E = Normalize({-0.35f, 0.2f, 0.9f});
    for (auto _ : state) {
        const Point3 L = Normalize(Point3(u[i].x - 0.5f, u[i].y - 0.5f, 0.7f));
        benchmark::DoNotOptimize(orenNayarFactor(L, E, n, 0.6f));
        i = (i + 1) & 1023u;
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Phong);
BENCHMARK(BM_TorrSparr);
BENCHMARK(BM_Beckmann)->Arg(0)->Arg(5);
BENCHMARK(BM_Ggx);
BENCHMARK(BM_Trggx)->Arg(0)->Arg(5);
BENCHMARK(BM_OrenNayar);

}  // namespace
