// Saving, loading and cloning the material. The host saves the references (maps and the
// block) itself; the material writes its base data and the record of its cached values.
#include <array>
#include <bit>
#include <cstdint>
#include <new>

#include "ParamBlock2.h"
#include "ParamBlock2PLCB.h"
#include "SceneIO.h"
#include "material/SavedRecord.h"
#include "material/TavroMtl.h"
#include "params/LegacyLayouts.h"
#include "params/TavroParamBlock.h"
#include "params/TextureSlots.h"

namespace {

constexpr USHORT kBaseChunk = 0x4000;
constexpr USHORT kRecordChunk = 0x5000;

using C = TavroMtlCache;
using RecordBytes = std::array<BYTE, kSavedRecordSize>;

void putU32(BYTE* out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<BYTE>(v >> (8 * i));
}

std::uint32_t getU32(const BYTE* in) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{in[i]} << (8 * i);
    return v;
}

// Writes one field's little-endian bytes to `out`.
struct Encode {
    const C& cache;
    BYTE* out;
    void operator()(Color C::*m) const {
        for (int i = 0; i < 3; ++i)
            putU32(out + 4 * i, std::bit_cast<std::uint32_t>((cache.*m)[i]));
    }
    void operator()(SavedFlag f) const { out[0] = static_cast<BYTE>(cache.*f.member & 0xFF); }
    void operator()(float C::*m) const { putU32(out, std::bit_cast<std::uint32_t>(cache.*m)); }
    void operator()(int C::*m) const { putU32(out, static_cast<std::uint32_t>(cache.*m)); }
};

// Reads one field from its little-endian bytes at `in`.
struct Decode {
    C& cache;
    const BYTE* in;
    void operator()(Color C::*m) const {
        for (int i = 0; i < 3; ++i) (cache.*m)[i] = std::bit_cast<float>(getU32(in + 4 * i));
    }
    void operator()(SavedFlag f) const { cache.*f.member = in[0]; }
    void operator()(float C::*m) const { cache.*m = std::bit_cast<float>(getU32(in)); }
    void operator()(int C::*m) const { cache.*m = static_cast<int>(getU32(in)); }
};

// Reads the whole record before any field changes, so that a short or failed chunk leaves
// the cache as it was; the first failure is the result.
IOResult loadRecord(ILoad* iload, C& cache) {
    RecordBytes bytes{};
    ULONG offset = 0;
    for (const SavedField& f : savedRecordFields()) {
        const ULONG size = savedFieldSize(f);
        ULONG read = 0;
        const IOResult res = iload->Read(bytes.data() + offset, size, &read);
        if (res != IO_OK) return res;
        if (read != size) return IO_ERROR;
        offset += size;
    }
    offset = 0;
    for (const SavedField& f : savedRecordFields()) {
        std::visit(Decode{cache, bytes.data() + offset}, f);
        offset += savedFieldSize(f);
    }
    return IO_OK;
}

// A failed write is reported, not passed over.
IOResult saveRecord(ISave* isave, const C& cache) {
    for (const SavedField& f : savedRecordFields()) {
        std::array<BYTE, 12> bytes{};
        std::visit(Encode{cache, bytes.data()}, f);
        const ULONG size = savedFieldSize(f);
        ULONG written = 0;
        const IOResult res = isave->Write(bytes.data(), size, &written);
        if (res != IO_OK) return res;
        if (written != size) return IO_ERROR;
    }
    return IO_OK;
}

}  // namespace

IOResult TavroMtl::Save(ISave* isave) {
    isave->BeginChunk(kBaseChunk);
    const IOResult base = MtlBase::Save(isave);
    isave->EndChunk();
    if (base != IO_OK) return base;

    isave->BeginChunk(kRecordChunk);
    const IOResult record = saveRecord(isave, cache_);
    isave->EndChunk();
    return record;
}

IOResult TavroMtl::Load(ILoad* iload) {
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        IOResult res = IO_OK;
        switch (iload->CurChunkID()) {
            case kBaseChunk:
                res = MtlBase::Load(iload);
                break;
            case kRecordChunk:
                res = loadRecord(iload, cache_);
                break;
            default:
                break;  // unknown chunks are skipped
        }
        iload->CloseChunk();
        if (res != IO_OK) return res;
    }
    // A chunk list that breaks off (a damaged chunk header) is a failure, not its end.
    if (opened != IO_END) return opened;
    // The host turns a block of an earlier layout, found at reference 13 once the scene is
    // read, into a block of the current descriptor; a current block is left as it is.
    const std::span<ParamVersionDesc> versions = tavroLegacyVersions();
    iload->RegisterPostLoadCallback(
        new (std::nothrow) ParamBlock2PLCB(versions.data(), static_cast<int>(versions.size()),
                                           &tavroParamBlockDesc(), this, TAVRO_PARAM_BLOCK_REF));
    return IO_OK;
}

RefTargetHandle TavroMtl::Clone(RemapDir& remap) {
    auto* copy = new (std::nothrow) TavroMtl(false);
    if (copy == nullptr) return nullptr;
    static_cast<MtlBase&>(*copy) = *this;
    if (pblock_ != nullptr)
        copy->ReplaceReference(TAVRO_PARAM_BLOCK_REF, remap.CloneRef(pblock_), TRUE);
    copy->cache_ = cache_;
    // The copy answers from the copied cache until a change reaches it.
    copy->cacheValid_ = FOREVER;
    for (int i = 0; i < kSlotCount; ++i) {
        if (slots_[i] != nullptr) copy->ReplaceReference(i, remap.CloneRef(slots_[i]), TRUE);
    }
    BaseClone(this, copy, remap);
    return copy;
}
