// Scene form of parameter blocks (see ParamBlock2IO.h).
#include "ParamBlock2IO.h"

#include <bit>
#include <string>

#include "ChunkIO.h"
#include "ClassDesc2.h"
#include "ClassDirectory.h"
#include "SceneFile.h"

namespace {

constexpr USHORT kHeaderChunk = 0x0001;
constexpr USHORT kParamChunk = 0x0002;

// Type codes as stored; 5 and 11 carry no value.
constexpr std::uint32_t kCodeFloat = 0;
constexpr std::uint32_t kCodeInt = 1;
constexpr std::uint32_t kCodeColor = 2;
constexpr std::uint32_t kCodeBool = 4;
constexpr std::uint32_t kCodeUser = 5;
constexpr std::uint32_t kCodeTexmap = 11;

bool hasKeys(std::uint32_t type) {
    return type == kCodeFloat || type == kCodeColor;
}

IOResult writeF32(ISave* isave, float v) {
    return writeU32(isave, std::bit_cast<std::uint32_t>(v));
}

IOResult readF32(ILoad* iload, float& v) {
    std::uint32_t u = 0;
    const IOResult r = readU32(iload, u);
    v = std::bit_cast<float>(u);
    return r;
}

IOResult writeColor(ISave* isave, const Color& c) {
    for (int k = 0; k < 3; ++k)
        if (writeF32(isave, c[k]) != IO_OK) return IO_ERROR;
    return IO_OK;
}

IOResult readColor(ILoad* iload, Color& c) {
    for (int k = 0; k < 3; ++k)
        if (readF32(iload, c[k]) != IO_OK) return IO_ERROR;
    return IO_OK;
}

IOResult fail(ILoad* iload, const std::string& what) {
    reportLoadError(iload, what);
    return IO_ERROR;
}

}  // namespace

IOResult writeParamValue(ISave* isave, const StoredParamValue& v) {
    IOResult r = writeU32(isave, v.type);
    switch (v.type) {
        case kCodeFloat:
            r |= writeF32(isave, v.f);
            break;
        case kCodeInt:
        case kCodeBool:
            r |= writeI32(isave, v.i);
            break;
        case kCodeColor:
            r |= writeColor(isave, v.c);
            break;
        default:
            break;
    }
    const std::size_t count = hasKeys(v.type) ? v.keys.size() : 0;
    r |= writeU32(isave, std::uint32_t(count));
    for (std::size_t k = 0; k < count; ++k) {
        r |= writeI32(isave, v.keys[k].t);
        r |= v.type == kCodeFloat ? writeF32(isave, v.keys[k].f) : writeColor(isave, v.keys[k].c);
    }
    return r == IO_OK ? IO_OK : IO_ERROR;
}

IOResult readParamValue(ILoad* iload, StoredParamValue& v) {
    v = StoredParamValue();
    if (readU32(iload, v.type) != IO_OK) return IO_ERROR;
    IOResult r = IO_OK;
    switch (v.type) {
        case kCodeFloat:
            r = readF32(iload, v.f);
            break;
        case kCodeInt:
        case kCodeBool:
            r = readI32(iload, v.i);
            break;
        case kCodeColor:
            r = readColor(iload, v.c);
            break;
        case kCodeUser:
        case kCodeTexmap:
            break;
        default:
            return fail(iload, "unknown parameter type code " + std::to_string(v.type));
    }
    std::uint32_t count = 0;
    if (r != IO_OK || readU32(iload, count) != IO_OK) return IO_ERROR;
    if (count > 0 && !hasKeys(v.type))
        return fail(iload, "keys on a parameter of type " + std::to_string(v.type) +
                               ", which cannot be animated");
    if (count > kMaxParamKeys)
        return fail(iload, std::to_string(count) + " keys on one parameter, more than " +
                               std::to_string(kMaxParamKeys));
    for (std::uint32_t k = 0; k < count; ++k) {
        ParamKey key{0, 0.0f, Color()};
        if (readI32(iload, key.t) != IO_OK) return IO_ERROR;
        const IOResult kr = v.type == kCodeFloat ? readF32(iload, key.f) : readColor(iload, key.c);
        if (kr != IO_OK) return IO_ERROR;
        v.keys.push_back(key);
    }
    return IO_OK;
}

IOResult saveParamBlock2(ISave* isave, IParamBlock2& pb) {
    ParamBlockDesc2* desc = pb.GetDesc();
    ClassDesc2* owner = desc ? desc->ClassDescriptor() : nullptr;
    if (!owner) return IO_ERROR;  // a block whose descriptor has no class cannot be found again
    IOResult r = IO_OK;
    isave->BeginChunk(kHeaderChunk);
    r |= writeU32(isave, owner->SuperClassID());
    r |= writeU32(isave, owner->ClassID().PartA());
    r |= writeU32(isave, owner->ClassID().PartB());
    r |= writeI32(isave, desc->ID());
    isave->EndChunk();
    for (const ParamDef& d : desc->Params()) {
        if (d.type == TYPE_TEXMAP) continue;  // maps are references
        ParamValueRecord rec;
        pb.GetRecord(d.id, rec);
        isave->BeginChunk(kParamChunk);
        r |= writeI32(isave, d.id);
        r |= writeParamValue(
            isave, StoredParamValue{std::uint32_t(rec.type), rec.f, rec.i, rec.c, rec.keys});
        isave->EndChunk();
    }
    return r == IO_OK ? IO_OK : IO_ERROR;
}

IOResult loadParamBlock2(ILoad* iload, IParamBlock2& pb,
                         const std::function<void(ParamBlockDesc2*)>& bind) {
    ParamBlockDesc2* desc = nullptr;
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        IOResult r = IO_OK;
        if (iload->CurChunkID() == kHeaderChunk) {
            std::uint32_t super = 0, a = 0, b = 0;
            std::int32_t blockId = 0;
            if (readU32(iload, super) || readU32(iload, a) || readU32(iload, b) ||
                readI32(iload, blockId)) {
                r = IO_ERROR;
            } else if (desc) {
                r = fail(iload, "a parameter block with two headers");
            } else {
                auto* cd = dynamic_cast<ClassDesc2*>(FindClassDesc(super, Class_ID(a, b)));
                desc = cd ? cd->GetParamBlockDescByID(BlockID(blockId)) : nullptr;
                if (!desc || desc->ID() != blockId)
                    r = fail(iload, "a parameter block of a descriptor this host does not know");
                else
                    bind(desc);
            }
        } else if (iload->CurChunkID() == kParamChunk) {
            std::int32_t id = 0;
            StoredParamValue v;
            if (!desc) {
                r = fail(iload, "a parameter value before the block's header");
            } else if (readI32(iload, id) != IO_OK || readParamValue(iload, v) != IO_OK) {
                r = IO_ERROR;
            } else if (const ParamDef* d = desc->GetParamDefByID(ParamID(id));
                       d && ParamID(id) == id && d->type != TYPE_TEXMAP) {
                // A parameter the descriptor no longer has is passed over.
                if (v.type != std::uint32_t(d->type))
                    r = fail(iload, "parameter " + std::to_string(id) + " saved as type " +
                                        std::to_string(v.type) + ", but it is of type " +
                                        std::to_string(int(d->type)));
                else if (!pb.SetRecord(ParamValueRecord{ParamID(id), d->type, v.f, v.i, v.c,
                                                        std::move(v.keys)}))
                    r = fail(iload, "parameter " + std::to_string(id) +
                                        " holds a value or keys it cannot take");
            }
        }
        iload->CloseChunk();
        if (r != IO_OK) return r;
    }
    if (opened != IO_END) return opened;
    if (!desc) return fail(iload, "a parameter block without its header");
    return IO_OK;
}
