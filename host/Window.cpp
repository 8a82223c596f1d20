#include "Window.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <unordered_set>
#include <utility>

#include "WindowControls.h"
#include "WindowInternal.h"

namespace {

// Every live window, so that a stale handle is answered as the platform answers it (0, null)
// rather than followed.
std::unordered_set<HWND>& liveWindows() {
    static std::unordered_set<HWND> windows;
    return windows;
}

HostWindow* live(HWND hWnd) {
    return hWnd && liveWindows().count(hWnd) ? hWnd : nullptr;
}

void destroyTree(HWND w) {
    SendMessageW(w, WM_DESTROY, 0, 0);
    // The procedure may have destroyed children of its own; walk what is left.
    auto& children = WindowAccess::children(*w);
    for (auto& child : children) destroyTree(child.get());
    NotifyWindowChange(w, WindowChange::Destroying);
    liveWindows().erase(w);
}

bool setStyleBit(HWND hWnd, DWORD bit, bool on, WindowChange change) {
    HostWindow* w = live(hWnd);
    if (!w) return false;
    DWORD& style = WindowAccess::style(*w);
    const bool was = (style & bit) != 0;
    if (was != on) {
        style = on ? (style | bit) : (style & ~bit);
        NotifyWindowChange(w, change);
    }
    return was;
}

bool contains(const RECT& r, POINT pt) {
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

}  // namespace

bool HostWindow::IsGroupBox() const {
    return className_ == WC_BUTTON && (style_ & BS_TYPEMASK) == BS_GROUPBOX;
}

HWND CreateHostWindow(const WindowCreateInfo& info, HWND parent) {
    if (parent && !live(parent)) return nullptr;
    HostWindow* w = WindowAccess::make();
    WindowAccess::className(*w) = info.className;
    WindowAccess::text(*w) = info.text;
    WindowAccess::style(*w) = info.style | (parent ? WS_CHILD : 0);
    WindowAccess::exStyle(*w) = info.exStyle;
    WindowAccess::id(*w) = info.id;
    WindowAccess::rect(*w) = info.rect;
    WindowAccess::proc(*w) = info.proc;
    WindowAccess::parent(*w) = parent;
    if (parent) WindowAccess::children(*parent).emplace_back(w);
    liveWindows().insert(w);
    return w;
}

void DestroyWindow(HWND hWnd) {
    HostWindow* w = live(hWnd);
    if (!w) return;
    destroyTree(w);
    HWND parent = WindowAccess::parent(*w);
    if (!parent) {
        delete w;
        return;
    }
    auto& siblings = WindowAccess::children(*parent);
    std::erase_if(siblings, [w](const std::unique_ptr<HostWindow>& c) { return c.get() == w; });
}

bool IsWindow(HWND hWnd) {
    return live(hWnd) != nullptr;
}

INT_PTR SendMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HostWindow* w = live(hWnd);
    if (!w || !WindowAccess::proc(*w)) return 0;
    // A copy: the procedure may replace itself while it runs.
    WindowProc proc = WindowAccess::proc(*w);
    return proc(w, msg, wParam, lParam);
}

void SetWindowProc(HWND hWnd, WindowProc proc) {
    if (HostWindow* w = live(hWnd)) WindowAccess::proc(*w) = std::move(proc);
}

LONG_PTR GetWindowLongPtrW(HWND hWnd, int index) {
    HostWindow* w = live(hWnd);
    return w && index == GWLP_USERDATA ? WindowAccess::userData(*w) : 0;
}

LONG_PTR SetWindowLongPtrW(HWND hWnd, int index, LONG_PTR value) {
    HostWindow* w = live(hWnd);
    if (!w || index != GWLP_USERDATA) return 0;
    return std::exchange(WindowAccess::userData(*w), value);
}

HWND GetDlgItem(HWND hDlg, int id) {
    HostWindow* w = live(hDlg);
    if (!w) return nullptr;
    for (auto& child : WindowAccess::children(*w))
        if (child->Id() == id) return child.get();
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    HostWindow* w = live(hWnd);
    return w ? w->Id() : 0;
}

// The platform's RealChildWindowFromPoint searches the immediate children in Z order,
// skipping hidden ones and looking through group boxes (a group box is transparent to the
// hit test); disabled children and static labels are found. A point inside the parent but on
// no child gives the parent; a point outside the parent gives null.
HWND RealChildWindowFromPoint(HWND parent, POINT pt) {
    HostWindow* p = live(parent);
    if (!p) return nullptr;
    const RECT& pr = p->Rect();
    if (!contains(RECT{0, 0, pr.right - pr.left, pr.bottom - pr.top}, pt)) return nullptr;
    for (auto& child : p->Children()) {
        if (!(child->Style() & WS_VISIBLE) || child->IsGroupBox()) continue;
        if (contains(child->Rect(), pt)) return child.get();
    }
    return p;
}

BOOL EnableWindow(HWND hWnd, BOOL enable) {
    return setStyleBit(hWnd, WS_DISABLED, !enable, WindowChange::Enabled) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
    HostWindow* w = live(hWnd);
    return w && !(w->Style() & WS_DISABLED) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hWnd, BOOL show) {
    return setStyleBit(hWnd, WS_VISIBLE, show, WindowChange::Shown) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd) {
    HostWindow* w = live(hWnd);
    return w && (w->Style() & WS_VISIBLE) ? TRUE : FALSE;
}

void SetWindowTextW(HWND hWnd, const std::wstring& text) {
    HostWindow* w = live(hWnd);
    if (!w || WindowAccess::text(*w) == text) return;
    WindowAccess::text(*w) = text;
    NotifyWindowChange(w, WindowChange::Text);
}

void MoveWindow(HWND hWnd, const RECT& rect) {
    HostWindow* w = live(hWnd);
    if (!w) return;
    WindowAccess::rect(*w) = rect;
    NotifyWindowChange(w, WindowChange::Moved);
}

void SetControlState(HWND hWnd, const ControlState& state) {
    HostWindow* w = live(hWnd);
    if (!w) return;
    WindowAccess::control(*w) = state;
    NotifyWindowChange(w, WindowChange::State);
}

void SetWindowObserver(HWND root, WindowObserver observer) {
    if (HostWindow* w = live(root)) WindowAccess::observer(*w) = std::move(observer);
}

void NotifyWindowChange(HWND hWnd, WindowChange change) {
    for (HWND w = hWnd; w; w = w->Parent()) {
        if (auto& observer = WindowAccess::observer(*w)) {
            observer(hWnd, change);
            return;
        }
    }
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const std::int64_t product = std::int64_t{number} * numerator;
    // Rounded half away from zero, as the platform rounds.
    const std::int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) /
                                   (denominator < 0 ? -denominator : denominator);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN) return -1;
    return static_cast<int>(result);
}

DialogBaseUnits DialogBaseUnitsOf(const wchar_t* fontName, short pointSize) {
    // The average character width and the height of the dialog font at 96 dots per inch.
    // Only the rollouts' font is known to this host; any other is measured as it.
    (void)fontName;
    (void)pointSize;
    return {6, 13};
}

RECT MapDialogRect(const DialogItem& item, DialogBaseUnits units) {
    const int x = MulDiv(item.x, units.x, 4);
    const int y = MulDiv(item.y, units.y, 8);
    return RECT{x, y, x + MulDiv(item.cx, units.x, 4), y + MulDiv(item.cy, units.y, 8)};
}

namespace {

struct ItemClass {
    const wchar_t* className;
    DWORD style;
};

ItemClass classOf(const DialogItem& item) {
    switch (item.kind) {
        case DialogItemKind::GroupBox:
            return {WC_BUTTON, BS_GROUPBOX};
        case DialogItemKind::Label:
            return {WC_STATIC, (item.state & DLGITEM_CENTERED) ? SS_CENTER : SS_RIGHT};
        case DialogItemKind::CheckBox:
            return {WC_BUTTON, BS_AUTOCHECKBOX};
        case DialogItemKind::DropDownList:
            return {WC_COMBOBOX, CBS_DROPDOWNLIST | WS_VSCROLL};
        case DialogItemKind::RadioButton:
            return {WC_BUTTON, BS_AUTORADIOBUTTON};
        case DialogItemKind::EditField:
            return {WC_CUSTEDIT, 0};
        case DialogItemKind::Spinner:
            return {WC_SPINNER, 0};
        case DialogItemKind::ColorSwatch:
            return {WC_COLORSWATCH, 0};
        case DialogItemKind::MapButton:
            return {WC_CUSTBUTTON, 0};
    }
    return {WC_STATIC, 0};
}

DWORD stateStyle(unsigned state) {
    DWORD style = (state & DLGITEM_HIDDEN) ? 0 : WS_VISIBLE;
    if (state & DLGITEM_DISABLED) style |= WS_DISABLED;
    if (state & DLGITEM_TABSTOP) style |= WS_TABSTOP;
    return style;
}

}  // namespace

HWND CreateDialogFromTemplate(const DialogTemplate& tpl, HWND parent, WindowProc proc) {
    const DialogBaseUnits units = DialogBaseUnitsOf(tpl.fontName, tpl.fontSize);
    WindowCreateInfo dlg;
    dlg.className = WC_DIALOG;
    dlg.style = WS_VISIBLE;
    dlg.exStyle = tpl.acceptFiles ? WS_EX_ACCEPTFILES : 0;
    dlg.rect = RECT{0, 0, MulDiv(tpl.cx, units.x, 4), MulDiv(tpl.cy, units.y, 8)};
    dlg.proc = std::move(proc);
    HWND hDlg = CreateHostWindow(dlg, parent);
    if (!hDlg) return nullptr;
    for (std::size_t i = 0; i < tpl.itemCount; ++i) {
        const DialogItem& item = tpl.items[i];
        const ItemClass cls = classOf(item);
        WindowCreateInfo info;
        info.className = cls.className;
        info.text = item.caption ? item.caption : L"";
        info.style = cls.style | stateStyle(item.state);
        info.id = item.id;
        info.rect = MapDialogRect(item, units);
        info.proc = ControlWindowProc;
        CreateHostWindow(info, hDlg);
    }
    return hDlg;
}

POINT WindowOrigin(HWND hWnd) {
    POINT pt{0, 0};
    for (HWND w = live(hWnd); w && w->Parent(); w = w->Parent()) {
        pt.x += w->Rect().left;
        pt.y += w->Rect().top;
    }
    return pt;
}
