#include <gtest/gtest.h>

#include "ConstantTexmap.h"
#include "tests/host/TestObjects.h"

using hosttest::Node;

namespace {

TEST(RemapDir, SharedTargetIsClonedOnce) {
    // root -> (a, b), a -> shared, b -> shared
    auto* root = new Node;
    auto* a = new Node(1);
    auto* b = new Node(1);
    auto* shared = new Node(0);
    shared->tag = 7;
    root->ReplaceReference(0, a);
    root->ReplaceReference(1, b);
    a->ReplaceReference(0, shared);
    b->ReplaceReference(0, shared);

    auto* copy = dynamic_cast<Node*>(CloneRefHierarchy(root));
    ASSERT_NE(copy, nullptr);
    auto* ca = dynamic_cast<Node*>(copy->GetReference(0));
    auto* cb = dynamic_cast<Node*>(copy->GetReference(1));
    ASSERT_TRUE(ca && cb);
    EXPECT_NE(ca, a);
    EXPECT_NE(ca->GetReference(0), shared);
    EXPECT_EQ(ca->GetReference(0), cb->GetReference(0)) << "shared in the copy too";
    EXPECT_EQ(dynamic_cast<Node*>(ca->GetReference(0))->tag, 7);
    EXPECT_EQ(ca->GetReference(0)->Dependents().size(), 2u);

    root->DeleteMe();
    EXPECT_EQ(dynamic_cast<Node*>(ca->GetReference(0))->tag, 7) << "the copy is independent";
    copy->DeleteMe();
}

TEST(RemapDir, MappingAndDefaultClone) {
    DefaultRemapDir remap;
    EXPECT_EQ(remap.CloneRef(nullptr), nullptr);
    Node plain(0);
    Node stand(0);
    remap.AddEntry(&plain, &stand);
    EXPECT_EQ(remap.FindMapping(&plain), &stand);
    EXPECT_EQ(remap.CloneRef(&plain), &stand);

    struct Uncloneable : ReferenceTarget {};
    Uncloneable u;
    EXPECT_EQ(remap.CloneRef(&u), nullptr) << "the base clone fails";
}

TEST(RemapDir, ConstantTexmapClonesItsSettings) {
    auto* map = new ConstantTexmap(AColor(0.2f, 0.4f, 0.6f, 1.0f));
    map->SetName(L"Tint");
    map->SetGBufID(3);
    map->SetMono(0.9f);
    map->SetClassName(L"Bitmap");
    map->SetValidity(Interval(0, 10));
    auto* copy = dynamic_cast<ConstantTexmap*>(CloneRefHierarchy(map));
    ASSERT_NE(copy, nullptr);
    map->DeleteMe();
    MSTR name;
    copy->GetClassName(name);
    EXPECT_EQ(name, L"Bitmap");
    EXPECT_EQ(copy->GetName(), L"Tint");
    EXPECT_EQ(copy->GetGBufID(), 3);
    EXPECT_EQ(copy->Validity(0), Interval(0, 10));
    copy->DeleteMe();
}

}  // namespace
