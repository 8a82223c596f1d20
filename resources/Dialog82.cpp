#include "resources/Dialog82.h"

#include <iterator>

#include "resources/ControlIds.h"

namespace {

using K = DialogItemKind;
constexpr unsigned kDisabled = DLGITEM_DISABLED;
constexpr unsigned kHidden = DLGITEM_HIDDEN;
constexpr unsigned kCentered = DLGITEM_CENTERED;
constexpr unsigned kTab = DLGITEM_TABSTOP;

constexpr DialogItem group(const wchar_t* caption, short x, short y, short cx, short cy) {
    return {IDC_STATIC, K::GroupBox, caption, x, y, cx, cy, 0};
}
constexpr DialogItem label(const wchar_t* caption, short x, short y, short cx, short cy,
                           unsigned state = 0, int id = IDC_STATIC) {
    return {id, K::Label, caption, x, y, cx, cy, state};
}
// A control bound to a parameter: always a tab stop, never captioned.
constexpr DialogItem bound(int id, DialogItemKind kind, short x, short y, short cx, short cy,
                           unsigned state = 0) {
    return {id, kind, L"", x, y, cx, cy, state | kTab};
}

constexpr DialogItem kItems[] = {
    group(L"Diffuse", 0, 5, 215, 40),
    label(L"Multiply", 5, 15, 34, 8),
    bound(IDC_DIFFUSE_MULT_EDIT, K::EditField, 45, 15, 20, 10),
    bound(IDC_DIFFUSE_MULT_SPIN, K::Spinner, 70, 15, 10, 10),
    bound(IDC_DIFFUSE_MAP, K::MapButton, 85, 15, 85, 10),
    bound(IDC_DIFFUSE_COLOR, K::ColorSwatch, 175, 15, 35, 10),
    label(L"Roughness", 5, 30, 35, 8),
    bound(IDC_ROUGHNESS_MULT_EDIT, K::EditField, 45, 30, 20, 10, kDisabled),
    bound(IDC_ROUGHNESS_MULT_SPIN, K::Spinner, 70, 30, 10, 10, kDisabled),
    label(L"Tint", 175, 30, 20, 8),
    bound(IDC_DIFFUSE_MULT_ON, K::CheckBox, 200, 30, 10, 10),

    group(L"Reflectivity", 0, 50, 215, 90),
    label(L"Multiply", 10, 60, 30, 8),
    bound(IDC_REFLECT_MULT_EDIT, K::EditField, 45, 60, 20, 10),
    bound(IDC_REFLECT_MULT_SPIN, K::Spinner, 70, 60, 10, 10),
    bound(IDC_REFLECT_MAP, K::MapButton, 85, 60, 85, 10),
    bound(IDC_REFLECT_COLOR, K::ColorSwatch, 175, 60, 35, 10),
    label(L"Glossiness", 5, 75, 35, 8),
    bound(IDC_REFL_GLOSS_EDIT, K::EditField, 45, 75, 20, 10),
    bound(IDC_REFL_GLOSS_SPIN, K::Spinner, 70, 75, 10, 10),
    bound(IDC_REFL_GL_MAP, K::MapButton, 85, 75, 85, 10),
    label(L"Tint", 180, 75, 15, 8),
    bound(IDC_REFLECT_MULT_ON, K::CheckBox, 200, 75, 10, 10),
    label(L"IOR", 25, 90, 16, 8),
    bound(IDC_REFLECT_IOR_EDIT, K::EditField, 45, 90, 20, 10),
    bound(IDC_REFLECT_IOR_SPIN, K::Spinner, 70, 90, 10, 10),
    label(L"Fresnel", 170, 90, 25, 8),
    bound(IDC_REFL_FRESNEL_ON, K::CheckBox, 200, 90, 10, 10),
    label(L"Anisotropy", 5, 105, 36, 8, 0, IDC_ANISOTROPY_LABEL),
    bound(IDC_REFLECT_ANISOTROPY_EDIT, K::EditField, 45, 105, 20, 10),
    bound(IDC_REFLECT_ANISOTROPY_SPIN, K::Spinner, 70, 105, 10, 10),
    bound(IDC_REFLECT_ANISOTROPY_MAP, K::MapButton, 85, 105, 20, 10),
    label(L"Rotation", 110, 105, 35, 8, 0, IDC_ROTATION_LABEL),
    bound(IDC_REFLECT_ROTATION_EDIT, K::EditField, 150, 105, 20, 10),
    bound(IDC_REFLECT_ROTATION_SPIN, K::Spinner, 175, 105, 10, 10),
    bound(IDC_REFLECT_ROTATION_MAP, K::MapButton, 190, 105, 20, 10),
    label(L"BRDF type", 5, 120, 35, 8),
    bound(IDC_REFLECT_BRDF, K::DropDownList, 45, 120, 65, 12),
    label(L"Extrusion", 115, 120, 30, 8),
    bound(IDC_REFLECT_EXTRUSION, K::DropDownList, 150, 120, 60, 12),

    group(L"Transparency", 0, 145, 215, 70),
    label(L"Multiply", 10, 155, 30, 8),
    bound(IDC_TRANSPARENCY_MULT_EDIT, K::EditField, 45, 155, 20, 10),
    bound(IDC_TRANSPARENCY_MULT_SPIN, K::Spinner, 70, 155, 10, 10),
    bound(IDC_TRANSPARENCY_MAP, K::MapButton, 85, 155, 85, 10),
    bound(IDC_TRANSPARENCY_COLOR, K::ColorSwatch, 175, 155, 35, 10),
    label(L"Glossiness", 5, 170, 35, 8),
    bound(IDC_TRANSP_GLOSS_EDIT, K::EditField, 45, 170, 20, 10),
    bound(IDC_TRANSP_GLOSS_SPIN, K::Spinner, 70, 170, 10, 10),
    bound(IDC_TRANSP_GL_MAP, K::MapButton, 85, 170, 85, 10),
    label(L"Tint", 180, 170, 15, 8),
    bound(IDC_TRANSPARENCY_MULT_ON, K::CheckBox, 200, 170, 10, 10),
    label(L"Dist. mult.", 8, 184, 32, 8),
    bound(IDC_FOG_MULTIPLIER_EDIT, K::EditField, 45, 185, 20, 10),
    bound(IDC_FOG_MULTIPLIER_SPIN, K::Spinner, 70, 185, 10, 10),
    label(L"Distance color", 124, 185, 46, 8),
    bound(IDC_FOG_COLOR, K::ColorSwatch, 175, 185, 35, 10),
    label(L"IOR", 20, 200, 20, 8),
    bound(IDC_IOR_EDIT, K::EditField, 45, 200, 20, 10),
    bound(IDC_IOR_SPIN, K::Spinner, 70, 200, 10, 10),
    label(L"Thin (no refract)", 140, 200, 55, 8),
    bound(IDC_TRANSPARENCY_THIN_ON, K::CheckBox, 200, 200, 10, 10),

    group(L"Opacity/Special", 0, 220, 215, 40),
    label(L"Opacity map", 35, 230, 45, 8),
    bound(IDC_OPACITY_MAP, K::MapButton, 85, 230, 85, 10),
    label(L"Cast shadows", 30, 245, 50, 8),
    bound(IDC_AFFECT_SHADOW, K::CheckBox, 85, 245, 10, 10),
    label(L"Smooth", 165, 245, 30, 8),
    bound(IDC_OPACITY_SMOOTH, K::CheckBox, 200, 245, 10, 8),

    group(L"Translucency", 0, 265, 215, 40),
    label(L"Multiply", 10, 275, 30, 8),
    bound(IDC_TRANSLUCENCY_MULT_EDIT, K::EditField, 45, 275, 20, 10),
    bound(IDC_TRANSLUCENCY_MULT_SPIN, K::Spinner, 70, 275, 10, 10),
    bound(IDC_TRANSLUCENCY_MAP, K::MapButton, 85, 275, 85, 10),
    bound(IDC_TRANSLUCENCY_COLOR, K::ColorSwatch, 175, 275, 35, 10),
    label(L"Tint", 180, 290, 15, 8),
    bound(IDC_TRANSLUCENCY_MULT_ON, K::CheckBox, 200, 290, 10, 10),

    group(L"Emission", 0, 310, 215, 40),
    label(L"Multiply", 5, 321, 35, 8),
    bound(IDC_EMISSION_MULT_EDIT, K::EditField, 45, 320, 20, 10),
    bound(IDC_EMISSION_MULT_SPIN, K::Spinner, 70, 320, 10, 10),
    bound(IDC_EMISSION_MAP, K::MapButton, 85, 320, 85, 10),
    bound(IDC_EMISSION_COLOR, K::ColorSwatch, 175, 320, 35, 10),
    label(L"Cast GI", 10, 335, 30, 8),
    bound(IDC_EMISSION_GI, K::CheckBox, 45, 335, 10, 10),
    label(L"Tint", 175, 335, 20, 8),
    bound(IDC_EMISSION_MULT_ON, K::CheckBox, 200, 335, 10, 10),

    group(L"Relief", 0, 355, 215, 65),
    label(L"Height or normal map", 85, 365, 85, 10, kCentered),
    label(L"Height", 15, 375, 25, 8),
    bound(IDC_BUMP_AMOUNT_EDIT, K::EditField, 45, 375, 20, 10),
    bound(IDC_BUMP_AMOUNT_SPIN, K::Spinner, 70, 375, 10, 10),
    bound(IDC_NORMAL_MAP, K::MapButton, 85, 375, 85, 10),
    label(L"Parallax", 14, 390, 26, 8, kDisabled),
    bound(IDC_DISPLACEMENT_HEIGHT_EDIT, K::EditField, 45, 390, 20, 10, kDisabled),
    bound(IDC_DISPLACEMENT_HEIGHT_SPIN, K::Spinner, 70, 390, 10, 10, kDisabled),
    label(L"Parallax", 165, 390, 30, 8, kDisabled),
    bound(IDC_DISPLACEMENT_ON, K::CheckBox, 200, 390, 10, 10, kDisabled),
    label(L"Smooth lvl.", 5, 405, 35, 8),
    bound(IDC_BUMP_RADIUS_EDIT, K::EditField, 45, 405, 20, 10),
    bound(IDC_BUMP_RADIUS_SPIN, K::Spinner, 70, 405, 10, 10),
    label(L"Invert height", 150, 405, 45, 8),
    bound(IDC_DISPLACEMENT_INVERT_HEIGHT_ON, K::CheckBox, 200, 405, 10, 10),

    // Beyond the rollout's width, and hidden: the sigma of the relief blur has no visible
    // control.
    label(L"Sigma blur", 243, 378, 55, 8, kHidden | kCentered),
    bound(IDC_BUMP_SIGMA_EDIT, K::EditField, 303, 378, 40, 10, kHidden),
    bound(IDC_BUMP_SIGMA_SPIN, K::Spinner, 347, 378, 10, 10, kHidden),
};

static_assert(std::size(kItems) == 106, "template 82 has 106 items");

constexpr DialogTemplate kDialog82{
    IDD_TAVRO_PARAMETERS, 217, 422, L"MS Sans Serif", 8, true, kItems, std::size(kItems),
};

}  // namespace

const DialogTemplate& tavroDialog82() {
    return kDialog82;
}
