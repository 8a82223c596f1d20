#include <cmath>

#include "params/TavroParamIds.h"
#include "tests/material/MaterialFixture.h"

namespace {

class StandardQueriesTest : public MaterialTest {
protected:
    void update() {
        Interval valid = FOREVER;
        mtl->Update(0, valid);
    }
};

}  // namespace

TEST_F(StandardQueriesTest, NewMaterialAfterItsFirstUpdate) {
    update();
    EXPECT_EQ(mtl->GetDiffuse(), Color(0.8f, 0.8f, 0.8f));
    EXPECT_EQ(mtl->GetAmbient(), Color(0.8f, 0.8f, 0.8f));
    EXPECT_EQ(mtl->GetSpecular(), Color(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(mtl->GetShininess(), 1.0f);
    EXPECT_EQ(mtl->GetShinStr(), 1.0f);
    EXPECT_EQ(mtl->GetXParency(), 0.0f);
    EXPECT_EQ(mtl->GetSelfIllumColor(), Color(0.0f, 0.0f, 0.0f));
    EXPECT_FALSE(mtl->IsTransparent());
    EXPECT_EQ(mtl->GetWireSize(), 1.0f);
    for (int sub : {0, 1, -1}) EXPECT_EQ(mtl->Requirements(sub), 0x00800018u);
}

TEST_F(StandardQueriesTest, ReflectionAddsToDiffuseAndMakesTheSpecular) {
    block()->SetValue(mtl_reflect_mult, 0, 50.0f);
    update();
    EXPECT_EQ(mtl->GetSpecular(), Color(50.0f, 50.0f, 50.0f));
    const Color d = mtl->GetDiffuse();
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(d[i], 1.3f);
}

TEST_F(StandardQueriesTest, SelfIlluminationRollsOff) {
    block()->SetValue(mtl_emission_mult, 0, 3.0f);
    update();
    EXPECT_EQ(mtl->GetSelfIllumColor(), Color(0.75f, 0.75f, 0.75f));
}

TEST_F(StandardQueriesTest, TransparencyCapsTheMultiplierWithoutStoringTheCap) {
    block()->SetValue(mtl_transparency_color, 0, Color(1.0f, 0.0f, 0.0f));
    block()->SetValue(mtl_transparency_mult, 0, 2.0f);
    update();
    EXPECT_EQ(mtl->GetXParency(), 0.2126f * 0.8f);
    EXPECT_TRUE(mtl->IsTransparent());
    // Asking is not changing: the cached multiplier keeps its value.
    EXPECT_EQ(mtl->cache().mtl_transparency_mult, 2.0f);
    EXPECT_EQ(mtl->GetXParency(), 0.2126f * 0.8f);
}

TEST_F(StandardQueriesTest, TransparencyBelowTheCapScales) {
    block()->SetValue(mtl_transparency_mult, 0, 0.5f);
    update();
    EXPECT_FLOAT_EQ(mtl->GetXParency(), 0.5f * 0.8f);
}

TEST_F(StandardQueriesTest, MultiplySwitchesDoNotEnter) {
    block()->SetValue(mtl_diffuse_mult_on, 0, 0);
    block()->SetValue(mtl_diffuse_mult, 0, 2.0f);
    update();
    EXPECT_EQ(mtl->GetDiffuse(), Color(1.6f, 1.6f, 1.6f));
}

TEST_F(StandardQueriesTest, SetDiffuseWritesThroughAndNotifies) {
    update();
    const long before = observer->count(REFMSG_CHANGE);
    const Color c(0.2f, 0.4f, 0.6f);
    mtl->SetDiffuse(c, 30);
    EXPECT_EQ(mtl->GetDiffuse(), c);
    EXPECT_EQ(block()->GetColor(mtl_diffuse_color, 30), c);
    EXPECT_GE(observer->count(REFMSG_CHANGE), before + 1);
    EXPECT_TRUE(mtl->cacheValidity().Empty());
}

TEST_F(StandardQueriesTest, SetSpecularKeepsTheCachedColour) {
    update();
    const Color c(0.1f, 0.2f, 0.3f);
    mtl->SetSpecular(c, 0);
    EXPECT_EQ(mtl->cache().mtl_specular_color, c);
    EXPECT_EQ(block()->GetColor(mtl_specular_color), c);
    update();
    EXPECT_EQ(mtl->cache().mtl_specular_color, c);
}

TEST_F(StandardQueriesTest, SetAmbientChangesNothing) {
    update();
    const long before = observer->messages.size();
    mtl->SetAmbient(Color(0.0f, 1.0f, 0.0f), 0);
    EXPECT_EQ(observer->messages.size(), static_cast<std::size_t>(before));
    EXPECT_EQ(mtl->cacheValidity(), FOREVER);
    EXPECT_EQ(mtl->GetAmbient(), Color(0.8f, 0.8f, 0.8f));
}

TEST_F(StandardQueriesTest, SetShininessReachesTheReflectionRoughness) {
    update();
    const long before = observer->count(REFMSG_CHANGE);
    mtl->SetShininess(0.3f, 0);
    EXPECT_EQ(mtl->cache().mtl_specular_roughness, 0.3f);
    EXPECT_EQ(block()->GetFloat(mtl_reflect_roughness), 0.3f);
    EXPECT_GE(observer->count(REFMSG_CHANGE), before + 1);
    // The block keeps the value inside the parameter's range.
    mtl->SetShininess(7.0f, 0);
    EXPECT_EQ(block()->GetFloat(mtl_reflect_roughness), 1.0f);
}
