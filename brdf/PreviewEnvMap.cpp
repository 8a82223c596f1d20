#include "brdf/PreviewEnvMap.h"

Texmap* previewEnvMap = nullptr;
