#include "shading/Relief.h"

#include <cmath>

#include "Interval.h"
#include "material/TavroMtl.h"
#include "params/TextureSlots.h"
#include "shading/ShadingMath.h"

namespace {
constexpr int kNormalMapSlot = slotOf(mtl_normal_map);
// The host's class name of a texture that holds a normal map rather than a height field.
constexpr const MCHAR* kNormalBumpClassName = L"Normal Bump";
}  // namespace

Point3 reliefNormal(const Point3& sourceNormal, const Point3& perturbation, float bumpAmount,
                    bool backFace) {
    // Blending towards zero by 1 - amount/5 and scaling by 5 is the amount clamped to [0, 5].
    Point3 relief = perturbation;
    lerpClamped(relief, Point3(0.0f, 0.0f, 0.0f), 1.0f - bumpAmount / kMaxBumpAmount);
    relief = relief * kMaxBumpAmount;
    const Point3 sum = sourceNormal + (backFace ? -relief : relief);
    const float length = Length(sum);
    if (!(length > 0.0f) || std::isinf(length)) return sourceNormal;
    return Normalize(sum);
}

float TavroMtl::displacementAt(ShadeContext& sc) {
    Texmap* map = slots_[kNormalMapSlot];
    if (map == nullptr || !sc.doMaps) return 0.0f;
    // One name buffer per thread, kept between calls, so that a query allocates nothing once
    // the buffer has grown to the longest class name.
    thread_local MSTR className;
    map->GetClassName(className, false);
    if (className == kNormalBumpClassName) return 0.0f;
    return cache_.mtl_bump_amount * map->EvalMono(sc);
}

Interval TavroMtl::displacementValidity(TimeValue) {
    return FOREVER;
}
