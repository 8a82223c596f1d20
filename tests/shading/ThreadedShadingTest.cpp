#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "PreviewRenderer.h"
#include "tests/shading/ShadingFixture.h"

using namespace shadingtest;

using ThreadedShading = ShadingTest;

// Several threads shade different samples of one material at once, as the host's renderer
// does: the only state they share is the material (read) and the seed counter.
TEST_F(ThreadedShading, ManyThreadsShadeOneMaterial) {
    makeReflective();
    set(mtl_diffuse_color, Color(0.3f, 0.3f, 0.3f));
    set(mtl_refl_gloss, 0.6f);
    set(mtl_reflect_anisotropy, 0.5f);
    set(mtl_reflect_brdf, 4);
    set(mtl_transparency_mult, 0.3f);
    set(mtl_transp_gloss, 0.7f);
    update();

    constexpr int kThreads = 4;
    constexpr int kSamplesPerThread = 200;
    std::vector<int> finite(kThreads, 0);
    std::vector<std::thread> pool;
    for (int t = 0; t < kThreads; ++t) {
        pool.emplace_back([&, t] {
            TestLight light(Color(1.0f, 1.0f, 1.0f), Normalize(Point3(1.0f, 1.0f, 1.0f)));
            for (int i = 0; i < kSamplesPerThread; ++i) {
                const float a = 0.01f * static_cast<float>(i + t * kSamplesPerThread);
                TestShadeContext sc;
                sc.lights = {&light};
                sc.normal = Normalize(Point3(std::cos(a), std::sin(a), 1.0f));
                sc.environment = [](const Point3& d) {
                    return Color(d.z > 0.0f ? 2.0f : 0.2f, 0.5f, 0.5f);
                };
                mtl->Shade(sc);
                if (isFinite(sc.out.c)) ++finite[static_cast<std::size_t>(t)];
            }
        });
    }
    for (std::thread& th : pool) th.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(finite[static_cast<std::size_t>(t)], kSamplesPerThread);
}

// The host's tile renderer on the preview environment image, with every core.
TEST_F(ThreadedShading, TileRenderOfTheSampleSphere) {
    makeReflective();
    set(mtl_diffuse_color, Color(0.5f, 0.5f, 0.5f));
    set(mtl_refl_gloss, 0.7f);
    update();
    SampleScene scene(40, 32);
    PreviewRenderOptions options;
    options.threads = 4;
    options.tileSize = 8;
    int lastDone = 0;
    options.progress = [&](int done, int total) {
        EXPECT_EQ(done, lastDone + 1);
        EXPECT_EQ(total, 20);
        lastDone = done;
    };
    const Image image = renderPreview(*mtl, scene, options);
    EXPECT_EQ(lastDone, 20);
    ASSERT_EQ(image.width, 40);
    ASSERT_EQ(image.height, 32);
    const AColor centre = image.at(20, 16);
    EXPECT_GT(centre.r, 0.05f) << "the sphere is lit";
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const AColor c = image.at(x, y);
            ASSERT_TRUE(isFinite(c.rgb())) << x << "," << y;
            EXPECT_EQ(c.a, 1.0f);
        }
    }
}
