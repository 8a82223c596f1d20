#include "DragDrop.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "WindowInternal.h"

// The object behind a drop handle.
struct HDROP__ {
    std::vector<std::wstring> files;
    POINT point;  // client coordinates of the window the drop was delivered to
};

namespace {

// Live drop handles: a released or foreign handle is answered with 0, never followed.
std::unordered_map<HDROP, std::unique_ptr<HDROP__>>& openDrops() {
    static std::unordered_map<HDROP, std::unique_ptr<HDROP__>> drops;
    return drops;
}

HDROP__* live(HDROP h) {
    auto it = openDrops().find(h);
    return it == openDrops().end() ? nullptr : it->second.get();
}

bool takesDrops(HWND w) {
    return IsWindowVisible(w) && IsWindowEnabled(w) && (w->ExStyle() & WS_EX_ACCEPTFILES);
}

// The deepest visible, enabled descendant of `w` under `pt` (client coordinates of `w`).
HWND deepestAt(HWND w, POINT pt) {
    for (auto& child : w->Children()) {
        const RECT& r = child->Rect();
        if (!IsWindowVisible(child.get()) || !IsWindowEnabled(child.get()) || child->IsGroupBox())
            continue;
        if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom)
            return deepestAt(child.get(), POINT{pt.x - r.left, pt.y - r.top});
    }
    return w;
}

}  // namespace

void DragAcceptFiles(HWND hWnd, BOOL accept) {
    if (!IsWindow(hWnd)) return;
    DWORD& ex = WindowAccess::exStyle(*hWnd);
    ex = accept ? (ex | WS_EX_ACCEPTFILES) : (ex & ~WS_EX_ACCEPTFILES);
}

BOOL DragQueryPoint(HDROP hDrop, POINT* pt) {
    HDROP__* drop = live(hDrop);
    if (!drop || !pt) return FALSE;
    *pt = drop->point;
    return TRUE;
}

UINT DragQueryFileW(HDROP hDrop, UINT index, wchar_t* buffer, UINT bufferSize) {
    HDROP__* drop = live(hDrop);
    if (!drop) return 0;
    if (index == 0xFFFFFFFF) return static_cast<UINT>(drop->files.size());
    if (index >= drop->files.size()) return 0;
    const std::wstring& file = drop->files[index];
    if (!buffer) return static_cast<UINT>(file.size());
    if (bufferSize == 0) return 0;
    const std::size_t n = std::min<std::size_t>(file.size(), bufferSize - 1);
    std::copy_n(file.begin(), n, buffer);
    buffer[n] = L'\0';
    return static_cast<UINT>(n);
}

void DragFinish(HDROP hDrop) {
    openDrops().erase(hDrop);
}

bool DropFiles(HWND window, POINT pt, const std::vector<std::wstring>& files) {
    if (!IsWindow(window) || files.empty()) return false;
    const RECT& r = window->Rect();
    if (pt.x < 0 || pt.y < 0 || pt.x >= r.right - r.left || pt.y >= r.bottom - r.top) return false;
    HWND target = deepestAt(window, pt);
    while (target && !takesDrops(target)) target = target->Parent();
    if (!target) return false;

    // The point in the target's client coordinates.
    const POINT from = WindowOrigin(window);
    const POINT to = WindowOrigin(target);
    auto drop = std::make_unique<HDROP__>(
        HDROP__{files, POINT{pt.x + from.x - to.x, pt.y + from.y - to.y}});
    HDROP handle = drop.get();
    openDrops().emplace(handle, std::move(drop));
    SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0);
    DragFinish(handle);
    return true;
}

INT_PTR ForwardDropToParent(HWND control, HDROP hDrop) {
    HDROP__* drop = live(hDrop);
    if (!drop || !IsWindow(control) || !control->Parent()) return 0;
    drop->point.x += control->Rect().left;
    drop->point.y += control->Rect().top;
    return SendMessageW(control->Parent(), WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
}

std::size_t OpenDropCount() {
    return openDrops().size();
}
