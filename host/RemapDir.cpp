// Cloning through a remap directory: each target is copied once per clone operation, so
// shared targets stay shared in the copy.
#include "Animatable.h"

RefTargetHandle DefaultRemapDir::FindMapping(RefTargetHandle from) {
    for (const auto& [f, t] : map_)
        if (f == from) return t;
    return nullptr;
}

void DefaultRemapDir::AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) {
    for (auto& entry : map_) {
        if (entry.first == hfrom) {
            entry.second = hto;
            return;
        }
    }
    map_.emplace_back(hfrom, hto);
}

RefTargetHandle DefaultRemapDir::CloneRef(RefTargetHandle oldTarg) {
    if (!oldTarg) return nullptr;
    if (RefTargetHandle done = FindMapping(oldTarg)) return done;
    RefTargetHandle copy = oldTarg->Clone(*this);
    if (copy && !FindMapping(oldTarg)) AddEntry(oldTarg, copy);
    return copy;
}

RefTargetHandle CloneRefHierarchy(RefTargetHandle source) {
    DefaultRemapDir remap;
    return remap.CloneRef(source);
}
