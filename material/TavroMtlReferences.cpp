// References, texture slots, parameter-block and sub-animatable queries.
#include "ParamBlock2.h"
#include "material/TavroMtl.h"
#include "params/TextureSlots.h"
#include "plugin/ModuleInstance.h"

static_assert(TavroMtl::kSlotCount == TAVRO_SLOT_COUNT);
static_assert(TavroMtl::kRefCount - 1 == TAVRO_PARAM_BLOCK_REF);

namespace {

// The host's class name of a parameter block.
constexpr const MCHAR* kParamBlockClassName = L"ParamBlock2";

bool inSlotRange(int i) {
    return i >= 0 && i < TavroMtl::kSlotCount;
}

bool isParamBlock(ReferenceTarget* target) {
    MSTR name;
    if (target != nullptr) target->GetClassName(name, false);
    return name == kParamBlockClassName;
}

bool isTexmap(ReferenceTarget* target) {
    return target->SuperClassID() == TEXMAP_CLASS_ID;
}

}  // namespace

int TavroMtl::NumRefs() {
    return kRefCount;
}

RefTargetHandle TavroMtl::GetReference(int i) {
    if (i < 0) return nullptr;
    if (i < kSlotCount) return slots_[i];
    return pblock_;
}

void TavroMtl::SetReference(int i, RefTargetHandle rtarg) {
    if (i < 0) return;
    // A parameter block is the block at any index; above the slots the index decides. A
    // target that cannot serve where it lands leaves that place empty rather than be used
    // as something it is not.
    if (isParamBlock(rtarg) || i >= kSlotCount) {
        pblock_ = isParamBlock(rtarg) ? static_cast<IParamBlock2*>(rtarg) : nullptr;
    }
    // Reference i no longer holds the slot's old map even when a block arrives there: the
    // host may already have released it, so the slot must not keep pointing at it.
    if (i < kSlotCount) {
        slots_[i] = rtarg != nullptr && isTexmap(rtarg) ? static_cast<Texmap*>(rtarg) : nullptr;
    }
}

int TavroMtl::NumSubTexmaps() {
    return kSlotCount;
}

Texmap* TavroMtl::GetSubTexmap(int i) {
    return inSlotRange(i) ? slots_[i] : nullptr;
}

void TavroMtl::SetSubTexmap(int i, Texmap* map) {
    if (inSlotRange(i)) {
        ReplaceReference(i, map, TRUE);
        if (pblock_ != nullptr) {
            pblock_->SetValue(TAVRO_TEXTURE_SLOTS[static_cast<std::size_t>(i)].param, 0, map, 0);
        }
    }
    NotifyChanged();
}

MSTR TavroMtl::GetSubTexmapSlotName(int i, bool) {
    if (!inSlotRange(i)) return MSTR();
    const MCHAR* name = LoadResString(TAVRO_TEXTURE_SLOTS[static_cast<std::size_t>(i)].name);
    return name != nullptr ? MSTR(name) : MSTR();
}

int TavroMtl::NumParamBlocks() {
    return 1;
}

IParamBlock2* TavroMtl::GetParamBlock(int i) {
    return i == 0 ? pblock_ : nullptr;
}

IParamBlock2* TavroMtl::GetParamBlockByID(BlockID id) {
    return id == TAVRO_PARAM_BLOCK_ID ? pblock_ : nullptr;
}

// The host asks only for index 0, the diffuse map; the block is not offered.
int TavroMtl::NumSubs() {
    return 1;
}

Animatable* TavroMtl::SubAnim(int i) {
    return GetReference(i);
}

MSTR TavroMtl::SubAnimName(int, bool) {
    return MSTR();
}

int TavroMtl::NumSubMtls() {
    return 0;
}

Mtl* TavroMtl::GetSubMtl(int) {
    return nullptr;
}

// With no sub-materials there is nothing to set; above all no material may take the place
// of a texture map or of the parameter block.
void TavroMtl::SetSubMtl(int, Mtl*) {}

MSTR TavroMtl::GetSubMtlSlotName(int, bool) {
    return MSTR();
}
