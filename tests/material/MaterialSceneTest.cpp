#include <gtest/gtest.h>

#include <cstring>

#include "BitmapTexture.h"
#include "ClassDirectory.h"
#include "ConstantTexmap.h"
#include "ParamBlockLegacy.h"
#include "SceneFile.h"
#include "material/TavroMtl.h"
#include "params/LegacyLayouts.h"
#include "params/TavroParamBlock.h"
#include "params/TavroParamIds.h"
#include "plugin/TavroClassDesc.h"
#include "tests/host/TestObjects.h"
#include "tests/plugin/AttachedModule.h"

namespace {

constexpr USHORT kRecordChunk = 0x5000;

// The record of a material that was never updated or loaded: every cached field at its
// constructor value, written out by hand from the record's layout.
constexpr const char* kFreshRecordHex =
    "cdcc4c3fcdcc4c3fcdcc4c3f0000803f0000803f0000803f0000803f0000803f"
    "0000803f0000803f0000803f0000803f0000803f0000803f0000803f0000803f"
    "0000803f0000803f0000803f0000803f0000803f0000803f0000803f0000803f"
    "0000000000000000010001010101000000000000000000000000000000000000"
    "0000c03f00000000000000000000000000000000000000000000803f00000000"
    "000000000000000000000000000000000000000000000000000000000000803f"
    "0000c03f00000000000000000000000000000000030000000300000000000000"
    "000000000000000000000000";

std::vector<BYTE> fromHex(const char* hex) {
    std::vector<BYTE> out;
    for (std::size_t i = 0; hex[i] && hex[i + 1]; i += 2)
        out.push_back(BYTE(std::stoi(std::string(hex + i, 2), nullptr, 16)));
    return out;
}

// Top-level chunks of a saved stream, by id.
std::vector<std::pair<USHORT, std::vector<BYTE>>> chunksOf(const std::vector<BYTE>& b) {
    std::vector<std::pair<USHORT, std::vector<BYTE>>> out;
    for (std::size_t at = 0; at + 6 <= b.size();) {
        USHORT id;
        std::uint32_t len;
        std::memcpy(&id, &b[at], 2);
        std::memcpy(&len, &b[at + 2], 4);
        out.emplace_back(
            id, std::vector<BYTE>(b.begin() + long(at + 6), b.begin() + long(at + 6 + len)));
        at += 6 + len;
    }
    return out;
}

// A stream that keeps the post-load callbacks registered with it and disposes of them.
class CollectingLoad : public hosttest::MemoryLoad {
public:
    using MemoryLoad::MemoryLoad;
    ~CollectingLoad() override {
        for (PostLoadCallback* cb : callbacks) cb->DeleteThis();
    }
    void RegisterPostLoadCallback(PostLoadCallback* cb) override { callbacks.push_back(cb); }
    std::vector<PostLoadCallback*> callbacks;
};

class MaterialScene : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        attachModule();
        RegisterClassDesc(&tavroClassDesc());
    }

    static TavroMtl* newMtl() { return static_cast<TavroMtl*>(tavroClassDesc().Create(FALSE)); }

    static std::vector<BYTE> saved(TavroMtl& m) {
        hosttest::MemorySave save;
        EXPECT_EQ(m.Save(&save), IO_OK);
        return save.bytes;
    }

    static std::vector<BYTE> recordOf(TavroMtl& m) {
        for (auto& [id, body] : chunksOf(saved(m)))
            if (id == kRecordChunk) return body;
        return {};
    }

    static std::unique_ptr<Scene> roundTrip(Scene& scene) {
        std::vector<BYTE> bytes;
        std::string error;
        EXPECT_TRUE(saveSceneToBytes(scene, bytes, error)) << error;
        auto loaded = loadSceneFromBytes(bytes, "mtl.tvs", error);
        EXPECT_TRUE(loaded) << error;
        return loaded;
    }

    static TavroMtl* mtlOf(Scene& s, int i = 0) { return dynamic_cast<TavroMtl*>(s.Object(i)); }
};

TEST_F(MaterialScene, FreshRecordMatchesTheGoldenBytes) {
    Scene scene;
    TavroMtl* m = newMtl();
    scene.Add(m);
    const std::vector<BYTE> record = recordOf(*m);
    ASSERT_EQ(record.size(), 236u);
    EXPECT_EQ(record, fromHex(kFreshRecordHex));
    EXPECT_EQ(record[96], 0);
    EXPECT_EQ(std::vector<BYTE>(record.begin() + 212, record.begin() + 216),
              (std::vector<BYTE>{3, 0, 0, 0}));
    EXPECT_EQ(chunksOf(saved(*m)).front().first, 0x4000);
}

TEST_F(MaterialScene, UnknownChunkIsSkippedAndTheConversionRegistered) {
    TavroMtl* source = newMtl();
    source->SetSpecular(Color(0.1f, 0.2f, 0.3f), 0);
    hosttest::MemorySave save;
    save.BeginChunk(0x7777);
    const BYTE junk[5] = {1, 2, 3, 4, 5};
    ULONG n;
    save.Write(junk, 5, &n);
    save.EndChunk();
    source->Save(&save);
    source->DeleteMe();

    auto* m = static_cast<TavroMtl*>(tavroClassDesc().Create(TRUE));
    {
        CollectingLoad load(save.bytes);
        EXPECT_EQ(m->Load(&load), IO_OK);
        EXPECT_EQ(load.callbacks.size(), 1u);
    }
    EXPECT_EQ(m->cache().mtl_specular_color, Color(0.1f, 0.2f, 0.3f));
    m->DeleteThis();
}

TEST_F(MaterialScene, ShortRecordFailsWithoutRegistering) {
    TavroMtl* source = newMtl();
    std::vector<BYTE> bytes = saved(*source);
    source->DeleteMe();
    // Cut the record's last byte: its chunk is one byte shorter.
    bytes.pop_back();
    const std::size_t recordAt = bytes.size() - 235 - 6;
    bytes[recordAt + 2] = 235;

    auto* m = static_cast<TavroMtl*>(tavroClassDesc().Create(TRUE));
    {
        CollectingLoad load(bytes);
        EXPECT_NE(m->Load(&load), IO_OK);
        EXPECT_TRUE(load.callbacks.empty());
    }
    m->DeleteThis();
}

// A material whose block is of an earlier layout, with a few values set by position.
Scene* legacyScene(int version) {
    const ParamVersionDesc& layout = tavroLegacyVersions()[std::size_t(version)];
    auto* scene = new Scene();
    auto* m = static_cast<TavroMtl*>(tavroClassDesc().Create(FALSE));
    IParamBlock* old = CreateParameterBlock(layout.desc, layout.count, layout.version);
    LegacyParamValue v;
    v.type = LegacyParamType::Float;
    v.f = 2.5f;
    v.keys = {{0, 2.5f, Color()}, {320, 3.5f, Color()}};
    EXPECT_TRUE(old->SetValue(mtl_reflect_ior - 2, v));  // ids follow positions: id = p + 2
    v = LegacyParamValue();
    v.type = LegacyParamType::Int;
    v.i = 1;
    EXPECT_TRUE(old->SetValue(mtl_reflect_brdf - 2, v));
    m->ReplaceReference(13, old);
    m->SetSubTexmap(0, new ConstantTexmap());
    scene->Add(m);
    return scene;
}

TEST_F(MaterialScene, OlderBlocksOfBothVersionsBecomeCurrentAfterLoad) {
    for (int version : {0, 1}) {
        std::unique_ptr<Scene> scene(legacyScene(version));
        auto loaded = roundTrip(*scene);
        ASSERT_TRUE(loaded) << version;
        TavroMtl* m = mtlOf(*loaded);
        IParamBlock2* pb = m->GetParamBlock(0);
        ASSERT_NE(pb, nullptr) << version;
        EXPECT_EQ(pb->GetDesc(), &tavroParamBlockDesc());
        EXPECT_FLOAT_EQ(pb->GetFloat(mtl_reflect_ior, 160), 3.0f);
        EXPECT_EQ(pb->GetInt(mtl_reflect_brdf), 1);
        EXPECT_FLOAT_EQ(pb->GetFloat(mtl_bump_amount), 0.0f);  // carried as the older block held it
        EXPECT_NE(m->GetSubTexmap(0), nullptr);
        EXPECT_EQ(pb->GetTexmap(mtl_diffuse_map), m->GetSubTexmap(0));
    }
}

TEST_F(MaterialScene, CommittedFixturesOfBothVersionsLoad) {
    for (const char* name : {"legacy-v0.tvs", "legacy-v1.tvs"}) {
        std::string error;
        auto scene =
            loadScene(std::string(TAVRO_SOURCE_DIR "/tests/material/fixtures/") + name, error);
        ASSERT_TRUE(scene) << error;
        TavroMtl* m = mtlOf(*scene);
        ASSERT_NE(m, nullptr);
        IParamBlock2* pb = m->GetParamBlock(0);
        ASSERT_NE(pb, nullptr) << name;
        EXPECT_EQ(pb->GetDesc(), &tavroParamBlockDesc());
        // The fixtures were written with these values (see the README's command).
        EXPECT_FLOAT_EQ(pb->GetFloat(mtl_reflect_ior), 2.0f) << name;
        EXPECT_EQ(pb->GetColor(mtl_diffuse_color), Color(0.5f, 0.25f, 0.125f)) << name;
    }
}

TEST_F(MaterialScene, EveryParameterKeyAndMapSurvivesARoundTrip) {
    Scene scene;
    TavroMtl* m = newMtl();
    scene.Add(m);
    IParamBlock2* pb = m->GetParamBlock(0);
    // The record carries what no update recovers.
    m->SetSpecular(Color(0.25f, 0.5f, 0.75f), 0);
    ParamBlockDesc2& desc = tavroParamBlockDesc();
    // Every parameter off its default; floats and colours keyed.
    for (const ParamDef& d : desc.Params()) {
        switch (d.type) {
            case TYPE_FLOAT:
                pb->SetKey(d.id, ParamKey{0, d.rangeLo + 0.25f * (d.rangeHi - d.rangeLo), {}});
                pb->SetKey(d.id, ParamKey{480, d.rangeHi, {}});
                break;
            case TYPE_RGBA:
                pb->SetKey(d.id, ParamKey{-160, 0.0f, Color(0.1f, 0.2f, float(d.id) / 100.0f)});
                pb->SetKey(d.id, ParamKey{160, 0.0f, Color(0.9f, 0.8f, 0.7f)});
                break;
            case TYPE_INT:
                pb->SetValue(d.id, 0, d.defInt + 1);
                break;
            case TYPE_BOOL:
                pb->SetValue(d.id, 0, d.defInt ? 0 : 1);
                break;
            case TYPE_TEXMAP: {
                auto* map = static_cast<BitmapTexture*>(NewDefaultBitmapTex());
                map->SetMapName((L"maps/" + std::to_wstring(d.id) + L".png").c_str());
                map->SetName(L"map " + std::to_wstring(d.id));
                pb->SetValue(d.id, 0, map);
                break;
            }
        }
    }
    auto loaded = roundTrip(scene);
    ASSERT_TRUE(loaded);
    TavroMtl* back = mtlOf(*loaded);
    EXPECT_EQ(back->cache().mtl_specular_color, Color(0.25f, 0.5f, 0.75f));
    IParamBlock2* pb2 = back->GetParamBlock(0);
    for (const ParamDef& d : desc.Params()) {
        if (d.type == TYPE_TEXMAP) {
            auto* map = dynamic_cast<BitmapTexture*>(pb2->GetTexmap(d.id));
            ASSERT_NE(map, nullptr) << d.id;
            EXPECT_EQ(map, back->GetSubTexmap(d.refno));
            EXPECT_EQ(std::wstring(map->GetMapName()), L"maps/" + std::to_wstring(d.id) + L".png");
            EXPECT_EQ(map->GetName(), L"map " + std::to_wstring(d.id));
            continue;
        }
        ParamValueRecord a, b;
        pb->GetRecord(d.id, a);
        pb2->GetRecord(d.id, b);
        EXPECT_EQ(a.i, b.i) << d.id;
        EXPECT_EQ(a.f, b.f) << d.id;
        EXPECT_EQ(a.c, b.c) << d.id;
        ASSERT_EQ(a.keys.size(), b.keys.size()) << d.id;
        for (std::size_t k = 0; k < a.keys.size(); ++k) {
            EXPECT_EQ(a.keys[k].t, b.keys[k].t);
            EXPECT_EQ(a.keys[k].f, b.keys[k].f);
            EXPECT_EQ(a.keys[k].c, b.keys[k].c);
        }
    }
}

}  // namespace
