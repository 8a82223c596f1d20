// The renderer's view of a Tavro material: read-only queries of every setting and map the
// renderer uses. They read the parameter block at time 0 and the texture slots, never the
// material's cache. The renderer is built against this declaration and calls the queries
// by their place in it: append, never reorder.
#pragma once

#include "Mtl.h"

class ITavroMtl : public Mtl {
public:
    // Diffuse layer.
    virtual Texmap* GetDiffuseTexmap() = 0;
    virtual float GetDiffuseMult() = 0;
    virtual Color GetDiffuseColor() = 0;
    virtual bool GetDiffuseMultOn() = 0;
    virtual float GetDiffuseRoughness() = 0;

    // Reflection layer.
    virtual Texmap* GetReflectTexmap() = 0;
    virtual Texmap* GetReflectGlossTexmap() = 0;
    virtual Texmap* GetReflectAnisotropyTexmap() = 0;
    virtual Texmap* GetReflectRotationTexmap() = 0;
    virtual float GetReflectMult() = 0;
    virtual Color GetReflectColor() = 0;
    virtual bool GetReflectMultOn() = 0;
    virtual float GetReflectGloss() = 0;
    virtual int GetReflectBrdf() = 0;  // 0 Phong, 1 TorrSparr, 2 Beckmann, 3 GGX, 4 TRGGX
    virtual float GetReflectIor() = 0;
    virtual bool GetReflectFresnelOn() = 0;
    virtual int GetReflectExtrusion() = 0;  // 0 strong, 1 luminance
    virtual float GetReflectAnisotropy() = 0;
    virtual float GetReflectRotation() = 0;  // degrees

    // Transparency layer.
    virtual Texmap* GetTransparencyTexmap() = 0;
    virtual Texmap* GetTransparencyGlossTexmap() = 0;
    virtual float GetTransparencyMult() = 0;
    virtual Color GetTransparencyColor() = 0;
    virtual bool GetTransparencyMultOn() = 0;
    virtual float GetTransparencyGloss() = 0;
    virtual float GetIor() = 0;
    virtual float GetFogMult() = 0;
    virtual Color GetFogColor() = 0;
    virtual bool GetTransparencyThinOn() = 0;

    // Opacity and shadows.
    virtual Texmap* GetOpacityTexmap() = 0;
    virtual bool GetAffectShadow() = 0;
    virtual bool GetOpacitySmooth() = 0;
    virtual bool HasOpacityTexmap() = 0;

    // Emission.
    virtual Texmap* GetEmissionTexmap() = 0;
    virtual float GetEmissionMult() = 0;
    virtual Color GetEmissionColor() = 0;
    virtual bool GetEmissionMultOn() = 0;
    virtual bool GetEmissionGi() = 0;

    // Translucency.
    virtual Texmap* GetTranslucencyTexmap() = 0;
    virtual float GetTranslucencyMult() = 0;
    virtual Color GetTranslucencyColor() = 0;
    virtual bool GetTranslucencyMultOn() = 0;

    // Relief.
    virtual Texmap* GetNormalTexmap() = 0;
    virtual float GetBumpAmount() = 0;
    virtual float GetBumpRadius() = 0;
};
