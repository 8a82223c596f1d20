// The module-wide preview environment: the surroundings of every material preview.
// Null until the material code prepares it; shading only reads it.
#pragma once

class Texmap;

extern Texmap* previewEnvMap;
