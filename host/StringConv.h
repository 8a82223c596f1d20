// Conversions between the host's wide strings and UTF-8 for terminals and files.
#pragma once

#include <string>

// UTF-8 of a wide string (UTF-32 on this platform); invalid code points become U+FFFD.
inline std::string toUtf8(const std::wstring& w) {
    std::string out;
    out.reserve(w.size());
    for (wchar_t wc : w) {
        auto c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Wide string of UTF-8 text; malformed sequences become U+FFFD.
inline std::wstring fromUtf8(const std::string& s) {
    std::wstring out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t extra = b < 0x80           ? 0
                                  : (b >> 5) == 0x6  ? 1
                                  : (b >> 4) == 0xE  ? 2
                                  : (b >> 3) == 0x1E ? 3
                                                     : 4;
        bool ok = extra < 4 && i + extra < s.size();
        char32_t c = b & (0x7F >> extra);
        for (std::size_t k = 1; ok && k <= extra; ++k) {
            const auto cb = static_cast<unsigned char>(s[i + k]);
            ok = (cb & 0xC0) == 0x80;
            c = (c << 6) | (cb & 0x3F);
        }
        if (!ok) {
            out += L'\xFFFD';
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i += extra + 1;
    }
    return out;
}
