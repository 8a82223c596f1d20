// Conversion of older parameter blocks after a scene has loaded.
#include "ParamBlock2PLCB.h"

#include <algorithm>
#include <string>

#include "HostLog.h"
#include "StringConv.h"

namespace {

// The current type that takes a value of an older type; false for user-typed values.
bool currentType(LegacyParamType t, ParamType2& out) {
    switch (t) {
        case LegacyParamType::Float:
            out = TYPE_FLOAT;
            return true;
        case LegacyParamType::Int:
            out = TYPE_INT;
            return true;
        case LegacyParamType::Rgba:
            out = TYPE_RGBA;
            return true;
        case LegacyParamType::Bool:
            out = TYPE_BOOL;
            return true;
        case LegacyParamType::User:
            return false;
    }
    return false;
}

std::string classNameOf(ReferenceTarget* t) {
    MSTR name;
    t->GetClassName(name, false);
    return toUtf8(name);
}

}  // namespace

ParamBlock2PLCB::ParamBlock2PLCB(ParamVersionDesc* versions, int count, ParamBlockDesc2* pd,
                                 ReferenceTarget* targ, int refNum)
    : versions_(versions), count_(count), pd_(pd), targ_(targ), refNum_(refNum) {}

void ParamBlock2PLCB::proc(ILoad*) {
    if (!targ_ || !pd_) return;
    // The host's record of the reference: a maker may keep only blocks of the current kind.
    auto* old = dynamic_cast<IParamBlock*>(targ_->HostHeldReference(refNum_));
    if (!old) return;

    const ParamVersionDesc* layout = nullptr;
    for (int v = 0; v < count_ && versions_; ++v)
        if (versions_[v].version == old->GetVersion()) layout = &versions_[v];

    IParamBlock2* block = CreateParameterBlock2(pd_, targ_);
    if (!block) return;
    if (!layout) {
        const std::string owner = classNameOf(targ_);
        hostWarningOnce("plcb-version:" + owner + ":" + std::to_string(old->GetVersion()),
                        "a " + owner + " parameter block of layout version " +
                            std::to_string(old->GetVersion()) +
                            " matches no known layout; its values are replaced by defaults");
    } else {
        const int n = std::min(layout->count, old->NumParams());
        for (int p = 0; p < n; ++p) {
            ParamBlockDescID& rec = layout->desc[p];
            rec.index = pd_->IDtoIndex(ParamID(rec.id));
            ParamType2 type;
            LegacyParamValue v;
            if (rec.index < 0 || !currentType(rec.type, type) || !old->GetValue(p, v) ||
                v.type != rec.type || pd_->GetParamDef(rec.index).type != type)
                continue;
            // A value the block refuses (keys where none may be) leaves the default.
            block->SetRecord(ParamValueRecord{ParamID(rec.id), type, v.f, v.i, v.c, v.keys});
        }
    }
    targ_->ReplaceReference(refNum_, block, TRUE);
}
