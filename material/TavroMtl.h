// The Tavro material. It keeps its settings in one parameter block (reference 13) and up to
// thirteen texture maps in its slots (references 0 to 12), and caches the parameter values
// of its last update for shading. A renderer compiles against this header with only the
// host's headers beside it: it recognises the class by TAVROMTL_CLASS_ID and reads the
// material through ITavroMtl, its first base.
#pragma once

#include "Color.h"
#include "ITavroMtl.h"  // beside this header: renderers include it without the project root
#include "Interval.h"
#include "Mtl.h"

constexpr Class_ID TAVROMTL_CLASS_ID(0xA3F0E60D, 0x941BA693);

// The cached parameter values, each named after its parameter. The ten of the former
// specular layer (mtl_specular_*, mtl_spec_*) are never refreshed by an update; they travel
// only through saves, clones and the standard setters. Booleans hold 0 or 1.
struct TavroMtlCache {
    int mtl_specular_brdf = 3;
    int mtl_reflect_brdf = 3;
    int mtl_spec_gloss_or_cos = 0;
    int mtl_refl_gloss_or_cos = 0;
    int mtl_transp_gloss_or_cos = 0;
    int mtl_reflect_extrusion = 0;

    Color mtl_diffuse_color{0.8f, 0.8f, 0.8f};
    Color mtl_specular_color{1.0f, 1.0f, 1.0f};
    Color mtl_reflect_color{1.0f, 1.0f, 1.0f};
    Color mtl_emission_color{1.0f, 1.0f, 1.0f};
    Color mtl_transparency_color{1.0f, 1.0f, 1.0f};
    Color mtl_fog_color{1.0f, 1.0f, 1.0f};
    Color mtl_exit_color{1.0f, 1.0f, 1.0f};
    Color mtl_translucency_color{1.0f, 1.0f, 1.0f};

    BOOL mtl_displacement_on = 0;
    BOOL mtl_displacement_invert_height_on = 0;
    BOOL mtl_no_ic_records = 0;
    BOOL mtl_diffuse_mult_on = 0;
    BOOL mtl_specular_mult_on = 0;
    BOOL mtl_emission_mult_on = 0;
    BOOL mtl_transparency_mult_on = 0;
    BOOL mtl_reflect_mult_on = 0;
    BOOL mtl_transparency_thin_on = 0;
    BOOL mtl_translucency_mult_on = 0;
    BOOL mtl_affect_shadow = 1;
    BOOL mtl_spec_fresnel_on = 1;
    BOOL mtl_refl_fresnel_on = 1;  // parameter "mtl_refl_fresnel_on,"
    BOOL mtl_lock_specular = 1;    // parameter "mtl_lock_specular,"
    BOOL mtl_emission_gi = 1;
    BOOL mtl_opacity_smooth = 0;

    float mtl_specular_roughness = 0.0f;
    float mtl_reflect_roughness = 0.0f;
    float mtl_reflect_cospower = 0.0f;
    float mtl_specular_cospower = 0.0f;
    float mtl_ior = 1.5f;
    float mtl_specular_ior = 0.0f;
    float mtl_reflect_ior = 0.0f;
    float mtl_transparency_cospower = 0.0f;
    float mtl_fog_multiplier = 0.0f;
    float mtl_displacement_height = 0.0f;
    float mtl_diffuse_mult = 1.0f;
    float mtl_specular_mult = 0.0f;
    float mtl_emission_mult = 0.0f;
    float mtl_transparency_mult = 0.0f;
    float mtl_reflect_mult = 0.0f;
    float mtl_spec_gloss = 0.0f;
    float mtl_refl_gloss = 0.0f;
    float mtl_transp_gloss = 0.0f;
    float mtl_bump_amount = 0.0f;
    float mtl_bump_radius = 1.0f;
    float mtl_bump_sigma = 1.5f;
    float mtl_translucency_mult = 0.0f;
    float mtl_roughness_mult = 0.0f;
    float mtl_reflect_anisotropy = 0.0f;
    float mtl_reflect_rotation = 0.0f;
};

class TavroMtl : public ITavroMtl {
public:
    static constexpr int kSlotCount = 13;
    static constexpr int kRefCount = kSlotCount + 1;  // the slots, then the parameter block

    // `loading`: the material is about to be read from a scene, which brings its block.
    explicit TavroMtl(bool loading);
    ~TavroMtl() override;

    // Identity.
    void DeleteThis() override;
    void GetClassName(MSTR& s, bool localized = true) const override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;

    // Sub-animatables and parameter blocks.
    int NumSubs() override;
    Animatable* SubAnim(int i) override;
    MSTR SubAnimName(int i, bool localized = true) override;
    int NumParamBlocks() override;
    IParamBlock2* GetParamBlock(int i) override;
    IParamBlock2* GetParamBlockByID(BlockID id) override;

    // References: 0 to 12 the texture slots, 13 the parameter block.
    int NumRefs() override;
    RefTargetHandle GetReference(int i) override;

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;

public:
    // Scene input and output: the base material data, then the cached values.
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override;
    RefTargetHandle Clone(RemapDir& remap) override;

    // The cache: refreshed from the block by an update at a time outside its validity.
    ULONG Requirements(int subMtlNum) override;
    void Update(TimeValue t, Interval& valid) override;
    void Reset() override;
    Interval Validity(TimeValue t) override;
    ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) override;

    // The host's summary queries answer from the cache; the setters write through.
    BOOL IsTransparent(int mtlNum = 0, BOOL backFace = FALSE) override;
    Color GetAmbient(int mtlNum = 0, BOOL backFace = FALSE) override;
    Color GetDiffuse(int mtlNum = 0, BOOL backFace = FALSE) override;
    Color GetSpecular(int mtlNum = 0, BOOL backFace = FALSE) override;
    float GetShininess(int mtlNum = 0, BOOL backFace = FALSE) override;
    float GetShinStr(int mtlNum = 0, BOOL backFace = FALSE) override;
    float GetXParency(int mtlNum = 0, BOOL backFace = FALSE) override;
    Color GetSelfIllumColor(int mtlNum = 0, BOOL backFace = FALSE) override;
    float GetWireSize(int mtlNum = 0, BOOL backFace = FALSE) override;
    void SetAmbient(Color c, TimeValue t) override;
    void SetDiffuse(Color c, TimeValue t) override;
    void SetSpecular(Color c, TimeValue t) override;
    void SetShininess(float v, TimeValue t) override;

    void Shade(ShadeContext& sc) override;

    // No sub-materials.
    int NumSubMtls() override;
    Mtl* GetSubMtl(int i) override;
    void SetSubMtl(int i, Mtl* m) override;
    MSTR GetSubMtlSlotName(int i, bool localized = true) override;

    // Displacement from the normal-map slot (shading/Relief.cpp).
    float displacementAt(ShadeContext& sc) override;
    Interval displacementValidity(TimeValue t) override;

    // ITavroMtl.
    Texmap* GetDiffuseTexmap() override;
    float GetDiffuseMult() override;
    Color GetDiffuseColor() override;
    bool GetDiffuseMultOn() override;
    float GetDiffuseRoughness() override;
    Texmap* GetReflectTexmap() override;
    Texmap* GetReflectGlossTexmap() override;
    Texmap* GetReflectAnisotropyTexmap() override;
    Texmap* GetReflectRotationTexmap() override;
    float GetReflectMult() override;
    Color GetReflectColor() override;
    bool GetReflectMultOn() override;
    float GetReflectGloss() override;
    int GetReflectBrdf() override;
    float GetReflectIor() override;
    bool GetReflectFresnelOn() override;
    int GetReflectExtrusion() override;
    float GetReflectAnisotropy() override;
    float GetReflectRotation() override;
    Texmap* GetTransparencyTexmap() override;
    Texmap* GetTransparencyGlossTexmap() override;
    float GetTransparencyMult() override;
    Color GetTransparencyColor() override;
    bool GetTransparencyMultOn() override;
    float GetTransparencyGloss() override;
    float GetIor() override;
    float GetFogMult() override;
    Color GetFogColor() override;
    bool GetTransparencyThinOn() override;
    Texmap* GetOpacityTexmap() override;
    bool GetAffectShadow() override;
    bool GetOpacitySmooth() override;
    bool HasOpacityTexmap() override;
    Texmap* GetEmissionTexmap() override;
    float GetEmissionMult() override;
    Color GetEmissionColor() override;
    bool GetEmissionMultOn() override;
    bool GetEmissionGi() override;
    Texmap* GetTranslucencyTexmap() override;
    float GetTranslucencyMult() override;
    Color GetTranslucencyColor() override;
    bool GetTranslucencyMultOn() override;
    Texmap* GetNormalTexmap() override;
    float GetBumpAmount() override;
    float GetBumpRadius() override;

    // Texture slots (the ISubMap base).
    int NumSubTexmaps() override;
    Texmap* GetSubTexmap(int i) override;
    // Puts `map` into slot i and into the parameter that mirrors the slot.
    void SetSubTexmap(int i, Texmap* map) override;
    MSTR GetSubTexmapSlotName(int i, bool localized = true) override;

    // Tells the dependents that the material changed.
    void NotifyChanged();

    const TavroMtlCache& cache() const { return cache_; }

    // The preview shading's inputs at one sample: cached values combined with the slot maps
    // (shading/TextureLookups.cpp). Glossiness, anisotropy and rotation (in turns) lie in
    // [0, 1]; every colour but the emission is clamped to [0, 1].
    Color evalDiffuseColor(ShadeContext& sc) const;
    Color evalReflectColor(ShadeContext& sc) const;
    Color evalTransparencyColor(ShadeContext& sc) const;
    Color evalTranslucencyColor(ShadeContext& sc) const;
    Color evalEmissionColor(ShadeContext& sc) const;
    float evalOpacity(ShadeContext& sc) const;
    float evalReflGlossiness(ShadeContext& sc) const;
    float evalReflCosPower(ShadeContext& sc) const;
    float evalTranspGlossiness(ShadeContext& sc) const;
    float evalTranspCosPower(ShadeContext& sc) const;
    float evalReflAnisotropy(ShadeContext& sc) const;
    float evalReflRotation(ShadeContext& sc) const;
    const Interval& cacheValidity() const { return cacheValid_; }

private:
    // The editor panel keeps the cached reflection model in step with its list.
    friend class TavroMtlDlgProc;

    float blockFloat(ParamID id);
    int blockInt(ParamID id);
    Color blockColor(ParamID id);

    IParamBlock2* pblock_ = nullptr;
    Texmap* slots_[kSlotCount] = {};
    Interval cacheValid_;
    TavroMtlCache cache_;
};
