#include "WindowControls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>

#include "DragDrop.h"

namespace {

bool accepts(HWND w, const wchar_t* className) {
    return IsWindow(w) && w->ClassName() == className && IsWindowEnabled(w) && IsWindowVisible(w);
}

bool acceptsSpinnerValue(HWND w) {
    return accepts(w, WC_SPINNER) || accepts(w, WC_CUSTEDIT);
}

INT_PTR notifyParent(HWND w, UINT msg, unsigned code, LPARAM lParam) {
    return SendMessageW(w->Parent(), msg, MAKEWPARAM(static_cast<unsigned>(w->Id()), code), lParam);
}

}  // namespace

bool ClickButton(HWND button) {
    if (!accepts(button, WC_BUTTON)) return false;
    const DWORD type = button->Style() & BS_TYPEMASK;
    if (type != BS_AUTOCHECKBOX && type != BS_AUTORADIOBUTTON) return false;
    ControlState state = button->Control();
    state.checked = type == BS_AUTORADIOBUTTON ? true : !state.checked;
    SetControlState(button, state);
    notifyParent(button, WM_COMMAND, BN_CLICKED, reinterpret_cast<LPARAM>(button));
    return true;
}

bool SelectComboItem(HWND combo, int index) {
    if (!accepts(combo, WC_COMBOBOX)) return false;
    ControlState state = combo->Control();
    if (index < 0 || index >= static_cast<int>(state.items.size())) return false;
    state.selection = index;
    SetControlState(combo, state);
    notifyParent(combo, WM_COMMAND, CBN_SELCHANGE, reinterpret_cast<LPARAM>(combo));
    return true;
}

bool SetSpinnerValue(HWND control, float value) {
    if (!acceptsSpinnerValue(control) || std::isnan(value)) return false;
    ControlState state = control->Control();
    state.value = std::clamp(value, state.minValue, state.maxValue);
    SetControlState(control, state);
    notifyParent(control, HWM_SPINNER_CHANGE, 0, reinterpret_cast<LPARAM>(control));
    return true;
}

bool StepSpinner(HWND spinner, int clicks) {
    if (!accepts(spinner, WC_SPINNER)) return false;
    return SetSpinnerValue(
        spinner, spinner->Control().value + static_cast<float>(clicks) * spinner->Control().step);
}

bool EnterEditText(HWND edit, const std::wstring& text) {
    if (!accepts(edit, WC_CUSTEDIT)) return false;
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    const float value = std::wcstof(begin, &end);
    if (end == begin) return false;
    while (*end == L' ') ++end;
    if (*end != L'\0' || !std::isfinite(value)) return false;
    return SetSpinnerValue(edit, value);
}

bool PickColor(HWND swatch, const Color& color) {
    if (!accepts(swatch, WC_COLORSWATCH)) return false;
    ControlState state = swatch->Control();
    state.color = color;
    SetControlState(swatch, state);
    notifyParent(swatch, HWM_COLOR_CHANGE, 0, reinterpret_cast<LPARAM>(swatch));
    return true;
}

bool AssignMap(HWND button, Texmap* map) {
    if (!accepts(button, WC_CUSTBUTTON)) return false;
    notifyParent(button, HWM_MAP_ASSIGN, 0, reinterpret_cast<LPARAM>(map));
    return true;
}

INT_PTR ControlWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_DROPFILES) return ForwardDropToParent(hWnd, reinterpret_cast<HDROP>(wParam));
    return 0;
}

std::wstring FormatSpinnerValue(float value) {
    wchar_t buffer[64];
    std::swprintf(buffer, std::size(buffer), L"%.3f", static_cast<double>(value));
    std::wstring text = buffer;
    const std::size_t dot = text.find(L'.');
    if (dot == std::wstring::npos) return text;
    std::size_t last = text.find_last_not_of(L'0');
    if (last == dot) ++last;  // keep one decimal
    text.erase(last + 1);
    return text;
}
