// The descriptor of the material's parameter block: every setting with its identifier,
// internal name, type, default, range, rollout control and, for maps, the material's slot.
#pragma once

#include "ParamBlock2.h"

// Built on first use, after the class descriptor it names as its owner, and registered
// with it; lives until the module unloads.
ParamBlockDesc2& tavroParamBlockDesc();
