// Scene files: every object of a scene with its class identity and its references, written
// so that no failure can damage the file already on disk, and read so that no file can crash,
// hang or exhaust the reader.
//
// Format, version 1. Every integer and float is little-endian.
//
//   offset 0    8 bytes   magic "TAVROSCN"
//   offset 8    u32       format version. A reader refuses a version above its own.
//   offset 12   chunks, to the end of the file
//
// A chunk is a u16 id, a u32 length and `length` bytes of payload. A payload holds raw bytes,
// further chunks, or both, as the chunk's writer decided. Every chunk lies wholly inside its
// enclosing chunk (at the top level, inside the file). A reader skips chunks it does not know.
//
// Top-level chunks, in this order, each exactly once:
//
//   0x0100  class table: u32 count, then per class u32 super class, u32 and u32 Class_ID.
//   0x0200  objects: one 0x0210 chunk per object, object i being the i-th:
//             0x0211  header: u32 index into the class table, u32 reference count n, then
//                     n i32 object indices, one per reference (-1: no target)
//             0x0212  data: the chunks the object's own Save wrote
//   0x0300  roots: u32 count, then that many u32 object indices: the scene's top-level
//           objects (its materials), in order.
//
// The references of a file form no cycle and reach every object from a root. Objects are
// created through the class directory (ClassDirectory.h) with the loading flag, read their
// data, get their references (ReplaceReference, 0 to n-1), and then the post-load callbacks
// they registered run, lowest priority first, and are disposed of.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Animatable.h"
#include "SceneIO.h"

// Format version written by this host, and the highest it reads.
constexpr std::uint32_t kSceneFormatVersion = 1;

// The top-level objects of a scene (its materials), held as references: removing one, or
// destroying the scene, deletes whatever nothing else refers to any more.
class Scene : public ReferenceMaker {
public:
    Scene() = default;
    ~Scene() override;

    int Count() const { return static_cast<int>(objects_.size()); }
    ReferenceTarget* Object(int i) const;
    // Appends an object; returns its index (-1 for null).
    int Add(ReferenceTarget* obj);
    // Puts `obj` in place of object i (FALSE for an index outside the scene or null).
    BOOL Replace(int i, ReferenceTarget* obj);

    int NumRefs() override { return Count(); }
    RefTargetHandle GetReference(int i) override { return Object(i); }

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;

private:
    std::vector<ReferenceTarget*> objects_;
};

// Test hooks for the file write: the write fails after this many bytes, or at one of the
// later steps, as a full disk or a failing device would make it.
struct SceneWriteFaults {
    std::size_t failAfterBytes = SIZE_MAX;
    bool failSync = false;
    bool failRename = false;
};

// The scene as a file's bytes. False, with the reason in `error`, when an object cannot be
// saved (its class is not in the class directory, its Save failed, the scene is too large).
bool saveSceneToBytes(Scene& scene, std::vector<BYTE>& out, std::string& error);

// Writes the scene to `path`: into a new file in the same folder, flushed to the disk, then
// renamed over `path`. On failure `path` is as it was (or still absent) and `error` names the
// file and the reason.
bool saveScene(Scene& scene, const std::string& path, std::string& error,
               const SceneWriteFaults& faults = {});

// Reads a scene from a file's bytes. `name` is the file's name in messages. On failure
// returns null and `error` reads "<name>: byte <offset>: <what was wrong>"; nothing of the
// scene is left allocated.
std::unique_ptr<Scene> loadSceneFromBytes(std::span<const BYTE> bytes, const std::string& name,
                                          std::string& error);
std::unique_ptr<Scene> loadScene(const std::string& path, std::string& error);

// For an object's Load: says what was wrong with its data at the reader's position, so the
// loader can report it should the Load fail. Ignored by any ILoad other than the host's.
void reportLoadError(ILoad* iload, const std::string& what);
