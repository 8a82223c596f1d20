// The host's windows: a tree of HostWindow objects standing in for the platform's windows,
// with the styles, ids, user data, message procedures and control state that rollouts use.
// A front end (a real toolkit, or a test) reads this tree, paints it, and feeds user actions
// back in through WindowControls.h and DragDrop.h; it learns of changes through an observer.
//
// Coordinates are pixels. A window's rectangle is relative to its parent's client area, and
// the client area is the whole window (there are no frames).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Color.h"
#include "ModuleResources.h"
#include "WinApi.h"

struct RECT {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

// Window styles, with the platform's values.
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_EX_ACCEPTFILES = 0x00000010;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_GROUPBOX = 0x7;
constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
constexpr DWORD BS_TYPEMASK = 0xF;
constexpr DWORD SS_CENTER = 0x1;
constexpr DWORD SS_RIGHT = 0x2;
constexpr DWORD CBS_DROPDOWNLIST = 0x3;

// Window classes: the platform's own, and the host's custom controls.
inline constexpr const wchar_t* WC_DIALOG = L"#32770";
inline constexpr const wchar_t* WC_BUTTON = L"Button";
inline constexpr const wchar_t* WC_STATIC = L"Static";
inline constexpr const wchar_t* WC_COMBOBOX = L"ComboBox";
inline constexpr const wchar_t* WC_CUSTEDIT = L"CustEdit";
inline constexpr const wchar_t* WC_SPINNER = L"SpinnerControl";
inline constexpr const wchar_t* WC_COLORSWATCH = L"ColorSwatch";
inline constexpr const wchar_t* WC_CUSTBUTTON = L"CustButton";

using WindowProc = std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>;

// What a control shows. Each class uses its own fields: check boxes and radio buttons
// `checked`; spinners and edit fields `value` within [`minValue`, `maxValue`] by `step`;
// combo boxes `items` and `selection` (-1: none); colour swatches `color`. Texts (labels,
// map buttons, edit fields) are the window's text.
struct ControlState {
    bool checked = false;
    float value = 0.0f;
    float minValue = 0.0f;
    float maxValue = 0.0f;
    float step = 0.0f;
    std::vector<std::wstring> items;
    int selection = -1;
    Color color;
};

// What changed about a window, for the observer of its tree.
enum class WindowChange { Enabled, Shown, Moved, Text, State, Destroying };
using WindowObserver = std::function<void(HWND, WindowChange)>;

struct WindowCreateInfo {
    const wchar_t* className = WC_STATIC;
    std::wstring text;
    DWORD style = WS_VISIBLE;
    DWORD exStyle = 0;
    int id = 0;
    RECT rect;
    WindowProc proc;  // none: messages are not handled (SendMessageW answers 0)
};

class HostWindow {
public:
    int Id() const { return id_; }
    const std::wstring& ClassName() const { return className_; }
    const std::wstring& Text() const { return text_; }
    DWORD Style() const { return style_; }
    DWORD ExStyle() const { return exStyle_; }
    const RECT& Rect() const { return rect_; }
    HWND Parent() const { return parent_; }
    // Children in creation order, which is the platform's Z order from the top.
    const std::vector<std::unique_ptr<HostWindow>>& Children() const { return children_; }
    const ControlState& Control() const { return control_; }
    bool IsGroupBox() const;

private:
    friend struct WindowAccess;
    HostWindow() = default;

    int id_ = 0;
    std::wstring className_;
    std::wstring text_;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    RECT rect_;
    HWND parent_ = nullptr;
    std::vector<std::unique_ptr<HostWindow>> children_;
    WindowProc proc_;
    LONG_PTR userData_ = 0;
    ControlState control_;
    WindowObserver observer_;
};

// A new window; a child is owned by its parent, a top-level window by the caller until
// DestroyWindow.
HWND CreateHostWindow(const WindowCreateInfo& info, HWND parent);
// Sends WM_DESTROY to the window and then to its descendants, and frees them all.
void DestroyWindow(HWND hWnd);
// Whether `hWnd` names a live window.
bool IsWindow(HWND hWnd);

INT_PTR SendMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
void SetWindowProc(HWND hWnd, WindowProc proc);

BOOL EnableWindow(HWND hWnd, BOOL enable);  // returns whether it was disabled before
BOOL IsWindowEnabled(HWND hWnd);
BOOL ShowWindow(HWND hWnd, BOOL show);  // returns whether it was visible before
BOOL IsWindowVisible(HWND hWnd);
void SetWindowTextW(HWND hWnd, const std::wstring& text);
void MoveWindow(HWND hWnd, const RECT& rect);

// Replaces a control's state without telling its parent (the host refreshing a control from
// its parameter); the observer hears of it.
void SetControlState(HWND hWnd, const ControlState& state);

// The observer of `root`'s tree: told of every change of `root` or a descendant (the nearest
// observing ancestor is told).
void SetWindowObserver(HWND root, WindowObserver observer);

// Dialog units to pixels, as the platform maps a template: for a dialog font with base units
// of bx by by pixels, x px = MulDiv(x, bx, 4) and y px = MulDiv(y, by, 8). "MS Sans Serif"
// at 8 points has base units of 6 by 13.
int MulDiv(int number, int numerator, int denominator);
struct DialogBaseUnits {
    int x;
    int y;
};
DialogBaseUnits DialogBaseUnitsOf(const wchar_t* fontName, short pointSize);
RECT MapDialogRect(const DialogItem& item, DialogBaseUnits units);

// Builds a dialog and every item of the template as child windows (the platform's window
// class and style for each kind, state flags as styles; the items run ControlWindowProc).
// WM_INITDIALOG is not sent: the creator sends it when the dialog's user data and
// procedures are in place.
HWND CreateDialogFromTemplate(const DialogTemplate& tpl, HWND parent, WindowProc proc);

// The top-left corner of `hWnd` in the client coordinates of its top-level window.
POINT WindowOrigin(HWND hWnd);
