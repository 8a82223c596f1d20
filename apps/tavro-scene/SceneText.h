// Scene contents as text: the listing and the full dump of tavro-scene.
#pragma once

#include <string>

#include "SceneFile.h"

// One line per top-level object: index, name, class and the kind of its parameter block.
std::string listScene(Scene& scene);

// Every material with every parameter (value and keys) and every texture slot (class, name,
// file). `only` limits it to one object index (-1 for all).
std::string dumpScene(Scene& scene, int only = -1);
