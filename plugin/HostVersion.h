// The host version constant a build reports through LibVersion, per host SDK.
#pragma once

#include "HostTypes.h"

// The host packs its release number (high 16 bits), API number and SDK revision.
constexpr ULONG hostVersionConstant(ULONG release, ULONG api, ULONG sdkRevision) {
    return (release << 16) | (api << 8) | sdkRevision;
}

// 0 for an SDK year this module is not built for.
constexpr ULONG hostVersionForSdk(int sdkYear) {
    switch (sdkYear) {
        case 2017:
            return hostVersionConstant(19000, 48, 0);
        case 2018:
            return hostVersionConstant(20000, 50, 0);
        case 2019:
            return hostVersionConstant(21000, 52, 0);
        case 2020:
            return hostVersionConstant(22000, 55, 0);
        case 2021:
            return hostVersionConstant(23000, 57, 0);
        default:
            return 0;
    }
}
