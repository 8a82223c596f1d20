#include "BitmapTexture.h"

#include <new>

#include "HostLog.h"
#include "LatLong.h"
#include "PathMap.h"

namespace {

// The stand-in for an unreadable image: kCheckerCells x kCheckerCells squares of magenta and
// black, one pixel each, read with nearest lookups so the squares stay sharp.
constexpr int kCheckerCells = 8;
constexpr AColor kCheckerMagenta(1.0f, 0.0f, 1.0f, 1.0f);
constexpr AColor kCheckerBlack(0.0f, 0.0f, 0.0f, 1.0f);

std::shared_ptr<const LoadedBitmap> fallbackBitmap() {
    static const std::shared_ptr<const LoadedBitmap> fallback = [] {
        auto checker = std::make_shared<LoadedBitmap>();
        checker->image = Image(kCheckerCells, kCheckerCells);
        for (int y = 0; y < kCheckerCells; ++y) {
            for (int x = 0; x < kCheckerCells; ++x) {
                checker->image.set(x, y, (x + y) % 2 == 0 ? kCheckerMagenta : kCheckerBlack);
            }
        }
        checker->fallback = true;
        return std::shared_ptr<const LoadedBitmap>(std::move(checker));
    }();
    return fallback;
}

std::shared_ptr<const LoadedBitmap> readBitmap(const MSTR& mapName, ImageValues values) {
    if (mapName.empty()) return std::make_shared<const LoadedBitmap>();
    const std::string name = hostNarrowString(mapName);
    const std::string file = hostResolvePath(name);
    auto bitmap = std::make_shared<LoadedBitmap>();
    std::string error;
    if (readImage(file, bitmap->image, error, values)) return bitmap;

    const std::string shownAs = file == name ? "" : " (resolved from \"" + name + "\")";
    hostWarningOnce("bitmap:" + file,
                    "bitmap texture shows a checker instead of its image: " + error + shownAs);
    return fallbackBitmap();
}

}  // namespace

BitmapTexture::~BitmapTexture() = default;

void BitmapTexture::GetClassName(MSTR& s, bool) const {
    s = L"Bitmap";
}

RefTargetHandle BitmapTexture::Clone(RemapDir& remap) {
    auto* clone = new (std::nothrow) BitmapTexture();
    if (!clone) return nullptr;
    clone->MtlBase::operator=(*this);
    clone->mapName_ = mapName_;
    clone->filterType_ = filterType_;
    clone->values_ = values_;
    clone->uvGen_ = uvGen_;
    {
        std::lock_guard lock(loadMutex_);
        clone->holder_ = holder_;
        clone->ready_.store(holder_.get(), std::memory_order_release);
    }
    BaseClone(this, clone, remap);
    return clone;
}

void BitmapTexture::Update(TimeValue, Interval&) {
    loaded();
}

void BitmapTexture::Reset() {
    mapName_.clear();
    filterType_ = 0;
    values_ = ImageValues::Color;
    uvGen_ = BitmapUVGen();
    dropImage();
}

Interval BitmapTexture::Validity(TimeValue) {
    return FOREVER;
}

AColor BitmapTexture::EvalColor(ShadeContext& sc) {
    if (uvGen_.GetCoordMapping() == kMappingSphericalEnvironment) return EvalDirection(sc.V());
    const Point3 uvw = sc.UVW(1);
    return EvalUV(uvw.x, uvw.y);
}

Point3 BitmapTexture::EvalNormalPerturb(ShadeContext&) {
    return {0.0f, 0.0f, 0.0f};
}

void BitmapTexture::SetMapName(const MCHAR* name, bool) {
    mapName_ = name ? name : L"";
    dropImage();
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

void BitmapTexture::SetImageValues(ImageValues values) {
    values_ = values;
    dropImage();
}

AColor BitmapTexture::EvalUV(float u, float v) {
    const LoadedBitmap& bitmap = loaded();
    // Images are stored top row first; v grows upwards.
    const float s = u;
    const float t = 1.0f - v;
    if (bitmap.fallback || filterType_ == kFilterNearest) {
        return sampleNearest(bitmap.image, s, t, Wrap::Repeat, Wrap::Repeat);
    }
    return sampleBilinear(bitmap.image, s, t, Wrap::Repeat, Wrap::Repeat);
}

AColor BitmapTexture::EvalDirection(const Point3& dir) {
    const LoadedBitmap& bitmap = loaded();
    if (bitmap.fallback) {
        const Point2 st = latLongFromDirection(dir);
        return sampleNearest(bitmap.image, st.x, st.y, Wrap::Repeat, Wrap::Clamp);
    }
    return lookupLatLong(bitmap.image, dir);
}

bool BitmapTexture::ShowsFallback() {
    return loaded().fallback;
}

const LoadedBitmap& BitmapTexture::loaded() {
    if (const LoadedBitmap* ready = ready_.load(std::memory_order_acquire)) return *ready;
    std::lock_guard lock(loadMutex_);
    if (!holder_) {
        holder_ = readBitmap(mapName_, values_);
        ready_.store(holder_.get(), std::memory_order_release);
    }
    return *holder_;
}

// Settings change on the host's interface thread, never while the texture is shaded.
void BitmapTexture::dropImage() {
    std::lock_guard lock(loadMutex_);
    ready_.store(nullptr, std::memory_order_release);
    holder_.reset();
}

BitmapTex* NewDefaultBitmapTex() {
    return new (std::nothrow) BitmapTexture();
}
