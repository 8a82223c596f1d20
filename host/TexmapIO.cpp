// Scene form of the host's texture maps. Each writes its base data (name, G-buffer id) in
// chunk 0x0001 and then its own settings; maps it holds (the normal map of a "Normal Bump")
// are references, which the scene file stores itself.
//
//   Bitmap:          0x0010 file name (ChunkIO wide string)
//                    0x0011 settings: i32 filter type, i32 image values (0 colour, 1 data),
//                           i32 coordinate mapping, i32 slot type
//   Constant map:    0x0020 colour: four f32 (r, g, b, a)
//                    0x0021 mono value, present only when the map has one: f32
//                    0x0022 normal perturbation: three f32
//                    0x0023 class name (ChunkIO wide string)
//                    0x0024 validity: i32 start, i32 end
//   Normal Bump:     the base data only.
//
// Unknown chunks are skipped; a value outside its range fails the load.
#include <bit>

#include "BitmapTexture.h"
#include "ChunkIO.h"
#include "ConstantTexmap.h"
#include "NormalBump.h"
#include "SceneFile.h"

namespace {

constexpr USHORT kBaseChunk = 0x0001;
constexpr USHORT kFileNameChunk = 0x0010;
constexpr USHORT kBitmapSettingsChunk = 0x0011;
constexpr USHORT kColorChunk = 0x0020;
constexpr USHORT kMonoChunk = 0x0021;
constexpr USHORT kPerturbChunk = 0x0022;
constexpr USHORT kClassNameChunk = 0x0023;
constexpr USHORT kValidityChunk = 0x0024;

// Longest image path kept: the longest path a file system takes.
constexpr std::uint32_t kMaxPathUnits = 32768;
// Longest class name kept: far beyond any class name.
constexpr std::uint32_t kMaxClassNameUnits = 256;

IOResult writeF32(ISave* isave, float v) {
    return writeU32(isave, std::bit_cast<std::uint32_t>(v));
}

IOResult readF32(ILoad* iload, float& v) {
    std::uint32_t u = 0;
    const IOResult r = readU32(iload, u);
    v = std::bit_cast<float>(u);
    return r;
}

IOResult readFloats(ILoad* iload, std::initializer_list<float*> out) {
    for (float* f : out)
        if (readF32(iload, *f) != IO_OK) return IO_ERROR;
    return IO_OK;
}

IOResult saveBase(ISave* isave, MtlBase& m) {
    isave->BeginChunk(kBaseChunk);
    const IOResult r = m.MtlBase::Save(isave);
    isave->EndChunk();
    return r;
}

// Reads the object's chunks: the base data itself, every other id through `readChunk`.
template <class ReadChunk>
IOResult loadChunks(ILoad* iload, MtlBase& m, ReadChunk readChunk) {
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        const USHORT id = iload->CurChunkID();
        const IOResult r = id == kBaseChunk ? m.MtlBase::Load(iload) : readChunk(id);
        iload->CloseChunk();
        if (r != IO_OK) return r;
    }
    return opened == IO_END ? IO_OK : opened;
}

IOResult outOfRange(ILoad* iload, const char* what, int v) {
    reportLoadError(iload, std::string(what) + " " + std::to_string(v) + " is not a valid value");
    return IO_ERROR;
}

}  // namespace

// ---- Bitmap ----

IOResult BitmapTexture::Save(ISave* isave) {
    IOResult r = saveBase(isave, *this);
    isave->BeginChunk(kFileNameChunk);
    r |= writeWString(isave, mapName_, kMaxPathUnits);
    isave->EndChunk();
    isave->BeginChunk(kBitmapSettingsChunk);
    r |= writeI32(isave, filterType_);
    r |= writeI32(isave, values_ == ImageValues::Data ? 1 : 0);
    r |= writeI32(isave, uvGen_.GetCoordMapping());
    r |= writeI32(isave, uvGen_.GetSlotType());
    isave->EndChunk();
    return r == IO_OK ? IO_OK : IO_ERROR;
}

IOResult BitmapTexture::Load(ILoad* iload) {
    return loadChunks(iload, *this, [&](USHORT id) -> IOResult {
        if (id == kFileNameChunk) {
            MSTR name;
            if (readWString(iload, name, kMaxPathUnits) != IO_OK) return IO_ERROR;
            SetMapName(name.c_str());
        } else if (id == kBitmapSettingsChunk) {
            std::int32_t filter = 0, values = 0, mapping = 0, slot = 0;
            if (readI32(iload, filter) || readI32(iload, values) || readI32(iload, mapping) ||
                readI32(iload, slot))
                return IO_ERROR;
            if (filter < 0 || filter > kFilterNearest)
                return outOfRange(iload, "bitmap filter type", filter);
            if (values < 0 || values > 1) return outOfRange(iload, "bitmap image values", values);
            if (mapping < kMappingExplicitUV || mapping > kMappingSphericalEnvironment)
                return outOfRange(iload, "bitmap coordinate mapping", mapping);
            if (slot < 0 || slot > 1) return outOfRange(iload, "bitmap slot type", slot);
            filterType_ = filter;
            SetImageValues(values ? ImageValues::Data : ImageValues::Color);
            uvGen_.SetCoordMapping(mapping);
            uvGen_.SetSlotType(slot);
        }
        return IO_OK;
    });
}

// ---- Constant map ----

IOResult ConstantTexmap::Save(ISave* isave) {
    IOResult r = saveBase(isave, *this);
    isave->BeginChunk(kColorChunk);
    for (float f : {color_.r, color_.g, color_.b, color_.a}) r |= writeF32(isave, f);
    isave->EndChunk();
    if (mono_) {
        isave->BeginChunk(kMonoChunk);
        r |= writeF32(isave, *mono_);
        isave->EndChunk();
    }
    isave->BeginChunk(kPerturbChunk);
    for (float f : {perturb_.x, perturb_.y, perturb_.z}) r |= writeF32(isave, f);
    isave->EndChunk();
    isave->BeginChunk(kClassNameChunk);
    r |= writeWString(isave, className_, kMaxClassNameUnits);
    isave->EndChunk();
    isave->BeginChunk(kValidityChunk);
    r |= writeI32(isave, validity_.Start());
    r |= writeI32(isave, validity_.End());
    isave->EndChunk();
    return r == IO_OK ? IO_OK : IO_ERROR;
}

IOResult ConstantTexmap::Load(ILoad* iload) {
    return loadChunks(iload, *this, [&](USHORT id) -> IOResult {
        switch (id) {
            case kColorChunk:
                return readFloats(iload, {&color_.r, &color_.g, &color_.b, &color_.a});
            case kMonoChunk: {
                float v = 0.0f;
                if (readF32(iload, v) != IO_OK) return IO_ERROR;
                mono_ = v;
                return IO_OK;
            }
            case kPerturbChunk:
                return readFloats(iload, {&perturb_.x, &perturb_.y, &perturb_.z});
            case kClassNameChunk:
                return readWString(iload, className_, kMaxClassNameUnits);
            case kValidityChunk: {
                TimeValue s = 0, e = 0;
                if (readI32(iload, s) || readI32(iload, e)) return IO_ERROR;
                validity_ = Interval(s, e);
                return IO_OK;
            }
            default:
                return IO_OK;
        }
    });
}

// ---- Normal Bump ----

IOResult NormalBumpTexture::Save(ISave* isave) {
    return saveBase(isave, *this);
}

IOResult NormalBumpTexture::Load(ILoad* iload) {
    return loadChunks(iload, *this, [](USHORT) { return IO_OK; });
}
