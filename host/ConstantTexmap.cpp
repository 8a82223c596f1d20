// The constant texture map.
#include "ConstantTexmap.h"

void ConstantTexmap::GetClassName(MSTR& s, bool) const {
    s = className_;
}

RefTargetHandle ConstantTexmap::Clone(RemapDir& remap) {
    auto* copy = new (std::nothrow) ConstantTexmap(color_);
    if (!copy) return nullptr;
    copy->MtlBase::operator=(*this);
    copy->mono_ = mono_;
    copy->perturb_ = perturb_;
    copy->className_ = className_;
    copy->validity_ = validity_;
    BaseClone(this, copy, remap);
    return copy;
}

void ConstantTexmap::Update(TimeValue t, Interval& valid) {
    ++updateCount_;
    lastUpdate_ = t;
    valid &= validity_;
}

void ConstantTexmap::Reset() {
    color_ = AColor(0.0f, 0.0f, 0.0f, 1.0f);
    mono_.reset();
    perturb_ = Point3();
    validity_ = FOREVER;
}

Interval ConstantTexmap::Validity(TimeValue) {
    return validity_;
}

AColor ConstantTexmap::EvalColor(ShadeContext&) {
    return color_;
}

float ConstantTexmap::EvalMono(ShadeContext& sc) {
    return mono_ ? *mono_ : Texmap::EvalMono(sc);
}

Point3 ConstantTexmap::EvalNormalPerturb(ShadeContext&) {
    return perturb_;
}
