#include <gtest/gtest.h>

#include <cwchar>

#include "ModuleResources.h"
#include "WinApi.h"

namespace {

const StringResource kStrings[] = {
    {1, L"Tavro renderer material editor"}, {3, L"TavroMtl"}, {7, L""}};
const DialogItem kItems[] = {{1001, DialogItemKind::CheckBox, L"On", 0, 0, 10, 10, 0}};
const DialogTemplate kDialogs[] = {{82, 200, 100, L"MS Sans Serif", 8, true, kItems, 1}};
const ModuleResourceTable kTable = {kStrings, 3, kDialogs, 1};

// A module instance registered for the duration of a test.
class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override { RegisterModuleResources(instance, &kTable); }
    void TearDown() override { UnregisterModuleResources(instance); }
    int token = 0;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(&token);
};

TEST_F(ModuleResources, LoadStringCopiesAndTerminates) {
    wchar_t buf[64];
    EXPECT_EQ(LoadStringW(instance, 3, buf, 64), 8);
    EXPECT_STREQ(buf, L"TavroMtl");
}

TEST_F(ModuleResources, LoadStringCutsToTheBuffer) {
    const struct {
        int bufferMax;
        int length;
        const wchar_t* text;
    } cases[] = {{9, 8, L"TavroMtl"}, {8, 7, L"TavroMt"}, {2, 1, L"T"}, {1, 0, L""}};
    for (const auto& c : cases) {
        wchar_t buf[16];
        std::wmemset(buf, L'#', 16);
        EXPECT_EQ(LoadStringW(instance, 3, buf, c.bufferMax), c.length) << c.bufferMax;
        EXPECT_STREQ(buf, c.text) << c.bufferMax;
        EXPECT_EQ(buf[c.bufferMax], L'#') << "nothing written past the buffer";
    }
}

TEST_F(ModuleResources, MissingStringsGiveZero) {
    wchar_t buf[16] = L"old";
    EXPECT_EQ(LoadStringW(instance, 5, buf, 16), 0);
    EXPECT_EQ(LoadStringW(instance, 7, buf, 16), 0) << "an empty entry";
    int other = 0;
    EXPECT_EQ(LoadStringW(reinterpret_cast<HINSTANCE>(&other), 3, buf, 16), 0);
    EXPECT_EQ(LoadStringW(nullptr, 3, buf, 16), 0);
    EXPECT_EQ(LoadStringW(instance, 3, buf, 0), 0);
    EXPECT_EQ(LoadStringW(instance, 3, nullptr, 16), 0);
}

TEST_F(ModuleResources, DialogTemplatesByResourceId) {
    const DialogTemplate* t = FindDialogTemplate(instance, 82);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->itemCount, 1u);
    EXPECT_EQ(FindDialogTemplate(instance, 83), nullptr);
}

TEST_F(ModuleResources, ThreadLibraryCallsRecordedPerInstance) {
    EXPECT_FALSE(ThreadLibraryCallsDisabled(instance));
    EXPECT_EQ(DisableThreadLibraryCalls(instance), TRUE);
    EXPECT_TRUE(ThreadLibraryCallsDisabled(instance));
    int other = 0;
    EXPECT_FALSE(ThreadLibraryCallsDisabled(reinterpret_cast<HINSTANCE>(&other)));
    EXPECT_EQ(DisableThreadLibraryCalls(nullptr), FALSE);
    UnregisterModuleResources(instance);
    EXPECT_FALSE(ThreadLibraryCallsDisabled(instance)) << "forgotten with the instance";
    EXPECT_EQ(FindModuleResources(instance), nullptr);
}

}  // namespace
