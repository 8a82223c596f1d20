// Defaults of the host's animatable: no class identity, no sub-animatables, no blocks.
#include "Animatable.h"

#include "ParamBlock2.h"

Animatable::~Animatable() = default;

void Animatable::DeleteThis() {
    deleting_ = true;
    delete this;
}

void Animatable::GetClassName(MSTR& s, bool) const {
    s.clear();
}

SClass_ID Animatable::SuperClassID() {
    return 0;
}

Class_ID Animatable::ClassID() {
    return Class_ID(0, 0);
}

int Animatable::NumSubs() {
    return 0;
}

Animatable* Animatable::SubAnim(int) {
    return nullptr;
}

MSTR Animatable::SubAnimName(int, bool) {
    return MSTR();
}

int Animatable::NumParamBlocks() {
    return 0;
}

IParamBlock2* Animatable::GetParamBlock(int) {
    return nullptr;
}

IParamBlock2* Animatable::GetParamBlockByID(BlockID id) {
    for (int i = 0; i < NumParamBlocks(); ++i) {
        IParamBlock2* pb = GetParamBlock(i);
        if (pb && pb->ID() == id) return pb;
    }
    return nullptr;
}

BaseInterface* Animatable::GetInterface(Interface_ID) {
    return nullptr;
}
