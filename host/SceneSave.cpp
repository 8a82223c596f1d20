// Writing scenes: objects numbered from the roots, their classes tabled, each object's
// references by number and its own data, all into memory; then the bytes go to disk
// through SceneFileWrite.
#include <cstring>
#include <map>
#include <utility>

#include "ChunkIO.h"
#include "ClassDesc2.h"
#include "ClassDirectory.h"
#include "SceneFile.h"
#include "SceneFileWrite.h"
#include "SceneFormat.h"
#include "StringConv.h"

namespace {

using namespace scenefmt;

// The host's ISave: chunks framed in a growing buffer, each length filled in at its end.
class SceneWriter : public ISave {
public:
    explicit SceneWriter(std::vector<BYTE>& out) : out_(out) {}

    void BeginChunk(USHORT id) override {
        const BYTE header[kChunkHeaderSize] = {BYTE(id), BYTE(id >> 8), 0, 0, 0, 0};
        if (!append(header, sizeof header)) return;
        open_.push_back(out_.size() - 4);
    }

    void EndChunk() override {
        if (open_.empty()) return fail("a chunk was ended that was never begun");
        const std::size_t at = open_.back();
        open_.pop_back();
        const std::size_t length = out_.size() - (at + 4);
        for (int i = 0; i < 4; ++i) out_[at + std::size_t(i)] = BYTE(length >> (8 * i));
    }

    IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) override {
        if (nwrit) *nwrit = 0;
        if (!append(buf, nbytes)) return IO_ERROR;
        if (nwrit) *nwrit = nbytes;
        return IO_OK;
    }

    std::size_t depth() const { return open_.size(); }
    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

    void fail(const std::string& what) {
        if (error_.empty()) error_ = what;
    }

private:
    bool append(const void* p, std::size_t n) {
        if (failed()) return false;
        if (n > kMaxFileBytes - out_.size()) {
            fail("the scene is larger than the format's limit of " + std::to_string(kMaxFileBytes) +
                 " bytes");
            return false;
        }
        const auto* bytes = static_cast<const BYTE*>(p);
        out_.insert(out_.end(), bytes, bytes + n);
        return true;
    }

    std::vector<BYTE>& out_;
    std::vector<std::size_t> open_;  // positions of the length fields of open chunks
    std::string error_;
};

// Reference r as the host recorded it when the maker keeps nothing there itself (a maker may
// decline to keep a target it cannot use, as a material declines an older block until the
// post-load conversion replaces it).
ReferenceTarget* referenceOf(ReferenceTarget* obj, int r) {
    ReferenceTarget* t = obj->GetReference(r);
    return t ? t : obj->HostHeldReference(r);
}

std::string className(ReferenceTarget* obj) {
    MSTR name;
    obj->GetClassName(name, false);
    return name.empty() ? std::string("unnamed class") : toUtf8(name);
}

// Every object reachable from the roots, each once, numbered in the order first met.
std::vector<ReferenceTarget*> numberObjects(Scene& scene,
                                            std::map<ReferenceTarget*, std::uint32_t>& index) {
    std::vector<ReferenceTarget*> order;
    std::vector<ReferenceTarget*> pending;
    for (int i = scene.Count() - 1; i >= 0; --i) pending.push_back(scene.Object(i));
    while (!pending.empty()) {
        ReferenceTarget* obj = pending.back();
        pending.pop_back();
        if (!obj || index.count(obj)) continue;
        index[obj] = std::uint32_t(order.size());
        order.push_back(obj);
        for (int r = obj->NumRefs() - 1; r >= 0; --r) pending.push_back(referenceOf(obj, r));
    }
    return order;
}

struct ClassKey {
    SClass_ID super;
    ULONG a, b;
    auto operator<=>(const ClassKey&) const = default;
};

}  // namespace

bool saveSceneToBytes(Scene& scene, std::vector<BYTE>& out, std::string& error) {
    out.clear();
    std::map<ReferenceTarget*, std::uint32_t> index;
    const std::vector<ReferenceTarget*> objects = numberObjects(scene, index);
    if (objects.size() > kMaxObjects) {
        error = "the scene has " + std::to_string(objects.size()) + " objects, more than the " +
                std::to_string(kMaxObjects) + " a file may hold";
        return false;
    }

    std::map<ClassKey, std::uint32_t> classIndex;
    std::vector<ClassKey> classes;
    std::vector<std::uint32_t> objectClass;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        ReferenceTarget* obj = objects[i];
        const Class_ID cid = obj->ClassID();
        const ClassKey key{obj->SuperClassID(), cid.PartA(), cid.PartB()};
        // Saving what no loader could create again would lose the object silently.
        if (!FindClassDesc(key.super, cid)) {
            error = "object " + std::to_string(i) + " (" + className(obj) +
                    ") is of a class that is not in the class directory";
            return false;
        }
        auto [it, added] = classIndex.try_emplace(key, std::uint32_t(classes.size()));
        if (added) classes.push_back(key);
        objectClass.push_back(it->second);
    }

    out.insert(out.end(), std::begin(kMagic), std::end(kMagic));
    SceneWriter w(out);
    writeU32(&w, kSceneFormatVersion);

    w.BeginChunk(kClassTable);
    writeU32(&w, std::uint32_t(classes.size()));
    for (const ClassKey& c : classes) {
        writeU32(&w, c.super);
        writeU32(&w, c.a);
        writeU32(&w, c.b);
    }
    w.EndChunk();

    w.BeginChunk(kObjects);
    for (std::size_t i = 0; i < objects.size() && !w.failed(); ++i) {
        ReferenceTarget* obj = objects[i];
        w.BeginChunk(kObject);
        w.BeginChunk(kObjectHeader);
        writeU32(&w, objectClass[i]);
        const int nrefs = obj->NumRefs();
        writeU32(&w, std::uint32_t(nrefs));
        for (int r = 0; r < nrefs; ++r) {
            ReferenceTarget* target = referenceOf(obj, r);
            writeI32(&w, target ? std::int32_t(index.at(target)) : -1);
        }
        w.EndChunk();
        w.BeginChunk(kObjectData);
        const std::size_t depth = w.depth();
        const IOResult saved = obj->Save(&w);
        const std::string what = "object " + std::to_string(i) + " (" + className(obj) + ")";
        if (saved != IO_OK)
            w.fail(what + " could not save its data (result " + std::to_string(saved) + ")");
        if (w.depth() != depth) w.fail(what + " left its chunks unbalanced");
        w.EndChunk();
        w.EndChunk();
    }
    w.EndChunk();

    w.BeginChunk(kRoots);
    std::vector<std::uint32_t> roots;
    for (int i = 0; i < scene.Count(); ++i)
        if (ReferenceTarget* obj = scene.Object(i)) roots.push_back(index.at(obj));
    writeU32(&w, std::uint32_t(roots.size()));
    for (std::uint32_t r : roots) writeU32(&w, r);
    w.EndChunk();

    if (w.failed()) {
        error = w.error();
        out.clear();
        return false;
    }
    return true;
}

bool saveScene(Scene& scene, const std::string& path, std::string& error,
               const SceneWriteFaults& faults) {
    std::vector<BYTE> bytes;
    if (!saveSceneToBytes(scene, bytes, error)) {
        error = path + ": not saved: " + error;
        return false;
    }
    return writeFileReplacing(path, bytes, error, faults);
}
