#include <gtest/gtest.h>

#include "ParamBlock2.h"
#include "params/TavroParamBlock.h"
#include "params/TextureSlots.h"

TEST(TextureSlots, EachSlotMirrorsTheMapParameterOfItsNumber) {
    const ParamBlockDesc2& desc = tavroParamBlockDesc();
    const int expectedIds[] = {4, 8, 16, 24, 28, 39, 43, 47, 51, 58, 62, 68, 69};
    ASSERT_EQ(TAVRO_SLOT_COUNT, 13);
    for (int slot = 0; slot < TAVRO_SLOT_COUNT; ++slot) {
        const TextureSlot& s = TAVRO_TEXTURE_SLOTS[static_cast<std::size_t>(slot)];
        EXPECT_EQ(s.param, expectedIds[slot]) << slot;
        const ParamDef* d = desc.GetParamDefByID(s.param);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->type, TYPE_TEXMAP);
        EXPECT_EQ(d->refno, slot);
        EXPECT_EQ(static_cast<int>(s.name), d->local_name) << slot;
    }
    EXPECT_EQ(TAVRO_PARAM_BLOCK_REF, 13);
}

TEST(TextureSlots, EveryMapParameterHasASlot) {
    int maps = 0;
    for (const ParamDef& d : tavroParamBlockDesc().Params()) maps += d.type == TYPE_TEXMAP;
    EXPECT_EQ(maps, TAVRO_SLOT_COUNT);
}
