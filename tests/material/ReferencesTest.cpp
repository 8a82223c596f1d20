#include <string>

#include "params/TavroParamIds.h"
#include "tests/material/MaterialFixture.h"

namespace {

// Sets a reference the way the host does: through its reference machinery.
void setReference(TavroMtl* m, int i, ReferenceTarget* target) {
    m->ReplaceReference(i, target, TRUE);
}

}  // namespace

TEST_F(MaterialTest, FourteenReferencesThirteenSlotsOneBlock) {
    EXPECT_EQ(mtl->NumRefs(), 14);
    EXPECT_EQ(mtl->NumSubTexmaps(), 13);
    EXPECT_EQ(mtl->NumParamBlocks(), 1);
    EXPECT_EQ(mtl->GetParamBlock(0), block());
    EXPECT_EQ(mtl->GetParamBlock(1), nullptr);
    EXPECT_EQ(mtl->GetParamBlockByID(0), block());
    EXPECT_EQ(mtl->GetParamBlockByID(1), nullptr);
    EXPECT_EQ(mtl->GetParamBlockByID(-1), nullptr);
}

TEST_F(MaterialTest, ParamBlockAtASlotIndexReplacesTheBlockAndReleasesTheSlot) {
    mtl->SetSubTexmap(3, newMap());
    mtl->SetSubTexmap(4, newMap());
    Observer keepOld(block());
    IParamBlock2* other = CreateParameterBlock2(block()->GetDesc(), mtl);
    // Reference 3 now holds the block: the map it held is released (here deleted), so the
    // slot must not point at it any more.
    setReference(mtl, 3, other);
    EXPECT_EQ(block(), other);
    EXPECT_EQ(mtl->GetSubTexmap(3), nullptr);
    EXPECT_NE(mtl->GetSubTexmap(4), nullptr);
    Interval valid = FOREVER;
    mtl->Update(0, valid);
}

TEST_F(MaterialTest, AboveTheSlotsOnlyABlockBecomesTheBlock) {
    ConstantTexmap* map = newMap();
    Observer keepMap(map);
    // The index decides above 12: a map never lands in a slot from there, and is not taken
    // for a parameter block either.
    setReference(mtl, 13, map);
    EXPECT_EQ(mtl->GetParamBlock(0), nullptr);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(mtl->GetSubTexmap(i), nullptr) << i;
}

TEST_F(MaterialTest, NullAtASlotEmptiesItAndAtThirteenClearsTheBlock) {
    mtl->SetSubTexmap(4, newMap());
    setReference(mtl, 4, nullptr);
    EXPECT_EQ(mtl->GetSubTexmap(4), nullptr);
    Observer keepBlock(block());
    setReference(mtl, 13, nullptr);
    EXPECT_EQ(mtl->GetReference(13), nullptr);
}

TEST_F(MaterialTest, SetSubTexmapFillsSlotAndParameterAndNotifiesOnce) {
    ConstantTexmap* map = newMap();
    const long before = observer->count(REFMSG_CHANGE);
    mtl->SetSubTexmap(12, map);
    EXPECT_EQ(mtl->GetReference(12), map);
    EXPECT_EQ(mtl->GetSubTexmap(12), map);
    EXPECT_EQ(block()->GetTexmap(mtl_reflect_rotation_map), map);
    EXPECT_GE(observer->count(REFMSG_CHANGE), before + 1);
}

TEST_F(MaterialTest, SetSubTexmapOutsideTheSlotsOnlyNotifies) {
    ConstantTexmap* map = newMap();
    Observer keepMap(map);
    IParamBlock2* pb = block();
    const long before = observer->count(REFMSG_CHANGE);
    for (int i : {13, -1, 100}) mtl->SetSubTexmap(i, map);
    EXPECT_EQ(observer->count(REFMSG_CHANGE), before + 3);
    EXPECT_EQ(block(), pb);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(mtl->GetSubTexmap(i), nullptr) << i;
}

TEST_F(MaterialTest, SetSubTexmapNullEmptiesSlotAndParameter) {
    mtl->SetSubTexmap(2, newMap());
    mtl->SetSubTexmap(2, nullptr);
    EXPECT_EQ(mtl->GetSubTexmap(2), nullptr);
    EXPECT_EQ(block()->GetTexmap(mtl_reflect_map), nullptr);
}

TEST_F(MaterialTest, MapSetThroughTheBlockLandsInItsSlot) {
    ConstantTexmap* map = newMap();
    block()->SetValue(mtl_opacity_map, 0, static_cast<Texmap*>(map));
    EXPECT_EQ(mtl->GetSubTexmap(9), map);
}

TEST_F(MaterialTest, SlotNamesAreTheMapParametersDisplayNames) {
    const wchar_t* names[] = {
        L"DiffuseMap",
        L"DeprecatedMap1",
        L"ReflectivityMap",
        L"EmissionMap",
        L"TransparencyMap",
        L"NormalMap",
        L"DeprecatedMap2",
        L"ReflectGlossinessMap",
        L"TranspGlossinessMap",
        L"OpacityMap",
        L"TranslucencyMap",
        L"ReflectivityAnisotropyMap",
        L"ReflectivityRotationMap",
    };
    for (int i = 0; i < 13; ++i) EXPECT_EQ(mtl->GetSubTexmapSlotName(i), names[i]) << i;
    for (int i : {13, -1, 50}) EXPECT_EQ(mtl->GetSubTexmapSlotName(i), L"") << i;
}

TEST_F(MaterialTest, SubAnimatablesFollowTheReferences) {
    EXPECT_EQ(mtl->NumSubs(), 1);
    EXPECT_EQ(mtl->SubAnim(0), nullptr);
    ConstantTexmap* map = newMap();
    mtl->SetSubTexmap(0, map);
    EXPECT_EQ(mtl->SubAnim(0), map);
    EXPECT_EQ(mtl->SubAnim(13), block());
    EXPECT_EQ(mtl->GetReference(13), block());
    EXPECT_EQ(mtl->SubAnimName(0), L"");
    EXPECT_EQ(mtl->SubAnimName(13), L"");
}

TEST_F(MaterialTest, NoSubMaterials) {
    EXPECT_EQ(mtl->NumSubMtls(), 0);
    EXPECT_EQ(mtl->GetSubMtl(0), nullptr);
    EXPECT_EQ(mtl->GetSubMtlSlotName(0), L"");
    // Setting one changes nothing: no material takes a map's or the block's place.
    TavroMtl* other = newMaterial(false);
    Observer keepOther(other);
    IParamBlock2* pb = block();
    mtl->SetSubMtl(0, other);
    mtl->SetSubMtl(13, other);
    EXPECT_EQ(mtl->GetSubTexmap(0), nullptr);
    EXPECT_EQ(block(), pb);
}

TEST_F(MaterialTest, NegativeIndicesReachNothing) {
    EXPECT_EQ(mtl->GetReference(-1), nullptr);
    EXPECT_EQ(mtl->GetSubTexmap(-1), nullptr);
    EXPECT_EQ(mtl->GetSubTexmap(13), nullptr);
}
