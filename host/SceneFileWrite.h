// Replacing a file without ever leaving it damaged or missing: the new bytes go to a fresh
// file beside it, reach the disk, and only then take its name in one rename.
#pragma once

#include <span>
#include <string>

#include "HostTypes.h"
#include "SceneFile.h"

// Writes `bytes` as the file `path`. On failure the file at `path` is untouched, the new file
// is removed, and `error` names the file and the reason (the system's words).
bool writeFileReplacing(const std::string& path, std::span<const BYTE> bytes, std::string& error,
                        const SceneWriteFaults& faults = {});
