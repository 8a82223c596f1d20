#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "MaxHeap.h"
#include "ParamBlock2.h"
#include "material/TavroMtl.h"
#include "params/TavroParamBlock.h"
#include "plugin/ModuleInstance.h"
#include "plugin/TavroClassDesc.h"
#include "tests/plugin/AttachedModule.h"

namespace {

class ClassDescTest : public ::testing::Test {
protected:
    void SetUp() override { instance = attachModule(); }
    tavroMaterialClassDesc& cd = tavroClassDesc();
    HINSTANCE instance = nullptr;
};

IMaterialBrowserEntryInfo* browserEntry(ClassDesc& cd) {
    return static_cast<IMaterialBrowserEntryInfo*>(
        cd.GetInterface(IMATERIAL_BROWSER_ENTRY_INFO_INTERFACE));
}

}  // namespace

TEST_F(ClassDescTest, IdentityOfTheMaterialClass) {
    EXPECT_EQ(cd.IsPublic(), 1);
    EXPECT_EQ(cd.SuperClassID(), SClass_ID{0xC00});
    EXPECT_EQ(cd.ClassID(), Class_ID(0xa3f0e60d, 0x941ba693));
    EXPECT_EQ(std::wstring(cd.ClassName()), L"TavroMtl");
    EXPECT_EQ(std::wstring(cd.Category()), L"Material editor");
    EXPECT_EQ(std::wstring(cd.InternalName()), L"tavroMaterial");
    EXPECT_EQ(cd.HInstance(), instance);
}

TEST_F(ClassDescTest, OwnsTheOneParameterBlockDescriptor) {
    EXPECT_EQ(cd.NumParamBlockDescs(), 1);
    EXPECT_EQ(cd.GetParamBlockDescByID(0), &tavroParamBlockDesc());
    EXPECT_EQ(tavroParamBlockDesc().ClassDescriptor(), &cd);
}

TEST_F(ClassDescTest, BrowserEntryIsTheSecondFaceOfTheSameObject) {
    IMaterialBrowserEntryInfo* entry = browserEntry(cd);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry, static_cast<IMaterialBrowserEntryInfo*>(&cd));
    EXPECT_EQ(entry->GetID(), IMATERIAL_BROWSER_ENTRY_INFO_INTERFACE);
    // The entry forwards interface queries to the descriptor.
    EXPECT_EQ(entry->GetInterface(IMATERIAL_BROWSER_ENTRY_INFO_INTERFACE), entry);
    EXPECT_FALSE(entry->IsStandaloneEntry());
    EXPECT_EQ(entry->GetEntryThumbnail(), nullptr);
    EXPECT_FALSE(entry->HasCustomThumbnail());
}

TEST_F(ClassDescTest, OtherInterfaceIdsGetTheHostsAnswer) {
    for (const Interface_ID id :
         {Interface_ID(0x5e19378b, 0), Interface_ID(1, 2), Interface_ID()}) {
        EXPECT_EQ(cd.GetInterface(id), cd.ClassDesc::GetInterface(id));
        EXPECT_NE(cd.GetInterface(id), static_cast<BaseInterface*>(browserEntry(cd)));
    }
}

TEST_F(ClassDescTest, EntryNameIsTheClassName) {
    IMaterialBrowserEntryInfo* entry = browserEntry(cd);
    const std::wstring className = cd.ClassName();
    EXPECT_EQ(std::wstring(entry->GetEntryName()), className);
    EXPECT_EQ(className, L"TavroMtl");
}

TEST_F(ClassDescTest, CategoryIsOneTextOnEveryRequest) {
    IMaterialBrowserEntryInfo* entry = browserEntry(cd);
    const MCHAR* first = entry->GetEntryCategory();
    EXPECT_EQ(std::wstring(first), L"Materials\\Tavro");
    EXPECT_EQ(entry->GetEntryCategory(), first);
    EXPECT_EQ(std::wstring(entry->GetEntryCategory()), L"Materials\\Tavro");
}

TEST_F(ClassDescTest, CategoryBuiltOnceUnderConcurrentFirstRequests) {
    IMaterialBrowserEntryInfo* entry = browserEntry(cd);
    const MCHAR* seen[4] = {};
    std::thread threads[4];
    for (int i = 0; i < 4; ++i)
        threads[i] = std::thread([&, i] { seen[i] = entry->GetEntryCategory(); });
    for (std::thread& t : threads) t.join();
    for (const MCHAR* p : seen) EXPECT_EQ(p, seen[0]);
}

TEST_F(ClassDescTest, CreateMakesAMaterialWithItsBlock) {
    auto* mtl = static_cast<Animatable*>(cd.Create(FALSE));
    ASSERT_NE(mtl, nullptr);
    EXPECT_EQ(mtl->ClassID(), TAVROMTL_CLASS_ID);
    auto* tavro = static_cast<TavroMtl*>(static_cast<Mtl*>(mtl));
    EXPECT_NE(tavro->GetParamBlock(0), nullptr);
    tavro->DeleteMe();
}

TEST_F(ClassDescTest, CreateForLoadingMakesNoBlock) {
    auto* mtl =
        static_cast<TavroMtl*>(static_cast<Mtl*>(static_cast<Animatable*>(cd.Create(TRUE))));
    ASSERT_NE(mtl, nullptr);
    EXPECT_EQ(mtl->GetParamBlock(0), nullptr);
    EXPECT_EQ(mtl->GetReference(13), nullptr);
    mtl->DeleteMe();
}

TEST_F(ClassDescTest, CreateAnswersNullWhenTheAllocatorHasNothing) {
    hostAllocatorFailAfter(0);
    void* mtl = cd.Create(FALSE);
    hostAllocatorFailAfter(-1);
    EXPECT_EQ(mtl, nullptr);
}

TEST_F(ClassDescTest, NamesAreNullBeforeTheInstanceIsKnown) {
    setModuleInstance(nullptr);
    EXPECT_EQ(cd.ClassName(), nullptr);
    EXPECT_EQ(cd.Category(), nullptr);
    EXPECT_EQ(cd.HInstance(), nullptr);
    setModuleInstance(instance);
}
