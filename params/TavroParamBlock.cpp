#include "params/TavroParamBlock.h"

#include <initializer_list>

#include "params/TavroParamIds.h"
#include "params/TextureSlots.h"
#include "plugin/TavroClassDesc.h"
#include "resources/ControlIds.h"
#include "resources/StringIds.h"

namespace {

// The rollout's dialog template.
constexpr int kRolloutTemplate = 82;

// Combo-box items in list order; the stored value is the item's position.
constexpr std::initializer_list<int> kReflectionModelItems = {IDS_PHONG, IDS_TORRSPARR,
                                                              IDS_BECKMANN, IDS_GGX, IDS_TRGGX};
constexpr std::initializer_list<int> kExtrusionItems = {IDS_STRONG_RECOMMENDED, IDS_LUMINANCE};

}  // namespace

ParamBlockDesc2& tavroParamBlockDesc() {
    static ParamBlockDesc2 desc(
        {
            .id = TAVRO_PARAM_BLOCK_ID,
            .int_name = L"parameters",
            .local_name = 0,
            .cd = &tavroClassDesc(),
            .flags = P_AUTO_CONSTRUCT | P_AUTO_UI,
            .refno = TAVRO_PARAM_BLOCK_REF,
            .dlgTemplate = kRolloutTemplate,
            .title = IDS_PARAMS,
            .flagMask = 0,
            .rollupFlags = 0,
            .proc = nullptr,
        },
        {
            ParamDef::Bool(mtl_affect_shadow, L"mtl_affect_shadow", 0, IDS_AFFECT_SHADOWS, true)
                .checkBox(IDC_AFFECT_SHADOW),
            ParamDef::Rgb(mtl_diffuse_color, L"mtl_diffuse_color", P_ANIMATABLE, IDS_DIFFUSE_COLOR,
                          Color(0.8f, 0.8f, 0.8f))
                .colorSwatch(IDC_DIFFUSE_COLOR),
            ParamDef::Map(mtl_diffuse_map, L"mtl_diffuse_map", P_OWNERS_REF, IDS_DIFFUSE_MAP, 0, 0)
                .mapButton(IDC_DIFFUSE_MAP),
            ParamDef::Bool(mtl_diffuse_mult_on, L"mtl_diffuse_mult_on", 0,
                           IDS_DIFFUSE_COLOR_MULTIPLIER, false)
                .checkBox(IDC_DIFFUSE_MULT_ON),
            ParamDef::Float(mtl_diffuse_mult, L"mtl_diffuse_mult", P_ANIMATABLE,
                            IDS_DIFFUSE_COLOR_MULTIPLIER, 1.0f)
                .range(0.0f, 100.0f)
                .spinner(IDC_DIFFUSE_MULT_EDIT, IDC_DIFFUSE_MULT_SPIN, 0.1f),
            ParamDef::Float(mtl_roughness_mult, L"mtl_roughness_mult", P_ANIMATABLE,
                            IDS_DIFFUSE_ROUGHNESS, 0.0f)
                .range(0.0f, 1.0f)
                .spinner(IDC_ROUGHNESS_MULT_EDIT, IDC_ROUGHNESS_MULT_SPIN, 0.1f),
            ParamDef::Rgb(mtl_specular_color, L"mtl_specular_color", P_ANIMATABLE,
                          IDS_SPECULAR_COLOR, Color(1.0f, 1.0f, 1.0f))
                .colorSwatch(IDC_SPECULAR_COLOR),
            ParamDef::Map(mtl_specular_map, L"mtl_specular_map", P_OWNERS_REF, IDS_DEPRECATED_MAP1,
                          1, 1)
                .mapButton(IDC_SPECULAR_MAP),
            ParamDef::Bool(mtl_specular_mult_on, L"mtl_specular_mult_on", 0,
                           IDS_SPECULAR_COLOR_MULTIPLIER, false)
                .checkBox(IDC_SPECULAR_MULT_ON),
            ParamDef::Float(mtl_specular_mult, L"mtl_specular_mult", P_ANIMATABLE,
                            IDS_SPECULAR_COLOR_MULTIPLIER, 0.0f)
                .range(0.0f, 100.0f)
                .spinner(IDC_SPECULAR_MULT_EDIT, IDC_SPECULAR_MULT_SPIN, 0.1f),
            ParamDef::Int(mtl_specular_brdf, L"mtl_specular_brdf", P_ANIMATABLE | P_RESET_DEFAULT,
                          IDS_SPECULAR_BRDF, 3)
                .comboBox(IDC_SPECULAR_BRDF, kReflectionModelItems)
                .toolTip(IDS_SPECULAR_BRDF),
            ParamDef::Float(mtl_specular_roughness, L"mtl_specular_roughness", P_ANIMATABLE,
                            IDS_SPECULAR_ROUGHNESS, 1.0f)
                .range(0.0f, 1.0f)
                .spinner(IDC_SPECULAR_ROUGHNESS_EDIT, IDC_SPECULAR_ROUGHNESS_SPIN, 0.1f),
            ParamDef::Float(mtl_specular_cospower, L"mtl_specular_cospower", P_ANIMATABLE,
                            IDS_SPECULAR_COSPOWER, 256.0f)
                .range(1.0f, 1000000.0f)
                .spinner(IDC_SPECULAR_COSPOWER_EDIT, IDC_SPECULAR_COSPOWER_SPIN, 0.1f),
            ParamDef::Float(mtl_specular_ior, L"mtl_specular_ior", P_ANIMATABLE, IDS_SPECULAR_IOR,
                            1.0f)
                .range(0.0f, 100.0f)
                .spinner(IDC_SPECULAR_IOR_EDIT, IDC_SPECULAR_IOR_SPIN, 0.1f),
            ParamDef::Rgb(mtl_reflect_color, L"mtl_reflect_color", P_ANIMATABLE,
                          IDS_REFLECTIVITY_COLOR, Color(1.0f, 1.0f, 1.0f))
                .colorSwatch(IDC_REFLECT_COLOR),
            ParamDef::Map(mtl_reflect_map, L"mtl_reflect_map", P_OWNERS_REF, IDS_REFLECTIVITY_MAP,
                          2, 2)
                .mapButton(IDC_REFLECT_MAP),
            ParamDef::Bool(mtl_reflect_mult_on, L"mtl_reflect_mult_on", 0,
                           IDS_REFLECT_COLOR_MULTIPLIER, false)
                .checkBox(IDC_REFLECT_MULT_ON),
            ParamDef::Float(mtl_reflect_mult, L"mtl_reflect_mult", P_ANIMATABLE,
                            IDS_REFLECT_COLOR_MULTIPLIER, 0.0f)
                .range(0.0f, 100.0f)
                .spinner(IDC_REFLECT_MULT_EDIT, IDC_REFLECT_MULT_SPIN, 0.1f),
            ParamDef::Int(mtl_reflect_brdf, L"mtl_reflect_brdf", P_ANIMATABLE | P_RESET_DEFAULT,
                          IDS_REFLECTIVITY_BRDF, 3)
                .comboBox(IDC_REFLECT_BRDF, kReflectionModelItems)
                .toolTip(IDS_REFLECTIVITY_BRDF),
            ParamDef::Float(mtl_reflect_cospower, L"mtl_reflect_cospower", P_ANIMATABLE,
                            IDS_REFLECTIVITY_COSPOWER, 256.0f)
                .range(1.0f, 1000000.0f)
                .spinner(IDC_REFLECT_COSPOWER_EDIT, IDC_REFLECT_COSPOWER_SPIN, 0.1f),
            ParamDef::Float(mtl_reflect_roughness, L"mtl_reflect_roughness", P_ANIMATABLE,
                            IDS_REFLECTIVITY_ROUGHNESS, 1.0f)
                .range(0.0f, 1.0f)
                .spinner(IDC_REFLECT_ROUGHNESS_EDIT, IDC_REFLECT_ROUGHNESS_SPIN, 0.1f),
            ParamDef::Float(mtl_reflect_ior, L"mtl_reflect_ior", P_ANIMATABLE, IDS_REFLECTIVITY_IOR,
                            1.5f)
                .range(0.0f, 100.0f)
                .spinner(IDC_REFLECT_IOR_EDIT, IDC_REFLECT_IOR_SPIN, 0.1f),
            ParamDef::Rgb(mtl_emission_color, L"mtl_emission_color", P_ANIMATABLE,
                          IDS_EMISSION_COLOR, Color(1.0f, 1.0f, 1.0f))
                .colorSwatch(IDC_EMISSION_COLOR),
            ParamDef::Map(mtl_emission_map, L"mtl_emission_map", P_OWNERS_REF, IDS_EMISSION_MAP, 3,
                          3)
                .mapButton(IDC_EMISSION_MAP),
            ParamDef::Bool(mtl_emission_mult_on, L"mtl_emission_mult_on", 0,
                           IDS_EMISSION_COLOR_MULTIPLIER, false)
                .checkBox(IDC_EMISSION_MULT_ON),
            ParamDef::Float(mtl_emission_mult, L"mtl_emission_mult", P_ANIMATABLE,
                            IDS_EMISSION_COLOR_MULTIPLIER, 0.0f)
                .range(0.0f, 100.0f)
                .spinner(IDC_EMISSION_MULT_EDIT, IDC_EMISSION_MULT_SPIN, 0.1f),
            ParamDef::Rgb(mtl_transparency_color, L"mtl_transparency_color", P_ANIMATABLE,
                          IDS_TRANSPARENCY_COLOR, Color(1.0f, 1.0f, 1.0f))
                .colorSwatch(IDC_TRANSPARENCY_COLOR),
            ParamDef::Map(mtl_transparency_map, L"mtl_transparency_map", P_OWNERS_REF,
                          IDS_TRANSPARENCY_MAP, 4, 4)
                .mapButton(IDC_TRANSPARENCY_MAP),
            ParamDef::Bool(mtl_transparency_mult_on, L"mtl_transparency_mult_on", 0,
                           IDS_TRANSPARENCY_COLOR_MULTIPLIER, false)
                .checkBox(IDC_TRANSPARENCY_MULT_ON),
            ParamDef::Float(mtl_transparency_mult, L"mtl_transparency_mult", P_ANIMATABLE,
                            IDS_TRANSPARENCY_COLOR_MULTIPLIER, 0.0f)
                .range(0.0f, 100.0f)
                .spinner(IDC_TRANSPARENCY_MULT_EDIT, IDC_TRANSPARENCY_MULT_SPIN, 0.1f),
            ParamDef::Float(mtl_ior, L"mtl_ior", P_ANIMATABLE, IDS_IOR, 1.5f)
                .range(0.0f, 100.0f)
                .spinner(IDC_IOR_EDIT, IDC_IOR_SPIN, 0.1f),
            ParamDef::Float(mtl_transparency_cospower, L"mtl_transparency_cospower", P_ANIMATABLE,
                            IDS_TRANSPARENCY_COSPOWER, 256.0f)
                .range(1.0f, 1000000.0f)
                .spinner(IDC_TRANSPARENCY_COSPOWER_EDIT, IDC_TRANSPARENCY_COSPOWER_SPIN, 0.1f),
            ParamDef::Bool(mtl_transparency_thin_on, L"mtl_transparency_thin_on", 0,
                           IDS_THIN_TRANSPARENCY, false)
                .checkBox(IDC_TRANSPARENCY_THIN_ON),
            ParamDef::Rgb(mtl_fog_color, L"mtl_fog_color", P_ANIMATABLE, IDS_FOG_COLOR,
                          Color(1.0f, 1.0f, 1.0f))
                .colorSwatch(IDC_FOG_COLOR),
            ParamDef::Float(mtl_fog_multiplier, L"mtl_fog_multiplier", P_ANIMATABLE,
                            IDS_FOG_MULTIPLIER, 0.0f)
                .range(0.0f, 1000.0f)
                .spinner(IDC_FOG_MULTIPLIER_EDIT, IDC_FOG_MULTIPLIER_SPIN, 1.0f),
            ParamDef::Rgb(mtl_exit_color, L"mtl_exit_color", P_ANIMATABLE, IDS_EXIT_COLOR,
                          Color(1.0f, 1.0f, 1.0f))
                .colorSwatch(IDC_EXIT_COLOR),
            ParamDef::Bool(mtl_displacement_on, L"mtl_displacement_on", 0, IDS_DISPLACEMENT_STATE,
                           false)
                .checkBox(IDC_DISPLACEMENT_ON),
            ParamDef::Float(mtl_displacement_height, L"mtl_displacement_height", P_ANIMATABLE,
                            IDS_HEIGHT, 0.5f)
                .range(0.0f, 100.0f)
                .spinner(IDC_DISPLACEMENT_HEIGHT_EDIT, IDC_DISPLACEMENT_HEIGHT_SPIN, 0.1f),
            ParamDef::Map(mtl_normal_map, L"mtl_normal_map", P_OWNERS_REF, IDS_NORMAL_MAP, 5, 5)
                .mapButton(IDC_NORMAL_MAP),
            ParamDef::Bool(mtl_displacement_invert_height_on, L"mtl_displacement_invert_height_on",
                           0, IDS_DISPLACEMENT_INVERT_HEIGHT_STATE, false)
                .checkBox(IDC_DISPLACEMENT_INVERT_HEIGHT_ON),
            ParamDef::Bool(mtl_no_ic_records, L"mtl_no_ic_records", 0, IDS_NO_IC_RECORDS, false)
                .checkBox(IDC_NO_IC_RECORDS),
            ParamDef::Float(mtl_spec_gloss, L"mtl_spec_gloss", P_ANIMATABLE,
                            IDS_SPECULAR_GLOSSINESS, 1.0f)
                .range(0.0f, 1.0f)
                .spinner(IDC_SPEC_GLOSS_EDIT, IDC_SPEC_GLOSS_SPIN, 0.01f),
            ParamDef::Map(mtl_spec_gl_map, L"mtl_spec_gl_map", P_OWNERS_REF, IDS_DEPRECATED_MAP2, 6,
                          6)
                .mapButton(IDC_SPEC_GL_MAP),
            ParamDef::Int(mtl_spec_gloss_or_cos, L"mtl_spec_gloss_or_cos", 0,
                          IDS_SPECULAR_GLOSS_OR_COS, 0)
                .radioPair(IDC_SPEC_GLOSS_OR_COS_GLOSS, IDC_SPEC_GLOSS_OR_COS_COS),
            ParamDef::Bool(mtl_spec_fresnel_on, L"mtl_spec_fresnel_on", 0, IDS_SPECULAR_FRESNEL_ON,
                           true)
                .checkBox(IDC_SPEC_FRESNEL_ON),
            ParamDef::Float(mtl_refl_gloss, L"mtl_refl_gloss", P_ANIMATABLE, IDS_REFLECT_GLOSSINESS,
                            1.0f)
                .range(0.0f, 10.0f)
                .spinner(IDC_REFL_GLOSS_EDIT, IDC_REFL_GLOSS_SPIN, 0.01f),
            ParamDef::Map(mtl_refl_gl_map, L"mtl_refl_gl_map", P_OWNERS_REF,
                          IDS_REFLECT_GLOSSINESS_MAP, 7, 7)
                .mapButton(IDC_REFL_GL_MAP),
            ParamDef::Int(mtl_refl_gloss_or_cos, L"mtl_refl_gloss_or_cos", 0,
                          IDS_REFLECT_GLOSS_OR_COS, 0)
                .radioPair(IDC_REFL_GLOSS_OR_COS_GLOSS, IDC_REFL_GLOSS_OR_COS_COS),
            ParamDef::Bool(mtl_refl_fresnel_on, L"mtl_refl_fresnel_on,", 0, IDS_REFLECT_FRESNEL_ON,
                           true)
                .checkBox(IDC_REFL_FRESNEL_ON),
            ParamDef::Float(mtl_transp_gloss, L"mtl_transp_gloss", P_ANIMATABLE,
                            IDS_TRANSP_GLOSSINESS, 1.0f)
                .range(0.0f, 10.0f)
                .spinner(IDC_TRANSP_GLOSS_EDIT, IDC_TRANSP_GLOSS_SPIN, 0.01f),
            ParamDef::Map(mtl_transp_gl_map, L"mtl_transp_gl_map", P_OWNERS_REF,
                          IDS_TRANSP_GLOSSINESS_MAP, 8, 8)
                .mapButton(IDC_TRANSP_GL_MAP),
            ParamDef::Int(mtl_transp_gloss_or_cos, L"mtl_transp_gloss_or_cos", 0,
                          IDS_TRANSP_GLOSS_OR_COS, 0)
                .radioPair(IDC_TRANSP_GLOSS_OR_COS_GLOSS, IDC_TRANSP_GLOSS_OR_COS_COS),
            ParamDef::Bool(mtl_lock_specular, L"mtl_lock_specular,", 0,
                           IDS_LOCK_SPECULAR_TO_REFLECTION, true)
                .checkBox(IDC_LOCK_SPECULAR),
            ParamDef::Float(mtl_bump_amount, L"mtl_bump_amount", P_ANIMATABLE, IDS_BUMP_AMOUNT,
                            0.2f)
                .range(0.0f, 5.0f)
                .spinner(IDC_BUMP_AMOUNT_EDIT, IDC_BUMP_AMOUNT_SPIN, 0.1f),
            ParamDef::Float(mtl_bump_radius, L"mtl_bump_radius", P_ANIMATABLE, IDS_BUMP_RADIUS,
                            0.25f)
                .range(0.0f, 1.0f)
                .spinner(IDC_BUMP_RADIUS_EDIT, IDC_BUMP_RADIUS_SPIN, 0.1f),
            ParamDef::Float(mtl_bump_sigma, L"mtl_bump_sigma", P_ANIMATABLE, IDS_BUMP_SIGMA, 1.5f)
                .range(1.0f, 16.0f)
                .spinner(IDC_BUMP_SIGMA_EDIT, IDC_BUMP_SIGMA_SPIN, 0.5f),
            ParamDef::Bool(mtl_emission_gi, L"mtl_emission_gi", 0, IDS_EMISSION_GI, true)
                .checkBox(IDC_EMISSION_GI),
            ParamDef::Map(mtl_opacity_map, L"mtl_opacity_map", P_OWNERS_REF, IDS_OPACITY_MAP, 9, 9)
                .mapButton(IDC_OPACITY_MAP),
            ParamDef::Bool(mtl_opacity_smooth, L"mtl_opacity_smooth", 0, IDS_OPACITY_SMOOTH, false)
                .checkBox(IDC_OPACITY_SMOOTH),
            ParamDef::Rgb(mtl_translucency_color, L"mtl_translucency_color", P_ANIMATABLE,
                          IDS_TRANSLUCENCY_COLOR, Color(1.0f, 1.0f, 1.0f))
                .colorSwatch(IDC_TRANSLUCENCY_COLOR),
            ParamDef::Float(mtl_translucency_mult, L"mtl_translucency_mult", P_ANIMATABLE,
                            IDS_TRANSLUCENCY_COLOR_MULTIPLIER, 0.0f)
                .range(0.0f, 100.0f)
                .spinner(IDC_TRANSLUCENCY_MULT_EDIT, IDC_TRANSLUCENCY_MULT_SPIN, 0.1f),
            ParamDef::Map(mtl_translucency_map, L"mtl_translucency_map", P_OWNERS_REF,
                          IDS_TRANSLUCENCY_MAP, 10, 10)
                .mapButton(IDC_TRANSLUCENCY_MAP),
            ParamDef::Bool(mtl_translucency_mult_on, L"mtl_translucency_mult_on", 0,
                           IDS_TRANSLUCENCY_COLOR_MULT_ON, false)
                .checkBox(IDC_TRANSLUCENCY_MULT_ON),
            ParamDef::Int(mtl_reflect_extrusion, L"mtl_reflect_extrusion",
                          P_ANIMATABLE | P_RESET_DEFAULT, IDS_REFLECT_EXTRUSION, 0)
                .comboBox(IDC_REFLECT_EXTRUSION, kExtrusionItems)
                .toolTip(IDS_REFLECT_EXTRUSION),
            ParamDef::Float(mtl_reflect_anisotropy, L"mtl_reflect_anisotropy", P_ANIMATABLE,
                            IDS_REFLECTIVITY_ANISOTROPY, 0.0f)
                .range(0.0f, 1.0f)
                .spinner(IDC_REFLECT_ANISOTROPY_EDIT, IDC_REFLECT_ANISOTROPY_SPIN, 0.1f),
            ParamDef::Float(mtl_reflect_rotation, L"mtl_reflect_rotation", P_ANIMATABLE,
                            IDS_REFLECTIVITY_ROTATION, 0.0f)
                .range(0.0f, 360.0f)
                .spinner(IDC_REFLECT_ROTATION_EDIT, IDC_REFLECT_ROTATION_SPIN, 5.0f),
            ParamDef::Map(mtl_reflect_anisotropy_map, L"mtl_reflect_anisotropy_map", P_OWNERS_REF,
                          IDS_REFLECTIVITY_ANISOTROPY_MAP, 11, 11)
                .mapButton(IDC_REFLECT_ANISOTROPY_MAP),
            ParamDef::Map(mtl_reflect_rotation_map, L"mtl_reflect_rotation_map", P_OWNERS_REF,
                          IDS_REFLECTIVITY_ROTATION_MAP, 12, 12)
                .mapButton(IDC_REFLECT_ROTATION_MAP),
        });
    return desc;
}
