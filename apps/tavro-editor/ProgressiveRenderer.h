// The editor's sample preview, refined in the background: a coarse pass (one shade call per
// block of pixels) shows the material at once, then full passes accumulate into a running
// average until the noise of the material's stochastic shading has settled. Each start
// begins a new generation; a pass of an older generation is never published.
//
// The material is updated by the caller on its own thread before start() and must not be
// touched until stop() returns (or the next start(), which stops first): the render threads
// only call its shade operation.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "Mtl.h"
#include "SampleScene.h"

// What the preview shows: 8-bit sRGB pixels as 0xAARRGGBB, row by row from the top.
struct PreviewFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    std::uint64_t generation = 0;
    // Full passes averaged into the pixels; 0 while only the coarse pass is in.
    int passes = 0;
};

struct ProgressiveSettings {
    // Render threads; 0 takes the hardware's concurrency.
    int threads = 0;
    // Edge in pixels of the blocks the coarse pass shades once each.
    int coarseBlock = 4;
    // Full passes after which the preview stops refining.
    int maxPasses = 24;
};

class ProgressiveRenderer {
public:
    // Told after every published pass, on a render thread.
    using PassCallback = std::function<void(std::uint64_t generation, int passes)>;

    ProgressiveRenderer(const ProgressiveSettings& settings, PassCallback onPass);
    ~ProgressiveRenderer();
    ProgressiveRenderer(const ProgressiveRenderer&) = delete;
    ProgressiveRenderer& operator=(const ProgressiveRenderer&) = delete;

    // Stops the render in progress and starts refining `scene` shaded by `mtl`; returns the new
    // generation. Both must stay alive and unchanged until the render is stopped.
    std::uint64_t start(Mtl& mtl, const SampleScene& scene);
    // Cancels the render in progress and waits for its threads; the last frame stays.
    void stop();

    std::uint64_t generation() const { return generation_.load(); }
    // Whether the render threads are still refining.
    bool busy() const { return busy_.load(); }
    // The last published frame.
    PreviewFrame frame() const;

private:
    void run(Mtl& mtl, const SampleScene& scene, std::uint64_t generation);
    // Shades rows [0, height) on every thread; false when cancelled midway.
    bool parallelRows(int rows, const std::function<void(int row)>& shadeRow);
    // Averages the sums over `divisor` passes into the frame and tells the callback.
    void publish(const std::vector<float>& rgbSum, int width, int height, int divisor,
                 std::uint64_t generation, int passes);

    ProgressiveSettings settings_;
    PassCallback onPass_;
    std::thread driver_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> busy_{false};
    std::atomic<std::uint64_t> generation_{0};
    mutable std::mutex frameMutex_;
    PreviewFrame frame_;  // guarded by frameMutex_
};
