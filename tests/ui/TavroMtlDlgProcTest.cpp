// The module's rollout procedure: the anisotropy rule and files dropped on map buttons.
#include <string>

#include "PanelFixture.h"
#include "resources/Dialog82.h"

namespace uitest {
namespace {

constexpr int kAnisotropyControls[] = {IDC_REFLECT_ANISOTROPY_EDIT, IDC_REFLECT_ANISOTROPY_SPIN,
                                       IDC_REFLECT_ROTATION_EDIT, IDC_REFLECT_ROTATION_SPIN};
// Controls of the anisotropy row the rule leaves alone.
constexpr int kUntouched[] = {IDC_REFLECT_ANISOTROPY_MAP, IDC_REFLECT_ROTATION_MAP,
                              IDC_ANISOTROPY_LABEL, IDC_ROTATION_LABEL};

TEST_F(Panel, ReflectionModelEnablesTheAnisotropyControls) {
    struct Case {
        int model;
        bool enabled;
    } cases[] = {{4, true}, {0, false}, {2, true}, {1, false}, {3, false}, {2, true}, {0, false}};
    for (const Case& c : cases) {
        ASSERT_TRUE(SelectComboItem(item(IDC_REFLECT_BRDF), c.model));
        EXPECT_EQ(block()->GetInt(mtl_reflect_brdf), c.model);
        EXPECT_EQ(material->cache().mtl_reflect_brdf, c.model);
        for (int id : kAnisotropyControls)
            EXPECT_EQ(IsWindowEnabled(item(id)) != FALSE, c.enabled) << id << " model " << c.model;
        for (int id : kUntouched) EXPECT_TRUE(IsWindowEnabled(item(id))) << id;
    }
}

TEST_F(Panel, TheExtrusionListDoesNotRunThePanelUpdate) {
    block()->SetValue(mtl_reflect_brdf, 0, 4);  // not through the list: no update ran
    ASSERT_EQ(material->cache().mtl_reflect_brdf, 3);
    ASSERT_TRUE(SelectComboItem(item(IDC_REFLECT_EXTRUSION), 1));
    EXPECT_EQ(block()->GetInt(mtl_reflect_extrusion), 1);
    EXPECT_EQ(material->cache().mtl_reflect_brdf, 3);
    EXPECT_FALSE(IsWindowEnabled(item(IDC_REFLECT_ANISOTROPY_SPIN)));
}

TEST_F(Panel, AFileDroppedOnAMapButtonBecomesABitmapInItsSlot) {
    struct Case {
        int control;
        int slot;
        ParamID param;
    } cases[] = {
        {IDC_DIFFUSE_MAP, 0, mtl_diffuse_map},
        {IDC_REFLECT_MAP, 2, mtl_reflect_map},
        {IDC_EMISSION_MAP, 3, mtl_emission_map},
        {IDC_TRANSPARENCY_MAP, 4, mtl_transparency_map},
        {IDC_NORMAL_MAP, 5, mtl_normal_map},
        {IDC_REFL_GL_MAP, 7, mtl_refl_gl_map},
        {IDC_TRANSP_GL_MAP, 8, mtl_transp_gl_map},
        {IDC_OPACITY_MAP, 9, mtl_opacity_map},
        {IDC_TRANSLUCENCY_MAP, 10, mtl_translucency_map},
        {IDC_REFLECT_ANISOTROPY_MAP, 11, mtl_reflect_anisotropy_map},
        {IDC_REFLECT_ROTATION_MAP, 12, mtl_reflect_rotation_map},
    };
    for (const Case& c : cases) {
        const std::wstring name = L"map" + std::to_wstring(c.slot);
        const std::wstring path = L"C:\\textures\\" + name + L".png";
        ASSERT_TRUE(DropFiles(rollout, centreOf(item(c.control)), {path}));
        BitmapTex* tex = slot(c.slot);
        ASSERT_NE(tex, nullptr) << "control " << c.control;
        EXPECT_EQ(std::wstring(tex->GetMapName()), path);
        EXPECT_EQ(tex->GetName(), name);
        EXPECT_EQ(block()->GetTexmap(c.param), tex);
        EXPECT_EQ(item(c.control)->Text(), name);  // the button shows the new map
    }
    EXPECT_EQ(filledSlots(), 11);
}

TEST_F(Panel, OnlyTheFirstOfSeveralFilesIsUsed) {
    ASSERT_TRUE(DropFiles(rollout, centreOf(item(IDC_EMISSION_MAP)),
                          {L"/maps/glow.exr", L"/maps/b.png", L"/maps/c.png"}));
    ASSERT_NE(slot(3), nullptr);
    EXPECT_EQ(std::wstring(slot(3)->GetMapName()), L"/maps/glow.exr");
    EXPECT_EQ(filledSlots(), 1);
}

TEST_F(Panel, DropsOffTheMapButtonsCreateNothing) {
    const POINT emptyInGroup{MulDiv(3, 6, 4), MulDiv(47, 13, 8)};  // between two group boxes
    const POINT insideGroupOnNothing{MulDiv(100, 6, 4), MulDiv(95, 13, 8)};
    const POINT places[] = {
        centreOf(item(IDC_DIFFUSE_COLOR)),
        centreOf(item(IDC_DIFFUSE_MULT_SPIN)),
        centreOf(item(IDC_DIFFUSE_MULT_EDIT)),
        centreOf(item(IDC_REFLECT_MULT_ON)),
        centreOf(item(IDC_REFLECT_BRDF)),
        centreOf(labelWithText(L"Multiply")),
        centreOf(item(IDC_ANISOTROPY_LABEL)),
        centreOf(item(IDC_ROUGHNESS_MULT_EDIT)),
        centreOf(labelWithText(L"Height or normal map")),
        emptyInGroup,
        insideGroupOnNothing,
    };
    for (const POINT& pt : places) {
        EXPECT_TRUE(DropFiles(rollout, pt, {L"C:\\a.png"})) << pt.x << "," << pt.y;
        EXPECT_EQ(filledSlots(), 0) << pt.x << "," << pt.y;
    }
}

TEST_F(Panel, ALongPathArrivesCutTo159Characters) {
    const std::wstring path = L"C:\\" + std::wstring(200, L'd') + L"\\wood.png";
    ASSERT_TRUE(DropFiles(rollout, centreOf(item(IDC_DIFFUSE_MAP)), {path}));
    ASSERT_NE(slot(0), nullptr);
    EXPECT_EQ(std::wstring(slot(0)->GetMapName()), path.substr(0, 159));
}

TEST_F(Panel, ADropReplacesTheMapAButtonHolds) {
    ASSERT_TRUE(DropFiles(rollout, centreOf(item(IDC_DIFFUSE_MAP)), {L"/a/first.png"}));
    ASSERT_TRUE(DropFiles(rollout, centreOf(item(IDC_DIFFUSE_MAP)), {L"/a/second.png"}));
    ASSERT_NE(slot(0), nullptr);
    EXPECT_EQ(slot(0)->GetName(), L"second");
    EXPECT_EQ(filledSlots(), 1);
}

TEST_F(Panel, MessagesBeforeTheUserDataIsSetAreNotHandled) {
    TavroMtlDlgProc* proc = TavroMtlDlgProc::Create(material);
    ASSERT_NE(proc, nullptr);
    HWND bare = CreateDialogFromTemplate(tavroDialog82(), nullptr, nullptr);
    for (UINT msg : {WM_DESTROY, WM_COMMAND, WM_DROPFILES})
        EXPECT_EQ(proc->DlgProc(0, map, bare, msg, MAKEWPARAM(IDC_REFLECT_BRDF, CBN_SELCHANGE), 0),
                  FALSE);
    // The initialisation is handled regardless.
    EXPECT_EQ(proc->DlgProc(0, map, bare, WM_INITDIALOG, 0, 0), TRUE);
    EXPECT_TRUE(GetDlgItem(bare, IDC_DIFFUSE_MAP)->ExStyle() & WS_EX_ACCEPTFILES);
    EXPECT_FALSE(GetDlgItem(bare, IDC_DIFFUSE_COLOR)->ExStyle() & WS_EX_ACCEPTFILES);
    DestroyWindow(bare);
    proc->DeleteThis();
}

TEST_F(Panel, EachOpeningInstallsANewProcedure) {
    ParamMap2UserDlgProc* first = tavroParamBlockDesc().GetUserDlgProc();
    ASSERT_NE(first, nullptr);
    IAutoMParamDlg* second = material->CreateParamDlg(nullptr, &params);
    ASSERT_NE(second, nullptr);
    ParamMap2UserDlgProc* latest = tavroParamBlockDesc().GetUserDlgProc();
    EXPECT_NE(latest, first);
    EXPECT_EQ(second->GetMap(0)->GetUserDlgProc(), latest);
    EXPECT_EQ(map->GetUserDlgProc(), first);  // the first rollout keeps its own

    // Closing the first leaves the latest in force, and the second rollout working.
    master->DeleteThis();
    master = nullptr;
    EXPECT_EQ(tavroParamBlockDesc().GetUserDlgProc(), latest);
    HWND other = second->GetMap(0)->GetHWnd();
    ASSERT_TRUE(SelectComboItem(GetDlgItem(other, IDC_REFLECT_BRDF), 4));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(other, IDC_REFLECT_ANISOTROPY_SPIN)));
    second->DeleteThis();
    EXPECT_EQ(tavroParamBlockDesc().GetUserDlgProc(), nullptr);
}

TEST(TavroMtlDlgProc, PanelUpdateWithoutMapOrMaterialDoesNothing) {
    TavroMtlDlgProc::UpdatePanel(nullptr, nullptr);  // must not crash
    SUCCEED();
}

}  // namespace
}  // namespace uitest
