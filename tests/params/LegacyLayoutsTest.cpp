#include <gtest/gtest.h>

#include "ParamBlock2.h"
#include "params/LegacyLayouts.h"
#include "params/TavroParamBlock.h"

namespace {

LegacyParamType legacyTypeOf(ParamType2 type) {
    switch (type) {
        case TYPE_FLOAT:
            return LegacyParamType::Float;
        case TYPE_INT:
            return LegacyParamType::Int;
        case TYPE_RGBA:
            return LegacyParamType::Rgba;
        case TYPE_BOOL:
            return LegacyParamType::Bool;
        default:
            return LegacyParamType::User;
    }
}

}  // namespace

TEST(LegacyLayouts, VersionZeroThenVersionOne) {
    const auto versions = tavroLegacyVersions();
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(versions[0].version, 0u);
    EXPECT_EQ(versions[0].count, 66);
    EXPECT_EQ(versions[1].version, 1u);
    EXPECT_EQ(versions[1].count, 68);
}

TEST(LegacyLayouts, RecordsInIdentifierOrderWithoutGaps) {
    for (const ParamVersionDesc& v : tavroLegacyVersions()) {
        for (int p = 0; p < v.count; ++p) {
            EXPECT_EQ(v.desc[p].id, static_cast<DWORD>(p + 2)) << v.version << " " << p;
            EXPECT_EQ(v.desc[p].user, nullptr);
            EXPECT_EQ(v.desc[p].index, -2);
        }
    }
}

TEST(LegacyLayouts, VersionZeroLacksOnlyTheAnisotropyAndRotationMaps) {
    const auto versions = tavroLegacyVersions();
    const ParamVersionDesc& v0 = versions[0];
    const ParamVersionDesc& v1 = versions[1];
    EXPECT_EQ(v1.desc[66].id, 68u);
    EXPECT_EQ(v1.desc[67].id, 69u);
    for (int p = 0; p < v0.count; ++p) {
        EXPECT_EQ(v0.desc[p].type, v1.desc[p].type) << p;
        EXPECT_EQ(v0.desc[p].animatable, v1.desc[p].animatable) << p;
    }
}

// Each record agrees with the current parameter of its id, maps being user-typed; only the
// three list choices became animatable later.
TEST(LegacyLayouts, RecordsAgreeWithTheCurrentParameters) {
    const ParamBlockDesc2& desc = tavroParamBlockDesc();
    const ParamVersionDesc& v1 = tavroLegacyVersions()[1];
    for (int p = 0; p < v1.count; ++p) {
        const ParamBlockDescID& r = v1.desc[p];
        SCOPED_TRACE(r.id);
        const ParamDef* d = desc.GetParamDefByID(static_cast<ParamID>(r.id));
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(r.type, legacyTypeOf(d->type));
        const bool listChoice = r.id == 11 || r.id == 19 || r.id == 64;
        const bool animatableNow = (d->flags & P_ANIMATABLE) != 0;
        EXPECT_EQ(r.animatable != FALSE, animatableNow && !listChoice);
    }
}

TEST(LegacyLayouts, MapsAreUserTyped) {
    const ParamVersionDesc& v1 = tavroLegacyVersions()[1];
    for (DWORD id : {4u, 8u, 16u, 24u, 28u, 39u, 43u, 47u, 51u, 58u, 62u, 68u, 69u}) {
        EXPECT_EQ(v1.desc[id - 2].type, LegacyParamType::User) << id;
        EXPECT_EQ(static_cast<int>(v1.desc[id - 2].type), 5);
    }
}
