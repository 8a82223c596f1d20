// The scene loader as the fuzzer and the corpus test drive it: the module's material class
// registered, one candidate file loaded, and a loaded scene saved and loaded once more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Loads `data` as a scene file named `name`. Returns true when it loaded; otherwise `error`
// holds the loader's message. Aborts when a loaded scene cannot be saved and read back, which
// would mean the loader let through something it cannot stand behind.
bool loadSceneCandidate(const std::uint8_t* data, std::size_t size, const std::string& name,
                        std::string& error);
