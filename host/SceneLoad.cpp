// Reading scenes. The container is checked whole before any object exists: preamble, every
// chunk length against its parent, counts against their caps, class identities against the
// class directory, reference indices against the objects, the reference graph for cycles,
// depth and unreachable objects. Only then are objects created and their data read, each
// confined to its own data chunk; references are linked and the post-load callbacks run last.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>

#include "ChunkIO.h"
#include "ClassDesc2.h"
#include "ClassDirectory.h"
#include "ParamBlock2.h"
#include "ParamBlockLegacy.h"
#include "SceneFile.h"
#include "SceneFormat.h"
#include "StringConv.h"
#include "Texmap.h"

namespace {

using namespace scenefmt;

std::string hex(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

std::string chunkName(USHORT id) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", unsigned(id));
    return buf;
}

// A failure with the byte offset it concerns.
struct LoadFailure {
    std::size_t offset;
    std::string what;
};

// The host's ILoad over a byte range of the file: chunks are opened and read within the
// range only, and the first problem met is kept with its offset.
class SceneReader : public ILoad {
public:
    explicit SceneReader(std::span<const BYTE> file) : file_(file) {}

    // Confines reading to [begin, end) of the file, with no chunk open.
    void setRegion(std::size_t begin, std::size_t end) {
        frames_.assign(1, Frame{begin, end, begin, 0});
        problem_.reset();
    }

    IOResult OpenChunk() override {
        Frame& parent = frames_.back();
        if (parent.cursor == parent.end) return IO_END;
        const std::size_t at = parent.cursor;
        const std::size_t left = parent.end - at;
        if (left < kChunkHeaderSize)
            return fail(at, "a chunk header needs 6 bytes, but only " + std::to_string(left) +
                                " remain in the enclosing " + enclosing());
        if (frames_.size() > std::size_t(kMaxChunkDepth))
            return fail(at, "chunks nest deeper than " + std::to_string(kMaxChunkDepth));
        const USHORT id = USHORT(file_[at] | file_[at + 1] << 8);
        const std::size_t length = std::size_t(file_[at + 2]) | std::size_t(file_[at + 3]) << 8 |
                                   std::size_t(file_[at + 4]) << 16 |
                                   std::size_t(file_[at + 5]) << 24;
        if (length > left - kChunkHeaderSize)
            return fail(at, "chunk " + chunkName(id) + " claims " + std::to_string(length) +
                                " bytes, but only " + std::to_string(left - kChunkHeaderSize) +
                                " remain in the enclosing " + enclosing());
        const std::size_t begin = at + kChunkHeaderSize;
        parent.cursor = begin + length;
        frames_.push_back(Frame{begin, begin + length, begin, id});
        return IO_OK;
    }

    USHORT CurChunkID() override { return frames_.size() > 1 ? frames_.back().id : 0; }

    IOResult CloseChunk() override {
        if (frames_.size() <= 1) return IO_ERROR;
        frames_.pop_back();
        return IO_OK;
    }

    IOResult Read(void* buf, ULONG nbytes, ULONG* nread) override {
        if (nread) *nread = 0;
        Frame& f = frames_.back();
        const std::size_t left = f.end - f.cursor;
        if (nbytes > left)
            return fail(f.cursor, "a read of " + std::to_string(nbytes) + " bytes runs past the " +
                                      enclosing() + ", which has " + std::to_string(left) +
                                      " left");
        if (nbytes > 0) std::memcpy(buf, file_.data() + f.cursor, nbytes);
        f.cursor += nbytes;
        if (nread) *nread = nbytes;
        return IO_OK;
    }

    void RegisterPostLoadCallback(PostLoadCallback* cb) override {
        if (cb) callbacks.push_back(cb);
    }

    // Where the next chunk or read begins.
    std::size_t offset() const { return frames_.back().cursor; }
    std::size_t chunkEnd() const { return frames_.back().end; }
    std::size_t chunkSize() const { return frames_.back().end - frames_.back().begin; }

    IOResult fail(std::size_t at, const std::string& what) {
        if (!problem_) problem_ = LoadFailure{at, what};
        return IO_ERROR;
    }
    void note(const std::string& what) { fail(offset(), what); }
    const std::optional<LoadFailure>& problem() const { return problem_; }

    std::vector<PostLoadCallback*> callbacks;

private:
    struct Frame {
        std::size_t begin, end, cursor;
        USHORT id;
    };

    std::string enclosing() const {
        return frames_.size() > 1 ? "chunk " + chunkName(frames_.back().id) : "region";
    }

    std::span<const BYTE> file_;
    std::vector<Frame> frames_;
    std::optional<LoadFailure> problem_;
};

// One object as the container describes it.
struct ObjectEntry {
    std::size_t offset = 0;  // of its 0x0210 chunk
    std::uint32_t classIndex = 0;
    std::vector<std::int32_t> refs;
    std::size_t dataBegin = 0, dataEnd = 0;
    bool hasHeader = false, hasData = false;
};

struct ClassEntry {
    SClass_ID super;
    Class_ID id;
    ClassDesc* cd;
};

struct Layout {
    std::vector<ClassEntry> classes;
    std::vector<ObjectEntry> objects;
    std::vector<std::uint32_t> roots;
};

class Failed {};  // thrown inside this file only, once the failure is recorded

class Loader {
public:
    Loader(std::span<const BYTE> bytes, const std::string& name)
        : bytes_(bytes), name_(name), reader_(bytes) {}

    std::unique_ptr<Scene> run(std::string& error) {
        std::vector<ReferenceTarget*> created;
        try {
            checkPreamble();
            readLayout();
            checkGraph();
            created = createObjects();
            loadObjects(created);
            checkReferenceKinds(created);
        } catch (const Failed&) {
            error = message_;
            for (PostLoadCallback* cb : reader_.callbacks) cb->DeleteThis();
            for (ReferenceTarget* obj : created)
                if (obj) obj->DeleteThis();
            return nullptr;
        }
        return finish(created);
    }

private:
    [[noreturn]] void fail(std::size_t offset, const std::string& what) {
        message_ = name_ + ": byte " + std::to_string(offset) + ": " + what;
        throw Failed();
    }

    [[noreturn]] void failFromReader(const std::string& fallbackWhat) {
        if (const auto& p = reader_.problem()) fail(p->offset, p->what);
        fail(reader_.offset(), fallbackWhat);
    }

    std::uint32_t u32(const char* what) {
        std::uint32_t v = 0;
        if (readU32(&reader_, v) != IO_OK) failFromReader(std::string("cannot read ") + what);
        return v;
    }

    // The next chunk at the current level; false at the end of the level.
    bool next() {
        const IOResult r = reader_.OpenChunk();
        if (r == IO_END) return false;
        if (r != IO_OK) failFromReader("unreadable chunk");
        return true;
    }

    // Fails unless the open chunk is exactly `expected` bytes long.
    void expectSize(std::size_t expected, const std::string& what) {
        if (reader_.chunkSize() != expected)
            fail(reader_.offset(), what + " needs " + std::to_string(expected) +
                                       " bytes, but its chunk holds " +
                                       std::to_string(reader_.chunkSize()));
    }

    void checkPreamble() {
        if (bytes_.size() < kPreambleSize)
            fail(0, "the file is " + std::to_string(bytes_.size()) +
                        " bytes long, too short for a scene file's " +
                        std::to_string(kPreambleSize) + "-byte preamble");
        if (bytes_.size() > kMaxFileBytes)
            fail(0, "the file is larger than the format's limit of " +
                        std::to_string(kMaxFileBytes) + " bytes");
        if (!std::equal(std::begin(kMagic), std::end(kMagic), bytes_.begin()))
            fail(0, "not a scene file (it does not begin with \"TAVROSCN\")");
        const std::uint32_t version = std::uint32_t(bytes_[8]) | std::uint32_t(bytes_[9]) << 8 |
                                      std::uint32_t(bytes_[10]) << 16 |
                                      std::uint32_t(bytes_[11]) << 24;
        if (version > kSceneFormatVersion)
            fail(8, "the file is in format version " + std::to_string(version) +
                        ", written by a newer program; this program reads versions up to " +
                        std::to_string(kSceneFormatVersion));
        if (version == 0) fail(8, "format version 0 does not exist");
        reader_.setRegion(kPreambleSize, bytes_.size());
    }

    void readLayout() {
        enum Stage { kNone, kHaveClasses, kHaveObjects, kHaveRoots } stage = kNone;
        while (next()) {
            const std::size_t at = reader_.offset() - kChunkHeaderSize;
            switch (reader_.CurChunkID()) {
                case kClassTable:
                    if (stage != kNone) fail(at, "a second class table, or one out of order");
                    readClasses();
                    stage = kHaveClasses;
                    break;
                case kObjects:
                    if (stage != kHaveClasses) fail(at, "objects before the class table, or twice");
                    readObjects();
                    stage = kHaveObjects;
                    break;
                case kRoots:
                    if (stage != kHaveObjects) fail(at, "roots before the objects, or twice");
                    readRoots();
                    stage = kHaveRoots;
                    break;
                default:
                    break;  // a later format's addition
            }
            reader_.CloseChunk();
        }
        if (stage != kHaveRoots)
            fail(bytes_.size(),
                 std::string("the file ends without its ") + (stage == kNone ? "class table"
                                                              : stage == kHaveClasses ? "objects"
                                                                                      : "roots"));
    }

    void readClasses() {
        const std::size_t at = reader_.offset();
        const std::uint32_t count = u32("the number of classes");
        if (count > kMaxClasses)
            fail(at, "the class table lists " + std::to_string(count) + " classes, more than " +
                         std::to_string(kMaxClasses));
        expectSize(4 + std::size_t(count) * 12,
                   "a class table of " + std::to_string(count) + " classes");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t entry = reader_.offset();
            const SClass_ID super = u32("a super class");
            const std::uint32_t a = u32("a class id");
            const std::uint32_t b = u32("a class id");
            ClassDesc* cd = FindClassDesc(super, Class_ID(a, b));
            if (!cd)
                fail(entry, "class " + std::to_string(i) + " (super class " + hex(super) +
                                ", class id " + hex(a) + ", " + hex(b) +
                                ") is not known to this host; is its module loaded?");
            layout_.classes.push_back({super, Class_ID(a, b), cd});
        }
    }

    void readObjects() {
        while (next()) {
            const std::size_t at = reader_.offset() - kChunkHeaderSize;
            if (reader_.CurChunkID() == kObject) {
                if (layout_.objects.size() >= kMaxObjects)
                    fail(at, "more than " + std::to_string(kMaxObjects) + " objects");
                layout_.objects.push_back(readObject(at));
            }
            reader_.CloseChunk();
        }
        // Indices can be checked once the number of objects is known.
        const auto count = std::int64_t(layout_.objects.size());
        for (std::size_t i = 0; i < layout_.objects.size(); ++i) {
            const ObjectEntry& e = layout_.objects[i];
            for (std::size_t r = 0; r < e.refs.size(); ++r)
                if (e.refs[r] < -1 || e.refs[r] >= count)
                    fail(e.offset, "object " + std::to_string(i) + " refers through reference " +
                                       std::to_string(r) + " to object " +
                                       std::to_string(e.refs[r]) + ", but the file holds " +
                                       std::to_string(count) + " objects");
        }
    }

    ObjectEntry readObject(std::size_t at) {
        ObjectEntry e;
        e.offset = at;
        const std::string which = "object " + std::to_string(layout_.objects.size());
        while (next()) {
            const std::size_t chunkAt = reader_.offset() - kChunkHeaderSize;
            switch (reader_.CurChunkID()) {
                case kObjectHeader: {
                    if (e.hasHeader) fail(chunkAt, which + " has two headers");
                    e.hasHeader = true;
                    const std::size_t classAt = reader_.offset();
                    e.classIndex = u32("a class index");
                    if (e.classIndex >= layout_.classes.size())
                        fail(classAt, which + " is of class " + std::to_string(e.classIndex) +
                                          ", but the class table lists " +
                                          std::to_string(layout_.classes.size()));
                    const std::size_t countAt = reader_.offset();
                    const std::uint32_t n = u32("a reference count");
                    if (n > kMaxReferences)
                        fail(countAt, which + " claims " + std::to_string(n) +
                                          " references, more than " +
                                          std::to_string(kMaxReferences));
                    expectSize(8 + std::size_t(n) * 4,
                               "the header of an object with " + std::to_string(n) + " references");
                    e.refs.resize(n);
                    for (std::int32_t& r : e.refs) r = std::int32_t(u32("a reference"));
                    break;
                }
                case kObjectData:
                    if (e.hasData) fail(chunkAt, which + " has two data chunks");
                    e.hasData = true;
                    e.dataBegin = reader_.offset();
                    e.dataEnd = reader_.chunkEnd();
                    break;
                default:
                    break;
            }
            reader_.CloseChunk();
        }
        if (!e.hasHeader) fail(at, which + " has no header chunk");
        if (!e.hasData) fail(at, which + " has no data chunk");
        return e;
    }

    void readRoots() {
        const std::size_t at = reader_.offset();
        const std::uint32_t count = u32("the number of roots");
        if (count > layout_.objects.size())
            fail(at, "the scene lists " + std::to_string(count) +
                         " top-level objects, but the "
                         "file holds " +
                         std::to_string(layout_.objects.size()) + " objects");
        expectSize(4 + std::size_t(count) * 4, "a list of " + std::to_string(count) + " roots");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t entry = reader_.offset();
            const std::uint32_t r = u32("a root");
            if (r >= layout_.objects.size())
                fail(entry, "top-level object " + std::to_string(i) + " is object " +
                                std::to_string(r) + ", but the file holds " +
                                std::to_string(layout_.objects.size()) + " objects");
            layout_.roots.push_back(r);
        }
    }

    // No cycles, no chain deeper than the cap, nothing unreachable from the roots. Iterative,
    // so a hostile graph cannot exhaust the stack.
    void checkGraph() {
        const std::size_t n = layout_.objects.size();
        enum : BYTE { kUnseen, kOnPath, kDone };
        std::vector<BYTE> state(n, kUnseen);
        std::vector<int> height(n, 0);  // longest chain of references below an object
        struct Step {
            std::uint32_t object;
            std::size_t nextRef;
        };
        std::vector<Step> path;
        for (std::uint32_t root : layout_.roots) {
            if (state[root] == kDone) continue;
            path.push_back({root, 0});
            state[root] = kOnPath;
            while (!path.empty()) {
                Step& s = path.back();
                const ObjectEntry& e = layout_.objects[s.object];
                if (s.nextRef == e.refs.size()) {
                    state[s.object] = kDone;
                    const int h = height[s.object];
                    path.pop_back();
                    if (!path.empty())
                        height[path.back().object] = std::max(height[path.back().object], h + 1);
                    continue;
                }
                const std::int32_t t = e.refs[s.nextRef++];
                if (t < 0) continue;
                const auto target = std::uint32_t(t);
                if (state[target] == kOnPath)
                    fail(e.offset, "object " + std::to_string(s.object) + " refers to object " +
                                       std::to_string(target) +
                                       ", which refers back to it: references form a cycle");
                if (state[target] == kDone) {
                    height[s.object] = std::max(height[s.object], height[target] + 1);
                    continue;
                }
                if (int(path.size()) >= kMaxReferenceDepth)
                    fail(e.offset, "references nest deeper than " +
                                       std::to_string(kMaxReferenceDepth) + " objects");
                state[target] = kOnPath;
                path.push_back({target, 0});
            }
            if (height[root] >= kMaxReferenceDepth)
                fail(layout_.objects[root].offset, "references nest deeper than " +
                                                       std::to_string(kMaxReferenceDepth) +
                                                       " objects");
        }
        for (std::size_t i = 0; i < n; ++i)
            if (state[i] != kDone)
                fail(layout_.objects[i].offset,
                     "object " + std::to_string(i) +
                         " is not reached from any top-level object of the scene");
    }

    std::string describe(std::size_t i) const {
        const ObjectEntry& e = layout_.objects[i];
        const ClassDesc* cd = layout_.classes[e.classIndex].cd;
        const MCHAR* cls = const_cast<ClassDesc*>(cd)->ClassName();
        return "object " + std::to_string(i) + " (" + (cls ? toUtf8(cls) : std::string("?")) + ")";
    }

    std::vector<ReferenceTarget*> createObjects() {
        std::vector<ReferenceTarget*> created(layout_.objects.size(), nullptr);
        for (std::size_t i = 0; i < created.size(); ++i) {
            const ObjectEntry& e = layout_.objects[i];
            const ClassEntry& c = layout_.classes[e.classIndex];
            auto* obj = static_cast<ReferenceTarget*>(c.cd->Create(TRUE));
            if (!obj) fail(e.offset, describe(i) + " could not be created");
            created[i] = obj;
            if (obj->SuperClassID() != c.super || !(obj->ClassID() == c.id))
                fail(e.offset, describe(i) +
                                   ": its class descriptor made an object of another "
                                   "class");
        }
        return created;
    }

    void loadObjects(const std::vector<ReferenceTarget*>& created) {
        for (std::size_t i = 0; i < created.size(); ++i) {
            const ObjectEntry& e = layout_.objects[i];
            reader_.setRegion(e.dataBegin, e.dataEnd);
            const IOResult r = created[i]->Load(&reader_);
            if (r != IO_OK)
                failFromReader(describe(i) + " could not read its data (result " +
                               std::to_string(r) + ")");
            if (std::size_t(created[i]->NumRefs()) < e.refs.size())
                fail(e.offset, describe(i) + " has " + std::to_string(created[i]->NumRefs()) +
                                   " references, but the file gives it " +
                                   std::to_string(e.refs.size()));
        }
        reader_.setRegion(bytes_.size(), bytes_.size());
    }

    static bool isBlock(ReferenceTarget* t, ParamBlockDesc2* desc) {
        if (t->SuperClassID() == PARAMETER_BLOCK_CLASS_ID) return dynamic_cast<IParamBlock*>(t);
        auto* pb = dynamic_cast<IParamBlock2*>(t);
        return pb && pb->GetDesc() == desc;
    }

    static bool isTexmap(ReferenceTarget* t) {
        return t->SuperClassID() == TEXMAP_CLASS_ID && dynamic_cast<Texmap*>(t);
    }

    // A reference that its maker's class descriptor declares (a parameter block it builds, the
    // map of one of its parameters) must hold an object of that kind, and a block it builds
    // must be there: the maker relies on both.
    void checkReferenceKinds(const std::vector<ReferenceTarget*>& created) {
        for (std::size_t i = 0; i < created.size(); ++i) {
            const ObjectEntry& e = layout_.objects[i];
            auto target = [&](int r) -> ReferenceTarget* {
                return r >= 0 && std::size_t(r) < e.refs.size() && e.refs[std::size_t(r)] >= 0
                           ? created[std::size_t(e.refs[std::size_t(r)])]
                           : nullptr;
            };
            auto refFail = [&](int r, const std::string& what) {
                fail(e.offset, describe(i) + ", reference " + std::to_string(r) + ": " + what);
            };
            // Blocks and texture maps refer to nothing but texture maps.
            if (dynamic_cast<IParamBlock2*>(created[i]) || isTexmap(created[i])) {
                for (int r = 0; r < int(e.refs.size()); ++r)
                    if (ReferenceTarget* t = target(r); t && !isTexmap(t))
                        refFail(r, "holds something other than a texture map");
                continue;
            }
            auto* cd = dynamic_cast<ClassDesc2*>(layout_.classes[e.classIndex].cd);
            if (!cd) continue;
            for (int b = 0; b < cd->NumParamBlockDescs(); ++b) {
                ParamBlockDesc2* desc = cd->GetParamBlockDesc(b);
                if (!desc) continue;
                const int refno = desc->header().refno;
                if ((desc->header().flags & P_AUTO_CONSTRUCT) && refno >= 0) {
                    ReferenceTarget* t = target(refno);
                    if (!t) refFail(refno, "the object's parameter block is missing");
                    if (!isBlock(t, desc))
                        refFail(refno, "holds something other than the object's parameter block");
                }
                for (const ParamDef& d : desc->Params()) {
                    if (d.type != TYPE_TEXMAP || !(d.flags & P_OWNERS_REF)) continue;
                    if (ReferenceTarget* t = target(d.refno); t && !isTexmap(t))
                        refFail(d.refno, "the map of a parameter must be a texture map");
                }
            }
        }
    }

    std::unique_ptr<Scene> finish(const std::vector<ReferenceTarget*>& created) {
        for (std::size_t i = 0; i < created.size(); ++i) {
            const ObjectEntry& e = layout_.objects[i];
            for (std::size_t r = 0; r < e.refs.size(); ++r)
                if (e.refs[r] >= 0)
                    created[i]->ReplaceReference(int(r), created[std::size_t(e.refs[r])], FALSE);
        }
        auto scene = std::make_unique<Scene>();
        for (std::uint32_t r : layout_.roots) scene->Add(created[r]);

        std::vector<PostLoadCallback*> callbacks = std::move(reader_.callbacks);
        std::stable_sort(
            callbacks.begin(), callbacks.end(),
            [](PostLoadCallback* a, PostLoadCallback* b) { return a->Priority() < b->Priority(); });
        for (PostLoadCallback* cb : callbacks) cb->proc(&reader_);
        for (PostLoadCallback* cb : callbacks) cb->DeleteThis();
        return scene;
    }

    std::span<const BYTE> bytes_;
    std::string name_;
    SceneReader reader_;
    Layout layout_;
    std::string message_;
};

}  // namespace

std::unique_ptr<Scene> loadSceneFromBytes(std::span<const BYTE> bytes, const std::string& name,
                                          std::string& error) {
    return Loader(bytes, name).run(error);
}

std::unique_ptr<Scene> loadScene(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open: " + std::strerror(errno);
        return nullptr;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        error = path + ": cannot tell its size";
        return nullptr;
    }
    if (std::uint64_t(size) > kMaxFileBytes) {
        error = path + ": byte 0: the file is " + std::to_string(size) +
                " bytes, larger than the format's limit of " + std::to_string(kMaxFileBytes);
        return nullptr;
    }
    std::vector<BYTE> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) {
        error = path + ": cannot read: " + std::strerror(errno);
        return nullptr;
    }
    return loadSceneFromBytes(bytes, path, error);
}

void reportLoadError(ILoad* iload, const std::string& what) {
    if (auto* reader = dynamic_cast<SceneReader*>(iload)) reader->note(what);
}
