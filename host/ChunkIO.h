// Little-endian fields inside scene chunks, written and read through ISave and ILoad.
// A wide string is stored as a 32-bit count of UTF-16 code units followed by the units.
#pragma once

#include <cstdint>

#include "HostTypes.h"
#include "SceneIO.h"

IOResult writeU32(ISave* isave, std::uint32_t v);
IOResult writeI32(ISave* isave, std::int32_t v);
// IO_ERROR when the text needs more than `maxUnits` UTF-16 units.
IOResult writeWString(ISave* isave, const std::wstring& s, std::uint32_t maxUnits);

IOResult readU32(ILoad* iload, std::uint32_t& v);
IOResult readI32(ILoad* iload, std::int32_t& v);
// IO_ERROR for a count above `maxUnits` (checked before anything is allocated), a short read,
// or an unpaired surrogate.
IOResult readWString(ILoad* iload, std::wstring& s, std::uint32_t maxUnits);
