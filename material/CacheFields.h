// How the cached values map to parameters: which fields an update refreshes, in the order
// it reads them.
#pragma once

#include <span>
#include <variant>

#include "material/TavroMtl.h"

// A cached field of one of the three stored kinds; Booleans and integers share `int`.
using CacheField =
    std::variant<int TavroMtlCache::*, float TavroMtlCache::*, Color TavroMtlCache::*>;

struct RefreshedField {
    ParamID param;
    CacheField field;
};

// The 45 fields an update reads from the block, in reading order.
std::span<const RefreshedField> refreshedCacheFields();
