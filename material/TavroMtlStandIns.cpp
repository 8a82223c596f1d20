// The material's shade call until the preview shading (shading/) defines it; this file goes
// when it does.
#include "material/TavroMtl.h"

// Flat: the cached diffuse colour, opaque.
void TavroMtl::Shade(ShadeContext& sc) {
    sc.out.c = cache_.mtl_diffuse_color;
    sc.out.t = Color();
}
