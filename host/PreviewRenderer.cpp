#include "PreviewRenderer.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "SampleShadeContext.h"

namespace {

// Pixel centres lie half a pixel in from the corner.
constexpr float kPixelCentre = 0.5f;

struct TileGrid {
    int tileSize;
    int columns;
    int rows;
    int count() const { return columns * rows; }
};

void renderTile(Mtl& mtl, const SampleScene& scene, const TileGrid& grid, int tile, Image& image) {
    const int x0 = (tile % grid.columns) * grid.tileSize;
    const int y0 = (tile / grid.columns) * grid.tileSize;
    const int x1 = std::min(x0 + grid.tileSize, image.width);
    const int y1 = std::min(y0 + grid.tileSize, image.height);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Color c = shadePreviewPixel(mtl, scene, static_cast<float>(x) + kPixelCentre,
                                              static_cast<float>(y) + kPixelCentre);
            image.set(x, y, AColor(c, 1.0f));
        }
    }
}

int workerCount(int requested, int tiles) {
    int n = requested > 0 ? requested : static_cast<int>(std::thread::hardware_concurrency());
    n = std::clamp(n, 1, kMaxPreviewThreads);
    return std::min(n, std::max(tiles, 1));
}

}  // namespace

Color shadePreviewPixel(Mtl& mtl, const SampleScene& scene, float px, float py) {
    const Ray ray = scene.cameraRay(px, py);
    SurfaceHit hit;
    if (!scene.intersect(ray, hit)) return scene.backgroundAt(px, py);
    SampleShadeContext sc(scene, ray, hit, px, py);
    mtl.Shade(sc);
    return sc.out.c;
}

Image renderPreview(Mtl& mtl, const SampleScene& scene, const PreviewRenderOptions& options) {
    Image image(scene.width(), scene.height());
    const int tileSize = std::max(options.tileSize, 1);
    const TileGrid grid{tileSize, (image.width + tileSize - 1) / tileSize,
                        (image.height + tileSize - 1) / tileSize};

    std::atomic<int> nextTile{0};
    std::mutex progressMutex;
    int tilesDone = 0;  // guarded by progressMutex
    auto work = [&] {
        for (int tile = nextTile.fetch_add(1); tile < grid.count(); tile = nextTile.fetch_add(1)) {
            renderTile(mtl, scene, grid, tile, image);
            if (options.progress) {
                const std::lock_guard<std::mutex> lock(progressMutex);
                options.progress(++tilesDone, grid.count());
            }
        }
    };

    const int workers = workerCount(options.threads, grid.count());
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(workers - 1));
    for (int i = 1; i < workers; ++i) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    return image;
}
