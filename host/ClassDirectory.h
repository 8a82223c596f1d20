// The host's directory of classes: which class descriptor creates the objects of each class
// identity (super class and Class_ID). Scene files name classes by identity; loading finds
// the descriptor here. The host's own classes are always present; a loaded module's classes
// are present while it is loaded.
#pragma once

#include <vector>

#include "HostTypes.h"

class ClassDesc;

// Adds a descriptor; a second descriptor with the same identity replaces nothing and is
// refused (FALSE). Null is refused.
BOOL RegisterClassDesc(ClassDesc* cd);
// Removes a descriptor added earlier (nothing happens for one that is not there).
void UnregisterClassDesc(ClassDesc* cd);
// The descriptor of a class identity, or null.
ClassDesc* FindClassDesc(SClass_ID superClass, const Class_ID& classId);
// Every descriptor, the host's own first.
std::vector<ClassDesc*> RegisteredClassDescs();
