// Files dropped on windows: the drop handles that WM_DROPFILES carries, and the host's
// delivery of a drop (what the platform does when files from the desktop are let go).
#pragma once

#include <string>
#include <vector>

#include "Window.h"

// Files let go at `pt` (client coordinates of `window`): the deepest visible, enabled window
// under the point that accepts files, or else its nearest ancestor that does, receives
// WM_DROPFILES with a new drop handle whose point is in its own client coordinates. The
// message is delivered at once; a handle the receiver has not released with DragFinish is
// released when the message returns. False when no window took the drop (no files, a point
// outside `window`, or no window accepting files).
bool DropFiles(HWND window, POINT pt, const std::vector<std::wstring>& files);

// Hands a drop that reached a control on to the control's parent, its point moved into the
// parent's client coordinates (what the host's custom controls do with drops).
INT_PTR ForwardDropToParent(HWND control, HDROP drop);

// Drop handles not yet released (a leak check for tests).
std::size_t OpenDropCount();
