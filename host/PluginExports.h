// The functions a plug-in module exports, found by name with C linkage.
#pragma once

#include "HostTypes.h"
#include "ModuleResources.h"

class ClassDesc;

extern "C" {
BOOL DllMain(HINSTANCE instance, DWORD reason, void* reserved);
const MCHAR* LibDescription();
int LibNumberClasses();
ClassDesc* LibClassDesc(int i);
ULONG LibVersion();
int LibInitialize();
int LibShutdown();
const ModuleResourceTable* ModuleResources();
}
