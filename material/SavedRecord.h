// The record of the cached values in the material's scene chunk: 236 bytes, little-endian,
// no header or padding. Colours are three floats, flags one byte each, the rest 4 bytes.
#pragma once

#include <span>
#include <variant>

#include "material/TavroMtl.h"

// A flag: saved as the lowest byte of its 32-bit field.
struct SavedFlag {
    BOOL TavroMtlCache::*member;
};

using SavedField =
    std::variant<Color TavroMtlCache::*, SavedFlag, float TavroMtlCache::*, int TavroMtlCache::*>;

// The fields in record order.
std::span<const SavedField> savedRecordFields();

// Bytes a field takes in the record.
ULONG savedFieldSize(const SavedField& field);

constexpr ULONG kSavedRecordSize = 236;
