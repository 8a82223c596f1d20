// tavro-info: loads a plug-in module the way the host does and prints what it offers:
// description, version, class identity and the full parameter table of each class.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "ClassDesc2.h"
#include "ModuleLoader.h"
#include "ModuleResources.h"
#include "ParamBlock2.h"
#include "StringConv.h"

namespace {

std::string text(const MCHAR* s) {
    return s ? toUtf8(s) : std::string("(none)");
}

const char* typeName(ParamType2 t) {
    switch (t) {
        case TYPE_FLOAT:
            return "float";
        case TYPE_INT:
            return "integer";
        case TYPE_RGBA:
            return "colour";
        case TYPE_BOOL:
            return "Boolean";
        case TYPE_TEXMAP:
            return "texture map";
    }
    return "?";
}

std::string defaultText(const ParamDef& p) {
    char buf[96];
    switch (p.type) {
        case TYPE_FLOAT:
            std::snprintf(buf, sizeof buf, "%g", double(p.defFloat));
            break;
        case TYPE_INT:
            std::snprintf(buf, sizeof buf, "%d", p.defInt);
            break;
        case TYPE_BOOL:
            return p.defInt ? "on" : "off";
        case TYPE_RGBA:
            std::snprintf(buf, sizeof buf, "(%g, %g, %g)", double(p.defColor.r),
                          double(p.defColor.g), double(p.defColor.b));
            break;
        case TYPE_TEXMAP:
            return "none";
    }
    return buf;
}

// Whether the rollout template places a control with this id.
bool inTemplate(const DialogTemplate* dlg, int id) {
    if (!dlg) return false;
    for (std::size_t i = 0; i < dlg->itemCount; ++i)
        if (dlg->items[i].id == id) return true;
    return false;
}

std::string controlText(const ParamDef& p, const DialogTemplate* dlg) {
    const ControlBinding& c = p.control;
    std::string ids;
    for (int id : c.ids) ids += (ids.empty() ? "" : "/") + std::to_string(id);
    char step[32];
    std::snprintf(step, sizeof step, "%g", double(c.step));
    const std::string absent =
        !c.ids.empty() && !inTemplate(dlg, c.ids.front()) ? " (not in the rollout)" : "";
    switch (c.kind) {
        case ControlKind::None:
            return "-";
        case ControlKind::Spinner:
            return "spinner " + ids + " step " + step + absent;
        case ControlKind::CheckBox:
            return "check box " + ids + absent;
        case ControlKind::ColorSwatch:
            return "colour swatch " + ids + absent;
        case ControlKind::MapButton:
            return "map button " + ids + " slot " + std::to_string(p.refno) + absent;
        case ControlKind::ComboBox:
            return "combo box " + ids + absent;
        case ControlKind::RadioPair:
            return "radio pair " + ids + absent;
    }
    return "?";
}

void printClass(ClassDesc* cd, HINSTANCE instance) {
    const Class_ID id = cd->ClassID();
    std::printf("Class:         %s (internal name %s)\n", text(cd->ClassName()).c_str(),
                text(cd->InternalName()).c_str());
    std::printf("Class id:      (0x%08X, 0x%08X)\n", id.PartA(), id.PartB());
    std::printf("Super class:   0x%04X\n", cd->SuperClassID());
    std::printf("Category:      %s\n", text(cd->Category()).c_str());
    std::printf("Public:        %s\n", cd->IsPublic() ? "yes" : "no");

    auto* cd2 = dynamic_cast<ClassDesc2*>(cd);
    if (!cd2) return;
    for (int b = 0; b < cd2->NumParamBlockDescs(); ++b) {
        const ParamBlockDesc2* pbd = cd2->GetParamBlockDesc(b);
        const DialogTemplate* dlg = FindDialogTemplate(instance, pbd->header().dlgTemplate);
        std::printf("\nParameter block %d \"%s\": %d parameters\n", pbd->ID(),
                    text(pbd->header().int_name).c_str(), pbd->Count());
        std::printf("%4s %4s  %-36s %-12s %-18s %-20s %s\n", "pos", "id", "internal name", "type",
                    "default", "range", "control");
        for (int i = 0; i < pbd->Count(); ++i) {
            const ParamDef& p = pbd->GetParamDef(i);
            char range[48] = "-";
            if (p.hasRange)
                std::snprintf(range, sizeof range, "%g .. %g", double(p.rangeLo),
                              double(p.rangeHi));
            std::printf("%4d %4d  %-36s %-12s %-18s %-20s %s\n", i, p.id, text(p.int_name).c_str(),
                        typeName(p.type), defaultText(p).c_str(), range,
                        controlText(p, dlg).c_str());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Loads a TavroMtl plug-in module and prints its classes and parameters."};
    std::string hostVersion = "2021";
    std::string modulePath;
    app.add_option("--host-version", hostVersion, "Which build to load when no path is given")
        ->check(CLI::IsMember({"2017", "2018", "2019", "2020", "2021"}));
    app.add_option("module", modulePath, "Path of a .dlt module (default: the build's own)");
    CLI11_PARSE(app, argc, argv);
    if (modulePath.empty())
        modulePath =
            std::string(TAVRO_MODULE_DIR) + "/" + hostVersion + "/TavroMtl_" + hostVersion + ".dlt";

    std::string error;
    auto module = LoadedModule::Open(modulePath, error);
    if (!module) {
        std::fprintf(stderr, "tavro-info: %s\n", error.c_str());
        return 1;
    }
    const ULONG v = module->Version();
    std::printf("Module:        %s\n", module->Path().c_str());
    std::printf("Description:   %s\n", text(module->Description()).c_str());
    std::printf("Version:       0x%08X (%u, %u, %u)\n", v, v >> 16, (v >> 8) & 0xFF, v & 0xFF);
    std::printf("Classes:       %d\n\n", module->NumberClasses());
    for (int i = 0; i < module->NumberClasses(); ++i)
        if (ClassDesc* cd = module->GetClassDesc(i)) printClass(cd, module->Instance());
    return 0;
}
