// The static description of a parameter block: registration with the owner class and
// lookups by identifier, position and internal name.
#include <cwchar>

#include "ClassDesc2.h"
#include "ParamBlock2.h"
#include "ParamMap2.h"
#include "RolloutDialogs.h"

ParamBlockDesc2::ParamBlockDesc2(const Header& header, std::initializer_list<ParamDef> params)
    : header_(header), params_(params) {
    if (header_.cd) header_.cd->AddParamBlockDesc(this);
}

ParamBlockDesc2::~ParamBlockDesc2() {
    if (header_.cd) header_.cd->RemoveParamBlockDesc(this);
}

int ParamBlockDesc2::IDtoIndex(ParamID id) const {
    for (std::size_t i = 0; i < params_.size(); ++i)
        if (params_[i].id == id) return static_cast<int>(i);
    return -1;
}

ParamID ParamBlockDesc2::IndextoID(int index) const {
    if (index < 0 || index >= Count()) return -1;
    return params_[static_cast<std::size_t>(index)].id;
}

ParamID ParamBlockDesc2::NameToID(const MCHAR* name) const {
    if (!name) return -1;
    // Exact comparison: a trailing comma is part of a name.
    for (const ParamDef& p : params_)
        if (p.int_name && std::wcscmp(p.int_name, name) == 0) return p.id;
    return -1;
}

const ParamDef* ParamBlockDesc2::GetParamDefByID(ParamID id) const {
    const int index = IDtoIndex(id);
    return index < 0 ? nullptr : &params_[static_cast<std::size_t>(index)];
}

void ParamBlockDesc2::SetUserDlgProc(ParamMap2UserDlgProc* proc, int mapId) {
    if (mapId != 0) return;
    header_.proc = proc;
    UserDlgProcInstalled(this, proc);
}

ParamMap2UserDlgProc* ParamBlockDesc2::GetUserDlgProc(int mapId) const {
    return mapId == 0 ? header_.proc : nullptr;
}

void ParamBlockDesc2::InvalidateUI(ParamID id, int tabIndex) {
    if (!header_.cd) return;
    for (IParamMap2* map : header_.cd->OpenParamMaps()) {
        IParamBlock2* pb = map ? map->GetParamBlock() : nullptr;
        if (pb && pb->GetDesc() == this) map->Invalidate(id, tabIndex);
    }
}
