// The host's material class: the standard summary queries and setters, per-sample shading,
// sub-materials and displacement, in the order the host declares them.
#pragma once

#include "Texmap.h"

class Mtl : public MtlBase {
public:
    SClass_ID SuperClassID() override { return MATERIAL_CLASS_ID; }

    virtual BOOL IsTransparent(int mtlNum = 0, BOOL backFace = FALSE);
    virtual Color GetAmbient(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual Color GetDiffuse(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual Color GetSpecular(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual float GetShininess(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual float GetShinStr(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual float GetXParency(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual Color GetSelfIllumColor(int mtlNum = 0, BOOL backFace = FALSE);
    virtual float GetWireSize(int mtlNum = 0, BOOL backFace = FALSE);
    virtual void SetAmbient(Color c, TimeValue t) = 0;
    virtual void SetDiffuse(Color c, TimeValue t) = 0;
    virtual void SetSpecular(Color c, TimeValue t) = 0;
    virtual void SetShininess(float v, TimeValue t) = 0;

    virtual void Shade(ShadeContext& sc) = 0;

    virtual int NumSubMtls();
    virtual Mtl* GetSubMtl(int i);
    virtual void SetSubMtl(int i, Mtl* m);
    virtual MSTR GetSubMtlSlotName(int i, bool localized = true);

    // Displacement at a sample, and the time over which it stays valid.
    virtual float displacementAt(ShadeContext& sc);
    virtual Interval displacementValidity(TimeValue t);
};
