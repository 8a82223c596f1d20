#include <gtest/gtest.h>

#include <string>

#include "VertexNormals.h"
#include "plugin/HostVersion.h"
#include "plugin/ModuleInstance.h"
#include "plugin/TavroClassDesc.h"
#include "tests/plugin/AttachedModule.h"

TEST(DllMain, RecordsTheInstanceOnProcessAttachOnly) {
    const HINSTANCE instance = attachModule();
    int other;
    HINSTANCE otherHandle = reinterpret_cast<HINSTANCE>(&other);
    for (DWORD reason : {DLL_PROCESS_DETACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH, DWORD{7}}) {
        EXPECT_EQ(DllMain(otherHandle, reason, nullptr), TRUE) << reason;
        EXPECT_EQ(moduleInstance(), instance) << reason;
    }
    EXPECT_EQ(DllMain(instance, DLL_PROCESS_ATTACH, nullptr), TRUE);
    EXPECT_EQ(moduleInstance(), instance);
}

TEST(Exports, DescribeOneClass) {
    attachModule();
    ASSERT_NE(LibDescription(), nullptr);
    EXPECT_EQ(std::wstring(LibDescription()), L"Tavro renderer material editor");
    EXPECT_EQ(LibNumberClasses(), 1);
    EXPECT_EQ(LibInitialize(), TRUE);
    EXPECT_EQ(LibShutdown(), TRUE);
}

TEST(Exports, ClassDescriptorOnlyForIndexZero) {
    ClassDesc* first = LibClassDesc(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LibClassDesc(0), first);
    EXPECT_EQ(first, static_cast<ClassDesc*>(&tavroClassDesc()));
    for (int i : {1, -1, 2, 1000}) EXPECT_EQ(LibClassDesc(i), nullptr) << i;
}

TEST(HostVersion, FiveSdksAndNoOther) {
    struct Row {
        int sdk;
        ULONG value;
        ULONG release, api;
    };
    const Row rows[] = {
        {2017, 0x4A383000, 19000, 48}, {2018, 0x4E203200, 20000, 50}, {2019, 0x52083400, 21000, 52},
        {2020, 0x55F03700, 22000, 55}, {2021, 0x59D83900, 23000, 57},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(hostVersionForSdk(r.sdk), r.value) << r.sdk;
        EXPECT_EQ(r.value >> 16, r.release);
        EXPECT_EQ((r.value >> 8) & 0xFF, r.api);
        EXPECT_EQ(r.value & 0xFF, 0u);
    }
    for (int sdk : {2016, 2022, 0}) EXPECT_EQ(hostVersionForSdk(sdk), 0u) << sdk;
}

TEST(VertexNormalsControl, StartsEnabledWithNoCallbacks) {
    const VertexNormalsControl control;
    EXPECT_TRUE(control.enabled);
    EXPECT_TRUE(control.callbacks.empty());
}
