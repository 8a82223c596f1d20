#include <bit>
#include <cstdint>

#include "params/TavroParamIds.h"
#include "tests/material/MaterialFixture.h"
#include "tests/material/MemoryScene.h"

namespace {

constexpr USHORT kBaseChunk = 0x4000;
constexpr USHORT kRecordChunk = 0x5000;

MemoryChunk saved(TavroMtl* m) {
    MemorySave save;
    EXPECT_EQ(m->Save(&save), IO_OK);
    return save.root;
}

std::uint32_t u32At(const std::vector<BYTE>& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{bytes[offset + i]} << (8 * i);
    return v;
}

}  // namespace

TEST_F(MaterialTest, SavesBaseDataThenTheRecord) {
    const MemoryChunk root = saved(mtl);
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[0].id, kBaseChunk);
    EXPECT_EQ(root.children[1].id, kRecordChunk);
}

TEST_F(MaterialTest, RecordIs236LittleEndianBytes) {
    block()->SetValue(mtl_displacement_on, 0, 1);
    block()->SetValue(mtl_ior, 0, 2.0f);
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    const MemoryChunk root = saved(mtl);
    const std::vector<BYTE>& record = root.child(kRecordChunk)->data;
    ASSERT_EQ(record.size(), 236u);
    EXPECT_EQ(record[96], 1);
    EXPECT_EQ(record[104], 1);  // mtl_affect_shadow
    EXPECT_EQ(record[111], 0);  // mtl_translucency_mult_on, the last flag
    EXPECT_EQ(u32At(record, 0), std::bit_cast<std::uint32_t>(0.8f));
    EXPECT_EQ(u32At(record, 128), std::bit_cast<std::uint32_t>(2.0f));
    EXPECT_EQ(u32At(record, 212), 3u);  // mtl_specular_brdf, never refreshed
    EXPECT_EQ(u32At(record, 232), 0u);
}

TEST_F(MaterialTest, LoadRestoresWhatNoUpdateRecovers) {
    mtl->SetSpecular(Color(0.1f, 0.2f, 0.3f), 0);
    const MemoryChunk root = saved(mtl);
    TavroMtl* loaded = newMaterial(true);
    Observer holder(loaded);
    MemoryLoad load(root);
    EXPECT_EQ(loaded->Load(&load), IO_OK);
    EXPECT_EQ(loaded->cache().mtl_specular_color, Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(loaded->cache().mtl_affect_shadow, 1);
    EXPECT_TRUE(loaded->cacheValidity().Empty());
}

TEST_F(MaterialTest, LoadSkipsUnknownChunks) {
    mtl->SetSpecular(Color(0.5f, 0.5f, 0.5f), 0);
    MemoryChunk root = saved(mtl);
    root.children.insert(root.children.begin() + 1, MemoryChunk{0x7777, {1, 2, 3}, {}});
    TavroMtl* loaded = newMaterial(true);
    Observer holder(loaded);
    MemoryLoad load(root);
    EXPECT_EQ(loaded->Load(&load), IO_OK);
    EXPECT_EQ(loaded->cache().mtl_specular_color, Color(0.5f, 0.5f, 0.5f));
}

TEST_F(MaterialTest, ShortRecordFailsAndChangesNothing) {
    mtl->SetSpecular(Color(0.5f, 0.5f, 0.5f), 0);
    MemoryChunk root = saved(mtl);
    root.children[1].data.resize(100);
    TavroMtl* loaded = newMaterial(true);
    Observer holder(loaded);
    MemoryLoad load(root);
    EXPECT_NE(loaded->Load(&load), IO_OK);
    EXPECT_EQ(loaded->cache().mtl_specular_color, Color(1.0f, 1.0f, 1.0f));
}

TEST_F(MaterialTest, FailedWriteIsReported) {
    MemorySave save;
    save.failWrites = true;
    EXPECT_NE(mtl->Save(&save), IO_OK);
}

TEST_F(MaterialTest, CloneHasItsOwnBlockMapsAndACurrentCache) {
    mtl->SetSubTexmap(0, newMap());
    mtl->SetSubTexmap(9, newMap());
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    block()->SetValue(mtl_reflect_ior, 0, 4.0f);  // after the update: not in the cache yet

    DefaultRemapDir remap;
    auto* copy = static_cast<TavroMtl*>(static_cast<Mtl*>(mtl->Clone(remap)));
    ASSERT_NE(copy, nullptr);
    Observer holder(copy);
    ASSERT_NE(copy->GetParamBlock(0), nullptr);
    EXPECT_NE(copy->GetParamBlock(0), block());
    EXPECT_EQ(copy->GetParamBlock(0)->GetFloat(mtl_reflect_ior), 4.0f);
    for (int i = 0; i < 13; ++i) {
        if (i == 0 || i == 9) {
            ASSERT_NE(copy->GetSubTexmap(i), nullptr) << i;
            EXPECT_NE(copy->GetSubTexmap(i), mtl->GetSubTexmap(i)) << i;
        } else {
            EXPECT_EQ(copy->GetSubTexmap(i), nullptr) << i;
        }
    }
    EXPECT_EQ(copy->cache().mtl_reflect_ior, 1.5f);
    EXPECT_EQ(copy->cacheValidity(), FOREVER);

    copy->GetParamBlock(0)->SetValue(mtl_bump_amount, 0, 3.0f);
    EXPECT_EQ(block()->GetFloat(mtl_bump_amount), 0.2f);
}
