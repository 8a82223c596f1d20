// tavro-scene: creates, edits, inspects and upgrades scene files of TavroMtl materials.
// Every change is written in place (or to --output) only once all of the command's input has
// been checked; a failure leaves the file as it was.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "ClassDesc2.h"
#include "MaterialSettings.h"
#include "ModuleLoader.h"
#include "Mtl.h"
#include "ParamBlock2.h"
#include "ParamBlockLegacy.h"
#include "SceneFile.h"
#include "SceneFileMaterials.h"
#include "SceneText.h"
#include "StringConv.h"

namespace {

constexpr const char* kProgram = "tavro-scene";
// Most materials `create` makes: a large library, far below the file format's object cap.
constexpr int kMaxCreateCount = 10000;

int fail(const std::string& what, const std::string& why) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, what.c_str(), why.c_str());
    return 1;
}

// For the scene file's own errors, which begin with the file's name.
int fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    return 1;
}

struct Options {
    std::string module = TAVRO_DEFAULT_MODULE;
    std::string file;
    std::string output;  // empty: the file itself
    std::string material;
    int count = 1;
    std::vector<std::string> sets;
    std::vector<std::string> maps;
    TimeValue time = 0;
    bool key = false;
    int legacyVersion = -1;
    int legacyCount = 0;
};

// The older layout a block of `desc` had when it held its first `count` parameters in id
// order: the records a fixture of an earlier release is written with.
std::vector<ParamBlockDescID> olderLayout(ParamBlockDesc2& desc, int count) {
    std::vector<const ParamDef*> byId;
    for (const ParamDef& d : desc.Params()) byId.push_back(&d);
    std::sort(byId.begin(), byId.end(), [](auto* a, auto* b) { return a->id < b->id; });
    std::vector<ParamBlockDescID> records;
    for (int p = 0; p < count && p < int(byId.size()); ++p) {
        const ParamDef& d = *byId[std::size_t(p)];
        LegacyParamType type = LegacyParamType::User;
        switch (d.type) {
            case TYPE_FLOAT:
                type = LegacyParamType::Float;
                break;
            case TYPE_INT:
                type = LegacyParamType::Int;
                break;
            case TYPE_RGBA:
                type = LegacyParamType::Rgba;
                break;
            case TYPE_BOOL:
                type = LegacyParamType::Bool;
                break;
            case TYPE_TEXMAP:
                break;
        }
        records.emplace_back(type, nullptr, (d.flags & P_ANIMATABLE) ? TRUE : FALSE, DWORD(d.id));
    }
    return records;
}

// Replaces the material's block by an older block of that layout holding the same values.
std::string makeOlder(Mtl& mtl, int version, int count) {
    IParamBlock2* pb = mtl.GetParamBlock(0);
    ParamBlockDesc2* desc = pb->GetDesc();
    const std::vector<ParamBlockDescID> layout = olderLayout(*desc, count);
    IParamBlock* old = CreateParameterBlock(layout.data(), int(layout.size()), DWORD(version));
    if (!old) return "out of memory for the older block";
    for (int p = 0; p < int(layout.size()); ++p) {
        if (layout[std::size_t(p)].type == LegacyParamType::User) continue;
        ParamValueRecord r;
        pb->GetRecord(ParamID(layout[std::size_t(p)].id), r);
        LegacyParamValue v;
        v.type = layout[std::size_t(p)].type;
        v.f = r.f;
        v.i = r.i;
        v.c = r.c;
        v.keys = r.keys;
        old->SetValue(p, v);
    }
    mtl.ReplaceReference(desc->header().refno, old);
    return {};
}

struct Session {
    std::unique_ptr<LoadedModule> module;
    ClassDesc2* cd = nullptr;
};

int openModule(const Options& o, Session& s) {
    std::string error;
    s.module = LoadedModule::Open(o.module, error);
    if (!s.module) return fail("--module " + o.module, error);
    for (int i = 0; i < s.module->NumberClasses() && !s.cd; ++i) {
        auto* cd = dynamic_cast<ClassDesc2*>(s.module->GetClassDesc(i));
        if (cd && cd->SuperClassID() == MATERIAL_CLASS_ID) s.cd = cd;
    }
    if (!s.cd) return fail("--module " + o.module, "offers no material class");
    return 0;
}

// Applies --set and --map to one material; the first bad one names itself.
int applySettings(const Options& o, Session& s, Mtl& mtl) {
    std::unique_ptr<AnimateOn> animate;
    if (o.key) animate = std::make_unique<AnimateOn>();
    for (const std::string& a : o.sets)
        if (std::string why = applyParameterSetting(mtl, *s.cd, a, o.time); !why.empty())
            return fail(a, why);
    for (const std::string& a : o.maps)
        if (std::string why = applyMapSetting(mtl, a); !why.empty()) return fail(a, why);
    return 0;
}

int write(Scene& scene, const Options& o) {
    const std::string target = o.output.empty() ? o.file : o.output;
    std::string error;
    if (!saveScene(scene, target, error)) return fail(error);
    return 0;
}

int load(const Options& o, Session& s, std::unique_ptr<Scene>& scene) {
    if (int r = openModule(o, s)) return r;
    std::string error;
    scene = loadScene(o.file, error);
    if (!scene) return fail(error);
    return 0;
}

int runCreate(const Options& o) {
    Session s;
    if (int r = openModule(o, s)) return r;
    Scene scene;
    for (int i = 0; i < o.count; ++i) {
        auto* mtl = static_cast<Mtl*>(s.cd->Create(FALSE));
        if (!mtl || !mtl->GetParamBlock(0))
            return fail("--module " + o.module, "cannot create a material");
        scene.Add(mtl);
        mtl->SetName(L"Material " + std::to_wstring(i + 1));
        if (int r = applySettings(o, s, *mtl)) return r;
        if (o.legacyVersion >= 0)
            if (std::string why = makeOlder(*mtl, o.legacyVersion, o.legacyCount); !why.empty())
                return fail("--legacy-version", why);
    }
    return write(scene, o);
}

int runEdit(const Options& o) {
    Session s;
    std::unique_ptr<Scene> scene;
    if (int r = load(o, s, scene)) return r;
    std::string error;
    Mtl* mtl = findSceneMaterial(*scene, o.material, error);
    if (!mtl) return fail("material " + o.material, error);
    if (!mtl->GetParamBlock(0)) return fail(o.material, "the material has no parameter block");
    if (int r = applySettings(o, s, *mtl)) return r;
    return write(*scene, o);
}

int runList(const Options& o, bool dump) {
    Session s;
    std::unique_ptr<Scene> scene;
    if (int r = load(o, s, scene)) return r;
    int only = -1;
    if (!o.material.empty()) {
        std::string error;
        Mtl* mtl = findSceneMaterial(*scene, o.material, error);
        if (!mtl) return fail("material " + o.material, error);
        for (int i = 0; i < scene->Count(); ++i)
            if (scene->Object(i) == mtl) only = i;
    }
    const std::string text = dump ? dumpScene(*scene, only) : listScene(*scene);
    std::fputs(text.c_str(), stdout);
    return 0;
}

int runUpgrade(const Options& o) {
    Session s;
    std::unique_ptr<Scene> scene;
    // Loading converts every older block; saving keeps the result.
    if (int r = load(o, s, scene)) return r;
    return write(*scene, o);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    std::string command;
    CLI::App app{"Creates, edits, inspects and upgrades TavroMtl scene files."};
    app.require_subcommand(1);
    app.add_option("--module", o.module, "The TavroMtl module (.dlt) to load")
        ->capture_default_str();

    auto fileArg = [&](CLI::App* sub) {
        sub->add_option("file", o.file, "Scene file")->required();
    };
    auto outputArg = [&](CLI::App* sub) {
        sub->add_option("-o,--output", o.output, "Write the result here instead of in place");
    };
    auto settingArgs = [&](CLI::App* sub, bool maps) {
        sub->add_option("--set", o.sets, "Parameter by internal name: name=value (repeatable)");
        if (maps) sub->add_option("--map", o.maps, "Texture map by image file: name=file");
        sub->add_option("--time", o.time, "Time in ticks of the settings")->capture_default_str();
        sub->add_flag("--key", o.key, "Set animation keys at --time instead of the value");
    };

    CLI::App* create = app.add_subcommand("create", "Write a new scene of N materials");
    fileArg(create);
    create->add_option("-n,--count", o.count, "Number of materials")
        ->check(CLI::Range(1, kMaxCreateCount))
        ->capture_default_str();
    settingArgs(create, true);
    create
        ->add_option("--legacy-version", o.legacyVersion,
                     "Write each block as an older block of this layout version (for fixtures)")
        ->check(CLI::Range(0, 1000));
    create
        ->add_option("--legacy-count", o.legacyCount,
                     "Parameters of that older layout: the first N by id")
        ->check(CLI::Range(1, 4096));

    CLI::App* set = app.add_subcommand("set", "Set parameters of one material");
    fileArg(set);
    set->add_option("material", o.material, "Material: index or name")->required();
    set->add_option("assignments", o.sets, "name=value ...")->required();
    set->add_option("--time", o.time, "Time in ticks of the settings")->capture_default_str();
    set->add_flag("--key", o.key, "Set animation keys at --time instead of the value");
    outputArg(set);

    CLI::App* map = app.add_subcommand("map", "Assign texture maps of one material by image file");
    fileArg(map);
    map->add_option("material", o.material, "Material: index or name")->required();
    map->add_option("assignments", o.maps, "name=file ...")->required();
    outputArg(map);

    CLI::App* list = app.add_subcommand("list", "List the scene's materials");
    fileArg(list);

    CLI::App* dump = app.add_subcommand("dump", "Every parameter, key and slot of the materials");
    fileArg(dump);
    dump->add_option("material", o.material, "Only this material: index or name");

    CLI::App* upgrade = app.add_subcommand("upgrade", "Convert older parameter blocks in place");
    fileArg(upgrade);
    outputArg(upgrade);

    CLI11_PARSE(app, argc, argv);

    if (o.legacyVersion >= 0 && o.legacyCount == 0)
        return fail("--legacy-version", "needs --legacy-count");
    if (*create) return runCreate(o);
    if (*set || *map) return runEdit(o);
    if (*list) return runList(o, false);
    if (*dump) return runList(o, true);
    return runUpgrade(o);
}
