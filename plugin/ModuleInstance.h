// The module's instance handle and the loader of its resource strings.
#pragma once

#include "HostTypes.h"

// Null until the entry routine records the handle at process attach.
HINSTANCE moduleInstance();
void setModuleInstance(HINSTANCE instance);

// Text of string-table entry `id` in one shared buffer of 512 wide characters, valid until
// the next load; null for a missing entry or before the instance handle is known.
const MCHAR* LoadResString(int id);
