// The host's description of one sample being shaded, and the lights that reach it.
// Directions are in world space. V() points from the eye toward the sample.
#pragma once

#include "Color.h"
#include "HostTypes.h"
#include "Point3.h"

class Texmap;
class ShadeContext;

// What the shade call leaves behind: the sample's colour and transparency.
struct ShadeOutput {
    Color c;
    Color t;
    float ior = 1.0f;
    int gbufId = 0;
};

// One light as seen from a sample.
class LightDesc {
public:
    virtual ~LightDesc() = default;
    // Fills the light's colour at the sample, the unit direction toward the light and the
    // cosine between `normal` and that direction (negative behind the surface).
    // Returns whether the light reaches the sample at all.
    virtual BOOL Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir,
                            float& dot_nl, float& diffuseCoef) = 0;
};

class ShadeContext {
public:
    virtual ~ShadeContext() = default;

    // Map switch: texture maps are applied only while this is set.
    BOOL doMaps = TRUE;
    // Set when the sample lies on the back of its face.
    BOOL backFace = FALSE;
    // Shadow computation switch; the shade call turns it off.
    BOOL shadow = TRUE;
    int mtlNum = 0;
    ShadeOutput out;

    // Lights.
    virtual int nLights() = 0;
    virtual LightDesc* Light(int n) = 0;

    // Geometry of the sample.
    virtual Point3 Normal() = 0;
    virtual void SetNormal(Point3 n) = 0;
    virtual Point3 OrigNormal() { return Normal(); }
    virtual Point3 P() = 0;
    virtual Point3 V() = 0;
    virtual Point3 ReflectVector() = 0;
    virtual Point3 RefractVector(float ior) = 0;
    virtual void SetIOR(float ior) = 0;
    virtual float GetIOR() = 0;

    // Texture coordinates of a map channel and their derivatives of position
    // (dP[0] = dP/du, dP[1] = dP/dv, dP[2] = dP/dw), for tangent-space maps.
    virtual Point3 UVW(int channel = 1) = 0;
    virtual void DPdUVW(Point3 dP[3], int channel = 1) = 0;

    // Colour and transparency behind the sample.
    virtual void GetBGColor(Color& bgcol, Color& transp, BOOL fogBG = TRUE) = 0;
    // The colour of an environment map seen along a world direction.
    virtual AColor EvalEnvironMap(Texmap* map, Point3 viewDir) = 0;

    virtual void SetGBufferID(int gbid) { out.gbufId = gbid; }
};
