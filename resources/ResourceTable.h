// Everything the module carries as resources, in the form the host reads them.
#pragma once

#include "ModuleResources.h"

const ModuleResourceTable* tavroModuleResources();
