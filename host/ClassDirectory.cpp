// The class directory: the host's built-in classes, then whatever modules register.
#include "ClassDirectory.h"

#include <algorithm>
#include <mutex>

#include "ClassDesc2.h"
#include "HostClasses.h"

namespace {

struct Directory {
    std::mutex mutex;
    std::vector<ClassDesc*> classes = hostClassDescs();
};

Directory& directory() {
    static Directory d;
    return d;
}

bool sameIdentity(ClassDesc* cd, SClass_ID superClass, const Class_ID& classId) {
    return cd->SuperClassID() == superClass && cd->ClassID() == classId;
}

}  // namespace

BOOL RegisterClassDesc(ClassDesc* cd) {
    if (!cd) return FALSE;
    Directory& d = directory();
    std::lock_guard lock(d.mutex);
    for (ClassDesc* known : d.classes)
        if (known == cd || sameIdentity(known, cd->SuperClassID(), cd->ClassID())) return FALSE;
    d.classes.push_back(cd);
    return TRUE;
}

void UnregisterClassDesc(ClassDesc* cd) {
    Directory& d = directory();
    std::lock_guard lock(d.mutex);
    d.classes.erase(std::remove(d.classes.begin(), d.classes.end(), cd), d.classes.end());
}

ClassDesc* FindClassDesc(SClass_ID superClass, const Class_ID& classId) {
    Directory& d = directory();
    std::lock_guard lock(d.mutex);
    for (ClassDesc* cd : d.classes)
        if (sameIdentity(cd, superClass, classId)) return cd;
    return nullptr;
}

std::vector<ClassDesc*> RegisteredClassDescs() {
    Directory& d = directory();
    std::lock_guard lock(d.mutex);
    return d.classes;
}
