// Construction, identity, and the cache: update, validity, reset and change messages.
#include "material/TavroMtl.h"

#include <variant>

#include "ClassDesc2.h"
#include "ParamBlock2.h"
#include "material/CacheFields.h"
#include "material/PreviewTextures.h"
#include "params/TavroParamBlock.h"
#include "plugin/ModuleInstance.h"
#include "plugin/TavroClassDesc.h"
#include "resources/StringIds.h"

TavroMtl::TavroMtl(bool loading) {
    previewTextures().prepareEnvironment();
    if (!loading) tavroClassDesc().MakeAutoParamBlocks(this);
}

TavroMtl::~TavroMtl() = default;

void TavroMtl::DeleteThis() {
    delete this;
}

void TavroMtl::GetClassName(MSTR& s, bool) const {
    const MCHAR* name = LoadResString(IDS_CLASS_NAME);
    s = name != nullptr ? name : L"";
}

SClass_ID TavroMtl::SuperClassID() {
    return MATERIAL_CLASS_ID;
}

Class_ID TavroMtl::ClassID() {
    return TAVROMTL_CLASS_ID;
}

void TavroMtl::Update(TimeValue t, Interval& valid) {
    // A material made for loading has nothing to read until its block arrives.
    if (!cacheValid_.InInterval(t) && pblock_ != nullptr) {
        cacheValid_ = FOREVER;
        for (const RefreshedField& f : refreshedCacheFields()) {
            std::visit(
                [&](auto member) { pblock_->GetValue(f.param, t, cache_.*member, cacheValid_); },
                f.field);
        }
        NotifyDependents(FOREVER, PART_ALL, REFMSG_MTL_CACHE_RELOADED, NOTIFY_ALL, TRUE, nullptr,
                         0);
        for (Texmap* map : slots_) {
            if (map != nullptr) map->Update(t, cacheValid_);
        }
    }
    valid &= cacheValid_;
}

Interval TavroMtl::Validity(TimeValue t) {
    Interval valid = FOREVER;
    for (Texmap* map : slots_) {
        if (map != nullptr) valid &= map->Validity(t);
    }
    return valid;
}

void TavroMtl::Reset() {
    cacheValid_.SetEmpty();
    for (int i = 0; i < kSlotCount; ++i) {
        if (slots_[i] != nullptr) {
            DeleteReference(i);
            slots_[i] = nullptr;
        }
    }
    tavroClassDesc().MakeAutoParamBlocks(this);
}

RefResult TavroMtl::NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                                     RefMessage message, BOOL) {
    if (message != REFMSG_CHANGE) return REF_SUCCEED;
    cacheValid_.SetEmpty();
    if (pblock_ != nullptr && hTarget == pblock_) {
        tavroParamBlockDesc().InvalidateUI(pblock_->LastNotifyParamID(), -1);
    }
    return REF_SUCCEED;
}

void TavroMtl::NotifyChanged() {
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, TRUE, nullptr, 0);
}
