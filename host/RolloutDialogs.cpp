#include "RolloutDialogs.h"

#include <memory>
#include <vector>

#include "ClassDesc2.h"
#include "ModuleResources.h"
#include "ParamBlock2.h"
#include "Rollout.h"

namespace {

class AutoMParamDlg : public IAutoMParamDlg {
public:
    explicit AutoMParamDlg(std::vector<std::unique_ptr<Rollout>> rollouts)
        : rollouts_(std::move(rollouts)) {}

    ReferenceTarget* GetThing() override { return rollouts_.front()->GetThing(); }
    int NumDlgs() override { return static_cast<int>(rollouts_.size()); }
    IParamMap2* GetMap(int i) override {
        return i >= 0 && i < NumDlgs() ? rollouts_[std::size_t(i)].get() : nullptr;
    }
    // Closes every rollout (their procedures hear WM_DESTROY and are disposed of).
    void DeleteThis() override { delete this; }

private:
    std::vector<std::unique_ptr<Rollout>> rollouts_;
};

bool usedByOpenRollout(ParamBlockDesc2* desc, ParamMap2UserDlgProc* proc) {
    for (Rollout* r : OpenRolloutsOf(desc))
        if (r->GetUserDlgProc() == proc) return true;
    return false;
}

}  // namespace

IAutoMParamDlg* CreateRolloutDialogs(ClassDesc2* cd, HWND hwMtlEdit, IMtlParams* imp,
                                     ReferenceTarget* obj) {
    if (!cd || !obj) return nullptr;
    HWND panel = imp && imp->GetPanel() ? imp->GetPanel() : hwMtlEdit;
    std::vector<std::unique_ptr<Rollout>> rollouts;
    long top = 0;
    for (int i = 0; i < cd->NumParamBlockDescs(); ++i) {
        ParamBlockDesc2* desc = cd->GetParamBlockDesc(i);
        if (!desc || !(desc->header().flags & P_AUTO_UI) || !obj->GetParamBlockByID(desc->ID()))
            continue;
        const DialogTemplate* tpl = FindDialogTemplate(cd->HInstance(), desc->header().dlgTemplate);
        if (!tpl) continue;
        auto rollout = std::make_unique<Rollout>(desc, obj, imp, panel, cd->HInstance(), *tpl);
        HWND hwnd = rollout->GetHWnd();
        if (!hwnd) continue;
        const long height = hwnd->Rect().bottom - hwnd->Rect().top;
        MoveWindow(hwnd, RECT{0, top, hwnd->Rect().right - hwnd->Rect().left, top + height});
        top += height;
        ParamMap2UserDlgProc* proc = desc->GetUserDlgProc();
        if (proc && !usedByOpenRollout(desc, proc)) rollout->InstallUserDlgProc(proc);
        rollouts.push_back(std::move(rollout));
    }
    if (rollouts.empty()) return nullptr;
    return new AutoMParamDlg(std::move(rollouts));
}

void UserDlgProcInstalled(ParamBlockDesc2* desc, ParamMap2UserDlgProc* proc) {
    const std::vector<Rollout*> open = OpenRolloutsOf(desc);
    if (proc && !open.empty()) open.back()->InstallUserDlgProc(proc);
}
