#include "SceneText.h"

#include <cstdio>

#include "BitmapTex.h"
#include "Mtl.h"
#include "ParamBlock2.h"
#include "ParamBlockLegacy.h"
#include "StringConv.h"

namespace {

std::string number(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
    return buf;
}

std::string colorText(const Color& c) {
    return number(c.r) + "," + number(c.g) + "," + number(c.b);
}

std::string classOf(Animatable* a) {
    MSTR name;
    a->GetClassName(name, false);
    return toUtf8(name);
}

std::string valueText(const ParamValueRecord& r) {
    switch (r.type) {
        case TYPE_FLOAT:
            return number(r.f);
        case TYPE_INT:
            return std::to_string(r.i);
        case TYPE_BOOL:
            return r.i ? "on" : "off";
        case TYPE_RGBA:
            return colorText(r.c);
        case TYPE_TEXMAP:
            return "";
    }
    return "?";
}

std::string keysText(const ParamValueRecord& r) {
    std::string s;
    for (const ParamKey& k : r.keys)
        s += " @" + std::to_string(k.t) + "=" +
             (r.type == TYPE_FLOAT ? number(k.f) : colorText(k.c));
    return s;
}

std::string blockKind(ReferenceTarget* obj) {
    for (int r = 0; r < obj->NumRefs(); ++r) {
        ReferenceTarget* t = obj->GetReference(r);
        if (!t) t = obj->HostHeldReference(r);
        if (auto* old = dynamic_cast<IParamBlock*>(t))
            return "older block, layout version " + std::to_string(old->GetVersion());
    }
    return obj->NumParamBlocks() > 0 && obj->GetParamBlock(0) ? "current block" : "no block";
}

std::string mapText(Texmap* map) {
    std::string s = classOf(map);
    if (!map->GetName().empty()) s += " \"" + toUtf8(map->GetName()) + "\"";
    if (auto* bitmap = dynamic_cast<BitmapTex*>(map)) s += " file " + toUtf8(bitmap->GetMapName());
    for (int i = 0; i < map->NumSubTexmaps(); ++i)
        if (Texmap* sub = map->GetSubTexmap(i)) s += " [" + mapText(sub) + "]";
    return s;
}

std::string name(ReferenceTarget* obj) {
    auto* m = dynamic_cast<MtlBase*>(obj);
    return m ? toUtf8(m->GetName()) : std::string();
}

}  // namespace

std::string listScene(Scene& scene) {
    std::string out;
    for (int i = 0; i < scene.Count(); ++i) {
        ReferenceTarget* obj = scene.Object(i);
        out += std::to_string(i) + "  \"" + name(obj) + "\"  " + classOf(obj) + "  " +
               blockKind(obj) + "\n";
    }
    return out;
}

std::string dumpScene(Scene& scene, int only) {
    std::string out;
    for (int i = 0; i < scene.Count(); ++i) {
        if (only >= 0 && i != only) continue;
        ReferenceTarget* obj = scene.Object(i);
        out += "material " + std::to_string(i) + " \"" + name(obj) + "\" (" + classOf(obj) + ", " +
               blockKind(obj) + ")\n";
        if (IParamBlock2* pb = obj->NumParamBlocks() > 0 ? obj->GetParamBlock(0) : nullptr) {
            for (const ParamDef& d : pb->GetDesc()->Params()) {
                if (d.type == TYPE_TEXMAP) continue;
                ParamValueRecord r;
                pb->GetRecord(d.id, r);
                out += "  " + toUtf8(d.int_name) + " = " + valueText(r) + keysText(r) + "\n";
            }
        }
        auto* mtl = dynamic_cast<MtlBase*>(obj);
        for (int s = 0; mtl && s < mtl->NumSubTexmaps(); ++s) {
            Texmap* map = mtl->GetSubTexmap(s);
            out += "  slot " + std::to_string(s) + " " +
                   toUtf8(mtl->GetSubTexmapSlotName(s, false)) + ": " +
                   (map ? mapText(map) : "empty") + "\n";
        }
    }
    return out;
}
