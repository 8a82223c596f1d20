#include "NormalBump.h"

#include <cmath>
#include <new>

#include "BitmapTexture.h"

namespace {

// The colour of an unperturbed tangent-space normal (0, 0, 1).
constexpr AColor kFlatNormalColor(0.5f, 0.5f, 1.0f, 1.0f);
// Squared length below which a vector is taken to have no direction.
constexpr float kMinLengthSquared = 1e-12f;

// Any unit vector perpendicular to unit n.
Point3 perpendicularTo(const Point3& n) {
    const Point3 axis = std::fabs(n.x) < 0.9f ? Point3(1.0f, 0.0f, 0.0f) : Point3(0.0f, 1.0f, 0.0f);
    return Normalize(axis - n * (n % axis));
}

}  // namespace

void NormalBumpTexture::GetClassName(MSTR& s, bool) const {
    s = L"Normal Bump";
}

RefTargetHandle NormalBumpTexture::GetReference(int i) {
    return i == 0 ? normalMap_ : nullptr;
}

void NormalBumpTexture::SetReference(int i, RefTargetHandle rtarg) {
    if (i == 0) normalMap_ = dynamic_cast<Texmap*>(rtarg);
}

Texmap* NormalBumpTexture::GetSubTexmap(int i) {
    return i == 0 ? normalMap_ : nullptr;
}

void NormalBumpTexture::SetSubTexmap(int i, Texmap* m) {
    if (i == 0) ReplaceReference(0, m);
}

MSTR NormalBumpTexture::GetSubTexmapSlotName(int i, bool) {
    return i == 0 ? L"Normal" : L"";
}

RefTargetHandle NormalBumpTexture::Clone(RemapDir& remap) {
    auto* clone = new (std::nothrow) NormalBumpTexture();
    if (!clone) return nullptr;
    clone->MtlBase::operator=(*this);
    if (normalMap_) clone->ReplaceReference(0, remap.CloneRef(normalMap_));
    BaseClone(this, clone, remap);
    return clone;
}

void NormalBumpTexture::Update(TimeValue t, Interval& valid) {
    if (normalMap_) normalMap_->Update(t, valid);
}

void NormalBumpTexture::Reset() {
    DeleteReference(0);
}

Interval NormalBumpTexture::Validity(TimeValue t) {
    return normalMap_ ? normalMap_->Validity(t) : FOREVER;
}

AColor NormalBumpTexture::EvalColor(ShadeContext& sc) {
    return normalMap_ ? normalMap_->EvalColor(sc) : kFlatNormalColor;
}

Point3 NormalBumpTexture::EvalNormalPerturb(ShadeContext& sc) {
    const Point3 shadingNormal = sc.Normal();
    if (!normalMap_ || LengthSquared(shadingNormal) < kMinLengthSquared) return {0.0f, 0.0f, 0.0f};
    const Point3 n = Normalize(shadingNormal);

    const AColor c = normalMap_->EvalColor(sc);
    const Point3 local(2.0f * c.r - 1.0f, 2.0f * c.g - 1.0f, 2.0f * c.b - 1.0f);

    // Gram-Schmidt: the u tangent made perpendicular to the normal; the bitangent follows from
    // the cross product, turned to agree with dP/dv so mirrored UVs map correctly. Without
    // usable derivatives (poles, no UVs) any frame about the normal stands in.
    Point3 dP[3];
    sc.DPdUVW(dP, 1);
    Point3 tangent = dP[0] - n * (n % dP[0]);
    if (!(LengthSquared(tangent) > kMinLengthSquared)) {
        tangent = perpendicularTo(n);
    } else {
        tangent = Normalize(tangent);
    }
    Point3 bitangent = n ^ tangent;
    if (bitangent % dP[1] < 0.0f) bitangent = -bitangent;

    const Point3 mapped = tangent * local.x + bitangent * local.y + n * local.z;
    if (!(LengthSquared(mapped) > kMinLengthSquared)) return {0.0f, 0.0f, 0.0f};
    return Normalize(mapped) - shadingNormal;
}

NormalBumpTexture* newNormalBumpTexture(const MCHAR* imageFile) {
    auto* bump = new (std::nothrow) NormalBumpTexture();
    if (!bump) return nullptr;
    auto* image = static_cast<BitmapTexture*>(NewDefaultBitmapTex());
    if (!image) {
        bump->DeleteThis();
        return nullptr;
    }
    image->SetImageValues(ImageValues::Data);
    image->SetMapName(imageFile);
    bump->SetSubTexmap(0, image);
    return bump;
}
