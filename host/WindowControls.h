// User actions on the host's controls. Each changes the control as a click or an entry would
// and tells the control's parent with the control's notification, so a front end and a test
// drive a dialog through the same path. Disabled or hidden controls refuse every action
// (false); so do values a control cannot take.
#pragma once

#include "Window.h"

class Texmap;

constexpr UINT WM_USER = 0x0400;
// Notifications of the host's custom controls to their parent. wParam: the control id in the
// low word; lParam: the control's window (a map button's assignment: the map).
constexpr UINT HWM_SPINNER_CHANGE = WM_USER + 0x100;
constexpr UINT HWM_COLOR_CHANGE = WM_USER + 0x101;
constexpr UINT HWM_MAP_ASSIGN = WM_USER + 0x102;
// WM_COMMAND notification of a clicked button.
constexpr UINT BN_CLICKED = 0;

// Check box: toggles. Radio button: checks it (a no-op click still notifies, as on the
// platform).
bool ClickButton(HWND button);
// Drop-down list: selects item `index`.
bool SelectComboItem(HWND combo, int index);
// Spinner or edit field: the value, clamped to the control's limits.
bool SetSpinnerValue(HWND control, float value);
// Spinner arrows: `clicks` steps up (negative: down).
bool StepSpinner(HWND spinner, int clicks);
// Edit field: text typed and entered; text that is not a whole number refuses.
bool EnterEditText(HWND edit, const std::wstring& text);
// Colour swatch: a colour picked.
bool PickColor(HWND swatch, const Color& color);
// Map button: a map assigned (null clears the button's map).
bool AssignMap(HWND button, Texmap* map);

// The procedure of the host's controls: a drop that reaches a control goes on to its parent
// (the dialog decides what a drop on one of its controls means).
INT_PTR ControlWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The text an edit field shows for a value: three decimals at most, trailing zeros trimmed
// down to one.
std::wstring FormatSpinnerValue(float value);
