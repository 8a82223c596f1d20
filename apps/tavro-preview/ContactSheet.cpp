#include "ContactSheet.h"

#include <algorithm>

#include "TinyFont.h"

namespace {
// Label strip colours: light grey on near black.
constexpr Color kStripColor{0.02f, 0.02f, 0.02f};
constexpr Color kTextColor{0.85f, 0.85f, 0.85f};
// Font pixels per image pixel grow with the panel: one per 100 rows, at least one.
constexpr int kRowsPerFontScale = 100;
// Space above and below the text, in font pixels.
constexpr int kStripPadding = 2;

int fontScale(int panelHeight) {
    return std::max(1, panelHeight / kRowsPerFontScale);
}
}  // namespace

int labelStripHeight(int panelHeight) {
    return (kFontCellHeight + 2 * kStripPadding) * fontScale(panelHeight);
}

Image composeContactSheet(const std::vector<Image>& panels,
                          const std::vector<std::string>& labels) {
    if (panels.empty()) return {};
    const int w = panels.front().width;
    const int h = panels.front().height;
    const int strip = labelStripHeight(h);
    Image sheet(w * static_cast<int>(panels.size()), h + strip);
    for (int y = h; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) sheet.set(x, y, AColor(kStripColor, 1.0f));
    }
    const int scale = fontScale(h);
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const int x0 = static_cast<int>(i) * w;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) sheet.set(x0 + x, y, panels[i].at(x, y));
        }
        if (i < labels.size()) {
            const int tx = x0 + std::max(0, (w - textWidth(labels[i], scale)) / 2);
            drawText(sheet, tx, h + kStripPadding * scale, labels[i], kTextColor, scale);
        }
    }
    return sheet;
}
