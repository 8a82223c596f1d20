// The module's string table (English, United States): every user-visible text, by id.
#pragma once

#include <span>

#include "ModuleResources.h"

std::span<const StringResource> tavroStringTable();
