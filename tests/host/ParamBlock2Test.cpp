#include <gtest/gtest.h>

#include <limits>

#include "ClassDesc2.h"
#include "ConstantTexmap.h"
#include "ParamBlock2.h"
#include "ParamMap2.h"
#include "tests/host/TestObjects.h"

namespace {

enum : ParamID { kFloat = 10, kInt, kBool, kColor, kMap, kFree, kOwnMap };
constexpr int kMapRef = 0;
constexpr int kBlockRef = 2;

class TestClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return 1; }
    void* Create(BOOL) override { return nullptr; }
    const MCHAR* ClassName() override { return L"Node"; }
    SClass_ID SuperClassID() override { return hosttest::kNodeSuperClass; }
    Class_ID ClassID() override { return hosttest::kNodeClassID; }
    const MCHAR* Category() override { return L""; }
};

TestClassDesc testClass;
ParamBlockDesc2 testDesc(
    {.id = 0,
     .int_name = L"parameters",
     .cd = &testClass,
     .flags = P_AUTO_CONSTRUCT,
     .refno = kBlockRef},
    {
        ParamDef::Float(kFloat, L"t_float", P_ANIMATABLE, 0, 0.5f).range(0.0f, 10.0f),
        ParamDef::Int(kInt, L"t_int", 0, 0, 3),
        ParamDef::Bool(kBool, L"t_bool,", 0, 0, true),
        ParamDef::Rgb(kColor, L"t_color", P_ANIMATABLE, 0, Color(0.8f, 0.8f, 0.8f)),
        ParamDef::Map(kMap, L"t_map", P_OWNERS_REF, 0, kMapRef, kMapRef),
        ParamDef::Float(kFree, L"t_free", 0, 0, 1.0f),
        ParamDef::Map(kOwnMap, L"t_own_map", 0, 0, -1, -1),
    });

// An owner with two map slots and the block as reference 2, built as a material is.
class ParamBlock : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new hosttest::Node(3);
        testClass.MakeAutoParamBlocks(owner);
        pb = dynamic_cast<IParamBlock2*>(owner->GetReference(kBlockRef));
        ASSERT_NE(pb, nullptr);
        owner->messages.clear();
    }
    void TearDown() override {
        SetAnimateMode(false);
        owner->DeleteMe();
    }
    hosttest::Node* owner = nullptr;
    IParamBlock2* pb = nullptr;
};

TEST(ParamBlockDesc, Lookups) {
    EXPECT_EQ(testDesc.Count(), 7);
    EXPECT_EQ(testDesc.IDtoIndex(kColor), 3);
    EXPECT_EQ(testDesc.IndextoID(3), kColor);
    EXPECT_EQ(testDesc.IDtoIndex(0), -1);
    EXPECT_EQ(testDesc.IndextoID(7), -1);
    EXPECT_EQ(testDesc.GetParamDefByID(1), nullptr);
    const struct {
        const MCHAR* name;
        ParamID id;
    } names[] = {{L"t_bool,", kBool},  {L"t_bool", -1}, {L"T_FLOAT", -1},
                 {L"t_float", kFloat}, {L"", -1},       {nullptr, -1}};
    for (const auto& n : names) EXPECT_EQ(testDesc.NameToID(n.name), n.id);
    EXPECT_EQ(testClass.GetParamBlockDescByID(0), &testDesc);
    EXPECT_EQ(testClass.GetParamBlockDescByID(1), nullptr);
}

TEST(ParamBlockDesc, RegistersAndUnregistersWithItsClass) {
    TestClassDesc cd;
    {
        ParamBlockDesc2 desc({.id = 4, .int_name = L"extra", .cd = &cd}, {});
        EXPECT_EQ(cd.NumParamBlockDescs(), 1);
        EXPECT_EQ(cd.GetParamBlockDesc(0), &desc);
    }
    EXPECT_EQ(cd.NumParamBlockDescs(), 0);
}

TEST_F(ParamBlock, DefaultsAndIdentity) {
    EXPECT_EQ(pb->GetDesc(), &testDesc);
    EXPECT_EQ(pb->NumParams(), 7);
    EXPECT_EQ(pb->SuperClassID(), PARAMETER_BLOCK2_CLASS_ID);
    MSTR name;
    pb->GetClassName(name);
    EXPECT_EQ(name, L"ParamBlock2");
    EXPECT_FLOAT_EQ(pb->GetFloat(kFloat), 0.5f);
    EXPECT_EQ(pb->GetInt(kInt), 3);
    EXPECT_EQ(pb->GetInt(kBool), 1);
    EXPECT_EQ(pb->GetColor(kColor), Color(0.8f, 0.8f, 0.8f));
    EXPECT_EQ(pb->GetTexmap(kMap), nullptr);
    EXPECT_EQ(pb->GetOwner(), owner);
    EXPECT_EQ(pb->LastNotifyParamID(), -1);
}

TEST_F(ParamBlock, WritesOfWrongTypeOrUnknownIdChangeNothing) {
    const struct {
        const char* what;
        BOOL result;
    } cases[] = {
        {"int to float", pb->SetValue(kFloat, 0, 2)},
        {"float to int", pb->SetValue(kInt, 0, 2.0f)},
        {"colour to float", pb->SetValue(kFloat, 0, Color(1, 1, 1))},
        {"map to colour", pb->SetValue(kColor, 0, static_cast<Texmap*>(nullptr))},
        {"unknown id", pb->SetValue(1, 0, 2.0f)},
        {"unknown id, int", pb->SetValue(99, 0, 2)},
        {"NaN", pb->SetValue(kFloat, 0, std::numeric_limits<float>::quiet_NaN())},
    };
    for (const auto& c : cases) EXPECT_EQ(c.result, FALSE) << c.what;
    EXPECT_FLOAT_EQ(pb->GetFloat(kFloat), 0.5f);
    EXPECT_EQ(pb->GetInt(kInt), 3);
    EXPECT_TRUE(owner->messages.empty());
    EXPECT_EQ(pb->LastNotifyParamID(), -1);

    float f = -1.0f;
    Interval valid = FOREVER;
    EXPECT_FALSE(pb->GetValue(kInt, 0, f, valid));
    EXPECT_FALSE(pb->GetValue(0, 0, f, valid));
    EXPECT_EQ(f, -1.0f);
}

TEST_F(ParamBlock, FloatsClampToRangeIntsAndBoolsAsGiven) {
    const struct {
        ParamID id;
        float in, out;
    } floats[] = {{kFloat, 11.0f, 10.0f},
                  {kFloat, -3.0f, 0.0f},
                  {kFloat, 2.5f, 2.5f},
                  {kFree, 1e9f, 1e9f},
                  {kFree, -7.0f, -7.0f}};
    for (const auto& c : floats) {
        EXPECT_TRUE(pb->SetValue(c.id, 0, c.in));
        EXPECT_FLOAT_EQ(pb->GetFloat(c.id), c.out) << c.in;
    }
    EXPECT_TRUE(pb->SetValue(kInt, 0, -42));
    EXPECT_EQ(pb->GetInt(kInt), -42);
    EXPECT_TRUE(pb->SetValue(kBool, 0, 0));
    EXPECT_EQ(pb->GetInt(kBool), 0);
    EXPECT_TRUE(pb->SetValue(kBool, 0, 7));
    EXPECT_EQ(pb->GetInt(kBool), 1) << "Booleans are stored as 0 or 1";
}

TEST_F(ParamBlock, WriteNotifiesTheOwnerAndRecordsTheId) {
    EXPECT_TRUE(pb->SetValue(kColor, 0, Color(0.1f, 0.2f, 0.3f), 0));
    ASSERT_EQ(owner->messages.size(), 1u);
    EXPECT_EQ(owner->messages[0].target, pb);
    EXPECT_EQ(owner->messages[0].message, REFMSG_CHANGE);
    EXPECT_EQ(owner->messages[0].part, PART_ALL);
    EXPECT_EQ(pb->LastNotifyParamID(), kColor);
    pb->SetValue(kInt, 0, 5, 0);
    int tab = -1;
    EXPECT_EQ(pb->LastNotifyParamID(tab), kInt);
    EXPECT_EQ(tab, 0);
}

TEST_F(ParamBlock, ConstantReadsLeaveValidityForever) {
    Interval valid = FOREVER;
    float f = 0.0f;
    Color c;
    int i = 0;
    EXPECT_TRUE(pb->GetValue(kFloat, 40, f, valid));
    EXPECT_TRUE(pb->GetValue(kColor, 40, c, valid));
    EXPECT_TRUE(pb->GetValue(kBool, 40, i, valid));
    EXPECT_EQ(valid, FOREVER);
}

TEST_F(ParamBlock, KeyedFloatInterpolatesAndNarrowsValidity) {
    ASSERT_TRUE(pb->SetKey(kFloat, {0, 1.0f, {}}));
    ASSERT_TRUE(pb->SetKey(kFloat, {100, 3.0f, {}}));
    ASSERT_TRUE(pb->SetKey(kFloat, {200, 3.0f, {}}));
    const struct {
        TimeValue t;
        float value;
        Interval valid;
    } cases[] = {
        {-50, 1.0f, Interval(TIME_NegInfinity, 0)},  // before the first key
        {0, 1.0f, Interval(TIME_NegInfinity, 0)},
        {25, 1.5f, Interval(25, 25)},                  // between differing keys: an instant
        {150, 3.0f, Interval(100, 200)},               // between equal keys: their span
        {200, 3.0f, Interval(200, TIME_PosInfinity)},  // after the last key
        {900, 3.0f, Interval(200, TIME_PosInfinity)},
    };
    for (const auto& c : cases) {
        Interval valid = FOREVER;
        float f = 0.0f;
        ASSERT_TRUE(pb->GetValue(kFloat, c.t, f, valid));
        EXPECT_FLOAT_EQ(f, c.value) << c.t;
        EXPECT_EQ(valid, c.valid) << c.t;
    }
    // Narrowing intersects with what the caller already has.
    Interval valid(20, 30);
    float f = 0.0f;
    pb->GetValue(kFloat, 500, f, valid);
    EXPECT_TRUE(valid.Empty());
}

TEST_F(ParamBlock, KeyedColourInterpolatesPerComponent) {
    pb->SetKey(kColor, {0, 0.0f, Color(0.0f, 1.0f, 0.0f)});
    pb->SetKey(kColor, {10, 0.0f, Color(1.0f, 1.0f, 0.5f)});
    Interval valid = FOREVER;
    Color c;
    pb->GetValue(kColor, 5, c, valid);
    EXPECT_FLOAT_EQ(c.r, 0.5f);
    EXPECT_FLOAT_EQ(c.g, 1.0f);
    EXPECT_FLOAT_EQ(c.b, 0.25f);
    EXPECT_EQ(valid, Interval(5, 5));
}

TEST_F(ParamBlock, AnimationModeSetsKeys) {
    pb->SetValue(kFloat, 0, 2.0f);
    {
        AnimateOn on;
        EXPECT_TRUE(pb->SetValue(kFloat, 100, 4.0f));
        EXPECT_TRUE(pb->SetValue(kInt, 100, 9)) << "integers are never keyed";
    }
    EXPECT_FALSE(IsAnimateMode());
    const std::vector<ParamKey> keys = pb->GetKeys(kFloat);
    ASSERT_EQ(keys.size(), 2u) << "the first key brings one at 0 holding the earlier value";
    EXPECT_EQ(keys[0].t, 0);
    EXPECT_FLOAT_EQ(keys[0].f, 2.0f);
    EXPECT_EQ(keys[1].t, 100);
    EXPECT_FLOAT_EQ(keys[1].f, 4.0f);
    EXPECT_FLOAT_EQ(pb->GetFloat(kFloat, 50), 3.0f);
    EXPECT_TRUE(pb->GetKeys(kInt).empty());

    // A keyed parameter takes later writes as keys even with animation off, clamped.
    pb->SetValue(kFloat, 100, 40.0f);
    ASSERT_EQ(pb->GetKeys(kFloat).size(), 2u);
    EXPECT_FLOAT_EQ(pb->GetKeys(kFloat)[1].f, 10.0f);

    EXPECT_TRUE(pb->ClearKeys(kFloat));
    EXPECT_TRUE(pb->GetKeys(kFloat).empty());
    EXPECT_FLOAT_EQ(pb->GetFloat(kFloat, 100), 2.0f) << "keeps its value at time 0";
}

TEST_F(ParamBlock, OnlyAnimatableFloatsAndColoursTakeKeys) {
    EXPECT_FALSE(pb->SetKey(kFree, {10, 1.0f, {}}));
    EXPECT_FALSE(pb->SetKey(kInt, {10, 1.0f, {}}));
    EXPECT_FALSE(pb->SetKey(kFloat, {TIME_NegInfinity, 1.0f, {}}));
    EXPECT_FALSE(pb->ClearKeys(kBool));
    AnimateOn on;
    pb->SetValue(kFree, 10, 5.0f);
    EXPECT_TRUE(pb->GetKeys(kFree).empty());
    EXPECT_FLOAT_EQ(pb->GetFloat(kFree), 5.0f);
}

TEST_F(ParamBlock, OwnerHeldMapLandsInTheOwnersReference) {
    auto* map = new ConstantTexmap;
    EXPECT_TRUE(pb->SetValue(kMap, 0, map));
    EXPECT_EQ(owner->GetReference(kMapRef), map);
    EXPECT_EQ(pb->GetTexmap(kMap), map);
    EXPECT_EQ(pb->NumRefs(), 1) << "only the block-held map is the block's reference";
    EXPECT_EQ(pb->LastNotifyParamID(), kMap);

    EXPECT_TRUE(pb->SetValue(kMap, 0, static_cast<Texmap*>(nullptr)));
    EXPECT_EQ(owner->GetReference(kMapRef), nullptr);

    auto* own = new ConstantTexmap;
    EXPECT_TRUE(pb->SetValue(kOwnMap, 0, own));
    EXPECT_EQ(pb->GetReference(0), own);
    EXPECT_EQ(pb->GetTexmap(kOwnMap), own);
}

TEST_F(ParamBlock, OwnerIsFoundAgainAfterTheOriginalLetsGo) {
    pb->SetOwner(nullptr);
    EXPECT_EQ(pb->GetOwner(), owner) << "first dependent of the owner class";

    auto* other = new hosttest::Node(3);
    other->ReplaceReference(kBlockRef, pb);
    owner->ReplaceReference(kBlockRef, nullptr, FALSE);
    EXPECT_EQ(pb->GetOwner(), other);
    auto* map = new ConstantTexmap;
    pb->SetValue(kMap, 0, map);
    EXPECT_EQ(other->GetReference(kMapRef), map);
    other->DeleteMe();
}

TEST_F(ParamBlock, RecordsRoundTrip) {
    pb->SetKey(kFloat, {0, 1.0f, {}});
    pb->SetKey(kFloat, {30, 2.0f, {}});
    pb->SetValue(kInt, 0, 12);
    IParamBlock2* other = CreateParameterBlock2(&testDesc, nullptr);
    for (int i = 0; i < testDesc.Count(); ++i) {
        ParamValueRecord rec;
        ASSERT_TRUE(pb->GetRecord(testDesc.IndextoID(i), rec));
        EXPECT_TRUE(other->SetRecord(rec)) << i;
    }
    EXPECT_EQ(other->GetKeys(kFloat).size(), 2u);
    EXPECT_FLOAT_EQ(other->GetFloat(kFloat, 15), 1.5f);
    EXPECT_EQ(other->GetInt(kInt), 12);
    other->DeleteMe();
}

TEST_F(ParamBlock, BadRecordsAreRefused) {
    ParamValueRecord rec;
    rec.id = kFloat;
    rec.type = TYPE_INT;
    EXPECT_FALSE(pb->SetRecord(rec)) << "type mismatch";
    rec.id = kFree;
    rec.type = TYPE_FLOAT;
    rec.keys = {{5, 1.0f, {}}};
    EXPECT_FALSE(pb->SetRecord(rec)) << "keys on a parameter that is not animatable";
    rec.id = kFloat;
    rec.f = std::numeric_limits<float>::quiet_NaN();
    rec.keys.clear();
    EXPECT_FALSE(pb->SetRecord(rec));
    rec.id = 77;
    EXPECT_FALSE(pb->SetRecord(rec));
    EXPECT_FLOAT_EQ(pb->GetFloat(kFloat), 0.5f);

    // Out-of-order keys are sorted, values clamped.
    rec = ParamValueRecord{kFloat, TYPE_FLOAT, 20.0f, 0, {}, {{50, 99.0f, {}}, {10, 1.0f, {}}}};
    EXPECT_TRUE(pb->SetRecord(rec));
    const auto keys = pb->GetKeys(kFloat);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].t, 10);
    EXPECT_FLOAT_EQ(keys[1].f, 10.0f);
}

TEST_F(ParamBlock, CloneCopiesValuesAndKeysButNotOwnerMaps) {
    pb->SetValue(kInt, 0, 8);
    pb->SetKey(kColor, {10, 0.0f, Color(1, 0, 0)});
    pb->SetValue(kMap, 0, new ConstantTexmap);
    pb->SetValue(kOwnMap, 0, new ConstantTexmap);

    DefaultRemapDir remap;
    auto* copy = dynamic_cast<IParamBlock2*>(remap.CloneRef(pb));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetInt(kInt), 8);
    EXPECT_EQ(copy->GetKeys(kColor).size(), 1u);
    EXPECT_NE(copy->GetTexmap(kOwnMap), nullptr);
    EXPECT_NE(copy->GetTexmap(kOwnMap), pb->GetTexmap(kOwnMap));

    auto* newOwner = new hosttest::Node(3);
    newOwner->ReplaceReference(kBlockRef, copy);
    EXPECT_EQ(copy->GetOwner(), newOwner);
    EXPECT_EQ(copy->GetTexmap(kMap), nullptr) << "the owner clones its own maps";
    newOwner->DeleteMe();
}

TEST_F(ParamBlock, ResetAllRestoresDefaultsAndReleasesMaps) {
    pb->SetValue(kInt, 0, 8);
    pb->SetKey(kFloat, {10, 2.0f, {}});
    pb->SetValue(kMap, 0, new ConstantTexmap);
    pb->ResetAll();
    EXPECT_EQ(pb->GetInt(kInt), 3);
    EXPECT_TRUE(pb->GetKeys(kFloat).empty());
    EXPECT_EQ(owner->GetReference(kMapRef), nullptr);
}

TEST_F(ParamBlock, InvalidateUIReachesOpenRolloutsOfThisDescriptor) {
    struct Map : IParamMap2 {
        explicit Map(IParamBlock2* b) : pb(b) {}
        IParamBlock2* GetParamBlock() override { return pb; }
        HWND GetHWnd() override { return nullptr; }
        void Enable(ParamID, BOOL, int) override {}
        void Invalidate(ParamID id, int) override { invalidated.push_back(id); }
        ParamMap2UserDlgProc* GetUserDlgProc() override { return nullptr; }
        IParamBlock2* pb;
        std::vector<ParamID> invalidated;
    };
    Map mine(pb), unbound(nullptr);
    testClass.OpenParamMaps() = {&mine, &unbound};
    testDesc.InvalidateUI(kColor);
    testClass.InvalidateUI(&testDesc);
    testClass.OpenParamMaps().clear();
    EXPECT_EQ(mine.invalidated, (std::vector<ParamID>{kColor, -1}));
    EXPECT_TRUE(unbound.invalidated.empty());
}

}  // namespace
