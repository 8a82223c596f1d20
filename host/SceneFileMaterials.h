// Materials of a loaded scene as programs address them: by position or by name.
#pragma once

#include <string>

#include "Mtl.h"
#include "SceneFile.h"

// The scene's top-level material named by `which`: a 0-based index when it is all digits,
// else the material whose name it is. Null, with the reason in `error`, when there is none
// or the object there is not a material.
Mtl* findSceneMaterial(Scene& scene, const std::string& which, std::string& error);
