// Chunk ids and limits of the scene file container (the format is described in SceneFile.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "HostTypes.h"

namespace scenefmt {

constexpr char kMagic[8] = {'T', 'A', 'V', 'R', 'O', 'S', 'C', 'N'};
constexpr std::size_t kPreambleSize = 12;  // magic and format version
constexpr std::size_t kChunkHeaderSize = 6;

constexpr USHORT kClassTable = 0x0100;
constexpr USHORT kObjects = 0x0200;
constexpr USHORT kObject = 0x0210;
constexpr USHORT kObjectHeader = 0x0211;
constexpr USHORT kObjectData = 0x0212;
constexpr USHORT kRoots = 0x0300;

// Largest file read or written: far beyond a scene of materials, small enough to hold in
// memory at once.
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;
// Most distinct classes in one file: more than every class a host and its modules offer.
constexpr std::uint32_t kMaxClasses = 4096;
// Most objects in one file: thousands of materials with all their maps and blocks.
constexpr std::uint32_t kMaxObjects = 1u << 20;
// Most references of one object: well above any class's (a material has 14).
constexpr std::uint32_t kMaxReferences = 4096;
// Longest chain of references from a root: materials nest a few maps deep; the cap keeps the
// recursive release, update and clone of a chain within the stack.
constexpr int kMaxReferenceDepth = 256;
// Deepest nesting of chunks: objects nest a handful; the cap bounds the reader's state.
constexpr int kMaxChunkDepth = 64;

}  // namespace scenefmt
