// The host's bitmap texture: an image file read once and looked up by UV or, as an
// environment, by direction.
#pragma once

#include "Texmap.h"

// Texture-coordinate generator of a bitmap texture.
class StdUVGen {
public:
    virtual ~StdUVGen() = default;
    // 0: explicit UVs of the sample; 1: spherical environment (latitude-longitude by direction).
    virtual void SetCoordMapping(int mapping) = 0;
    virtual int GetCoordMapping() const = 0;
    // 0: texture slot; 1: environment slot.
    virtual void SetSlotType(int type) = 0;
    virtual int GetSlotType() const = 0;
};

class BitmapTex : public Texmap {
public:
    // 0: pyramidal, 1: summed area, 2: none (nearest).
    virtual void SetFilterType(int filter) = 0;
    virtual int GetFilterType() const = 0;
    virtual void SetMapName(const MCHAR* name, bool isUIAction = false) = 0;
    virtual const MCHAR* GetMapName() const = 0;
    virtual StdUVGen* GetUVGen() = 0;
};

// A new bitmap texture with no image yet (reads answer black).
BitmapTex* NewDefaultBitmapTex();
