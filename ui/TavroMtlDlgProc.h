// The material's rollout procedure: files dropped on map buttons become bitmap textures in
// the matching slots, and the anisotropy and rotation controls follow the reflection model.
#pragma once

#include "ParamMap2.h"

class TavroMtl;

class TavroMtlDlgProc : public ParamMap2UserDlgProc {
public:
    // A procedure for `material` in storage from the host allocator; null when there is none.
    static TavroMtlDlgProc* Create(TavroMtl* material);

    ~TavroMtlDlgProc() override = default;
    INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam,
                    LPARAM lParam) override;
    void DeleteThis() override;

    // Reads the material's reflection model into its cache and enables the anisotropy and
    // rotation controls for the anisotropic models only. Nothing when either is null.
    static void UpdatePanel(IParamMap2* map, TavroMtl* material);
    // A new bitmap texture reading `path` in the slot of map button `controlId`; nothing for
    // a control that is not a drop target.
    void DropFile(int controlId, const MCHAR* path);

private:
    explicit TavroMtlDlgProc(TavroMtl* material) : material_(material) {}

    TavroMtl* const material_;  // not owned; the rollout closes before the material goes
};
