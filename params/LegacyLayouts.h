// The two earlier layouts of the material's parameter block, version 0 and version 1, which
// the host converts to the current descriptor when it loads an older scene.
#pragma once

#include <span>

#include "ParamBlockLegacy.h"

// The version list, version 0 first; static data that lives as long as the module.
std::span<ParamVersionDesc> tavroLegacyVersions();
