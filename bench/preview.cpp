// Preview renders of 256×256 (the sample sphere under the default lights, checker background,
// preview environment image) for three materials, on one thread and on every core. Counters:
// nanoseconds per shade call (one per pixel on the sphere) and per sampling pass of the shade
// call's loop, and passes per shade call.
//
// Passes are counted in an untimed run: after each shade call the calling thread's generator
// is read three draws ahead and its sequence from the call's seed searched for them; a pass
// takes two draws.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <thread>

#include "CRuntime.h"
#include "ParamBlock2.h"
#include "PreviewRenderer.h"
#include "SampleShadeContext.h"
#include "material/TavroMtl.h"
#include "params/TavroParamIds.h"
#include "plugin/TavroClassDesc.h"
#include "shading/SamplingSupport.h"
#include "tests/plugin/AttachedModule.h"

namespace {

constexpr int kSide = 256;
// Draws searched after a seed before a shade call counts as unexplained.
constexpr int kMaxDrawsSearched = 1 << 20;

enum class Look { Default, GlossyGgx, GlossyTrggx };

TavroMtl* makeMaterial(Look look) {
    attachModule();
    auto* mtl = static_cast<TavroMtl*>(
        static_cast<Mtl*>(static_cast<Animatable*>(tavroClassDesc().Create(FALSE))));
    IParamBlock2* pb = mtl->GetParamBlock(0);
    if (look != Look::Default) {
        pb->SetValue(mtl_reflect_mult_on, 0, TRUE);
        pb->SetValue(mtl_reflect_mult, 0, 1.0f);
        pb->SetValue(mtl_refl_gloss, 0, 0.7f);
    }
    if (look == Look::GlossyTrggx) {
        pb->SetValue(mtl_reflect_brdf, 0, 4);
        pb->SetValue(mtl_reflect_anisotropy, 0, 0.6f);
        pb->SetValue(mtl_reflect_rotation, 0, 30.0f);
    }
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    return mtl;
}

SampleScene makeScene() {
    SampleScene scene(kSide, kSide);
    SampleBackground background;
    background.kind = BackgroundKind::Checker;
    scene.setBackground(background);
    return scene;
}

struct LCG {
    std::uint32_t state;
    int next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

// Draws the shade call just made took from its seed, found by matching the next three.
int drawsSince(std::uint32_t seed) {
    const int a = crt::rand(), b = crt::rand(), c = crt::rand();
    LCG g{seed};
    int d0 = g.next(), d1 = g.next(), d2 = g.next();
    for (int n = 0; n < kMaxDrawsSearched; ++n) {
        if (d0 == a && d1 == b && d2 == c) return n;
        d0 = d1;
        d1 = d2;
        d2 = g.next();
    }
    return 0;
}

struct Counts {
    std::int64_t shadeCalls = 0;
    std::int64_t passes = 0;
};

Counts countPasses(TavroMtl& mtl, const SampleScene& scene) {
    Counts counts;
    for (int y = 0; y < scene.height(); ++y) {
        for (int x = 0; x < scene.width(); ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const Ray ray = scene.cameraRay(px, py);
            SurfaceHit hit;
            if (!scene.intersect(ray, hit)) continue;
            SampleShadeContext sc(scene, ray, hit, px, py);
            mtl.Shade(sc);
            ++counts.shadeCalls;
            counts.passes += drawsSince(shadeSeed.load()) / 2;
        }
    }
    return counts;
}

void BM_PreviewRender(benchmark::State& state, Look look) {
    TavroMtl* mtl = makeMaterial(look);
    const SampleScene scene = makeScene();
    const Counts counts = countPasses(*mtl, scene);
    PreviewRenderOptions options;
    options.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Image image = renderPreview(*mtl, scene, options);
        benchmark::DoNotOptimize(image.rgba.data());
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["ns_per_shade"] =
        benchmark::Counter(static_cast<double>(counts.shadeCalls) * iterations,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["ns_per_pass"] =
        benchmark::Counter(static_cast<double>(counts.passes) * iterations,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["passes_per_shade"] =
        static_cast<double>(counts.passes) / static_cast<double>(counts.shadeCalls);
    mtl->DeleteThis();
}

void threadCounts(benchmark::internal::Benchmark* b) {
    b->Arg(1);
    const int all = static_cast<int>(std::thread::hardware_concurrency());
    if (all > 1) b->Arg(all);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

BENCHMARK_CAPTURE(BM_PreviewRender, default_material, Look::Default)->Apply(threadCounts);
BENCHMARK_CAPTURE(BM_PreviewRender, glossy_ggx, Look::GlossyGgx)->Apply(threadCounts);
BENCHMARK_CAPTURE(BM_PreviewRender, glossy_trggx, Look::GlossyTrggx)->Apply(threadCounts);
