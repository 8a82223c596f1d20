#include <gtest/gtest.h>

#include "HostLog.h"
#include "ParamBlock2PLCB.h"
#include "ParamBlockLegacy.h"
#include "tests/host/SceneTestObjects.h"

using namespace scenetest;

namespace {

// Two earlier layouts of the holder's block: version 0 had the float, the integer and the
// map; version 1 added the colour and the switch.
ParamBlockDescID layout1[] = {
    {LegacyParamType::Float, nullptr, TRUE, kFloat}, {LegacyParamType::Int, nullptr, FALSE, kInt},
    {LegacyParamType::User, nullptr, FALSE, kMap},   {LegacyParamType::Rgba, nullptr, TRUE, kColor},
    {LegacyParamType::Bool, nullptr, FALSE, kBool},
};
ParamBlockDescID layout0[] = {layout1[0], layout1[1], layout1[2]};
ParamVersionDesc versions[] = {{layout0, 3, 0}, {layout1, 5, 1}};

LegacyParamValue value(LegacyParamType type, float f, int i, Color c = Color()) {
    LegacyParamValue v;
    v.type = type;
    v.f = f;
    v.i = i;
    v.c = c;
    return v;
}

class Conversion : public ::testing::Test {
protected:
    void SetUp() override {
        Holder::onLoad = [](Holder* h) -> PostLoadCallback* {
            return new ParamBlock2PLCB(versions, 2, &holderBlockDesc(), h, kBlockRef);
        };
        previous = setHostMessageSink([this](const std::string& m) { warnings.push_back(m); });
        hostResetWarningsOnce();
    }
    void TearDown() override {
        Holder::onLoad = nullptr;
        setHostMessageSink(previous);
    }

    // A scene of one holder whose block is `old`; saved and loaded again.
    IParamBlock2* loadWith(IParamBlock* old) {
        Scene scene;
        Holder* h = newHolder();
        h->ReplaceReference(kBlockRef, old);
        scene.Add(h);
        std::string error;
        loaded = loadSceneFromBytes(bytesOf(scene), "old.tvs", error);
        EXPECT_TRUE(loaded) << error;
        return loaded ? blockOf(loaded->Object(0)) : nullptr;
    }

    std::unique_ptr<Scene> loaded;
    std::vector<std::string> warnings;
    HostMessageSink previous;
};

TEST_F(Conversion, Version1CarriesEveryValueAndKeyById) {
    IParamBlock* old = CreateParameterBlock(layout1, 5, 1);
    LegacyParamValue f = value(LegacyParamType::Float, 2.0f, 0);
    f.keys = {{0, 2.0f, Color()}, {100, 4.0f, Color()}};
    ASSERT_TRUE(old->SetValue(0, f));
    ASSERT_TRUE(old->SetValue(1, value(LegacyParamType::Int, 0.0f, 9)));
    ASSERT_TRUE(old->SetValue(3, value(LegacyParamType::Rgba, 0, 0, Color(0.1f, 0.2f, 0.3f))));
    ASSERT_TRUE(old->SetValue(4, value(LegacyParamType::Bool, 0, 0)));
    IParamBlock2* pb = loadWith(old);
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(pb->GetDesc(), &holderBlockDesc());
    EXPECT_FLOAT_EQ(pb->GetFloat(kFloat, 50), 3.0f);
    EXPECT_EQ(pb->GetKeys(kFloat).size(), 2u);
    EXPECT_EQ(pb->GetInt(kInt), 9);
    EXPECT_EQ(pb->GetColor(kColor), Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(pb->GetInt(kBool), 0);
    EXPECT_EQ(layout1[1].index, 1);  // the conversion resolved the record's index
    EXPECT_TRUE(warnings.empty());
}

TEST_F(Conversion, Version0LeavesLaterParametersAtDefaults) {
    IParamBlock* old = CreateParameterBlock(layout0, 3, 0);
    ASSERT_TRUE(old->SetValue(1, value(LegacyParamType::Int, 0.0f, 4)));
    IParamBlock2* pb = loadWith(old);
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(pb->GetInt(kInt), 4);
    EXPECT_EQ(pb->GetColor(kColor), Color(0.8f, 0.8f, 0.8f));
    EXPECT_EQ(pb->GetInt(kBool), 1);
}

TEST_F(Conversion, UnknownVersionKeepsDefaultsAndSaysSoOnce) {
    IParamBlock* old = CreateParameterBlock(layout0, 3, 7);
    ASSERT_TRUE(old->SetValue(1, value(LegacyParamType::Int, 0.0f, 4)));
    IParamBlock2* pb = loadWith(old);
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(pb->GetInt(kInt), 3);
    loadWith(CreateParameterBlock(layout0, 3, 7));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("layout version 7"), std::string::npos) << warnings[0];
}

TEST_F(Conversion, ValueOfAnotherTypeKeepsTheDefault) {
    // A block whose position 1 holds a float where the layout has an integer.
    ParamBlockDescID odd[] = {layout1[0], {LegacyParamType::Float, nullptr, TRUE, kInt}};
    IParamBlock* old = CreateParameterBlock(odd, 2, 0);
    ASSERT_TRUE(old->SetValue(0, value(LegacyParamType::Float, 6.0f, 0)));
    ASSERT_TRUE(old->SetValue(1, value(LegacyParamType::Float, 8.0f, 0)));
    IParamBlock2* pb = loadWith(old);
    ASSERT_NE(pb, nullptr);
    EXPECT_FLOAT_EQ(pb->GetFloat(kFloat), 6.0f);
    EXPECT_EQ(pb->GetInt(kInt), 3);
}

TEST_F(Conversion, CurrentBlockIsLeftAlone) {
    Scene scene;
    Holder* h = newHolder();
    blockOf(h)->SetValue(kInt, 0, 42);
    scene.Add(h);
    std::string error;
    auto s = loadSceneFromBytes(bytesOf(scene), "new.tvs", error);
    ASSERT_TRUE(s) << error;
    EXPECT_EQ(blockOf(s->Object(0))->GetInt(kInt), 42);
}

TEST(LegacyBlock, RefusesWrongTypesKeysOnIntegersAndNaN) {
    IParamBlock* b = CreateParameterBlock(layout1, 5, 1);
    EXPECT_FALSE(b->SetValue(1, value(LegacyParamType::Float, 1.0f, 0)));
    LegacyParamValue keyed = value(LegacyParamType::Int, 0.0f, 1);
    keyed.keys = {{0, 0.0f, Color()}};
    EXPECT_FALSE(b->SetValue(1, keyed));
    EXPECT_FALSE(b->SetValue(0, value(LegacyParamType::Float, std::nanf(""), 0)));
    EXPECT_FALSE(b->SetValue(5, value(LegacyParamType::Bool, 0.0f, 1)));
    EXPECT_EQ(b->GetParameterType(2), LegacyParamType::User);
    MSTR name;
    b->GetClassName(name);
    EXPECT_EQ(name, L"ParamBlock");
    b->DeleteThis();
}

}  // namespace
