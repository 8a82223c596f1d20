#include "SampleShadeContext.h"

#include <cmath>

#include "BitmapTexture.h"

Point3 mirrorDirection(const Point3& v, const Point3& n) {
    return v - n * (2.0f * (n % v));
}

Point3 refractDirection(const Point3& v, const Point3& n, float eta) {
    Point3 facing = n;
    float cosI = -(n % v);
    if (cosI < 0.0f) {
        facing = -n;
        cosI = -cosI;
    }
    const float k = 1.0f - eta * eta * (1.0f - cosI * cosI);
    if (k < 0.0f) return mirrorDirection(v, facing);
    return Normalize(v * eta + facing * (eta * cosI - std::sqrt(k)));
}

SampleShadeContext::SampleShadeContext(const SampleScene& scene, const Ray& ray,
                                       const SurfaceHit& hit, float px, float py)
    : scene_(&scene),
      p_(hit.p),
      v_(ray.dir),
      normal_(hit.normal),
      origNormal_(hit.normal),
      uvw_(hit.uvw),
      dpdu_(hit.dpdu),
      dpdv_(hit.dpdv),
      px_(px),
      py_(py) {
    if ((hit.normal % ray.dir) > 0.0f) {
        backFace = TRUE;
        normal_ = -hit.normal;
        origNormal_ = normal_;
    }
}

Point3 SampleShadeContext::ReflectVector() {
    return mirrorDirection(v_, normal_);
}

Point3 SampleShadeContext::RefractVector(float ior) {
    if (!(ior > 0.0f)) return v_;
    return refractDirection(v_, normal_, backFace ? ior : 1.0f / ior);
}

Point3 SampleShadeContext::UVW(int) {
    return uvw_;
}

void SampleShadeContext::DPdUVW(Point3 dP[3], int) {
    dP[0] = dpdu_;
    dP[1] = dpdv_;
    dP[2] = {0.0f, 0.0f, 0.0f};
}

void SampleShadeContext::GetBGColor(Color& bgcol, Color& transp, BOOL) {
    bgcol = scene_->backgroundAt(px_, py_);
    transp = {0.0f, 0.0f, 0.0f};
}

AColor SampleShadeContext::EvalEnvironMap(Texmap* map, Point3 viewDir) {
    if (!map) return {0.0f, 0.0f, 0.0f, 0.0f};
    if (map != envMapSeen_) {
        envMapSeen_ = map;
        envBitmap_ = dynamic_cast<BitmapTexture*>(map);
    }
    if (envBitmap_) return envBitmap_->EvalDirection(viewDir);
    const Point3 view = v_;
    v_ = viewDir;
    const AColor c = map->EvalColor(*this);
    v_ = view;
    return c;
}
