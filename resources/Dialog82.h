// Dialog template 82: the material's "Parameters" rollout. The host builds the rollout from
// this template and binds its controls by id to the parameter block.
#pragma once

#include "ModuleResources.h"

// Resource id of the rollout template.
constexpr int IDD_TAVRO_PARAMETERS = 82;

// Labels that carry an id although nothing addresses them.
constexpr int IDC_ROTATION_LABEL = 1099;
constexpr int IDC_ANISOTROPY_LABEL = 1100;

const DialogTemplate& tavroDialog82();
