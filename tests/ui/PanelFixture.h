// The module as the host sees it (entry routine run, resources registered), a material and
// its editor panel opened the way the material editor opens it.
#pragma once

#include <gtest/gtest.h>

#include "BitmapTex.h"
#include "DragDrop.h"
#include "ModuleResources.h"
#include "PluginExports.h"
#include "Rollout.h"
#include "WindowControls.h"
#include "material/TavroMtl.h"
#include "params/TavroParamBlock.h"
#include "params/TavroParamIds.h"
#include "plugin/TavroClassDesc.h"
#include "resources/ControlIds.h"
#include "ui/TavroMtlDlgProc.h"

namespace uitest {

class EditorParams : public IMtlParams {
public:
    TimeValue GetTime() override { return 0; }
    HWND GetPanel() override { return nullptr; }
};

class Panel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int instanceTag;
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(&instanceTag);
        DllMain(instance, DLL_PROCESS_ATTACH, nullptr);
        RegisterModuleResources(instance, ModuleResources());
    }

    void SetUp() override {
        material = static_cast<TavroMtl*>(tavroClassDesc().Create(FALSE));
        ASSERT_NE(material, nullptr);
        master = material->CreateParamDlg(nullptr, &params);
        ASSERT_NE(master, nullptr);
        map = dynamic_cast<Rollout*>(master->GetMap(0));
        ASSERT_NE(map, nullptr);
        rollout = map->GetHWnd();
    }

    void TearDown() override {
        if (master) master->DeleteThis();
        if (material) material->DeleteMe();
        EXPECT_EQ(OpenDropCount(), 0u);
    }

    HWND item(int id) const { return GetDlgItem(rollout, id); }
    // The centre of a child of the rollout, in the rollout's client coordinates.
    static POINT centreOf(HWND w) {
        const RECT& r = w->Rect();
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // The first child of the rollout whose caption is `text`.
    HWND labelWithText(const wchar_t* text) const {
        for (auto& child : rollout->Children())
            if (child->Text() == text) return child.get();
        return nullptr;
    }
    IParamBlock2* block() const { return material->GetParamBlock(0); }
    BitmapTex* slot(int i) const { return dynamic_cast<BitmapTex*>(material->GetSubTexmap(i)); }
    int filledSlots() const {
        int n = 0;
        for (int i = 0; i < material->NumSubTexmaps(); ++i)
            n += material->GetSubTexmap(i) != nullptr;
        return n;
    }

    EditorParams params;
    TavroMtl* material = nullptr;
    IAutoMParamDlg* master = nullptr;
    Rollout* map = nullptr;
    HWND rollout = nullptr;
};

}  // namespace uitest
