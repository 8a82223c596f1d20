// Little-endian chunk fields and the UTF-16 form of wide strings in scene files.
#include "ChunkIO.h"

#include <vector>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

IOResult writeBytes(ISave* isave, const void* p, ULONG n) {
    ULONG written = 0;
    const IOResult r = isave->Write(p, n, &written);
    return r == IO_OK && written == n ? IO_OK : IO_ERROR;
}

IOResult readBytes(ILoad* iload, void* p, ULONG n) {
    ULONG got = 0;
    const IOResult r = iload->Read(p, n, &got);
    return r == IO_OK && got == n ? IO_OK : IO_ERROR;
}

std::vector<std::uint16_t> toUtf16(const std::wstring& s) {
    std::vector<std::uint16_t> units;
    units.reserve(s.size());
    for (wchar_t wc : s) {
        auto c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
        if (c < 0x10000) {
            units.push_back(static_cast<std::uint16_t>(c));
        } else {
            c -= 0x10000;
            units.push_back(static_cast<std::uint16_t>(0xD800 + (c >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + (c & 0x3FF)));
        }
    }
    return units;
}

bool fromUtf16(const std::vector<std::uint16_t>& units, std::wstring& s) {
    s.clear();
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t u = units[i];
        if (u >= 0xDC00 && u <= 0xDFFF) return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)
                return false;
            const char32_t lo = units[++i];
            s += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
        } else {
            s += static_cast<wchar_t>(u);
        }
    }
    return true;
}

}  // namespace

IOResult writeU32(ISave* isave, std::uint32_t v) {
    const BYTE b[4] = {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
    return writeBytes(isave, b, sizeof b);
}

IOResult writeI32(ISave* isave, std::int32_t v) {
    return writeU32(isave, std::uint32_t(v));
}

IOResult writeWString(ISave* isave, const std::wstring& s, std::uint32_t maxUnits) {
    const std::vector<std::uint16_t> units = toUtf16(s);
    if (units.size() > maxUnits) return IO_ERROR;
    std::vector<BYTE> bytes;
    bytes.reserve(units.size() * 2);
    for (std::uint16_t u : units) {
        bytes.push_back(BYTE(u));
        bytes.push_back(BYTE(u >> 8));
    }
    if (writeU32(isave, std::uint32_t(units.size())) != IO_OK) return IO_ERROR;
    return bytes.empty() ? IO_OK : writeBytes(isave, bytes.data(), ULONG(bytes.size()));
}

IOResult readU32(ILoad* iload, std::uint32_t& v) {
    BYTE b[4];
    if (readBytes(iload, b, sizeof b) != IO_OK) return IO_ERROR;
    v = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
        std::uint32_t(b[3]) << 24;
    return IO_OK;
}

IOResult readI32(ILoad* iload, std::int32_t& v) {
    std::uint32_t u = 0;
    if (readU32(iload, u) != IO_OK) return IO_ERROR;
    v = std::int32_t(u);
    return IO_OK;
}

IOResult readWString(ILoad* iload, std::wstring& s, std::uint32_t maxUnits) {
    std::uint32_t count = 0;
    if (readU32(iload, count) != IO_OK || count > maxUnits) return IO_ERROR;
    std::vector<BYTE> bytes(std::size_t(count) * 2);
    if (count > 0 && readBytes(iload, bytes.data(), ULONG(bytes.size())) != IO_OK) return IO_ERROR;
    std::vector<std::uint16_t> units(count);
    for (std::size_t i = 0; i < count; ++i)
        units[i] = std::uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return fromUtf16(units, s) ? IO_OK : IO_ERROR;
}
