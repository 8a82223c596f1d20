// The rollout built from template 82 and bound to the material's block.
#include <set>

#include "PanelFixture.h"
#include "resources/Dialog82.h"

namespace uitest {
namespace {

TEST_F(Panel, HasEveryItemOfTheTemplate) {
    EXPECT_EQ(rollout->Children().size(), 106u);
    EXPECT_EQ(rollout->Text(), L"Parameters");
    EXPECT_EQ(rollout->Rect().right - rollout->Rect().left, 326);  // 217 units of 6/4 px
    EXPECT_EQ(rollout->Rect().bottom - rollout->Rect().top, 686);  // 422 units of 13/8 px
    EXPECT_TRUE(rollout->ExStyle() & WS_EX_ACCEPTFILES);
    EXPECT_EQ(GetWindowLongPtrW(rollout, GWLP_USERDATA),
              reinterpret_cast<LONG_PTR>(static_cast<IParamMap2*>(map)));
    int groups = 0;
    for (auto& child : rollout->Children()) groups += child->IsGroupBox();
    EXPECT_EQ(groups, 7);
}

TEST_F(Panel, ParametersWithoutControlsAreLeftUnbound) {
    const std::set<ParamID> unbound = {
        mtl_specular_color,      mtl_specular_map,      mtl_specular_mult_on,
        mtl_specular_mult,       mtl_specular_brdf,     mtl_specular_roughness,
        mtl_specular_cospower,   mtl_specular_ior,      mtl_spec_gloss,
        mtl_spec_gl_map,         mtl_spec_gloss_or_cos, mtl_spec_fresnel_on,
        mtl_reflect_cospower,    mtl_reflect_roughness, mtl_transparency_cospower,
        mtl_exit_color,          mtl_no_ic_records,     mtl_refl_gloss_or_cos,
        mtl_transp_gloss_or_cos, mtl_lock_specular,
    };
    ASSERT_EQ(unbound.size(), 20u);
    for (ParamID id = 2; id <= 69; ++id)
        EXPECT_EQ(map->ControlsOf(id).empty(), unbound.count(id) == 1) << "parameter " << id;
}

TEST_F(Panel, TemplateStatesAndTheAnisotropyRuleAtOpening) {
    // Disabled by the template, and by the panel for GGX (the default model).
    const std::set<int> disabledIds = {
        IDC_ROUGHNESS_MULT_EDIT,      IDC_ROUGHNESS_MULT_SPIN,   IDC_DISPLACEMENT_HEIGHT_EDIT,
        IDC_DISPLACEMENT_HEIGHT_SPIN, IDC_DISPLACEMENT_ON,       IDC_REFLECT_ANISOTROPY_EDIT,
        IDC_REFLECT_ANISOTROPY_SPIN,  IDC_REFLECT_ROTATION_EDIT, IDC_REFLECT_ROTATION_SPIN,
    };
    int disabledLabels = 0;
    int hidden = 0;
    for (auto& child : rollout->Children()) {
        const bool enabled = IsWindowEnabled(child.get());
        if (child->Id() == IDC_STATIC) {
            disabledLabels += !enabled;
            EXPECT_TRUE(!enabled == (child->Text() == L"Parallax")) << "a label";
        } else {
            EXPECT_EQ(!enabled, disabledIds.count(child->Id()) == 1) << "control " << child->Id();
        }
        if (!IsWindowVisible(child.get())) {
            ++hidden;
            EXPECT_TRUE(child->Id() == IDC_BUMP_SIGMA_EDIT || child->Id() == IDC_BUMP_SIGMA_SPIN ||
                        child->Text() == L"Sigma blur");
        }
    }
    EXPECT_EQ(disabledLabels, 2);
    EXPECT_EQ(hidden, 3);
    EXPECT_EQ(map->GetUserDlgProc(), tavroParamBlockDesc().GetUserDlgProc());
}

TEST_F(Panel, ControlsShowTheBlock) {
    EXPECT_EQ(item(IDC_REFLECT_BRDF)->Control().items,
              (std::vector<std::wstring>{L"Phong", L"TorrSparr", L"Beckmann", L"GGX", L"TRGGX"}));
    EXPECT_EQ(item(IDC_REFLECT_BRDF)->Control().selection, 3);
    EXPECT_EQ(item(IDC_REFLECT_EXTRUSION)->Control().items,
              (std::vector<std::wstring>{L"strong (recommended)", L"luminance"}));
    EXPECT_EQ(item(IDC_REFLECT_EXTRUSION)->Control().selection, 0);
    EXPECT_EQ(item(IDC_REFLECT_IOR_EDIT)->Text(), L"1.5");
    EXPECT_EQ(item(IDC_REFLECT_ROTATION_SPIN)->Control().step, 5.0f);
    EXPECT_EQ(item(IDC_REFLECT_ROTATION_SPIN)->Control().maxValue, 360.0f);
    EXPECT_EQ(item(IDC_FOG_MULTIPLIER_SPIN)->Control().maxValue, 1000.0f);
    EXPECT_TRUE(item(IDC_AFFECT_SHADOW)->Control().checked);
    EXPECT_FALSE(item(IDC_DIFFUSE_MULT_ON)->Control().checked);
    EXPECT_EQ(item(IDC_DIFFUSE_COLOR)->Control().color, Color(0.8f, 0.8f, 0.8f));
    EXPECT_EQ(item(IDC_DIFFUSE_MAP)->Text(), L"None");
}

TEST_F(Panel, ControlChangesReachTheBlock) {
    EXPECT_TRUE(SetSpinnerValue(item(IDC_DIFFUSE_MULT_SPIN), 2.5f));
    EXPECT_EQ(block()->GetFloat(mtl_diffuse_mult), 2.5f);
    EXPECT_EQ(item(IDC_DIFFUSE_MULT_EDIT)->Text(), L"2.5");  // the edit field follows
    EXPECT_TRUE(EnterEditText(item(IDC_DIFFUSE_MULT_EDIT), L"1000"));
    EXPECT_EQ(block()->GetFloat(mtl_diffuse_mult), 100.0f);  // the range caps it
    EXPECT_FALSE(EnterEditText(item(IDC_DIFFUSE_MULT_EDIT), L"12abc"));
    EXPECT_EQ(block()->GetFloat(mtl_diffuse_mult), 100.0f);

    EXPECT_TRUE(ClickButton(item(IDC_DIFFUSE_MULT_ON)));
    EXPECT_EQ(block()->GetInt(mtl_diffuse_mult_on), 1);
    EXPECT_TRUE(PickColor(item(IDC_FOG_COLOR), Color(0.1f, 0.2f, 0.3f)));
    EXPECT_EQ(block()->GetColor(mtl_fog_color), Color(0.1f, 0.2f, 0.3f));

    BitmapTex* tex = NewDefaultBitmapTex();
    tex->SetName(L"checker");
    EXPECT_TRUE(AssignMap(item(IDC_NORMAL_MAP), tex));
    EXPECT_EQ(material->GetSubTexmap(5), tex);
    EXPECT_EQ(block()->GetTexmap(mtl_normal_map), tex);
    EXPECT_EQ(item(IDC_NORMAL_MAP)->Text(), L"checker");

    // Disabled controls refuse, as a greyed control does.
    EXPECT_FALSE(SetSpinnerValue(item(IDC_ROUGHNESS_MULT_SPIN), 0.5f));
    EXPECT_EQ(block()->GetFloat(mtl_roughness_mult), 0.0f);
}

TEST_F(Panel, BlockChangesRefreshTheirControls) {
    block()->SetValue(mtl_bump_amount, 0, 1.25f);
    EXPECT_EQ(item(IDC_BUMP_AMOUNT_EDIT)->Text(), L"1.25");
    EXPECT_EQ(item(IDC_BUMP_AMOUNT_SPIN)->Control().value, 1.25f);
}

TEST_F(Panel, ClosesWhenItsMaterialIsDeleted) {
    material->DeleteMe();
    material = nullptr;
    EXPECT_FALSE(IsWindow(rollout));
    EXPECT_EQ(map->GetHWnd(), nullptr);
    EXPECT_EQ(map->GetUserDlgProc(), nullptr);
    EXPECT_EQ(tavroParamBlockDesc().GetUserDlgProc(), nullptr);
}

TEST(Dialog82, IsRegisteredWithTheModuleResources) {
    const ModuleResourceTable* table = ModuleResources();
    bool found = false;
    for (std::size_t i = 0; i < table->dialogCount; ++i)
        found |= &table->dialogs[i] == &tavroDialog82() ||
                 table->dialogs[i].resourceId == IDD_TAVRO_PARAMETERS;
    EXPECT_TRUE(found);
    EXPECT_EQ(tavroDialog82().itemCount, 106u);
}

}  // namespace
}  // namespace uitest
