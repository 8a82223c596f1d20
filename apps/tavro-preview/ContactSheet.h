// A contact sheet: preview panels of one size side by side, each with a label underneath.
#pragma once

#include <string>
#include <vector>

#include "Image.h"

// Height of the label strip under the panels for panels `panelHeight` pixels high.
int labelStripHeight(int panelHeight);

// The panels (all of the same size) left to right, each labelled with the matching text in a
// dark strip below it.
Image composeContactSheet(const std::vector<Image>& panels, const std::vector<std::string>& labels);
