#include <gtest/gtest.h>

#include "ClassDesc2.h"
#include "ModuleResources.h"
#include "ParamBlock2.h"
#include "tests/host/TestObjects.h"

namespace {

int moduleToken = 0;
const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(&moduleToken);
const StringResource kStrings[] = {{4, L"Parameters"}};
const ModuleResourceTable kTable = {kStrings, 1, nullptr, 0};

class TwoBlockClass : public ClassDesc2 {
public:
    int IsPublic() override { return 1; }
    void* Create(BOOL) override { return nullptr; }
    const MCHAR* ClassName() override { return L"Two"; }
    SClass_ID SuperClassID() override { return hosttest::kNodeSuperClass; }
    Class_ID ClassID() override { return hosttest::kNodeClassID; }
    const MCHAR* Category() override { return L""; }
    HINSTANCE HInstance() override { return kInstance; }
};

TEST(ClassDesc2, MakeAutoParamBlocksBuildsOnlyAutoConstructedBlocks) {
    TwoBlockClass cd;
    ParamBlockDesc2 automatic(
        {.id = 0, .int_name = L"a", .cd = &cd, .flags = P_AUTO_CONSTRUCT, .refno = 1},
        {ParamDef::Int(2, L"n", 0, 0, 5)});
    ParamBlockDesc2 manual({.id = 1, .int_name = L"b", .cd = &cd, .flags = 0, .refno = 0},
                           {ParamDef::Int(2, L"n", 0, 0, 6)});
    ASSERT_EQ(cd.NumParamBlockDescs(), 2);

    auto* owner = new hosttest::Node(2);
    cd.MakeAutoParamBlocks(owner);
    EXPECT_EQ(owner->GetReference(0), nullptr);
    auto* pb = dynamic_cast<IParamBlock2*>(owner->GetReference(1));
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(pb->GetDesc(), &automatic);
    EXPECT_EQ(pb->GetInt(2), 5);
    EXPECT_EQ(owner->setCalls.back(), std::make_pair(1, RefTargetHandle(pb)));

    cd.MakeAutoParamBlocks(owner);  // a second call replaces the block
    EXPECT_NE(owner->GetReference(1), nullptr);
    EXPECT_EQ(owner->GetReference(1)->Dependents().size(), 1u);
    owner->DeleteMe();
}

TEST(ClassDesc2, BlockWithAnUnusableReferenceIsNotLeft) {
    TwoBlockClass cd;
    ParamBlockDesc2 bad(
        {.id = 0, .int_name = L"a", .cd = &cd, .flags = P_AUTO_CONSTRUCT, .refno = 9}, {});
    auto* owner = new hosttest::Node(2);
    cd.MakeAutoParamBlocks(owner);
    EXPECT_TRUE(owner->setCalls.empty());
    owner->DeleteMe();
}

TEST(ClassDesc2, Defaults) {
    TwoBlockClass cd;
    EXPECT_EQ(cd.GetInterface(Interface_ID(1, 2)), nullptr);
    EXPECT_EQ(cd.GetInterface(L"anything"), nullptr);
    EXPECT_EQ(cd.NumParamMaps(), 0);
    EXPECT_EQ(cd.GetParamMap(0), nullptr);
    EXPECT_EQ(cd.GetParamBlockDesc(0), nullptr);
    EXPECT_EQ(cd.CreateParamDlgs(nullptr, nullptr, nullptr), nullptr);
}

TEST(ClassDesc2, ResourceStringsFromTheClassModule) {
    TwoBlockClass cd;
    RegisterModuleResources(kInstance, &kTable);
    const MCHAR* text = cd.GetRsrcString(4);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, L"Parameters");
    EXPECT_EQ(cd.GetRsrcString(4), text) << "the same text stays put";
    EXPECT_EQ(cd.GetRsrcString(5), nullptr);
    UnregisterModuleResources(kInstance);
}

TEST(ClassDesc2, DescriptorOutlivingItsClassForgetsIt) {
    auto* cd = new TwoBlockClass;
    ParamBlockDesc2 desc({.id = 0, .int_name = L"a", .cd = cd}, {});
    delete cd;
    EXPECT_EQ(desc.ClassDescriptor(), nullptr);
}

}  // namespace
