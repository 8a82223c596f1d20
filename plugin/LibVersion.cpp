// Compiled once per host SDK into each module; the only difference between the builds.
#include "PluginExports.h"
#include "plugin/HostVersion.h"

#ifndef TAVRO_HOST_SDK
#error "TAVRO_HOST_SDK names the host SDK year this module is built against"
#endif

static_assert(hostVersionForSdk(TAVRO_HOST_SDK) != 0, "no host version known for TAVRO_HOST_SDK");

ULONG LibVersion() {
    return hostVersionForSdk(TAVRO_HOST_SDK);
}
