// Small objects for the host tests: a reference target with a fixed number of slots that
// records what the reference machinery tells it, and an in-memory chunked scene stream.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "Animatable.h"
#include "SceneIO.h"

namespace hosttest {

inline constexpr Class_ID kNodeClassID{0x51, 0x52};
inline constexpr SClass_ID kNodeSuperClass = 0x1234;

class Node : public ReferenceTarget {
public:
    struct Message {
        RefTargetHandle target;
        PartID part;
        RefMessage message;
    };

    explicit Node(int numRefs = 2, SClass_ID sclass = kNodeSuperClass)
        : refs(std::size_t(numRefs), nullptr), sclass_(sclass) {
        ++alive;
    }
    ~Node() override { --alive; }

    int NumRefs() override { return int(refs.size()); }
    RefTargetHandle GetReference(int i) override { return refs[std::size_t(i)]; }
    SClass_ID SuperClassID() override { return sclass_; }
    Class_ID ClassID() override { return kNodeClassID; }

    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL) override {
        messages.push_back({hTarget, partID, message});
        return answer;
    }

    RefTargetHandle Clone(RemapDir& remap) override {
        auto* copy = new Node(NumRefs(), sclass_);
        copy->tag = tag;
        for (int i = 0; i < NumRefs(); ++i)
            copy->ReplaceReference(i, remap.CloneRef(refs[std::size_t(i)]));
        BaseClone(this, copy, remap);
        return copy;
    }

    std::vector<RefTargetHandle> refs;
    std::vector<std::pair<int, RefTargetHandle>> setCalls;
    std::vector<Message> messages;
    RefResult answer = REF_SUCCEED;
    int tag = 0;
    static inline int alive = 0;

protected:
    void SetReference(int i, RefTargetHandle t) override {
        refs[std::size_t(i)] = t;
        setCalls.emplace_back(i, t);
    }

private:
    SClass_ID sclass_;
};

// Chunks as (u16 id, u32 length of the body, body), nested freely.
class MemorySave : public ISave {
public:
    void BeginChunk(USHORT id) override {
        put(&id, 2);
        open_.push_back(bytes.size());
        const std::uint32_t zero = 0;
        put(&zero, 4);
    }
    void EndChunk() override {
        const std::size_t at = open_.back();
        open_.pop_back();
        const auto len = std::uint32_t(bytes.size() - at - 4);
        std::memcpy(&bytes[at], &len, 4);
    }
    IOResult Write(const void* buf, ULONG n, ULONG* nwrit) override {
        put(buf, n);
        *nwrit = n;
        return IO_OK;
    }
    std::vector<std::uint8_t> bytes;

private:
    void put(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        bytes.insert(bytes.end(), b, b + n);
    }
    std::vector<std::size_t> open_;
};

class MemoryLoad : public ILoad {
public:
    explicit MemoryLoad(std::vector<std::uint8_t> data) : bytes_(std::move(data)) {
        ends_.push_back(bytes_.size());
    }
    IOResult OpenChunk() override {
        if (pos_ + 6 > ends_.back()) return IO_END;
        std::uint32_t len = 0;
        std::memcpy(&id_, &bytes_[pos_], 2);
        std::memcpy(&len, &bytes_[pos_ + 2], 4);
        pos_ += 6;
        if (pos_ + len > ends_.back()) return IO_ERROR;
        ends_.push_back(pos_ + len);
        ids_.push_back(id_);
        return IO_OK;
    }
    USHORT CurChunkID() override { return ids_.back(); }
    IOResult CloseChunk() override {
        pos_ = ends_.back();
        ends_.pop_back();
        ids_.pop_back();
        return IO_OK;
    }
    IOResult Read(void* buf, ULONG n, ULONG* nread) override {
        if (pos_ + n > ends_.back()) {
            *nread = 0;
            return IO_ERROR;
        }
        std::memcpy(buf, &bytes_[pos_], n);
        pos_ += n;
        *nread = n;
        return IO_OK;
    }
    void RegisterPostLoadCallback(PostLoadCallback*) override {}

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    std::vector<std::size_t> ends_;
    std::vector<USHORT> ids_;
    USHORT id_ = 0;
};

}  // namespace hosttest
