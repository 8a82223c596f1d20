#include "brdf/PreviewEnvMap.h"

// Read on every sampling pass by every shading thread: on a line of its own, so that the
// writes of neighbouring module data (the shade seed) do not evict it.
alignas(64) Texmap* previewEnvMap = nullptr;
