#include "SceneFileMaterials.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "StringConv.h"

Mtl* findSceneMaterial(Scene& scene, const std::string& which, std::string& error) {
    const bool isIndex = !which.empty() && std::all_of(which.begin(), which.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
    int index = -1;
    if (isIndex) {
        const auto [end, ec] = std::from_chars(which.data(), which.data() + which.size(), index);
        if (ec != std::errc() || index >= scene.Count()) {
            error = "no material " + which + ": the scene holds " + std::to_string(scene.Count());
            return nullptr;
        }
    } else {
        const std::wstring name = fromUtf8(which);
        for (int i = 0; i < scene.Count() && index < 0; ++i) {
            auto* m = dynamic_cast<MtlBase*>(scene.Object(i));
            if (m && m->GetName() == name) index = i;
        }
        if (index < 0) {
            error = "no material is named \"" + which + "\"";
            return nullptr;
        }
    }
    auto* mtl = dynamic_cast<Mtl*>(scene.Object(index));
    if (!mtl) error = "object " + std::to_string(index) + " of the scene is not a material";
    return mtl;
}
