#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "BitmapTexture.h"
#include "ChunkIO.h"
#include "ConstantTexmap.h"
#include "NormalBump.h"
#include "SceneFormat.h"
#include "tests/host/SceneTestObjects.h"

using namespace scenetest;

namespace {

std::unique_ptr<Scene> reload(Scene& scene) {
    std::string error;
    auto loaded = loadSceneFromBytes(bytesOf(scene), "mem.tvs", error);
    EXPECT_TRUE(loaded) << error;
    return loaded;
}

TEST(SceneFile, RoundTripKeepsValuesKeysMapsAndNames) {
    Scene scene;
    Holder* h = newHolder();
    scene.Add(h);
    IParamBlock2* pb = blockOf(h);
    pb->SetValue(kInt, 0, 7);
    pb->SetValue(kBool, 0, 0);
    pb->SetValue(kColor, 0, Color(0.1f, 0.2f, 0.3f));
    pb->SetKey(kFloat, ParamKey{0, 1.0f, Color()});
    pb->SetKey(kFloat, ParamKey{160, 9.5f, Color()});
    NormalBumpTexture* bump = newNormalBumpTexture(L"maps/n.png");
    bump->SetName(L"Bump \u00e9");
    pb->SetValue(kMap, 0, bump);
    ASSERT_EQ(h->map, bump);

    auto loaded = reload(scene);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->Count(), 1);
    auto* h2 = dynamic_cast<Holder*>(loaded->Object(0));
    ASSERT_NE(h2, nullptr);
    IParamBlock2* pb2 = blockOf(h2);
    ASSERT_NE(pb2, nullptr);
    EXPECT_EQ(pb2->GetDesc(), &holderBlockDesc());
    EXPECT_EQ(pb2->GetInt(kInt), 7);
    EXPECT_EQ(pb2->GetInt(kBool), 0);
    EXPECT_EQ(pb2->GetColor(kColor), Color(0.1f, 0.2f, 0.3f));
    ASSERT_EQ(pb2->GetKeys(kFloat).size(), 2u);
    EXPECT_EQ(pb2->GetKeys(kFloat)[1].t, 160);
    EXPECT_FLOAT_EQ(pb2->GetFloat(kFloat, 80), 5.25f);
    auto* bump2 = dynamic_cast<NormalBumpTexture*>(h2->map);
    ASSERT_NE(bump2, nullptr);
    EXPECT_EQ(pb2->GetTexmap(kMap), bump2);  // the block finds its owner again
    EXPECT_EQ(bump2->GetName(), L"Bump \u00e9");
    auto* bitmap = dynamic_cast<BitmapTexture*>(bump2->GetSubTexmap(0));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_STREQ(bitmap->GetMapName(), L"maps/n.png");
    EXPECT_EQ(bitmap->GetImageValues(), ImageValues::Data);
}

TEST(SceneFile, SharedObjectsStayShared) {
    Scene scene;
    auto* map = new ConstantTexmap(AColor(0.5f, 0.25f, 1.0f, 1.0f));
    map->SetMono(0.75f);
    map->SetClassName(L"Custom");
    Holder* a = newHolder();
    Holder* b = newHolder();
    blockOf(a)->SetValue(kMap, 0, map);
    blockOf(b)->SetValue(kMap, 0, map);
    scene.Add(a);
    scene.Add(b);
    auto loaded = reload(scene);
    ASSERT_TRUE(loaded);
    auto* m1 = dynamic_cast<ConstantTexmap*>(static_cast<Holder*>(loaded->Object(0))->map);
    auto* m2 = dynamic_cast<ConstantTexmap*>(static_cast<Holder*>(loaded->Object(1))->map);
    ASSERT_NE(m1, nullptr);
    EXPECT_EQ(m1, m2);
    MSTR name;
    m1->GetClassName(name);
    EXPECT_EQ(name, L"Custom");
}

// The reader's answers, seen from inside an object's Load.
TEST(SceneFile, ReaderFollowsChunkRules) {
    registerProbe();
    Probe::onSave = [](ISave* s) {
        s->BeginChunk(0x10);
        writeU32(s, 11);
        writeU32(s, 22);  // left unread: closing skips it
        s->EndChunk();
        s->BeginChunk(0x77);  // unknown to the reader: skipped by length
        s->BeginChunk(0x78);
        writeU32(s, 1);
        s->EndChunk();
        s->EndChunk();
        s->BeginChunk(0x20);
        writeU32(s, 33);
        s->EndChunk();
        return IO_OK;
    };
    std::vector<std::string> seen;
    Probe::onLoad = [&](ILoad* l) {
        IOResult r;
        while ((r = l->OpenChunk()) == IO_OK) {
            std::uint32_t v = 0;
            if (l->CurChunkID() == 0x10 || l->CurChunkID() == 0x20) {
                readU32(l, v);
                seen.push_back(std::to_string(l->CurChunkID()) + ":" + std::to_string(v));
            }
            if (l->CurChunkID() == 0x20) {
                BYTE past[4];
                ULONG n = 99;
                EXPECT_EQ(l->Read(past, 4, &n), IO_ERROR);
                EXPECT_EQ(n, 0u);
            }
            l->CloseChunk();
        }
        EXPECT_EQ(r, IO_END);
        EXPECT_EQ(l->OpenChunk(), IO_END);
        return IO_OK;
    };
    Scene scene;
    scene.Add(new Probe());
    auto loaded = reload(scene);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(seen, (std::vector<std::string>{"16:11", "32:33"}));
    Probe::onSave = nullptr;
    Probe::onLoad = nullptr;
}

class RecordingCallback : public PostLoadCallback {
public:
    RecordingCallback(std::vector<std::string>& log, std::string name, int priority, Holder* target)
        : log_(log), name_(std::move(name)), priority_(priority), target_(target) {}
    void proc(ILoad*) override {
        // Run after every object has been read and linked.
        log_.push_back(name_ + (target_->block ? "+block" : "-block"));
    }
    int Priority() override { return priority_; }
    void DeleteThis() override {
        log_.push_back(name_ + " disposed");
        delete this;
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
    int priority_;
    Holder* target_;
};

TEST(SceneFile, PostLoadCallbacksRunByPriorityAfterTheSceneThenGo) {
    std::vector<std::string> log;
    int n = 0;
    Holder::onLoad = [&](Holder* h) -> PostLoadCallback* {
        ++n;
        return new RecordingCallback(log, n == 1 ? "late" : "early", n == 1 ? 9 : 1, h);
    };
    Scene scene;
    scene.Add(newHolder());
    scene.Add(newHolder());
    auto loaded = reload(scene);
    Holder::onLoad = nullptr;
    EXPECT_EQ(log, (std::vector<std::string>{"early+block", "late+block", "early disposed",
                                             "late disposed"}));
}

TEST(SceneFile, CallbacksOfAFailedLoadAreDisposedUnrun) {
    std::vector<std::string> log;
    Holder::onLoad = [&](Holder* h) -> PostLoadCallback* {
        return new RecordingCallback(log, "cb", 5, h);
    };
    Scene scene;
    scene.Add(newHolder());
    std::vector<BYTE> bytes = bytesOf(scene);
    bytes.resize(bytes.size() - 1);  // the roots chunk now overruns the file
    std::string error;
    EXPECT_FALSE(loadSceneFromBytes(bytes, "cut.tvs", error));
    Holder::onLoad = nullptr;
    // The roots chunk is damaged before any object is made: nothing ran.
    EXPECT_TRUE(log.empty());
}

// Writes a little-endian u32 into the bytes at `at`.
void put32(std::vector<BYTE>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = BYTE(v >> (8 * i));
}

// The offset of the top-level chunk `id`.
std::size_t findChunk(const std::vector<BYTE>& b, USHORT id) {
    std::size_t at = scenefmt::kPreambleSize;
    while (at + 6 <= b.size()) {
        const USHORT cid = USHORT(b[at] | b[at + 1] << 8);
        if (cid == id) return at;
        std::uint32_t len = 0;
        std::memcpy(&len, &b[at + 2], 4);
        at += 6 + len;
    }
    return SIZE_MAX;
}

// The header chunk of object 0: the first chunk of the first object.
std::size_t firstHeader(const std::vector<BYTE>& b) {
    return findChunk(b, scenefmt::kObjects) + 12;
}

struct BadFile {
    const char* name;
    std::function<void(std::vector<BYTE>&)> damage;
    const char* expected;  // part of the message
};

TEST(SceneFile, DamagedFilesAreRefusedWithOffsetAndReason) {
    Scene scene;
    Holder* h = newHolder();
    blockOf(h)->SetValue(kMap, 0, new ConstantTexmap());
    scene.Add(h);
    const std::vector<BYTE> good = bytesOf(scene);
    const std::vector<BadFile> cases = {
        {"empty", [](auto& b) { b.clear(); }, "byte 0: the file is 0 bytes long"},
        {"magic", [](auto& b) { b[0] = 'X'; }, "byte 0: not a scene file"},
        {"newer", [](auto& b) { put32(b, 8, 2); }, "byte 8: the file is in format version 2"},
        {"version 0", [](auto& b) { put32(b, 8, 0); }, "byte 8: format version 0"},
        {"truncated", [](auto& b) { b.resize(b.size() / 2); }, "remain in the enclosing"},
        {"no roots", [](auto& b) { b.resize(findChunk(b, scenefmt::kRoots)); },
         "ends without its roots"},
        {"class count",
         [](auto& b) { put32(b, findChunk(b, scenefmt::kClassTable) + 6, 0xFFFFFFFF); },
         "more than 4096"},
        {"unknown class",
         [](auto& b) { put32(b, findChunk(b, scenefmt::kClassTable) + 10, 0xDEAD); },
         "is not known to this host"},
        {"chunk length",
         [](auto& b) { put32(b, findChunk(b, scenefmt::kObjects) + 2, 0x7FFFFFFF); },
         "claims 2147483647 bytes"},
        {"reference index", [](auto& b) { put32(b, firstHeader(b) + 14, 1000); },
         "to object 1000, but the file holds"},
        {"cycle",
         [](auto& b) {
             // Object 0 is the holder; its first reference points back at itself.
             put32(b, firstHeader(b) + 14, 0);
         },
         "references form a cycle"},
        {"unreachable", [](auto& b) { put32(b, firstHeader(b) + 14, 0xFFFFFFFF); },
         "is not reached from any top-level object"},
        {"swapped references",
         [](auto& b) {
             put32(b, firstHeader(b) + 14, 2);
             put32(b, firstHeader(b) + 18, 1);
         },
         "holds something other than the object's parameter block"},
    };
    for (const BadFile& c : cases) {
        std::vector<BYTE> bytes = good;
        c.damage(bytes);
        std::string error;
        EXPECT_FALSE(loadSceneFromBytes(bytes, "bad.tvs", error)) << c.name;
        EXPECT_NE(error.find("bad.tvs: byte "), std::string::npos) << c.name << ": " << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.name << ": " << error;
    }
}

TEST(SceneFile, SavingAnUnregisteredClassFails) {
    Scene scene;
    struct Stray : ReferenceTarget {
        Class_ID ClassID() override { return Class_ID(0xBAD, 0xBAD); }
    };
    scene.Add(new Stray());
    std::vector<BYTE> bytes;
    std::string error;
    EXPECT_FALSE(saveSceneToBytes(scene, bytes, error));
    EXPECT_NE(error.find("not in the class directory"), std::string::npos) << error;
}

}  // namespace
