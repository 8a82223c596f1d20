// The host's bitmap texture: one image file, read on first use and shared by clones, looked
// up by the sample's UVs or, as an environment, by direction.
//
// UV lookups: u runs left to right and v bottom to top across the image, tiling in both
// directions. Filter types 0 and 1 (pyramidal, summed area) are served by bilinear
// filtering; 2 picks the nearest pixel. Lookups by direction follow LatLong.h and are
// always bilinear, whatever the filter type.
//
// The file name is resolved through the host's path map (PathMap.h). A missing or unreadable
// image is reported once through hostWarningOnce, naming the file and the reason, and reads
// as a magenta and black checker so that it shows in a render. A texture without a file name
// reads transparent black.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "BitmapTex.h"
#include "Image.h"
#include "ImageIO.h"

// Class identity of the host's bitmap texture.
constexpr Class_ID kBitmapTextureClassID(0x240, 0);

class BitmapUVGen : public StdUVGen {
public:
    void SetCoordMapping(int mapping) override { mapping_ = mapping; }
    int GetCoordMapping() const override { return mapping_; }
    void SetSlotType(int type) override { slotType_ = type; }
    int GetSlotType() const override { return slotType_; }

private:
    int mapping_ = 0;
    int slotType_ = 0;
};

// An image as a texture holds it: what the file gave, or the checker standing in for it.
struct LoadedBitmap {
    Image image;
    bool fallback = false;
};

class BitmapTexture : public BitmapTex {
public:
    // Coordinate mappings of the UV generator.
    static constexpr int kMappingExplicitUV = 0;
    static constexpr int kMappingSphericalEnvironment = 1;
    static constexpr int kFilterNearest = 2;

    BitmapTexture() = default;
    ~BitmapTexture() override;

    void GetClassName(MSTR& s, bool localized = true) const override;
    Class_ID ClassID() override { return kBitmapTextureClassID; }
    RefTargetHandle Clone(RemapDir& remap) override;
    // Scene form (TexmapIO.cpp).
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    // Reads the image if it has not been read yet; the texture never changes over time.
    void Update(TimeValue t, Interval& valid) override;
    // Back to a new texture: no file, default filter and mapping.
    void Reset() override;
    Interval Validity(TimeValue t) override;

    AColor EvalColor(ShadeContext& sc) override;
    // A plain bitmap carries no relief.
    Point3 EvalNormalPerturb(ShadeContext& sc) override;

    void SetFilterType(int filter) override { filterType_ = filter; }
    int GetFilterType() const override { return filterType_; }
    // A new name drops the image read so far; the next use reads the new file.
    void SetMapName(const MCHAR* name, bool isUIAction = false) override;
    const MCHAR* GetMapName() const override { return mapName_.c_str(); }
    StdUVGen* GetUVGen() override { return &uvGen_; }

    // Whether 8- and 16-bit files hold colours (sRGB, the default) or data such as normals.
    void SetImageValues(ImageValues values);
    ImageValues GetImageValues() const { return values_; }

    // Colour at texture coordinates (u, v), as EvalColor with explicit UVs.
    AColor EvalUV(float u, float v);
    // Colour seen along a world direction: the image as a latitude-longitude environment.
    AColor EvalDirection(const Point3& dir);
    // Whether the image could not be read and the checker stands in for it (reads it first).
    bool ShowsFallback();

private:
    // The image to look up, read on first call; safe from many threads at once.
    const LoadedBitmap& loaded();
    void dropImage();

    MSTR mapName_;
    int filterType_ = 0;
    ImageValues values_ = ImageValues::Color;
    BitmapUVGen uvGen_;

    // `ready_` publishes what `holder_` owns once the read is complete; `loadMutex_`
    // serialises the read and the hand-over to clones.
    std::mutex loadMutex_;
    std::shared_ptr<const LoadedBitmap> holder_;
    std::atomic<const LoadedBitmap*> ready_{nullptr};
};
