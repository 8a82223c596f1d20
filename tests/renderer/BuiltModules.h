// The five module builds, one per host SDK, with the version each must report.
#pragma once

#include <string>

#include "HostTypes.h"

struct BuiltModule {
    int sdk;
    ULONG version;
};

inline constexpr BuiltModule kBuiltModules[] = {
    {2017, 0x4A383000}, {2018, 0x4E203200}, {2019, 0x52083400},
    {2020, 0x55F03700}, {2021, 0x59D83900},
};

inline std::string modulePath(int sdk) {
    const std::string ver = std::to_string(sdk);
    return std::string(TAVRO_MODULE_DIR) + "/" + ver + "/TavroMtl_" + ver + ".dlt";
}
