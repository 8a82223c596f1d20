// The few calls of the platform's window and resource API that modules use, provided by
// the host's own window layer.
#pragma once

#include "HostTypes.h"

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;

// Copies string `id` of the module's string table into `buffer` (at most bufferMax - 1
// characters and a terminator) and returns its length; 0 when there is no such string.
int LoadStringW(HINSTANCE instance, UINT id, wchar_t* buffer, int bufferMax);
BOOL DisableThreadLibraryCalls(HINSTANCE instance);

// Windows and messages.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_DROPFILES = 0x0233;
constexpr UINT CBN_SELCHANGE = 1;
constexpr int GWLP_USERDATA = -21;

struct POINT {
    long x;
    long y;
};

constexpr unsigned LOWORD(WPARAM w) {
    return static_cast<unsigned>(w & 0xFFFF);
}
constexpr unsigned HIWORD(WPARAM w) {
    return static_cast<unsigned>((w >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) {
    return (WPARAM(hi & 0xFFFF) << 16) | (lo & 0xFFFF);
}

LONG_PTR GetWindowLongPtrW(HWND hWnd, int index);
LONG_PTR SetWindowLongPtrW(HWND hWnd, int index, LONG_PTR value);
HWND GetDlgItem(HWND hDlg, int id);
int GetDlgCtrlID(HWND hWnd);
// The child of `parent` at `pt` (client coordinates of `parent`), or `parent` itself.
HWND RealChildWindowFromPoint(HWND parent, POINT pt);

void DragAcceptFiles(HWND hWnd, BOOL accept);
// The drop point in client coordinates of the window that received the drop.
BOOL DragQueryPoint(HDROP hDrop, POINT* pt);
// index 0xFFFFFFFF: the number of files. Otherwise copies file `index` into `buffer`
// (at most bufferSize - 1 characters, cut, and a terminator) and returns the copied length;
// with a null buffer returns the length it would need, without the terminator.
UINT DragQueryFileW(HDROP hDrop, UINT index, wchar_t* buffer, UINT bufferSize);
void DragFinish(HDROP hDrop);
