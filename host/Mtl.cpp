// Defaults of the host's material: opaque, no self-illumination, no sub-materials and no
// displacement.
#include "Mtl.h"

BOOL Mtl::IsTransparent(int, BOOL) {
    return FALSE;
}

Color Mtl::GetSelfIllumColor(int, BOOL) {
    return Color(0.0f, 0.0f, 0.0f);
}

float Mtl::GetWireSize(int, BOOL) {
    return 1.0f;
}

int Mtl::NumSubMtls() {
    return 0;
}

Mtl* Mtl::GetSubMtl(int) {
    return nullptr;
}

void Mtl::SetSubMtl(int, Mtl*) {}

MSTR Mtl::GetSubMtlSlotName(int, bool) {
    return MSTR();
}

float Mtl::displacementAt(ShadeContext&) {
    return 0.0f;
}

Interval Mtl::displacementValidity(TimeValue) {
    return FOREVER;
}
