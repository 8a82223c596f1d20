// The host's parameter block: one object's values of a ParamBlockDesc2, constant or keyed,
// with texture maps held either by the block or by its owner.
#include "ParamBlock2.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ClassDesc2.h"
#include "ParamBlock2IO.h"
#include "Texmap.h"

namespace {

float lerpValue(float a, float b, double u) {
    return static_cast<float>(static_cast<double>(a) +
                              (static_cast<double>(b) - static_cast<double>(a)) * u);
}

Color lerpValue(const Color& a, const Color& b, double u) {
    return {lerpValue(a.r, b.r, u), lerpValue(a.g, b.g, u), lerpValue(a.b, b.b, u)};
}

float keyValue(const ParamKey& k, float) {
    return k.f;
}
Color keyValue(const ParamKey& k, const Color&) {
    return k.c;
}

// The value of a keyed curve at t; ivalid is narrowed to a span around t over which the
// curve keeps that value (the curve is linear between keys and flat outside them).
template <class V>
V evalKeys(const std::vector<ParamKey>& keys, TimeValue t, Interval& ivalid) {
    const ParamKey& first = keys.front();
    const ParamKey& last = keys.back();
    if (t <= first.t) {
        ivalid &= Interval(TIME_NegInfinity, first.t);
        return keyValue(first, V());
    }
    if (t >= last.t) {
        ivalid &= Interval(last.t, TIME_PosInfinity);
        return keyValue(last, V());
    }
    auto next = std::upper_bound(keys.begin(), keys.end(), t,
                                 [](TimeValue time, const ParamKey& k) { return time < k.t; });
    const ParamKey& k1 = *next;
    const ParamKey& k0 = *(next - 1);
    const V v0 = keyValue(k0, V());
    const V v1 = keyValue(k1, V());
    if (v0 == v1) {
        ivalid &= Interval(k0.t, k1.t);
        return v0;
    }
    ivalid &= Interval(t, t);
    const double u = static_cast<double>(std::int64_t{t} - k0.t) /
                     static_cast<double>(std::int64_t{k1.t} - k0.t);
    return lerpValue(v0, v1, u);
}

bool isKeyable(const ParamDef& d) {
    return (d.flags & P_ANIMATABLE) && (d.type == TYPE_FLOAT || d.type == TYPE_RGBA);
}

bool hasNaN(const Color& c) {
    return std::isnan(c.r) || std::isnan(c.g) || std::isnan(c.b);
}

// The host's clamp of a float write: into [lo, hi] when the parameter has a range.
float clampToRange(const ParamDef& d, float v) {
    return d.hasRange ? std::min(std::max(v, d.rangeLo), d.rangeHi) : v;
}

// TIME_NegInfinity is not a usable time for a value or key: an interval ending there reads
// as empty.
bool isKeyTime(TimeValue t) {
    return t != TIME_NegInfinity;
}

// Inserts a key in time order; a key at the same time is replaced.
void putKey(std::vector<ParamKey>& keys, const ParamKey& key) {
    auto at = std::lower_bound(keys.begin(), keys.end(), key.t,
                               [](const ParamKey& k, TimeValue time) { return k.t < time; });
    if (at != keys.end() && at->t == key.t)
        *at = key;
    else
        keys.insert(at, key);
}

class ParamBlock2 final : public IParamBlock2 {
public:
    // A block made for loading has no descriptor until its Load reads which one it is.
    ParamBlock2(ParamBlockDesc2* desc, ReferenceMaker* owner) : owner_(owner) {
        if (desc) bind(desc);
    }

    void bind(ParamBlockDesc2* desc) {
        desc_ = desc;
        mapRef_.assign(desc->Params().size(), -1);
        for (std::size_t i = 0; i < mapRef_.size(); ++i) {
            const ParamDef& d = desc->Params()[i];
            if (d.type == TYPE_TEXMAP && !(d.flags & P_OWNERS_REF)) {
                mapRef_[i] = static_cast<int>(maps_.size());
                maps_.push_back(nullptr);
            }
        }
        resetValues();
    }

    // ---- Animatable / ReferenceMaker / ReferenceTarget ----

    void GetClassName(MSTR& s, bool) const override { s = L"ParamBlock2"; }
    SClass_ID SuperClassID() override { return PARAMETER_BLOCK2_CLASS_ID; }
    Class_ID ClassID() override { return PARAMBLOCK2_CLASS_ID; }

    int NumRefs() override { return static_cast<int>(maps_.size()); }
    RefTargetHandle GetReference(int i) override {
        return validRef(i) ? maps_[std::size_t(i)] : nullptr;
    }

    IOResult Save(ISave* isave) override { return saveParamBlock2(isave, *this); }

    IOResult Load(ILoad* iload) override {
        if (desc_) return IO_ERROR;  // only a block made for loading reads a scene
        const IOResult r = loadParamBlock2(iload, *this, [this](ParamBlockDesc2* d) { bind(d); });
        lastId_ = -1;
        return r;
    }

    RefTargetHandle Clone(RemapDir& remap) override {
        auto* copy = new (std::nothrow) ParamBlock2(desc_, nullptr);
        if (!copy) return nullptr;
        copy->slots_ = slots_;
        copy->lastId_ = lastId_;
        copy->lastTab_ = lastTab_;
        // Maps held by an owner are the owner's to clone.
        for (int r = 0; r < NumRefs(); ++r)
            copy->ReplaceReference(r, remap.CloneRef(maps_[std::size_t(r)]));
        BaseClone(this, copy, remap);
        return copy;
    }

    // ---- IParamBlock2 ----

    ParamBlockDesc2* GetDesc() override { return desc_; }
    BlockID ID() override { return desc_->ID(); }
    int NumParams() override { return desc_->Count(); }

    BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid, int) override {
        const Slot* s = slotOf(id, TYPE_FLOAT);
        if (!s) return FALSE;
        v = s->keys.empty() ? s->f : evalKeys<float>(s->keys, t, ivalid);
        return TRUE;
    }

    BOOL GetValue(ParamID id, TimeValue, int& v, Interval&, int) override {
        const Slot* s = slotOf(id, TYPE_INT);
        if (!s) s = slotOf(id, TYPE_BOOL);
        if (!s) return FALSE;
        v = s->i;
        return TRUE;
    }

    BOOL GetValue(ParamID id, TimeValue t, Color& v, Interval& ivalid, int) override {
        const Slot* s = slotOf(id, TYPE_RGBA);
        if (!s) return FALSE;
        v = s->keys.empty() ? s->c : evalKeys<Color>(s->keys, t, ivalid);
        return TRUE;
    }

    BOOL GetValue(ParamID id, TimeValue, Texmap*& v, Interval&, int) override {
        const int index = desc_->IDtoIndex(id);
        if (index < 0 || def(index).type != TYPE_TEXMAP) return FALSE;
        v = dynamic_cast<Texmap*>(mapHolderRef(index));
        return TRUE;
    }

    BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex) override {
        const int index = desc_->IDtoIndex(id);
        if (index < 0 || def(index).type != TYPE_FLOAT || std::isnan(v) || !isKeyTime(t))
            return FALSE;
        v = clampToRange(def(index), v);
        Slot& s = slots_[std::size_t(index)];
        if (writesKey(index, t)) {
            if (s.keys.empty()) putKey(s.keys, ParamKey{0, s.f, Color()});
            putKey(s.keys, ParamKey{t, v, Color()});
        } else {
            s.f = v;
        }
        changed(id, tabIndex);
        return TRUE;
    }

    BOOL SetValue(ParamID id, TimeValue, int v, int tabIndex) override {
        const int index = desc_->IDtoIndex(id);
        if (index < 0) return FALSE;
        const ParamType2 type = def(index).type;
        if (type != TYPE_INT && type != TYPE_BOOL) return FALSE;
        slots_[std::size_t(index)].i = type == TYPE_BOOL ? (v != 0) : v;
        changed(id, tabIndex);
        return TRUE;
    }

    BOOL SetValue(ParamID id, TimeValue t, const Color& v, int tabIndex) override {
        const int index = desc_->IDtoIndex(id);
        if (index < 0 || def(index).type != TYPE_RGBA || hasNaN(v) || !isKeyTime(t)) return FALSE;
        Slot& s = slots_[std::size_t(index)];
        if (writesKey(index, t)) {
            if (s.keys.empty()) putKey(s.keys, ParamKey{0, 0.0f, s.c});
            putKey(s.keys, ParamKey{t, 0.0f, v});
        } else {
            s.c = v;
        }
        changed(id, tabIndex);
        return TRUE;
    }

    BOOL SetValue(ParamID id, TimeValue, Texmap* v, int tabIndex) override {
        const int index = desc_->IDtoIndex(id);
        if (index < 0 || def(index).type != TYPE_TEXMAP) return FALSE;
        if (!setMap(index, v)) return FALSE;
        changed(id, tabIndex);
        return TRUE;
    }

    std::vector<ParamKey> GetKeys(ParamID id) override {
        const int index = desc_->IDtoIndex(id);
        return index < 0 ? std::vector<ParamKey>() : slots_[std::size_t(index)].keys;
    }

    BOOL SetKey(ParamID id, const ParamKey& key) override {
        const int index = desc_->IDtoIndex(id);
        if (index < 0 || !isKeyable(def(index)) || !isKeyTime(key.t)) return FALSE;
        ParamKey k = key;
        if (def(index).type == TYPE_FLOAT) {
            if (std::isnan(k.f)) return FALSE;
            k.f = clampToRange(def(index), k.f);
        } else if (hasNaN(k.c)) {
            return FALSE;
        }
        putKey(slots_[std::size_t(index)].keys, k);
        changed(id, 0);
        return TRUE;
    }

    BOOL ClearKeys(ParamID id) override {
        const int index = desc_->IDtoIndex(id);
        if (index < 0 || !isKeyable(def(index))) return FALSE;
        Slot& s = slots_[std::size_t(index)];
        if (s.keys.empty()) return TRUE;
        // The parameter keeps the value it had at time 0.
        Interval ignored = FOREVER;
        s.f = def(index).type == TYPE_FLOAT ? evalKeys<float>(s.keys, 0, ignored) : s.f;
        s.c = def(index).type == TYPE_RGBA ? evalKeys<Color>(s.keys, 0, ignored) : s.c;
        s.keys.clear();
        changed(id, 0);
        return TRUE;
    }

    ParamID LastNotifyParamID() override { return lastId_; }
    ParamID LastNotifyParamID(int& tabIndex) override {
        tabIndex = lastTab_;
        return lastId_;
    }

    void ResetAll() override {
        resetValues();
        for (int i = 0; i < desc_->Count(); ++i)
            if (def(i).type == TYPE_TEXMAP) setMap(i, nullptr);
        changed(-1, 0);
    }

    BOOL GetRecord(ParamID id, ParamValueRecord& rec) override {
        const int index = desc_->IDtoIndex(id);
        if (index < 0) return FALSE;
        const Slot& s = slots_[std::size_t(index)];
        rec = ParamValueRecord{id, def(index).type, s.f, s.i, s.c, s.keys};
        return TRUE;
    }

    BOOL SetRecord(const ParamValueRecord& rec) override {
        const int index = desc_->IDtoIndex(rec.id);
        if (index < 0) return FALSE;
        const ParamDef& d = def(index);
        if (rec.type != d.type) return FALSE;
        if (!rec.keys.empty() && !isKeyable(d)) return FALSE;
        Slot s;
        switch (d.type) {
            case TYPE_FLOAT:
                if (std::isnan(rec.f)) return FALSE;
                s.f = clampToRange(d, rec.f);
                break;
            case TYPE_INT:
                s.i = rec.i;
                break;
            case TYPE_BOOL:
                s.i = rec.i != 0;
                break;
            case TYPE_RGBA:
                if (hasNaN(rec.c)) return FALSE;
                s.c = rec.c;
                break;
            case TYPE_TEXMAP:
                return TRUE;  // the map is a reference, restored as one
        }
        for (ParamKey k : rec.keys) {
            if (!isKeyTime(k.t)) return FALSE;
            if (d.type == TYPE_FLOAT) {
                if (std::isnan(k.f)) return FALSE;
                k.f = clampToRange(d, k.f);
            } else if (hasNaN(k.c)) {
                return FALSE;
            }
            putKey(s.keys, k);
        }
        slots_[std::size_t(index)] = std::move(s);
        changed(rec.id, 0);
        return TRUE;
    }

    ReferenceMaker* GetOwner() override {
        if (owner_) return owner_;
        ClassDesc2* cd = desc_->ClassDescriptor();
        for (ReferenceMaker* m : Dependents()) {
            if (!cd || (m->ClassID() == cd->ClassID() && m->SuperClassID() == cd->SuperClassID())) {
                owner_ = m;
                ownerRefers_ = true;
                break;
            }
        }
        return owner_;
    }

    void SetOwner(ReferenceMaker* owner) override {
        owner_ = owner;
        ownerRefers_ = isDependent(owner);
    }

protected:
    void SetReference(int i, RefTargetHandle rtarg) override {
        if (validRef(i)) maps_[std::size_t(i)] = rtarg;
    }

    void DependentsChanged() override {
        // An owner that referred to the block and let go may be gone: never keep its pointer.
        const bool refers = isDependent(owner_);
        if (ownerRefers_ && !refers) owner_ = nullptr;
        ownerRefers_ = refers;
    }

private:
    struct Slot {
        float f = 0.0f;
        int i = 0;
        Color c;
        std::vector<ParamKey> keys;
    };

    const ParamDef& def(int index) const { return desc_->GetParamDef(index); }
    bool validRef(int i) const { return i >= 0 && std::size_t(i) < maps_.size(); }

    bool isDependent(const ReferenceMaker* m) const {
        return m && std::find(Dependents().begin(), Dependents().end(), m) != Dependents().end();
    }

    const Slot* slotOf(ParamID id, ParamType2 type) const {
        const int index = desc_->IDtoIndex(id);
        return index >= 0 && def(index).type == type ? &slots_[std::size_t(index)] : nullptr;
    }

    // Whether a write at t sets a key: always once the parameter is keyed; otherwise only in
    // animation mode away from time 0. The first key set that way comes with a key at 0
    // holding the value the parameter had, so earlier frames keep it.
    bool writesKey(int index, TimeValue t) const {
        if (!isKeyable(def(index))) return false;
        return !slots_[std::size_t(index)].keys.empty() || (IsAnimateMode() && t != 0);
    }

    // The reference that holds the map of parameter `index`: the owner's or the block's own.
    RefTargetHandle mapHolderRef(int index) {
        const ParamDef& d = def(index);
        if (d.flags & P_OWNERS_REF) {
            ReferenceMaker* owner = GetOwner();
            return owner && d.refno >= 0 ? owner->GetReference(d.refno) : nullptr;
        }
        return GetReference(mapRef_[std::size_t(index)]);
    }

    bool setMap(int index, Texmap* map) {
        const ParamDef& d = def(index);
        if (d.flags & P_OWNERS_REF) {
            ReferenceMaker* owner = GetOwner();
            return owner && owner->ReplaceReference(d.refno, map) == REF_SUCCEED;
        }
        return ReplaceReference(mapRef_[std::size_t(index)], map) == REF_SUCCEED;
    }

    void resetValues() {
        slots_.assign(desc_->Params().size(), Slot());
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            const ParamDef& d = desc_->Params()[i];
            slots_[i].f = d.defFloat;
            slots_[i].i = d.type == TYPE_BOOL ? (d.defInt != 0) : d.defInt;
            slots_[i].c = d.defColor;
        }
    }

    void changed(ParamID id, int tabIndex) {
        lastId_ = id;
        lastTab_ = tabIndex;
        NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    }

    ParamBlockDesc2* desc_ = nullptr;
    ReferenceMaker* owner_;
    bool ownerRefers_ = false;           // owner_ is (was last seen as) a dependent
    std::vector<Slot> slots_;            // by parameter index
    std::vector<int> mapRef_;            // by parameter index: the block's own map reference, or -1
    std::vector<RefTargetHandle> maps_;  // the block's own map references
    ParamID lastId_ = -1;
    int lastTab_ = 0;
};

}  // namespace

IParamBlock2* CreateParameterBlock2(ParamBlockDesc2* desc, ReferenceMaker* owner) {
    if (!desc) return nullptr;
    return new (std::nothrow) ParamBlock2(desc, owner);
}

IParamBlock2* CreateParameterBlock2ForLoading() {
    return new (std::nothrow) ParamBlock2(nullptr, nullptr);
}

float IParamBlock2::GetFloat(ParamID id, TimeValue t, int tabIndex) {
    float v = 0.0f;
    Interval valid = FOREVER;
    GetValue(id, t, v, valid, tabIndex);
    return v;
}

int IParamBlock2::GetInt(ParamID id, TimeValue t, int tabIndex) {
    int v = 0;
    Interval valid = FOREVER;
    GetValue(id, t, v, valid, tabIndex);
    return v;
}

Color IParamBlock2::GetColor(ParamID id, TimeValue t, int tabIndex) {
    Color v;
    Interval valid = FOREVER;
    GetValue(id, t, v, valid, tabIndex);
    return v;
}

Texmap* IParamBlock2::GetTexmap(ParamID id, TimeValue t, int tabIndex) {
    Texmap* v = nullptr;
    Interval valid = FOREVER;
    GetValue(id, t, v, valid, tabIndex);
    return v;
}
