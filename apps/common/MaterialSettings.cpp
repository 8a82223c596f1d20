#include "MaterialSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "BitmapTex.h"
#include "Image.h"
#include "ImageIO.h"
#include "NormalBump.h"
#include "ParamBlock2.h"
#include "StringConv.h"

namespace {

// The texture-map parameter whose map is a tangent-space normal map.
constexpr const char* kNormalMapParameter = "mtl_normal_map";

struct Split {
    std::string name;
    std::string value;
};

bool splitAssignment(const std::string& assignment, Split& out, std::string& error) {
    const std::size_t eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0) {
        error = "expected name=value";
        return false;
    }
    out = {assignment.substr(0, eq), assignment.substr(eq + 1)};
    return true;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The definition of parameter `name`. Two internal names end in a comma; they are also found
// without it.
const ParamDef* findParameter(IParamBlock2* pb, const std::string& name) {
    if (pb == nullptr) return nullptr;
    ParamBlockDesc2* desc = pb->GetDesc();
    const std::wstring wide = fromUtf8(name);
    ParamID id = desc->NameToID(wide.c_str());
    if (id < 0) id = desc->NameToID((wide + L",").c_str());
    return id < 0 ? nullptr : desc->GetParamDefByID(id);
}

bool parseFloat(const std::string& text, float& v) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    return ec == std::errc() && ptr == end && std::isfinite(v);
}

bool parseInt(const std::string& text, int& v) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    return ec == std::errc() && ptr == end;
}

std::string number(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
    return buf;
}

std::string rangeError(const std::string& value, float lo, float hi) {
    return value + " is out of range (" + number(lo) + " to " + number(hi) + ")";
}

std::string setFloat(IParamBlock2* pb, const ParamDef& p, const std::string& value, TimeValue t) {
    float v;
    if (!parseFloat(value, v)) return "\"" + value + "\" is not a number";
    if (p.hasRange && (v < p.rangeLo || v > p.rangeHi))
        return rangeError(value, p.rangeLo, p.rangeHi);
    pb->SetValue(p.id, t, v);
    return {};
}

std::string setBool(IParamBlock2* pb, const ParamDef& p, const std::string& value, TimeValue t) {
    const std::string v = lower(value);
    int on;
    if (v == "on" || v == "true" || v == "1") {
        on = 1;
    } else if (v == "off" || v == "false" || v == "0") {
        on = 0;
    } else {
        return "\"" + value + "\" is not on, off, true, false, 1 or 0";
    }
    pb->SetValue(p.id, t, on);
    return {};
}

std::string setColor(IParamBlock2* pb, const ParamDef& p, const std::string& value, TimeValue t) {
    float c[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = value.find(',', start);
        const bool last = i == 2;
        if (last != (comma == std::string::npos) ||
            !parseFloat(value.substr(start, last ? std::string::npos : comma - start), c[i])) {
            return "\"" + value + "\" is not a colour r,g,b of three numbers";
        }
        start = comma + 1;
    }
    pb->SetValue(p.id, t, Color(c[0], c[1], c[2]));
    return {};
}

std::vector<std::string> itemTexts(ClassDesc2& cd, const ParamDef& p) {
    std::vector<std::string> items;
    for (int id : p.control.itemStrings) {
        const MCHAR* s = cd.GetRsrcString(id);
        items.push_back(s != nullptr ? toUtf8(s) : std::string());
    }
    return items;
}

std::string setInt(IParamBlock2* pb, ClassDesc2& cd, const ParamDef& p, const std::string& value,
                   TimeValue t) {
    if (p.control.kind == ControlKind::ComboBox) {
        const std::vector<std::string> items = itemTexts(cd, p);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (lower(items[i]) == lower(value)) {
                pb->SetValue(p.id, t, static_cast<int>(i));
                return {};
            }
        }
        int v;
        if (parseInt(value, v) && v >= 0 && v < static_cast<int>(items.size())) {
            pb->SetValue(p.id, t, v);
            return {};
        }
        std::string choices;
        for (std::size_t i = 0; i < items.size(); ++i) {
            choices += (i ? ", " : "") + std::to_string(i) + " \"" + items[i] + "\"";
        }
        return "\"" + value + "\" is not one of " + choices;
    }
    int v;
    if (!parseInt(value, v)) return "\"" + value + "\" is not an integer";
    float lo = p.rangeLo, hi = p.rangeHi;
    bool bounded = p.hasRange;
    if (p.control.kind == ControlKind::RadioPair) {
        lo = 0.0f;
        hi = 1.0f;
        bounded = true;
    }
    if (bounded && (static_cast<float>(v) < lo || static_cast<float>(v) > hi)) {
        return rangeError(value, lo, hi);
    }
    pb->SetValue(p.id, t, v);
    return {};
}

}  // namespace

std::string applyParameterSetting(Mtl& mtl, ClassDesc2& cd, const std::string& assignment,
                                  TimeValue t) {
    Split s;
    std::string error;
    if (!splitAssignment(assignment, s, error)) return error;
    IParamBlock2* pb = mtl.GetParamBlock(0);
    const ParamDef* p = findParameter(pb, s.name);
    if (p == nullptr) return "unknown parameter \"" + s.name + "\"";
    switch (p->type) {
        case TYPE_FLOAT:
            return setFloat(pb, *p, s.value, t);
        case TYPE_INT:
            return setInt(pb, cd, *p, s.value, t);
        case TYPE_BOOL:
            return setBool(pb, *p, s.value, t);
        case TYPE_RGBA:
            return setColor(pb, *p, s.value, t);
        case TYPE_TEXMAP:
            return s.name + " is a texture map: give it with --map";
    }
    return "parameter \"" + s.name + "\" has a type this program cannot set";
}

std::string applyMapSetting(Mtl& mtl, const std::string& assignment) {
    Split s;
    std::string error;
    if (!splitAssignment(assignment, s, error)) return error;
    const ParamDef* p = findParameter(mtl.GetParamBlock(0), s.name);
    if (p == nullptr) return "unknown parameter \"" + s.name + "\"";
    if (p->type != TYPE_TEXMAP) return s.name + " is not a texture map: give it with --set";

    const bool normalMap = s.name == kNormalMapParameter;
    Image probe;
    if (!readImage(s.value, probe, error, normalMap ? ImageValues::Data : ImageValues::Color)) {
        return error;
    }
    std::error_code ec;
    const std::wstring file = fromUtf8(std::filesystem::absolute(s.value, ec).string());
    Texmap* map = nullptr;
    if (normalMap) {
        map = newNormalBumpTexture(file.c_str());
    } else if (BitmapTex* bitmap = NewDefaultBitmapTex()) {
        bitmap->SetMapName(file.c_str());
        map = bitmap;
    }
    if (map == nullptr) return "out of memory for the texture of " + s.value;
    mtl.SetSubTexmap(p->subtexno, map);
    return {};
}

std::vector<std::string> listItems(Mtl& mtl, ClassDesc2& cd, const std::string& name) {
    const ParamDef* p = findParameter(mtl.GetParamBlock(0), name);
    if (p == nullptr || p->control.kind != ControlKind::ComboBox) return {};
    return itemTexts(cd, *p);
}
