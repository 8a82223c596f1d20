// The host's "Normal Bump" texture: a tangent-space normal map held as its one sub-texture.
// The map's red, green and blue, from [0, 1] to [-1, 1], are the normal's components along
// the sample's dP/du tangent, the matching bitangent and the shading normal.
#pragma once

#include "Texmap.h"

// Class identity of the host's normal-map texture.
constexpr Class_ID kNormalBumpClassID(0x243e22c6, 0x63f6a014);

class NormalBumpTexture : public Texmap {
public:
    NormalBumpTexture() = default;

    void GetClassName(MSTR& s, bool localized = true) const override;
    Class_ID ClassID() override { return kNormalBumpClassID; }

    // Reference 0 and sub-texture 0: the normal map.
    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override;
    int NumSubTexmaps() override { return 1; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i, bool localized = true) override;
    RefTargetHandle Clone(RemapDir& remap) override;
    // Scene form (TexmapIO.cpp).
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    void Update(TimeValue t, Interval& valid) override;
    void Reset() override;
    Interval Validity(TimeValue t) override;

    // The normal map's colour; a flat normal's colour without one.
    AColor EvalColor(ShadeContext& sc) override;
    // The tangent-space normal taken to world space, minus the shading normal: the offset that
    // turns sc.Normal() into the mapped normal. Zero without a map.
    Point3 EvalNormalPerturb(ShadeContext& sc) override;

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;

private:
    Texmap* normalMap_ = nullptr;
};

// A "Normal Bump" texture reading the tangent-space normal map `imageFile` (its 8-bit values
// taken as stored, not as sRGB colours). Null when allocation fails.
NormalBumpTexture* newNormalBumpTexture(const MCHAR* imageFile);
