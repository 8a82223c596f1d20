// Command-line settings of a material, addressed by the internal names of its parameter
// block: values ("name=value") and texture maps by image file ("name=file").
#pragma once

#include <string>
#include <vector>

#include "ClassDesc2.h"
#include "Mtl.h"

// Sets one parameter from "name=value" at time t. Floats and integers are plain numbers,
// Booleans on/off/true/false/1/0, colours "r,g,b", list parameters an item's text or its
// position. Returns an empty string on success, otherwise what was wrong; nothing changes
// then. `cd` supplies the texts of list items.
std::string applyParameterSetting(Mtl& mtl, ClassDesc2& cd, const std::string& assignment,
                                  TimeValue t);

// Puts a texture reading the image file into the slot of texture-map parameter "name=file":
// a bitmap texture, or for mtl_normal_map a "Normal Bump" texture around one. The file is
// read once here to check it. Returns an empty string on success, otherwise what was wrong.
std::string applyMapSetting(Mtl& mtl, const std::string& assignment);

// The texts of the items of list parameter `name`, by position (empty if it is no list).
std::vector<std::string> listItems(Mtl& mtl, ClassDesc2& cd, const std::string& name);
