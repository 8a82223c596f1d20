#include <gtest/gtest.h>

#include <string>

#include "plugin/ModuleInstance.h"
#include "tests/plugin/AttachedModule.h"

namespace {

struct StringEntry {
    int id;
    const wchar_t* text;  // null: no such entry
};

const StringEntry kStrings[] = {
    {1, L"Tavro renderer material editor"},
    {2, L"Material editor"},
    {3, L"TavroMtl"},
    {4, L"Parameters"},
    {5, nullptr},
    {6, L"DiffuseColor"},
    {7, L"Material"},
    {8, L"AffectShadows"},
    {9, L"DiffuseMap"},
    {10, L"DiffuseColorMultiplier"},
    {11, L"SpecularColor"},
    {12, L"DeprecatedMap1"},
    {13, L"SpecularBRDF"},
    {14, L"Phong"},
    {15, L"TorrSparr"},
    {16, L"Beckmann"},
    {17, nullptr},
    {18, L"SpecularRoughness"},
    {19, L"TransparencyMap"},
    {20, L"ReflectivityColor"},
    {21, L"ReflectivityMap"},
    {22, L"ReflectivityBRDF"},
    {23, L"ReflectivityCosPower"},
    {24, L"EmissionColor"},
    {25, L"EmissionMap"},
    {26, L"TransparencyColor"},
    {27, L"IOR"},
    {28, L"TransparencyCosPower"},
    {29, L"FogColor"},
    {30, L"FogMultiplier"},
    {31, L"ExitColor"},
    {32, L"DisplacementState"},
    {33, L"Height"},
    {34, nullptr},
    {35, L"SpecularIOR"},
    {36, L"NormalMap"},
    {37, nullptr},
    {38, L"ReflectivityIOR"},
    {39, L"DisplacementInvertHeightState"},
    {40, L"SpecularColorMultiplier"},
    {41, L"TransparencyColorMultiplier"},
    {42, L"ReflectColorMultiplier"},
    {43, L"EmissionColorMultiplier"},
    {44, L"ThinTransparency"},
    {45, L"ReflectivityRoughness"},
    {46, L"GGX"},
    {47, L"TRGGX"},
    {48, L"SpecularCosPower"},
    {49, L"NoICRecords"},
    {50, L"SpecularGlossiness"},
    {51, L"DeprecatedMap2"},
    {52, L"SpecularGlossOrCos"},
    {53, L"LockSpecularToReflection"},
    {54, L"SpecularFresnelOn"},
    {55, L"ReflectGlossiness"},
    {56, L"ReflectGlossinessMap"},
    {57, L"ReflectGlossOrCos"},
    {58, L"BumpAmount"},
    {59, L"ReflectFresnelOn"},
    {60, L"TranspGlossiness"},
    {61, L"TranspGlossinessMap"},
    {62, nullptr},
    {63, L"TranspGlossOrCos"},
    {64, L"BumpRadius"},
    {65, L"BumpSigma"},
    {66, L"EmissionGI"},
    {67, L"OpacityMap"},
    {68, nullptr},
    {69, L"OpacitySmooth"},
    {70, L"TranslucencyColorMultiplier"},
    {71, L"TranslucencyColor"},
    {72, L"TranslucencyMap"},
    {73, L"ReflectExtrusion"},
    {74, L"component"},
    {75, L"luminance"},
    {76, L"strong (recommended)"},
    {77, L"DiffuseRoughness"},
    {78, L"ReflectivityAnisotropy"},
    {79, L"ReflectivityRotation"},
    {80, L"ReflectivityAnisotropyMap"},
    {81, L"ReflectivityRotationMap"},
    {82, L"TranslucencyColorMultOn"},
};

}  // namespace

TEST(StringTable, EveryIdFromOneTo82HasItsTextOrNone) {
    attachModule();
    ASSERT_EQ(std::size(kStrings), 82u);
    for (const StringEntry& e : kStrings) {
        SCOPED_TRACE(e.id);
        const MCHAR* text = LoadResString(e.id);
        if (e.text == nullptr) {
            EXPECT_EQ(text, nullptr);
        } else {
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(std::wstring(text), e.text);
        }
    }
}

TEST(StringTable, OutsideTheTableThereIsNothing) {
    attachModule();
    for (int id : {0, 83, 1000, -1}) EXPECT_EQ(LoadResString(id), nullptr) << id;
}

TEST(StringTable, ResourceTableCarriesTheStringsAndTemplate82) {
    const ModuleResourceTable* table = ModuleResources();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->stringCount, 76u);
    const HINSTANCE instance = attachModule();
    ASSERT_NE(FindDialogTemplate(instance, 82), nullptr);
}

TEST(LoadResString, OneSharedBufferHoldsOnlyTheLastText) {
    attachModule();
    const MCHAR* first = LoadResString(3);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::wstring(first), L"TavroMtl");
    const MCHAR* second = LoadResString(2);
    EXPECT_EQ(first, second);
    EXPECT_EQ(std::wstring(first), L"Material editor");
}

TEST(LoadResString, NullBeforeTheInstanceHandleIsKnown) {
    const HINSTANCE instance = attachModule();
    setModuleInstance(nullptr);
    EXPECT_EQ(LoadResString(3), nullptr);
    EXPECT_EQ(LibDescription(), nullptr);
    setModuleInstance(instance);
    EXPECT_NE(LoadResString(3), nullptr);
}
