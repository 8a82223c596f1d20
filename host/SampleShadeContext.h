// The shading context of one pixel of the sample scene: where the camera ray met the sample
// object, the scene's lights and background, and the vectors and environment lookups a
// material asks for. Construction copies a few values and allocates nothing, so a render loop
// makes one per pixel:
//
//     Ray ray = scene.cameraRay(x + 0.5f, y + 0.5f);
//     SurfaceHit hit;
//     if (scene.intersect(ray, hit)) {
//         SampleShadeContext sc(scene, ray, hit, x + 0.5f, y + 0.5f);
//         mtl->Shade(sc);  // colour in sc.out.c
//     } else {
//         colour = scene.backgroundAt(x + 0.5f, y + 0.5f);
//     }
#pragma once

#include "SampleScene.h"
#include "ShadeContext.h"

class BitmapTexture;

// Mirror of the direction v about the normal n (unit): v - 2 (n . v) n.
Point3 mirrorDirection(const Point3& v, const Point3& n);
// Direction v (unit) refracted at a surface with normal n (unit, either side) for the ratio
// eta = n_incident / n_transmitted (Snell's law); under total internal reflection, the mirror
// direction.
Point3 refractDirection(const Point3& v, const Point3& n, float eta);

class SampleShadeContext : public ShadeContext {
public:
    // A sample seen along `ray`: the normal is turned toward the viewer, and backFace is set
    // when that took turning the object's outward normal around.
    SampleShadeContext(const SampleScene& scene, const Ray& ray, const SurfaceHit& hit, float px,
                       float py);

    int nLights() override { return scene_->nLights(); }
    LightDesc* Light(int n) override { return scene_->light(n); }

    Point3 Normal() override { return normal_; }
    void SetNormal(Point3 n) override { normal_ = n; }
    // The geometric normal, toward the viewer.
    Point3 OrigNormal() override { return origNormal_; }
    Point3 P() override { return p_; }
    Point3 V() override { return v_; }
    // Mirror of V about the current normal.
    Point3 ReflectVector() override;
    // V refracted by the current normal into a medium of index `ior` (out of it on a back
    // face). An index that is not positive passes V through unchanged.
    Point3 RefractVector(float ior) override;
    void SetIOR(float ior) override { out.ior = ior; }
    float GetIOR() override { return out.ior; }

    // The object has one mapping; every channel reads it.
    Point3 UVW(int channel = 1) override;
    void DPdUVW(Point3 dP[3], int channel = 1) override;

    // The scene's background at this pixel; fully opaque.
    void GetBGColor(Color& bgcol, Color& transp, BOOL fogBG = TRUE) override;
    // A bitmap texture is looked up as a latitude-longitude environment along `viewDir`,
    // whatever its own mapping; any other map answers its EvalColor with V() = `viewDir`.
    // No map: transparent black.
    AColor EvalEnvironMap(Texmap* map, Point3 viewDir) override;

private:
    const SampleScene* scene_;
    Point3 p_, v_, normal_, origNormal_, uvw_, dpdu_, dpdv_;
    float px_, py_;
    // The last map EvalEnvironMap saw and the bitmap texture it is (or null), so that a pass
    // of environment samples identifies the preview environment only once.
    Texmap* envMapSeen_ = nullptr;
    BitmapTexture* envBitmap_ = nullptr;
};
