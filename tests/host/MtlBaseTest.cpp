#include <gtest/gtest.h>

#include "ChunkIO.h"
#include "ConstantTexmap.h"
#include "Mtl.h"
#include "tests/host/TestObjects.h"

using hosttest::MemoryLoad;
using hosttest::MemorySave;

namespace {

class PlainMtl : public Mtl {
public:
    void Update(TimeValue, Interval&) override {}
    void Reset() override {}
    Interval Validity(TimeValue) override { return FOREVER; }
    Color GetAmbient(int, BOOL) override { return {}; }
    Color GetDiffuse(int, BOOL) override { return {}; }
    Color GetSpecular(int, BOOL) override { return {}; }
    float GetShininess(int, BOOL) override { return 0.0f; }
    float GetShinStr(int, BOOL) override { return 0.0f; }
    float GetXParency(int, BOOL) override { return 0.0f; }
    void SetAmbient(Color, TimeValue) override {}
    void SetDiffuse(Color, TimeValue) override {}
    void SetSpecular(Color, TimeValue) override {}
    void SetShininess(float, TimeValue) override {}
    void Shade(ShadeContext&) override {}
};

std::vector<std::uint8_t> saveBase(MtlBase& m) {
    MemorySave save;
    save.BeginChunk(0x4000);
    EXPECT_EQ(m.Save(&save), IO_OK);
    save.EndChunk();
    return save.bytes;
}

IOResult loadBase(MtlBase& m, std::vector<std::uint8_t> bytes) {
    MemoryLoad load(std::move(bytes));
    EXPECT_EQ(load.OpenChunk(), IO_OK);
    const IOResult r = m.Load(&load);
    load.CloseChunk();
    return r;
}

TEST(MtlBase, BaseDataRoundTrips) {
    const MSTR names[] = {L"", L"Brushed steel", L"Gr\u00fcn \U0001F600 \u6750\u8d28"};
    for (const MSTR& name : names) {
        PlainMtl a;
        a.SetName(name);
        a.SetGBufID(-7);
        PlainMtl b;
        EXPECT_EQ(loadBase(b, saveBase(a)), IO_OK);
        EXPECT_EQ(b.GetName(), name);
        EXPECT_EQ(b.GetGBufID(), -7);
    }
}

TEST(MtlBase, NameIsLengthPrefixedUtf16) {
    PlainMtl a;
    a.SetName(L"A\U0001F600");
    a.SetGBufID(2);
    const std::vector<std::uint8_t> expected = {
        0x00, 0x40, 26,   0,    0,    0,                 // chunk 0x4000, 26 bytes
        0x01, 0x00, 10,   0,    0,    0,    3, 0, 0, 0,  // name: 3 UTF-16 units
        'A',  0,    0x3D, 0xD8, 0x00, 0xDE,              // 'A', surrogate pair
        0x02, 0x00, 4,    0,    0,    0,    2, 0, 0, 0,  // G-buffer id 2
    };
    EXPECT_EQ(saveBase(a), expected);
}

TEST(MtlBase, CorruptNamesAreRefused) {
    auto withName = [](std::vector<std::uint8_t> body) {
        MemorySave save;
        save.BeginChunk(0x4000);
        save.BeginChunk(0x0001);
        ULONG n = 0;
        save.Write(body.data(), ULONG(body.size()), &n);
        save.EndChunk();
        save.EndChunk();
        return save.bytes;
    };
    const struct {
        const char* what;
        std::vector<std::uint8_t> body;
    } cases[] = {
        {"count beyond the chunk", {5, 0, 0, 0, 'a', 0}},
        {"huge count", {0xFF, 0xFF, 0xFF, 0x7F}},
        {"lone low surrogate", {1, 0, 0, 0, 0x00, 0xDC}},
        {"high surrogate at the end", {1, 0, 0, 0, 0x00, 0xD8}},
        {"truncated count", {1, 0}},
    };
    for (const auto& c : cases) {
        PlainMtl m;
        m.SetName(L"kept");
        EXPECT_EQ(loadBase(m, withName(c.body)), IO_ERROR) << c.what;
    }
}

TEST(MtlBase, UnknownNestedChunksAreSkipped) {
    MemorySave save;
    save.BeginChunk(0x4000);
    save.BeginChunk(0x0777);
    writeU32(&save, 123);
    save.EndChunk();
    save.BeginChunk(0x0002);
    writeI32(&save, 9);
    save.EndChunk();
    save.EndChunk();
    PlainMtl m;
    EXPECT_EQ(loadBase(m, save.bytes), IO_OK);
    EXPECT_EQ(m.GetGBufID(), 9);
}

TEST(MtlBase, AssignmentCopiesBaseData) {
    PlainMtl a, b;
    a.SetName(L"Source");
    a.SetGBufID(4);
    b = a;
    EXPECT_EQ(b.GetName(), L"Source");
    EXPECT_EQ(b.GetGBufID(), 4);
}

TEST(Mtl, Defaults) {
    PlainMtl m;
    EXPECT_FALSE(m.IsTransparent());
    EXPECT_EQ(m.GetSelfIllumColor(), Color(0, 0, 0));
    EXPECT_EQ(m.GetWireSize(), 1.0f);
    EXPECT_EQ(m.NumSubMtls(), 0);
    EXPECT_EQ(m.GetSubMtl(0), nullptr);
    EXPECT_EQ(m.GetSubMtlSlotName(0), L"");
    EXPECT_EQ(m.GetSubTexmapSlotName(0), L"");
    EXPECT_EQ(m.Requirements(0), 0u);
    EXPECT_EQ(m.SuperClassID(), MATERIAL_CLASS_ID);
    EXPECT_EQ(m.displacementValidity(5), FOREVER);
}

class NoShade : public ShadeContext {
public:
    int nLights() override { return 0; }
    LightDesc* Light(int) override { return nullptr; }
    Point3 Normal() override { return {0, 0, 1}; }
    void SetNormal(Point3) override {}
    Point3 P() override { return {}; }
    Point3 V() override { return {0, 0, -1}; }
    Point3 ReflectVector() override { return {}; }
    Point3 RefractVector(float) override { return {}; }
    void SetIOR(float) override {}
    float GetIOR() override { return 1.0f; }
    Point3 UVW(int) override { return {}; }
    void DPdUVW(Point3[3], int) override {}
    void GetBGColor(Color&, Color&, BOOL) override {}
    AColor EvalEnvironMap(Texmap*, Point3) override { return {}; }
};

TEST(ConstantTexmap, AbilitiesAndValidity) {
    NoShade sc;
    ConstantTexmap map(AColor(0.3f, 0.6f, 0.9f, 1.0f));
    EXPECT_EQ(map.SuperClassID(), TEXMAP_CLASS_ID);
    EXPECT_EQ(map.EvalColor(sc), AColor(0.3f, 0.6f, 0.9f, 1.0f));
    EXPECT_FLOAT_EQ(map.EvalMono(sc), 0.6f) << "the host's default: average of r, g, b";
    map.SetMono(0.25f);
    EXPECT_FLOAT_EQ(map.EvalMono(sc), 0.25f);
    map.SetNormalPerturb({0.1f, 0, 0});
    EXPECT_EQ(map.EvalNormalPerturb(sc), Point3(0.1f, 0, 0));

    MSTR name;
    map.GetClassName(name);
    EXPECT_EQ(name, L"ConstantTexmap");
    map.SetClassName(L"Normal Bump");
    map.GetClassName(name);
    EXPECT_EQ(name, L"Normal Bump");

    map.SetValidity(Interval(0, 50));
    Interval valid(10, 100);
    map.Update(20, valid);
    EXPECT_EQ(valid, Interval(10, 50));
    EXPECT_EQ(map.UpdateCount(), 1);
    EXPECT_EQ(map.LastUpdateTime(), 20);
}

TEST(SplitFilename, Parts) {
    const struct {
        const wchar_t* full;
        const wchar_t *path, *file, *ext;
    } cases[] = {
        {L"c:\\maps\\wood.png", L"c:\\maps\\", L"wood", L".png"},
        {L"/home/u/tex/brick.tiled.jpg", L"/home/u/tex/", L"brick.tiled", L".jpg"},
        {L"mixed/dir\\name", L"mixed/dir\\", L"name", L""},
        {L"c:\\dir.v2\\noext", L"c:\\dir.v2\\", L"noext", L""},
        {L"plain.hdr", L"", L"plain", L".hdr"},
        {L"", L"", L"", L""},
        {L"dir/", L"dir/", L"", L""},
    };
    for (const auto& c : cases) {
        MSTR path, file, ext;
        SplitFilename(c.full, &path, &file, &ext);
        EXPECT_EQ(path, c.path) << c.full;
        EXPECT_EQ(file, c.file) << c.full;
        EXPECT_EQ(ext, c.ext) << c.full;
    }
    MSTR file;
    SplitFilename(L"a/b.c", nullptr, &file, nullptr);
    EXPECT_EQ(file, L"b");
}

}  // namespace
