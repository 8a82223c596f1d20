// The host's render loop for material previews: every pixel of a sample scene shaded by one
// material, split into square tiles that a pool of threads takes from a shared counter. Used
// by tavro-preview and the editor window.
#pragma once

#include <functional>

#include "Image.h"
#include "Mtl.h"
#include "SampleScene.h"

struct PreviewRenderOptions {
    // Worker threads; 0 takes the hardware's concurrency.
    int threads = 0;
    // Edge of a tile in pixels.
    int tileSize = 32;
    // Called after each finished tile with the tiles done and the total. Calls come from the
    // worker threads, one at a time.
    std::function<void(int done, int total)> progress;
};

// Most worker threads a render starts, whatever it is asked for.
constexpr int kMaxPreviewThreads = 256;

// The colour of pixel position (px, py) of `scene`: the material's shade result where the
// camera ray meets the sample object, else the background. The same conditions as
// renderPreview hold; progressive renderers call it pixel by pixel.
Color shadePreviewPixel(Mtl& mtl, const SampleScene& scene, float px, float py);

// Renders `scene` with `mtl`: a pixel whose camera ray meets the sample object is the
// material's shade result there, any other the scene's background. Alpha is 1. The material
// must be updated for the render's time beforehand and not changed while this runs; its
// shade call is made from several threads at once.
Image renderPreview(Mtl& mtl, const SampleScene& scene, const PreviewRenderOptions& options = {});
