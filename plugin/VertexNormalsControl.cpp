// The module exports this host class's default constructor, as every build for these hosts
// does; nothing in the module calls it.
#include "VertexNormals.h"

VertexNormalsControl::VertexNormalsControl() : enabled(true), callbacks() {}
