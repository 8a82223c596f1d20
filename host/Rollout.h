// A rollout: the dialog the host builds from a block's template, with every control bound
// to its parameter by control id. It is the block's parameter map (IParamMap2): control
// changes are written into the block, and the block's values are shown in the controls.
//
// The rollout refers to the object it edits (reference 0), so that it closes when that
// object goes away: the window is destroyed, the user procedure hears WM_DESTROY and is
// disposed of, and the map stays behind without controls until its master dialog deletes it.
// It edits whichever block of its descriptor the object holds at the moment, so a block the
// object replaces (a reset) is never followed after it is gone.
#pragma once

#include <string>
#include <vector>

#include "Animatable.h"
#include "ModuleResources.h"
#include "ParamBlock2.h"
#include "ParamMap2.h"
#include "Window.h"

class Rollout : public IParamMap2, public ReferenceMaker {
public:
    // Builds the rollout of `thing`'s block of `desc` from `tpl` as a child of `parent`
    // (null: a window of its own) and registers it with the descriptor's class. Strings
    // (title, combo items) come from the string table of `instance`.
    Rollout(ParamBlockDesc2* desc, ReferenceTarget* thing, IMtlParams* imp, HWND parent,
            HINSTANCE instance, const DialogTemplate& tpl);
    ~Rollout() override;

    // IParamMap2
    IParamBlock2* GetParamBlock() override;
    HWND GetHWnd() override { return hwnd_; }
    void Enable(ParamID id, BOOL onOff, int tabIndex = 0) override;
    void Invalidate(ParamID id = -1, int tabIndex = -1) override;
    ParamMap2UserDlgProc* GetUserDlgProc() override { return userProc_; }

    // Makes `proc` the rollout's user procedure and sends it WM_INITDIALOG. The procedure it
    // replaces is disposed of unless another open rollout still uses it.
    void InstallUserDlgProc(ParamMap2UserDlgProc* proc);
    // Destroys the window (WM_DESTROY first) and lets go of the procedure and the object.
    void Close();

    ReferenceTarget* GetThing() const { return thing_; }
    ParamBlockDesc2* Desc() const { return desc_; }
    // The windows bound to parameter `id` (empty when the template has none for it).
    std::vector<HWND> ControlsOf(ParamID id) const;

    // ReferenceMaker
    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override { return i == 0 ? thing_ : nullptr; }

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;

private:
    struct Binding {
        const ParamDef* def;
        std::vector<HWND> controls;  // in the order of the definition's control ids
    };

    INT_PTR windowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Writes a control's new state into the block; false when no parameter is bound to it.
    bool writeControl(int controlId, HWND control);
    void refresh(const Binding& b);
    Binding* bindingOfControl(int controlId);
    TimeValue time() const;
    void releaseUserDlgProc();

    ParamBlockDesc2* desc_;
    ReferenceTarget* thing_ = nullptr;
    IMtlParams* imp_;
    HWND hwnd_ = nullptr;
    ParamMap2UserDlgProc* userProc_ = nullptr;
    std::vector<Binding> bindings_;
    bool closing_ = false;
};

// The open rollouts of `desc`'s class that show a block of `desc`, oldest first.
std::vector<Rollout*> OpenRolloutsOf(const ParamBlockDesc2* desc);
