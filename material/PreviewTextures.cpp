#include "material/PreviewTextures.h"

#include "BitmapTex.h"
#include "brdf/PreviewEnvMap.h"
#include "params/TavroParamBlock.h"

namespace {

// The preview environment image, a latitude-longitude HDR panorama.
constexpr const MCHAR* kEnvironmentImage = L"c:\\[Tavro]\\pluginFiles\\material\\EnvMatEdit.hdr";
// Settings of the host's bitmap texture: looked up by direction as a spherical
// environment, from a texture slot, with nearest (unfiltered) lookups.
constexpr int kSphericalEnvironmentMapping = 1;
constexpr int kTextureSlot = 0;
constexpr int kNoFiltering = 2;

// Nothing refers to these textures, so they go without notifying anyone: at process exit
// the host's per-thread notification state may already be gone.
void dispose(BitmapTex* texture) {
    if (texture != nullptr) texture->DeleteThis();
}

}  // namespace

PreviewTextures::PreviewTextures()
    : environment_(NewDefaultBitmapTex()),
      environmentUV_(environment_ != nullptr ? environment_->GetUVGen() : nullptr),
      blank_(NewDefaultBitmapTex()) {
    previewEnvMap = blank_;
}

PreviewTextures::~PreviewTextures() {
    previewEnvMap = nullptr;
    dispose(blank_);
    dispose(environment_);
}

void PreviewTextures::prepareEnvironment() {
    if (prepared_) return;
    prepared_ = true;
    if (environment_ == nullptr) return;
    if (environmentUV_ != nullptr) {
        environmentUV_->SetCoordMapping(kSphericalEnvironmentMapping);
        environmentUV_->SetSlotType(kTextureSlot);
    }
    environment_->SetFilterType(kNoFiltering);
    environment_->SetMapName(kEnvironmentImage, false);
    previewEnvMap = environment_;
}

PreviewTextures& previewTextures() {
    // The descriptors come first so that unload destroys these textures before them.
    tavroParamBlockDesc();
    static PreviewTextures textures;
    return textures;
}
