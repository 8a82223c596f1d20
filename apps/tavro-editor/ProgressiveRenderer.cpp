#include "apps/tavro-editor/ProgressiveRenderer.h"

#include <algorithm>
#include <cmath>

#include "Image.h"
#include "PreviewRenderer.h"

namespace {

// Pixel centres lie half a pixel in from the corner.
constexpr float kPixelCentre = 0.5f;
// Most render threads, whatever the hardware reports: the preview is a few hundred rows.
constexpr int kMaxRenderThreads = 64;

std::uint32_t toArgb(float r, float g, float b) {
    auto channel = [](float linear) {
        // NaN from a degenerate sample shows as black rather than poisoning the frame.
        const float v = std::isfinite(linear) ? std::clamp(linear, 0.0f, 1.0f) : 0.0f;
        return static_cast<std::uint32_t>(linearToSrgb(v) * 255.0f + 0.5f);
    };
    return 0xFF000000u | (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

}  // namespace

ProgressiveRenderer::ProgressiveRenderer(const ProgressiveSettings& settings, PassCallback onPass)
    : settings_(settings), onPass_(std::move(onPass)) {
    settings_.coarseBlock = std::max(settings_.coarseBlock, 1);
    settings_.maxPasses = std::max(settings_.maxPasses, 1);
}

ProgressiveRenderer::~ProgressiveRenderer() {
    stop();
}

std::uint64_t ProgressiveRenderer::start(Mtl& mtl, const SampleScene& scene) {
    stop();
    const std::uint64_t generation = generation_.fetch_add(1) + 1;
    cancel_ = false;
    busy_ = true;
    driver_ = std::thread([this, &mtl, &scene, generation] { run(mtl, scene, generation); });
    return generation;
}

void ProgressiveRenderer::stop() {
    cancel_ = true;
    if (driver_.joinable()) driver_.join();
    busy_ = false;
}

PreviewFrame ProgressiveRenderer::frame() const {
    const std::lock_guard<std::mutex> lock(frameMutex_);
    return frame_;
}

bool ProgressiveRenderer::parallelRows(int rows, const std::function<void(int row)>& shadeRow) {
    std::atomic<int> next{0};
    auto work = [&] {
        for (int row = next.fetch_add(1); row < rows && !cancel_.load(std::memory_order_relaxed);
             row = next.fetch_add(1))
            shadeRow(row);
    };
    int threads = settings_.threads > 0 ? settings_.threads
                                        : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::clamp(threads, 1, std::min(kMaxRenderThreads, std::max(rows, 1)));
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(threads - 1));
    for (int i = 1; i < threads; ++i) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    return !cancel_.load();
}

void ProgressiveRenderer::run(Mtl& mtl, const SampleScene& scene, std::uint64_t generation) {
    const int w = scene.width();
    const int h = scene.height();
    const int block = settings_.coarseBlock;
    std::vector<float> sum(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3, 0.0f);
    auto add = [&](int x, int y, const Color& c) {
        float* p = &sum[3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                             static_cast<std::size_t>(x))];
        p[0] += c.r;
        p[1] += c.g;
        p[2] += c.b;
    };
    auto cancelled = [this] { return cancel_.load(std::memory_order_relaxed); };

    // Coarse pass: the centre of each block stands for the whole block.
    const int blockColumns = (w + block - 1) / block;
    const bool coarseDone = parallelRows((h + block - 1) / block, [&](int by) {
        for (int bx = 0; bx < blockColumns && !cancelled(); ++bx) {
            const int x0 = bx * block;
            const int y0 = by * block;
            const int x1 = std::min(x0 + block, w);
            const int y1 = std::min(y0 + block, h);
            const Color c =
                shadePreviewPixel(mtl, scene, static_cast<float>((x0 + x1) / 2) + kPixelCentre,
                                  static_cast<float>((y0 + y1) / 2) + kPixelCentre);
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) add(x, y, c);
        }
    });
    if (!coarseDone) return;
    publish(sum, w, h, 1, generation, 0);

    std::fill(sum.begin(), sum.end(), 0.0f);
    for (int pass = 1; pass <= settings_.maxPasses; ++pass) {
        const bool done = parallelRows(h, [&](int y) {
            for (int x = 0; x < w && !cancelled(); ++x)
                add(x, y,
                    shadePreviewPixel(mtl, scene, static_cast<float>(x) + kPixelCentre,
                                      static_cast<float>(y) + kPixelCentre));
        });
        if (!done) return;
        publish(sum, w, h, pass, generation, pass);
    }
    busy_ = false;
}

void ProgressiveRenderer::publish(const std::vector<float>& rgbSum, int width, int height,
                                  int divisor, std::uint64_t generation, int passes) {
    PreviewFrame f;
    f.width = width;
    f.height = height;
    f.generation = generation;
    f.passes = passes;
    f.argb.resize(rgbSum.size() / 3);
    const float scale = 1.0f / static_cast<float>(divisor);
    for (std::size_t i = 0; i < f.argb.size(); ++i)
        f.argb[i] =
            toArgb(rgbSum[3 * i] * scale, rgbSum[3 * i + 1] * scale, rgbSum[3 * i + 2] * scale);
    {
        const std::lock_guard<std::mutex> lock(frameMutex_);
        frame_ = std::move(f);
    }
    if (onPass_) onPass_(generation, passes);
}
