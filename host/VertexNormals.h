// Host class whose default constructor a module may be asked to export.
#pragma once

#include <vector>

class VertexNormalsCallback;

class VertexNormalsControl {
public:
    VertexNormalsControl();
    bool enabled;
    std::vector<VertexNormalsCallback*> callbacks;
};
