// Scene form of parameter blocks. One value, as both kinds of block store it:
//
//   u32 type code (0 float, 1 integer, 2 colour, 4 Boolean, 5 user value, 11 texture map),
//   the value (float: f32; integer and Boolean: i32; colour: three f32; others: nothing),
//   u32 key count, then per key i32 time and the key's value (floats and colours only).
//
// A current block (class "ParamBlock2") writes, inside its object data:
//   0x0001 header: u32 super class and u32, u32 Class_ID of the class that owns the block's
//          descriptor, i32 block id (the descriptor is found again through the class directory)
//   0x0002 one per parameter: i32 parameter id, then the value as above.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "Color.h"
#include "ParamBlock2.h"
#include "SceneIO.h"

// Most keys of one parameter: far more than any animation holds; a corrupt count is refused.
constexpr std::uint32_t kMaxParamKeys = 1u << 20;

struct StoredParamValue {
    std::uint32_t type = 0;
    float f = 0.0f;
    int i = 0;
    Color c;
    std::vector<ParamKey> keys;
};

IOResult writeParamValue(ISave* isave, const StoredParamValue& v);
// Refuses an unknown type code, keys on a type that has none, a key count above the cap, and
// any short read; says which through reportLoadError. Keys are read one by one, never
// reserved by their count.
IOResult readParamValue(ILoad* iload, StoredParamValue& v);

IOResult saveParamBlock2(ISave* isave, IParamBlock2& pb);
// Reads a block saved by saveParamBlock2 into `pb`, a block made for loading: `bind` gives
// it the descriptor named by the header before any value is restored.
IOResult loadParamBlock2(ILoad* iload, IParamBlock2& pb,
                         const std::function<void(ParamBlockDesc2*)>& bind);
