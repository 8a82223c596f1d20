// Base data shared by materials and texture maps (name, G-buffer id) and its scene form,
// the texture-slot defaults and the texture map's mono value.
//
// Inside the chunk a subclass opens for it, the base data is two nested chunks:
//   0x0001 name: u32 count of UTF-16 code units, then the units, little-endian;
//   0x0002 G-buffer id: i32, little-endian.
// Unknown nested chunks are skipped, so later fields can be added.
#include "ChunkIO.h"
#include "Texmap.h"

namespace {

constexpr USHORT kNameChunk = 0x0001;
constexpr USHORT kGBufIdChunk = 0x0002;
// Longest name stored: far beyond any name a user types, small enough that a corrupt count
// is refused before it is allocated.
constexpr std::uint32_t kMaxNameUnits = 4096;

}  // namespace

MSTR ISubMap::GetSubTexmapSlotName(int, bool) {
    return MSTR();
}

ULONG MtlBase::Requirements(int) {
    return 0;
}

ParamDlg* MtlBase::CreateParamDlg(HWND, IMtlParams*) {
    return nullptr;
}

IOResult MtlBase::Save(ISave* isave) {
    isave->BeginChunk(kNameChunk);
    const IOResult name = writeWString(isave, name_, kMaxNameUnits);
    isave->EndChunk();
    if (name != IO_OK) return name;
    isave->BeginChunk(kGBufIdChunk);
    const IOResult gbuf = writeI32(isave, gbufId_);
    isave->EndChunk();
    return gbuf;
}

IOResult MtlBase::Load(ILoad* iload) {
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        IOResult r = IO_OK;
        switch (iload->CurChunkID()) {
            case kNameChunk:
                r = readWString(iload, name_, kMaxNameUnits);
                break;
            case kGBufIdChunk:
                r = readI32(iload, gbufId_);
                break;
            default:
                break;
        }
        iload->CloseChunk();
        if (r != IO_OK) return r;
    }
    return opened == IO_END ? IO_OK : opened;
}

MtlBase& MtlBase::operator=(const MtlBase& m) {
    name_ = m.name_;
    gbufId_ = m.gbufId_;
    return *this;
}

float Texmap::EvalMono(ShadeContext& sc) {
    const AColor c = EvalColor(sc);
    return (c.r + c.g + c.b) / 3.0f;
}
