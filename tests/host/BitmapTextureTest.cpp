#include <gtest/gtest.h>

#include <fstream>
#include <thread>
#include <vector>

#include "BitmapTexture.h"
#include "PathMap.h"
#include "tests/host/ShadingSupport.h"

namespace {

using shadetest::ScratchDir;
using shadetest::SurfaceSample;
using shadetest::WarningCapture;

std::wstring wide(const std::string& s) {
    return {s.begin(), s.end()};
}

// 2 x 2 image file: red, green on the top row; blue, white below.
std::string writeQuad(const ScratchDir& dir, const char* name) {
    Image img(2, 2);
    img.set(0, 0, {1, 0, 0, 1});
    img.set(1, 0, {0, 1, 0, 1});
    img.set(0, 1, {0, 0, 1, 1});
    img.set(1, 1, {1, 1, 1, 1});
    std::string error;
    EXPECT_TRUE(writeImage(dir.file(name), img, error)) << error;
    return dir.file(name);
}

struct TextureDeleter {
    void operator()(Texmap* t) const { t->DeleteThis(); }
};
using TexturePtr = std::unique_ptr<BitmapTexture, TextureDeleter>;

TexturePtr newTexture(const std::string& file = "") {
    TexturePtr tex(static_cast<BitmapTexture*>(NewDefaultBitmapTex()));
    if (!file.empty()) tex->SetMapName(wide(file).c_str());
    return tex;
}

TEST(BitmapTexture, IdentityAndDefaults) {
    TexturePtr tex = newTexture();
    MSTR name;
    tex->GetClassName(name);
    EXPECT_EQ(name, L"Bitmap");
    EXPECT_EQ(tex->SuperClassID(), TEXMAP_CLASS_ID);
    EXPECT_EQ(std::wstring(tex->GetMapName()), L"");
    EXPECT_EQ(tex->GetUVGen()->GetCoordMapping(), 0);
    EXPECT_EQ(tex->Validity(0), FOREVER);

    WarningCapture warnings;
    SurfaceSample sample({0, 0, 1}, {0, 0, -1}, {0.3f, 0.3f, 0});
    SampleShadeContext sc = sample.context();
    EXPECT_EQ(tex->EvalColor(sc), AColor(0, 0, 0, 0));  // no image: black
    EXPECT_EQ(tex->EvalNormalPerturb(sc), Point3(0, 0, 0));
    EXPECT_TRUE(warnings.messages.empty());
}

TEST(BitmapTexture, UvLookupRunsUpwardsAndTiles) {
    ScratchDir dir;
    TexturePtr tex = newTexture(writeQuad(dir, "quad.png"));
    EXPECT_EQ(std::wstring(tex->GetMapName()), wide(dir.file("quad.png")));
    const struct {
        float u, v;
        AColor want;
    } cases[] = {
        {0.25f, 0.75f, {1, 0, 0, 1}},  // top-left
        {0.75f, 0.75f, {0, 1, 0, 1}},  // top-right
        {0.25f, 0.25f, {0, 0, 1, 1}},  // bottom-left
        {1.25f, -0.75f, {0, 0, 1, 1}},
        {0.5f, 0.75f, {0.5f, 0.5f, 0, 1}},  // bilinear between red and green
    };
    for (const auto& c : cases) {
        SurfaceSample sample({0, 0, 1}, {0, 0, -1}, {c.u, c.v, 0});
        SampleShadeContext sc = sample.context();
        const AColor got = tex->EvalColor(sc);
        EXPECT_NEAR(got.r, c.want.r, 1e-5f) << c.u << "," << c.v;
        EXPECT_NEAR(got.g, c.want.g, 1e-5f) << c.u << "," << c.v;
        EXPECT_NEAR(got.b, c.want.b, 1e-5f) << c.u << "," << c.v;
        EXPECT_NEAR(tex->EvalMono(sc), (got.r + got.g + got.b) / 3.0f, 1e-6f);
    }
    tex->SetFilterType(BitmapTexture::kFilterNearest);
    EXPECT_EQ(tex->EvalUV(0.49f, 0.75f), AColor(1, 0, 0, 1));
}

TEST(BitmapTexture, SphericalMappingLooksUpByViewDirection) {
    ScratchDir dir;
    TexturePtr tex = newTexture(writeQuad(dir, "quad.exr"));
    tex->GetUVGen()->SetCoordMapping(BitmapTexture::kMappingSphericalEnvironment);
    SurfaceSample sample({0, 0, 1}, {1, 0, 0.0001f});
    SampleShadeContext sc = sample.context();
    EXPECT_EQ(tex->EvalColor(sc), tex->EvalDirection(sc.V()));
    EXPECT_NEAR(tex->EvalDirection({0, 0, 1}).r, 0.5f, 1e-6f);  // top row: red and green meet
    EXPECT_NEAR(tex->EvalDirection({0, 0, -1}).b, 1.0f, 1e-6f);
}

TEST(BitmapTexture, MissingImageIsReportedOnceAndShowsAChecker) {
    ScratchDir dir;
    WarningCapture warnings;
    const std::string missing = dir.file("missing.png");
    TexturePtr tex = newTexture(missing);
    TexturePtr twin = newTexture(missing);

    std::vector<std::thread> threads;
    std::vector<AColor> seen(4);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) seen[t] = (t % 2 ? tex : twin)->EvalUV(0.01f, 0.99f);
        });
    }
    for (auto& th : threads) th.join();
    Interval valid = FOREVER;
    tex->Update(0, valid);

    ASSERT_EQ(warnings.messages.size(), 1u);
    EXPECT_NE(warnings.messages[0].find(missing), std::string::npos) << warnings.messages[0];
    EXPECT_NE(warnings.messages[0].find("file not found"), std::string::npos)
        << warnings.messages[0];
    EXPECT_TRUE(tex->ShowsFallback());
    for (const AColor& c : seen) EXPECT_EQ(c, AColor(1, 0, 1, 1));  // magenta corner cell
    // Neighbouring cells alternate, in UV and as an environment alike.
    EXPECT_NE(tex->EvalUV(0.01f, 0.99f), tex->EvalUV(0.14f, 0.99f));
    const AColor env = tex->EvalDirection({0.3f, 0.2f, 0.5f});
    EXPECT_TRUE(env == AColor(1, 0, 1, 1) || env == AColor(0, 0, 0, 1));
}

TEST(BitmapTexture, UnreadableImageNamesTheReason) {
    ScratchDir dir;
    WarningCapture warnings;
    std::ofstream(dir.file("notes.png")) << "not a picture";
    TexturePtr tex = newTexture(dir.file("notes.png"));
    Interval valid = FOREVER;
    tex->Update(0, valid);
    ASSERT_EQ(warnings.messages.size(), 1u);
    EXPECT_NE(warnings.messages[0].find(dir.file("notes.png") + ": not a readable image"),
              std::string::npos)
        << warnings.messages[0];
    EXPECT_TRUE(tex->ShowsFallback());
}

TEST(BitmapTexture, NewNameReadsTheNewFile) {
    ScratchDir dir;
    WarningCapture warnings;
    TexturePtr tex = newTexture(dir.file("later.png"));
    EXPECT_TRUE(tex->ShowsFallback());
    writeQuad(dir, "later.png");
    tex->SetMapName(wide(dir.file("later.png")).c_str());
    EXPECT_FALSE(tex->ShowsFallback());
    EXPECT_EQ(tex->EvalUV(0.25f, 0.75f), AColor(1, 0, 0, 1));
}

TEST(BitmapTexture, CloneKeepsSettingsAndImage) {
    ScratchDir dir;
    TexturePtr tex = newTexture(writeQuad(dir, "quad.png"));
    tex->SetName(L"Wood");
    tex->SetFilterType(BitmapTexture::kFilterNearest);
    tex->GetUVGen()->SetCoordMapping(1);
    tex->EvalUV(0, 0);  // read before cloning: the clone shares the pixels
    DefaultRemapDir remap;
    TexturePtr copy(static_cast<BitmapTexture*>(tex->Clone(remap)));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetName(), L"Wood");
    EXPECT_EQ(std::wstring(copy->GetMapName()), std::wstring(tex->GetMapName()));
    EXPECT_EQ(copy->GetFilterType(), BitmapTexture::kFilterNearest);
    EXPECT_EQ(copy->GetUVGen()->GetCoordMapping(), 1);
    EXPECT_EQ(copy->EvalUV(0.75f, 0.25f), AColor(1, 1, 1, 1));
    EXPECT_EQ(remap.FindMapping(tex.get()), copy.get());

    copy->Reset();
    EXPECT_EQ(std::wstring(copy->GetMapName()), L"");
    EXPECT_EQ(tex->EvalUV(0.75f, 0.25f), AColor(1, 1, 1, 1));
}

TEST(BitmapTexture, PreviewEnvironmentLoadsTheShippedImage) {
    WarningCapture warnings;
    TexturePtr env = newTexture(kTavroPreviewEnvironmentPath);
    EXPECT_FALSE(env->ShowsFallback());
    EXPECT_TRUE(warnings.messages.empty());
    // A studio: brighter around the horizon and below than straight up into the dark ceiling.
    const AColor up = env->EvalDirection({0, 0, 1});
    const AColor floor = env->EvalDirection({0, 0, -1});
    EXPECT_GT(floor.r + floor.g + floor.b, up.r + up.g + up.b);
}

}  // namespace
