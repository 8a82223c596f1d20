// The platform's resource calls that modules make: strings from a module's string table.
#include <algorithm>
#include <string_view>

#include "ModuleResources.h"
#include "WinApi.h"

int LoadStringW(HINSTANCE instance, UINT id, wchar_t* buffer, int bufferMax) {
    const ModuleResourceTable* table = FindModuleResources(instance);
    if (!table || !buffer || bufferMax <= 0) return 0;
    for (std::size_t i = 0; i < table->stringCount; ++i) {
        const StringResource& s = table->strings[i];
        if (s.id != id) continue;
        const std::wstring_view text = s.text ? s.text : L"";
        const std::size_t n = std::min<std::size_t>(text.size(), std::size_t(bufferMax) - 1);
        std::copy_n(text.begin(), n, buffer);
        buffer[n] = L'\0';
        return static_cast<int>(n);
    }
    buffer[0] = L'\0';
    return 0;
}
