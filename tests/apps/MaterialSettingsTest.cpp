// The command-line settings shared by the host programs, on a material made by the built
// module as the programs make it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "BitmapTex.h"
#include "ClassDesc2.h"
#include "Image.h"
#include "ImageIO.h"
#include "MaterialSettings.h"
#include "ModuleLoader.h"
#include "Mtl.h"
#include "NormalBump.h"
#include "ParamBlock2.h"
#include "StringConv.h"
#include "tests/apps/ProgramRun.h"

namespace {

using Value = std::variant<float, int, Color>;

// Everything a setting could change: every parameter's stored state and every map slot.
struct Snapshot {
    std::vector<ParamValueRecord> records;
    std::vector<Texmap*> maps;
};

bool sameRecord(const ParamValueRecord& a, const ParamValueRecord& b) {
    if (a.id != b.id || a.type != b.type || a.f != b.f || a.i != b.i || !(a.c == b.c) ||
        a.keys.size() != b.keys.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.keys.size(); ++k) {
        if (a.keys[k].t != b.keys[k].t || a.keys[k].f != b.keys[k].f ||
            !(a.keys[k].c == b.keys[k].c)) {
            return false;
        }
    }
    return true;
}

class MaterialSettings : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        module_ = LoadedModule::Open(TAVRO_MODULE_DIR "/2021/TavroMtl_2021.dlt", error);
        ASSERT_NE(module_, nullptr) << error;
        cd_ = dynamic_cast<ClassDesc2*>(module_->GetClassDesc(0));
        ASSERT_NE(cd_, nullptr);
    }
    static void TearDownTestSuite() { module_.reset(); }

    void SetUp() override { renew(); }
    void TearDown() override {
        if (mtl != nullptr) mtl->DeleteMe();
    }

    // A new material in place of the test's one.
    void renew() {
        ASSERT_NE(cd_, nullptr);
        if (mtl != nullptr) mtl->DeleteMe();
        mtl = static_cast<Mtl*>(cd_->Create(FALSE));
        ASSERT_NE(mtl, nullptr);
        ASSERT_NE(block(), nullptr);
    }

    IParamBlock2* block() { return mtl->GetParamBlock(0); }

    const ParamDef& def(const std::string& name) {
        const ParamID id = block()->GetDesc()->NameToID(fromUtf8(name).c_str());
        const ParamDef* d = block()->GetDesc()->GetParamDefByID(id);
        if (d == nullptr) throw std::runtime_error("no parameter " + name);
        return *d;
    }

    Value valueOf(const std::string& name) {
        const ParamDef& d = def(name);
        switch (d.type) {
            case TYPE_FLOAT:
                return block()->GetFloat(d.id);
            case TYPE_RGBA:
                return block()->GetColor(d.id);
            default:
                return block()->GetInt(d.id);
        }
    }

    Snapshot snapshot() {
        Snapshot s;
        for (const ParamDef& d : block()->GetDesc()->Params()) {
            ParamValueRecord r;
            block()->GetRecord(d.id, r);
            s.records.push_back(r);
        }
        for (int i = 0; i < mtl->NumSubTexmaps(); ++i) s.maps.push_back(mtl->GetSubTexmap(i));
        return s;
    }

    // The parameters and slots whose state differs between the two snapshots.
    std::vector<std::string> changes(const Snapshot& before, const Snapshot& after) {
        std::vector<std::string> changed;
        const auto& params = block()->GetDesc()->Params();
        for (std::size_t i = 0; i < params.size(); ++i) {
            if (!sameRecord(before.records[i], after.records[i])) {
                changed.push_back(toUtf8(params[i].int_name));
            }
        }
        for (std::size_t i = 0; i < before.maps.size(); ++i) {
            if (before.maps[i] != after.maps[i]) changed.push_back("slot " + std::to_string(i));
        }
        return changed;
    }

    static ClassDesc2& cd() { return *cd_; }

    Mtl* mtl = nullptr;

private:
    static inline std::unique_ptr<LoadedModule> module_;
    static inline ClassDesc2* cd_ = nullptr;
};

struct GoodSetting {
    const char* assignment;
    const char* parameter;  // the internal name as the block has it
    Value expected;
};

const GoodSetting kGoodSettings[] = {
    {"mtl_reflect_ior=2.5", "mtl_reflect_ior", 2.5f},
    {"mtl_refl_gloss=1e-1", "mtl_refl_gloss", 0.1f},
    {"mtl_diffuse_mult=0", "mtl_diffuse_mult", 0.0f},
    {"mtl_diffuse_mult=100", "mtl_diffuse_mult", 100.0f},  // both ends of the range are in it
    {"mtl_refl_gloss_or_cos=1", "mtl_refl_gloss_or_cos", 1},
    {"mtl_diffuse_mult_on=on", "mtl_diffuse_mult_on", 1},
    {"mtl_diffuse_mult_on=TRUE", "mtl_diffuse_mult_on", 1},
    {"mtl_diffuse_mult_on=1", "mtl_diffuse_mult_on", 1},
    {"mtl_affect_shadow=off", "mtl_affect_shadow", 0},
    {"mtl_affect_shadow=False", "mtl_affect_shadow", 0},
    {"mtl_affect_shadow=0", "mtl_affect_shadow", 0},
    {"mtl_diffuse_color=1,0.5,0.25", "mtl_diffuse_color", Color(1.0f, 0.5f, 0.25f)},
    {"mtl_fog_color=0,0,2", "mtl_fog_color", Color(0.0f, 0.0f, 2.0f)},
    {"mtl_reflect_brdf=TRGGX", "mtl_reflect_brdf", 4},
    {"mtl_reflect_brdf=phong", "mtl_reflect_brdf", 0},
    {"mtl_specular_brdf=Beckmann", "mtl_specular_brdf", 2},
    {"mtl_reflect_brdf=1", "mtl_reflect_brdf", 1},
    {"mtl_reflect_extrusion=luminance", "mtl_reflect_extrusion", 1},
    // Two internal names end in a comma; they are found with it and without it.
    {"mtl_refl_fresnel_on=off", "mtl_refl_fresnel_on,", 0},
    {"mtl_refl_fresnel_on,=off", "mtl_refl_fresnel_on,", 0},
    {"mtl_lock_specular=off", "mtl_lock_specular,", 0},
};

TEST_F(MaterialSettings, GoodAssignmentsSetOnlyTheirParameter) {
    for (const GoodSetting& g : kGoodSettings) {
        SCOPED_TRACE(g.assignment);
        renew();
        const Value fresh = valueOf(g.parameter);
        ASSERT_NE(fresh, g.expected) << "the case must change the value";
        const Snapshot before = snapshot();
        EXPECT_EQ(applyParameterSetting(*mtl, cd(), g.assignment, 0), "");
        EXPECT_EQ(valueOf(g.parameter), g.expected);
        EXPECT_EQ(changes(before, snapshot()), std::vector<std::string>{g.parameter});
    }
}

TEST_F(MaterialSettings, LaterAssignmentOfTheSameParameterWins) {
    EXPECT_EQ(applyParameterSetting(*mtl, cd(), "mtl_reflect_ior=3", 0), "");
    EXPECT_EQ(applyParameterSetting(*mtl, cd(), "mtl_reflect_ior=1.25", 0), "");
    EXPECT_EQ(valueOf("mtl_reflect_ior"), Value(1.25f));
}

TEST_F(MaterialSettings, WithAnimationOnAnAssignmentSetsAKeyAtItsTime) {
    {
        AnimateOn animate;
        EXPECT_EQ(applyParameterSetting(*mtl, cd(), "mtl_reflect_ior=3", 160), "");
    }
    // The first key keeps the value the parameter had before it was animated.
    const std::vector<ParamKey> keys = block()->GetKeys(def("mtl_reflect_ior").id);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].t, 0);
    EXPECT_EQ(keys[0].f, 1.5f);
    EXPECT_EQ(keys[1].t, 160);
    EXPECT_EQ(keys[1].f, 3.0f);
}

struct BadSetting {
    const char* assignment;
    const char* message;  // part of what the error must say
};

const BadSetting kBadSettings[] = {
    {"mtl_nonesuch=1", "unknown parameter \"mtl_nonesuch\""},
    {"mtl_reflect_io=1", "unknown parameter \"mtl_reflect_io\""},
    {"mtl_refl_fresnel_on,,=on", "unknown parameter"},
    {"mtl_reflect_ior", "expected name=value"},
    {"=2", "expected name=value"},
    {"", "expected name=value"},
    {"mtl_reflect_ior=abc", "\"abc\" is not a number"},
    {"mtl_reflect_ior=", "\"\" is not a number"},
    {"mtl_reflect_ior=1.5x", "\"1.5x\" is not a number"},
    {"mtl_reflect_ior=nan", "\"nan\" is not a number"},
    {"mtl_reflect_ior=inf", "\"inf\" is not a number"},
    {"mtl_reflect_ior=1,5", "is not a number"},
    {"mtl_reflect_ior=101", "101 is out of range (0 to 100)"},
    {"mtl_reflect_ior=-0.5", "-0.5 is out of range (0 to 100)"},
    {"mtl_bump_sigma=0.5", "0.5 is out of range (1 to 16)"},
    {"mtl_refl_gloss_or_cos=2", "2 is out of range (0 to 1)"},
    {"mtl_refl_gloss_or_cos=-1", "-1 is out of range (0 to 1)"},
    {"mtl_refl_gloss_or_cos=0.5", "\"0.5\" is not an integer"},
    {"mtl_refl_gloss_or_cos=cos", "\"cos\" is not an integer"},
    {"mtl_diffuse_mult_on=yes", "\"yes\" is not on, off, true, false, 1 or 0"},
    {"mtl_diffuse_mult_on=2", "is not on, off"},
    {"mtl_diffuse_mult_on=", "is not on, off"},
    {"mtl_diffuse_color=1,0", "\"1,0\" is not a colour r,g,b of three numbers"},
    {"mtl_diffuse_color=1,0,0,0", "is not a colour r,g,b"},
    {"mtl_diffuse_color=1,,0", "is not a colour r,g,b"},
    {"mtl_diffuse_color=1,x,0", "is not a colour r,g,b"},
    {"mtl_diffuse_color=1,0,nan", "is not a colour r,g,b"},
    {"mtl_diffuse_color=red", "is not a colour r,g,b"},
    {"mtl_reflect_brdf=Lambert", "\"Lambert\" is not one of 0 \"Phong\", 1 \"TorrSparr\""},
    {"mtl_reflect_brdf=5", "\"5\" is not one of"},
    {"mtl_reflect_brdf=-1", "\"-1\" is not one of"},
    {"mtl_reflect_brdf=GGX2", "is not one of"},
    {"mtl_reflect_extrusion=strong", "\"strong\" is not one of 0 \"strong (recommended)\""},
    {"mtl_diffuse_map=wood.png", "mtl_diffuse_map is a texture map: give it with --map"},
};

TEST_F(MaterialSettings, BadAssignmentsSayWhatIsWrongAndChangeNothing) {
    for (const BadSetting& b : kBadSettings) {
        SCOPED_TRACE(b.assignment);
        const Snapshot before = snapshot();
        const std::string error = applyParameterSetting(*mtl, cd(), b.assignment, 0);
        EXPECT_NE(error.find(b.message), std::string::npos) << error;
        EXPECT_EQ(changes(before, snapshot()), std::vector<std::string>{});
    }
}

TEST_F(MaterialSettings, ListItemsAreTheTextsOfAListParameterInOrder) {
    EXPECT_EQ(listItems(*mtl, cd(), "mtl_reflect_brdf"),
              (std::vector<std::string>{"Phong", "TorrSparr", "Beckmann", "GGX", "TRGGX"}));
    EXPECT_EQ(listItems(*mtl, cd(), "mtl_specular_brdf"),
              listItems(*mtl, cd(), "mtl_reflect_brdf"));
    EXPECT_EQ(listItems(*mtl, cd(), "mtl_reflect_extrusion"),
              (std::vector<std::string>{"strong (recommended)", "luminance"}));
}

TEST_F(MaterialSettings, ListItemsOfAnythingButAListAreNone) {
    for (const char* name : {"mtl_reflect_ior", "mtl_refl_gloss_or_cos", "mtl_diffuse_color",
                             "mtl_diffuse_map", "mtl_affect_shadow", "mtl_nonesuch", ""}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(listItems(*mtl, cd(), name), std::vector<std::string>{});
    }
}

// Texture maps by image file.
class MapSettings : public MaterialSettings {
protected:
    void SetUp() override {
        MaterialSettings::SetUp();
        image = dir.file("tiny.png");
        std::string error;
        ASSERT_TRUE(writeImage(image, Image(4, 2), error)) << error;
    }

    Texmap* slot(const std::string& parameter) {
        return mtl->GetSubTexmap(def(parameter).subtexno);
    }

    apptest::ScratchDir dir;
    std::string image;
};

TEST_F(MapSettings, AColourMapIsABitmapTextureReadingTheFile) {
    const Snapshot before = snapshot();
    ASSERT_EQ(applyMapSetting(*mtl, "mtl_diffuse_map=" + image), "");
    auto* bitmap = dynamic_cast<BitmapTex*>(slot("mtl_diffuse_map"));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(toUtf8(bitmap->GetMapName()), std::filesystem::absolute(image).string());
    const std::vector<std::string> changed = changes(before, snapshot());
    EXPECT_EQ(changed,
              std::vector<std::string>{"slot " + std::to_string(def("mtl_diffuse_map").subtexno)});
}

TEST_F(MapSettings, TheNormalMapIsANormalBumpTextureAroundTheBitmap) {
    ASSERT_EQ(applyMapSetting(*mtl, "mtl_normal_map=" + image), "");
    Texmap* map = slot("mtl_normal_map");
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->ClassID(), kNormalBumpClassID);
    auto* bitmap = dynamic_cast<BitmapTex*>(map->GetSubTexmap(0));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(toUtf8(bitmap->GetMapName()), std::filesystem::absolute(image).string());
}

TEST_F(MapSettings, AnotherMapTakesTheSlot) {
    ASSERT_EQ(applyMapSetting(*mtl, "mtl_opacity_map=" + image), "");
    const std::string second = dir.file("second.png");
    std::string error;
    ASSERT_TRUE(writeImage(second, Image(2, 2), error)) << error;
    ASSERT_EQ(applyMapSetting(*mtl, "mtl_opacity_map=" + second), "");
    auto* bitmap = dynamic_cast<BitmapTex*>(slot("mtl_opacity_map"));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(toUtf8(bitmap->GetMapName()), second);
}

TEST_F(MapSettings, BadAssignmentsSayWhatIsWrongAndChangeNothing) {
    const std::string missing = dir.file("missing.png");
    const std::string garbage = dir.file("garbage.png");
    const std::string folder = dir.file("folder.png");
    apptest::writeFile(garbage, "this is no image");
    std::filesystem::create_directory(folder);
    // Each slot starts with a map, so that a failure that emptied it would show.
    ASSERT_EQ(applyMapSetting(*mtl, "mtl_diffuse_map=" + image), "");
    ASSERT_EQ(applyMapSetting(*mtl, "mtl_normal_map=" + image), "");

    const BadSetting cases[] = {
        {"mtl_nonesuch=tiny.png", "unknown parameter \"mtl_nonesuch\""},
        {"mtl_reflect_ior=tiny.png", "mtl_reflect_ior is not a texture map: give it with --set"},
        {"mtl_diffuse_color=tiny.png", "is not a texture map"},
        {"mtl_diffuse_map", "expected name=value"},
        {"=tiny.png", "expected name=value"},
    };
    const std::string files[][2] = {
        {"mtl_diffuse_map=" + missing, missing}, {"mtl_diffuse_map=" + garbage, garbage},
        {"mtl_diffuse_map=" + folder, folder},   {"mtl_diffuse_map=", ""},
        {"mtl_normal_map=" + missing, missing},  {"mtl_normal_map=" + garbage, garbage},
    };
    std::vector<std::pair<std::string, std::string>> all;
    for (const BadSetting& c : cases) all.emplace_back(c.assignment, c.message);
    for (const auto& f : files) all.emplace_back(f[0], f[1]);

    for (const auto& [assignment, message] : all) {
        SCOPED_TRACE(assignment);
        const Snapshot before = snapshot();
        const std::string error = applyMapSetting(*mtl, assignment);
        EXPECT_NE(error, "");
        EXPECT_NE(error.find(message), std::string::npos) << error;
        EXPECT_EQ(changes(before, snapshot()), std::vector<std::string>{});
    }
}

}  // namespace
