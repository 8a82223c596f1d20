// The module-wide textures of the material previews: the environment image every preview
// reflects, and the blank texture that stands in for it until the first material exists.
#pragma once

class BitmapTex;
class StdUVGen;

class PreviewTextures {
public:
    // Makes both textures and points previewEnvMap at the blank one.
    PreviewTextures();
    ~PreviewTextures();
    PreviewTextures(const PreviewTextures&) = delete;
    PreviewTextures& operator=(const PreviewTextures&) = delete;

    // On the first call only: gives the environment texture its image and lookup settings
    // and makes it previewEnvMap for good.
    void prepareEnvironment();
    bool environmentPrepared() const { return prepared_; }
    BitmapTex* environment() const { return environment_; }

private:
    BitmapTex* environment_;
    StdUVGen* environmentUV_;
    BitmapTex* blank_;
    bool prepared_ = false;
};

// Built on first use, after the parameter-block descriptor; lives until the module unloads.
PreviewTextures& previewTextures();
