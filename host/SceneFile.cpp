// The scene: its top-level objects held as references.
#include "SceneFile.h"

Scene::~Scene() {
    DeleteAllRefsFromMe();
}

ReferenceTarget* Scene::Object(int i) const {
    return i >= 0 && i < Count() ? objects_[std::size_t(i)] : nullptr;
}

int Scene::Add(ReferenceTarget* obj) {
    if (!obj) return -1;
    objects_.push_back(nullptr);
    const int i = Count() - 1;
    ReplaceReference(i, obj, FALSE);
    return i;
}

BOOL Scene::Replace(int i, ReferenceTarget* obj) {
    if (!obj || i < 0 || i >= Count()) return FALSE;
    return ReplaceReference(i, obj, TRUE) == REF_SUCCEED;
}

void Scene::SetReference(int i, RefTargetHandle rtarg) {
    if (i >= 0 && i < Count()) objects_[std::size_t(i)] = rtarg;
}
