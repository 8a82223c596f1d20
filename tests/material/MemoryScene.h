// Scene chunks kept in memory: what a material writes through ISave, read back through
// ILoad, with nesting.
#pragma once

#include <cstring>
#include <vector>

#include "SceneIO.h"

struct MemoryChunk {
    USHORT id = 0;
    std::vector<BYTE> data;
    std::vector<MemoryChunk> children;

    const MemoryChunk* child(USHORT childId) const {
        for (const MemoryChunk& c : children)
            if (c.id == childId) return &c;
        return nullptr;
    }
};

class MemorySave : public ISave {
public:
    void BeginChunk(USHORT id) override {
        open_.back()->children.push_back({id, {}, {}});
        open_.push_back(&open_.back()->children.back());
    }
    void EndChunk() override { open_.pop_back(); }
    IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) override {
        if (failWrites) {
            *nwrit = 0;
            return IO_ERROR;
        }
        const BYTE* bytes = static_cast<const BYTE*>(buf);
        open_.back()->data.insert(open_.back()->data.end(), bytes, bytes + nbytes);
        *nwrit = nbytes;
        return IO_OK;
    }

    MemoryChunk root;
    bool failWrites = false;

private:
    std::vector<MemoryChunk*> open_{&root};
};

class MemoryLoad : public ILoad {
public:
    explicit MemoryLoad(const MemoryChunk& root) : frames_{{&root, 0, 0}} {}
    // The host disposes of the callbacks registered with it.
    ~MemoryLoad() override {
        for (PostLoadCallback* cb : callbacks) cb->DeleteThis();
    }

    IOResult OpenChunk() override {
        Frame& f = frames_.back();
        if (f.nextChild >= f.chunk->children.size()) return IO_END;
        frames_.push_back({&f.chunk->children[f.nextChild++], 0, 0});
        return IO_OK;
    }
    USHORT CurChunkID() override { return frames_.back().chunk->id; }
    IOResult CloseChunk() override {
        frames_.pop_back();
        return IO_OK;
    }
    IOResult Read(void* buf, ULONG nbytes, ULONG* nread) override {
        Frame& f = frames_.back();
        const std::size_t left = f.chunk->data.size() - f.readPos;
        if (nbytes > left) {
            *nread = 0;
            return IO_ERROR;
        }
        std::memcpy(buf, f.chunk->data.data() + f.readPos, nbytes);
        f.readPos += nbytes;
        *nread = nbytes;
        return IO_OK;
    }
    void RegisterPostLoadCallback(PostLoadCallback* cb) override { callbacks.push_back(cb); }

    std::vector<PostLoadCallback*> callbacks;

private:
    struct Frame {
        const MemoryChunk* chunk;
        std::size_t nextChild;
        std::size_t readPos;
    };
    std::vector<Frame> frames_;
};
