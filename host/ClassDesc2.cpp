// Defaults of the host's class descriptors: the registry of parameter-block descriptors,
// automatic blocks, resource strings and open rollouts.
#include "ClassDesc2.h"

#include <algorithm>

#include "ParamBlock2.h"
#include "ParamMap2.h"
#include "RolloutDialogs.h"
#include "WinApi.h"

namespace {
// Longest resource string handed out by GetRsrcString, in characters with the terminator.
constexpr int kRsrcStringMax = 512;
}  // namespace

BaseInterface* ClassDesc::GetInterface(Interface_ID) {
    return nullptr;
}

ClassDesc2::~ClassDesc2() {
    for (ParamBlockDesc2* pbd : pbDescs_) pbd->header_.cd = nullptr;
}

void ClassDesc2::ResetClassParams(BOOL) {}

int ClassDesc2::NumParamBlockDescs() {
    return static_cast<int>(pbDescs_.size());
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDesc(int i) {
    return i >= 0 && i < NumParamBlockDescs() ? pbDescs_[std::size_t(i)] : nullptr;
}

ParamBlockDesc2* ClassDesc2::GetParamBlockDescByID(BlockID id) {
    for (ParamBlockDesc2* pbd : pbDescs_)
        if (pbd->ID() == id) return pbd;
    return nullptr;
}

void ClassDesc2::AddParamBlockDesc(ParamBlockDesc2* pbd) {
    if (pbd && std::find(pbDescs_.begin(), pbDescs_.end(), pbd) == pbDescs_.end())
        pbDescs_.push_back(pbd);
}

void ClassDesc2::RemoveParamBlockDesc(ParamBlockDesc2* pbd) {
    pbDescs_.erase(std::remove(pbDescs_.begin(), pbDescs_.end(), pbd), pbDescs_.end());
}

// The rollouts of the material editor are built by CreateParamDlgs; these hooks are for
// command-panel editing, which this host does not have.
void ClassDesc2::BeginEditParams(IMtlParams*, ReferenceTarget*) {}

void ClassDesc2::EndEditParams(IMtlParams*, ReferenceTarget*) {}

void ClassDesc2::InvalidateUI(ParamBlockDesc2* pbd) {
    if (pbd) pbd->InvalidateUI();
}

const MCHAR* ClassDesc2::GetRsrcString(INT_PTR id) {
    if (id < 0 || id > INT_PTR(UINT(-1))) return nullptr;
    wchar_t buffer[kRsrcStringMax];
    if (LoadStringW(HInstance(), UINT(id), buffer, kRsrcStringMax) == 0) return nullptr;
    return rsrcStrings_.try_emplace(id, buffer).first->second.c_str();
}

void ClassDesc2::MakeAutoParamBlocks(ReferenceMaker* owner) {
    if (!owner) return;
    for (ParamBlockDesc2* pbd : pbDescs_) {
        if (!(pbd->header().flags & P_AUTO_CONSTRUCT)) continue;
        IParamBlock2* pb = CreateParameterBlock2(pbd, owner);
        if (pb && owner->ReplaceReference(pbd->header().refno, pb) != REF_SUCCEED) pb->DeleteThis();
    }
}

int ClassDesc2::NumParamMaps() {
    return static_cast<int>(openMaps_.size());
}

IParamMap2* ClassDesc2::GetParamMap(int i) {
    return i >= 0 && i < NumParamMaps() ? openMaps_[std::size_t(i)] : nullptr;
}

IAutoMParamDlg* ClassDesc2::CreateParamDlgs(HWND hwMtlEdit, IMtlParams* imp, ReferenceTarget* obj) {
    return CreateRolloutDialogs(this, hwMtlEdit, imp, obj);
}

BaseInterface* ClassDesc2::GetInterface(const MCHAR*) {
    return nullptr;
}
