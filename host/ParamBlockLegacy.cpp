// The host's older parameter block: values by position, as an earlier layout listed them.
//
// Scene form, inside its object data:
//   0x0001 header: u32 layout version, u32 number of values
//   0x0002 one per position, in order: the value as ParamBlock2IO.h stores it, its type code
//          being the position's LegacyParamType.
#include "ParamBlockLegacy.h"

#include <cmath>
#include <new>
#include <string>

#include "ChunkIO.h"
#include "ParamBlock2IO.h"
#include "SceneFile.h"

namespace {

constexpr USHORT kHeaderChunk = 0x0001;
constexpr USHORT kValueChunk = 0x0002;
// Most positions of an older block: far more than any layout had; a corrupt count is refused.
constexpr std::uint32_t kMaxLegacyParams = 4096;

bool knownType(std::uint32_t code) {
    switch (LegacyParamType(code)) {
        case LegacyParamType::Float:
        case LegacyParamType::Int:
        case LegacyParamType::Rgba:
        case LegacyParamType::Bool:
        case LegacyParamType::User:
            return true;
    }
    return false;
}

bool keyable(LegacyParamType t) {
    return t == LegacyParamType::Float || t == LegacyParamType::Rgba;
}

LegacyParamValue zeroValue(LegacyParamType type) {
    LegacyParamValue v;
    v.type = type;
    return v;
}

bool finite(const Color& c) {
    return !std::isnan(c.r) && !std::isnan(c.g) && !std::isnan(c.b);
}

class ParamBlock final : public IParamBlock {
public:
    ParamBlock(const ParamBlockDescID* desc, int count, DWORD version) : version_(version) {
        for (int p = 0; p < count; ++p) values_.push_back(zeroValue(desc[p].type));
    }

    void GetClassName(MSTR& s, bool) const override { s = L"ParamBlock"; }
    SClass_ID SuperClassID() override { return PARAMETER_BLOCK_CLASS_ID; }
    Class_ID ClassID() override { return PARAMBLOCK_CLASS_ID; }

    DWORD GetVersion() override { return version_; }
    int NumParams() override { return int(values_.size()); }
    LegacyParamType GetParameterType(int i) override {
        return valid(i) ? values_[std::size_t(i)].type : LegacyParamType::User;
    }

    BOOL GetValue(int i, LegacyParamValue& v) override {
        if (!valid(i)) return FALSE;
        v = values_[std::size_t(i)];
        return TRUE;
    }

    BOOL SetValue(int i, const LegacyParamValue& v) override {
        if (!valid(i) || v.type != values_[std::size_t(i)].type) return FALSE;
        if (!v.keys.empty() && !keyable(v.type)) return FALSE;
        if (std::isnan(v.f) || !finite(v.c)) return FALSE;
        for (const ParamKey& k : v.keys)
            if (std::isnan(k.f) || !finite(k.c)) return FALSE;
        values_[std::size_t(i)] = v;
        NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
        return TRUE;
    }

    RefTargetHandle Clone(RemapDir& remap) override {
        auto* copy = new (std::nothrow) ParamBlock(nullptr, 0, version_);
        if (!copy) return nullptr;
        copy->values_ = values_;
        BaseClone(this, copy, remap);
        return copy;
    }

    IOResult Save(ISave* isave) override {
        IOResult r = IO_OK;
        isave->BeginChunk(kHeaderChunk);
        r |= writeU32(isave, version_);
        r |= writeU32(isave, std::uint32_t(values_.size()));
        isave->EndChunk();
        for (const LegacyParamValue& v : values_) {
            isave->BeginChunk(kValueChunk);
            r |= writeParamValue(isave,
                                 StoredParamValue{std::uint32_t(v.type), v.f, v.i, v.c, v.keys});
            isave->EndChunk();
        }
        return r == IO_OK ? IO_OK : IO_ERROR;
    }

    IOResult Load(ILoad* iload) override {
        bool haveHeader = false;
        std::uint32_t count = 0;
        values_.clear();
        IOResult opened;
        while ((opened = iload->OpenChunk()) == IO_OK) {
            IOResult r = IO_OK;
            if (iload->CurChunkID() == kHeaderChunk) {
                if (haveHeader) {
                    r = fail(iload, "an older parameter block with two headers");
                } else if (readU32(iload, version_) || readU32(iload, count)) {
                    r = IO_ERROR;
                } else if (count > kMaxLegacyParams) {
                    r = fail(iload, "an older parameter block of " + std::to_string(count) +
                                        " values, more than " + std::to_string(kMaxLegacyParams));
                }
                haveHeader = true;
            } else if (iload->CurChunkID() == kValueChunk) {
                r = loadValue(iload, haveHeader, count);
            }
            iload->CloseChunk();
            if (r != IO_OK) return r;
        }
        if (opened != IO_END) return opened;
        if (!haveHeader) return fail(iload, "an older parameter block without its header");
        if (values_.size() != count)
            return fail(iload, "an older parameter block announces " + std::to_string(count) +
                                   " values but holds " + std::to_string(values_.size()));
        return IO_OK;
    }

private:
    bool valid(int i) const { return i >= 0 && std::size_t(i) < values_.size(); }

    static IOResult fail(ILoad* iload, const std::string& what) {
        reportLoadError(iload, what);
        return IO_ERROR;
    }

    IOResult loadValue(ILoad* iload, bool haveHeader, std::uint32_t count) {
        if (!haveHeader) return fail(iload, "a value before the older block's header");
        if (values_.size() >= count)
            return fail(iload, "more values than the older block's header announces");
        StoredParamValue s;
        if (readParamValue(iload, s) != IO_OK) return IO_ERROR;
        if (!knownType(s.type))
            return fail(iload, "type code " + std::to_string(s.type) +
                                   " does not occur in older parameter blocks");
        const LegacyParamValue v{LegacyParamType(s.type), s.f, s.i, s.c, std::move(s.keys)};
        values_.push_back(zeroValue(v.type));
        if (SetValue(NumParams() - 1, v)) return IO_OK;
        values_.pop_back();
        return fail(iload, "an older parameter block value is not a number");
    }

    DWORD version_;
    std::vector<LegacyParamValue> values_;
};

}  // namespace

IParamBlock* CreateParameterBlock(const ParamBlockDescID* desc, int count, DWORD version) {
    if (count < 0 || (count > 0 && !desc)) return nullptr;
    return new (std::nothrow) ParamBlock(desc, count, version);
}
