#include "tests/fuzz/SceneLoadEntry.h"

#include <cstdio>
#include <cstdlib>

#include "ClassDirectory.h"
#include "HostLog.h"
#include "SceneFile.h"
#include "plugin/TavroClassDesc.h"
#include "tests/plugin/AttachedModule.h"

namespace {

void setUpOnce() {
    static const bool ready = [] {
        attachModule();
        RegisterClassDesc(&tavroClassDesc());
        // Conversion warnings about made-up layout versions are expected here.
        setHostMessageSink([](const std::string&) {});
        return true;
    }();
    (void)ready;
}

}  // namespace

bool loadSceneCandidate(const std::uint8_t* data, std::size_t size, const std::string& name,
                        std::string& error) {
    setUpOnce();
    std::unique_ptr<Scene> scene = loadSceneFromBytes({data, size}, name, error);
    if (!scene) return false;
    std::vector<BYTE> again;
    std::string why;
    if (!saveSceneToBytes(*scene, again, why) || !loadSceneFromBytes(again, name, why)) {
        std::fprintf(stderr, "%s loaded but does not survive a save and load: %s\n", name.c_str(),
                     why.c_str());
        std::abort();
    }
    return true;
}
