#include "brdf/Phong.h"

#include "brdf/Conventions.h"
#include "brdf/PreviewEnvMap.h"

namespace {
// Keeps the density positive where cos^n underflows far from the axis.
constexpr float kPhongPdfFloor = 1e-6f;
}  // namespace

BRDF_FLATTEN void brdfSamplePhong(Color& result, ShadeContext& sc, const Point2& rnd2d, float n,
                                  Texmap*, const Point3& axis) {
    using namespace brdf;
    const float phi = kTwoPi * rnd2d.x;
    const float cosT = std::pow(rnd2d.y, 1.0f / (n + 1.0f));
    // The sine takes its own power of u1 rather than 1 - cos²; u1 <= 1 keeps it real.
    const float sinT = std::sqrt(1.0f - std::pow(rnd2d.y, 2.0f / (n + 1.0f)));
    // Kept as a call: inlined here, the sampler measured about a third slower (bench_brdf).
    const Point3 deviation = dirFromAngles(sinT, cosT, phi);
    Point3 t1, t2;
    orthoBasisInline(axis, t1, t2);
    const Point3 newDir = Normalize(t1 * deviation.x + axis * deviation.z + t2 * deviation.y);
    const float c = newDir % axis;
    const float p = std::pow(c, n) * kInvTwoPi;
    const float pdf = maxf(p * (n + 1.0f), kPhongPdfFloor);
    const float f = p * (n + 2.0f);
    const float w = (f / pdf) * c;
    const AColor env = sc.EvalEnvironMap(previewEnvMap, newDir);
    result = Color(env.r * w, env.g * w, env.b * w);
}
