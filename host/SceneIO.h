// Scene input and output as objects see it: nested chunks of raw little-endian bytes,
// and callbacks that run once the whole scene has been read.
#pragma once

#include "HostTypes.h"
#include "MaxHeap.h"

class ILoad;

class ISave {
public:
    virtual ~ISave() = default;
    virtual void BeginChunk(USHORT id) = 0;
    virtual void EndChunk() = 0;
    virtual IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) = 0;
};

class PostLoadCallback : public MaxHeapOperators {
public:
    virtual ~PostLoadCallback() = default;
    virtual void proc(ILoad* iload) = 0;
    // Lower runs earlier.
    virtual int Priority() { return 5; }
    // The loader disposes of a callback after running it.
    virtual void DeleteThis() { delete this; }
};

class ILoad {
public:
    virtual ~ILoad() = default;
    // Opens the next chunk at the current level: IO_OK while chunks remain, IO_END after.
    virtual IOResult OpenChunk() = 0;
    virtual USHORT CurChunkID() = 0;
    virtual IOResult CloseChunk() = 0;
    // Reads from the open chunk; a read past its end fails.
    virtual IOResult Read(void* buf, ULONG nbytes, ULONG* nread) = 0;
    virtual void RegisterPostLoadCallback(PostLoadCallback* cb) = 0;
};
