// Access to a HostWindow's private parts for the host's window layer.
#pragma once

#include "Window.h"

struct WindowAccess {
    static HostWindow* make() { return new HostWindow(); }
    static int& id(HostWindow& w) { return w.id_; }
    static std::wstring& className(HostWindow& w) { return w.className_; }
    static std::wstring& text(HostWindow& w) { return w.text_; }
    static DWORD& style(HostWindow& w) { return w.style_; }
    static DWORD& exStyle(HostWindow& w) { return w.exStyle_; }
    static RECT& rect(HostWindow& w) { return w.rect_; }
    static HWND& parent(HostWindow& w) { return w.parent_; }
    static std::vector<std::unique_ptr<HostWindow>>& children(HostWindow& w) { return w.children_; }
    static WindowProc& proc(HostWindow& w) { return w.proc_; }
    static LONG_PTR& userData(HostWindow& w) { return w.userData_; }
    static ControlState& control(HostWindow& w) { return w.control_; }
    static WindowObserver& observer(HostWindow& w) { return w.observer_; }
};

// Tells the nearest observer of `hWnd`'s tree what changed.
void NotifyWindowChange(HWND hWnd, WindowChange change);
