#include <gtest/gtest.h>

#include <algorithm>

#include "tests/host/TestObjects.h"

using hosttest::Node;

namespace {

int countOf(const std::vector<ReferenceMaker*>& v, ReferenceMaker* m) {
    return int(std::count(v.begin(), v.end(), m));
}

class References : public ::testing::Test {
protected:
    void SetUp() override { baseline = Node::alive; }
    void TearDown() override { EXPECT_EQ(Node::alive, baseline) << "objects leaked or lost"; }
    int baseline = 0;
};

TEST_F(References, ReplaceCallsSetReferenceAndRecordsTheDependent) {
    auto* maker = new Node;
    auto* a = new Node;
    EXPECT_EQ(maker->ReplaceReference(1, a), REF_SUCCEED);
    ASSERT_EQ(maker->setCalls.size(), 1u);
    EXPECT_EQ(maker->setCalls[0], std::make_pair(1, RefTargetHandle(a)));
    EXPECT_EQ(maker->GetReference(1), a);
    EXPECT_EQ(countOf(a->Dependents(), maker), 1);
    maker->DeleteMe();  // takes the orphaned target with it
}

TEST_F(References, ReplaceReleasesAndDeletesTheOrphanedOldTarget) {
    auto* maker = new Node;
    auto* a = new Node;
    auto* b = new Node;
    maker->ReplaceReference(0, a);
    const int before = Node::alive;
    maker->ReplaceReference(0, b);
    EXPECT_EQ(Node::alive, before - 1) << "old target deleted";
    EXPECT_EQ(maker->GetReference(0), b);
    maker->DeleteMe();
}

TEST_F(References, OldTargetSurvivesWhileOthersDependOnItOrWithoutDelOld) {
    auto* m1 = new Node;
    auto* m2 = new Node;
    auto* shared = new Node;
    m1->ReplaceReference(0, shared);
    m2->ReplaceReference(0, shared);
    EXPECT_EQ(m1->DeleteReference(0), REF_SUCCEED);
    EXPECT_EQ(m1->setCalls.back(), std::make_pair(0, RefTargetHandle(nullptr)));
    EXPECT_EQ(shared->Dependents(), std::vector<ReferenceMaker*>{m2});

    m2->ReplaceReference(0, nullptr, FALSE);
    EXPECT_TRUE(shared->Dependents().empty());
    shared->DeleteMe();
    m1->DeleteMe();
    m2->DeleteMe();
}

TEST_F(References, OutOfRangeSlotFails) {
    auto* maker = new Node(2);
    auto* a = new Node;
    EXPECT_EQ(maker->ReplaceReference(2, a), REF_FAIL);
    EXPECT_EQ(maker->ReplaceReference(-1, a), REF_FAIL);
    EXPECT_TRUE(a->Dependents().empty());
    EXPECT_TRUE(maker->setCalls.empty());
    a->DeleteMe();
    maker->DeleteMe();
}

TEST_F(References, SameTargetInTwoSlotsCountsTwice) {
    auto* maker = new Node;
    auto* a = new Node;
    maker->ReplaceReference(0, a);
    maker->ReplaceReference(1, a);
    EXPECT_EQ(countOf(a->Dependents(), maker), 2);
    maker->DeleteReference(0);
    EXPECT_EQ(countOf(a->Dependents(), maker), 1) << "still referenced from slot 1";
    EXPECT_EQ(maker->GetReference(1), a);
    maker->ReplaceReference(1, a);  // re-setting the same target keeps it alive
    EXPECT_EQ(countOf(a->Dependents(), maker), 1);
    maker->DeleteMe();
}

TEST_F(References, DeletingATargetClearsEveryMakersSlot) {
    auto* m1 = new Node;
    auto* m2 = new Node;
    auto* t = new Node;
    m1->ReplaceReference(0, t);
    m2->ReplaceReference(1, t);
    t->DeleteMe();
    EXPECT_EQ(m1->GetReference(0), nullptr);
    EXPECT_EQ(m2->GetReference(1), nullptr);
    ASSERT_FALSE(m1->messages.empty());
    EXPECT_EQ(m1->messages.back().message, REFMSG_TARGET_DELETED);

    // A plain delete detaches as well: no maker keeps a dangling pointer.
    auto* u = new Node;
    m1->ReplaceReference(1, u);
    delete u;
    EXPECT_EQ(m1->GetReference(1), nullptr);
    m1->DeleteMe();
    m2->DeleteMe();
}

TEST_F(References, DestroyingAMakerReleasesItsTargets) {
    auto* keeper = new Node;
    auto* maker = new Node;
    auto* owned = new Node;
    auto* shared = new Node;
    maker->ReplaceReference(0, owned);
    maker->ReplaceReference(1, shared);
    keeper->ReplaceReference(0, shared);
    delete maker;  // owned goes with it, shared stays with keeper
    EXPECT_EQ(keeper->GetReference(0), shared);
    EXPECT_EQ(shared->Dependents(), std::vector<ReferenceMaker*>{keeper});
    keeper->DeleteMe();
}

TEST_F(References, DeleteAllRefsFromMe) {
    auto* maker = new Node;
    maker->ReplaceReference(0, new Node);
    maker->ReplaceReference(1, new Node);
    maker->DeleteAllRefsFromMe();
    EXPECT_EQ(maker->GetReference(0), nullptr);
    EXPECT_EQ(maker->GetReference(1), nullptr);
    EXPECT_EQ(Node::alive, baseline + 1);
    maker->DeleteMe();
}

TEST_F(References, NotifyReachesDependentsWithMessageAndPart) {
    auto* m = new Node;
    auto* t = new Node;
    m->ReplaceReference(0, t);
    t->NotifyDependents(FOREVER, 0x10, REFMSG_MTL_CACHE_RELOADED);
    ASSERT_EQ(m->messages.size(), 1u);
    EXPECT_EQ(m->messages[0].target, t);
    EXPECT_EQ(m->messages[0].part, 0x10u);
    EXPECT_EQ(m->messages[0].message, REFMSG_MTL_CACHE_RELOADED);
    m->DeleteMe();
}

TEST_F(References, ClassFilter) {
    auto* t = new Node;
    auto* a = new Node(1, 0xC00);
    auto* b = new Node(1, 0xC10);
    a->ReplaceReference(0, t);
    b->ReplaceReference(0, t);
    const struct {
        SClass_ID filter;
        std::size_t toA, toB;
    } cases[] = {{NOTIFY_ALL, 1, 1}, {0xC00, 1, 0}, {0xC10, 0, 1}, {0x999, 0, 0}};
    for (const auto& c : cases) {
        a->messages.clear();
        b->messages.clear();
        t->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, c.filter);
        EXPECT_EQ(a->messages.size(), c.toA) << std::hex << c.filter;
        EXPECT_EQ(b->messages.size(), c.toB) << std::hex << c.filter;
    }
    a->DeleteMe();
    b->DeleteMe();
}

TEST_F(References, PropagationFollowsSucceedingDependents) {
    // leaf <- mid <- top: mid passes the change on when it answers REF_SUCCEED.
    auto* top = new Node;
    auto* mid = new Node;
    auto* leaf = new Node;
    top->ReplaceReference(0, mid);
    mid->ReplaceReference(0, leaf);
    const struct {
        RefResult midAnswer;
        BOOL propagate;
        std::size_t topSees;
    } cases[] = {{REF_SUCCEED, TRUE, 1},
                 {REF_STOP, TRUE, 0},
                 {REF_DONTCARE, TRUE, 0},
                 {REF_SUCCEED, FALSE, 0}};
    for (const auto& c : cases) {
        top->messages.clear();
        mid->answer = c.midAnswer;
        leaf->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, c.propagate);
        ASSERT_EQ(top->messages.size(), c.topSees) << c.midAnswer << " " << c.propagate;
        if (c.topSees) {
            EXPECT_EQ(top->messages[0].target, mid) << "each level names its own target";
        }
    }
    top->DeleteMe();
}

TEST_F(References, CycleIsNotifiedOnce) {
    auto* a = new Node;
    auto* b = new Node;
    a->ReplaceReference(0, b);
    b->ReplaceReference(0, a);
    a->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(b->messages.size(), 1u);
    EXPECT_EQ(a->messages.size(), 1u);
    a->DeleteMe();  // breaks the cycle; b, left without dependents, goes too
}

TEST_F(References, DependentDroppingItsReferenceDuringNotification) {
    struct Dropper : Node {
        RefResult NotifyRefChanged(const Interval& i, RefTargetHandle h, PartID& p, RefMessage m,
                                   BOOL prop) override {
            Node::NotifyRefChanged(i, h, p, m, prop);
            if (other) other->DeleteReference(0);
            return REF_SUCCEED;
        }
        Node* other = nullptr;
    };
    auto* t = new Node;
    auto* keeper = new Node;
    auto* dropper = new Dropper;
    auto* victim = new Node;
    keeper->ReplaceReference(0, t);
    dropper->ReplaceReference(0, t);
    victim->ReplaceReference(0, t);
    dropper->other = victim;
    t->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_TRUE(victim->messages.empty()) << "no longer a dependent when its turn came";
    keeper->DeleteMe();
    dropper->DeleteMe();
    victim->DeleteMe();
}

}  // namespace
