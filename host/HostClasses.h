// Class descriptors of the host's own classes: the two kinds of parameter block and the
// texture maps ("Bitmap", "Normal Bump", the constant map). The class directory starts with
// them, so scenes holding them can always be read.
#pragma once

#include <vector>

class ClassDesc;

std::vector<ClassDesc*> hostClassDescs();
