// Built into the editor and its tests under -DTAVRO_TSAN=ON only.
//
// Debian's Qt and GLib are not built with ThreadSanitizer, so their futex-based locking is
// invisible to it: memory handed between threads inside them (the thread pool's runnables,
// the raster engine's buffers, the event dispatcher's slices) shows up as races in their
// own frames. A queued call (QMetaObject::invokeMethod from a render thread) is allocated on
// that thread and run on the window's thread after passing through Qt's event queue; its
// reads and its deletion land in Qt's call templates. Accesses made by this program's own
// code are instrumented directly and are not covered.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n"
           "race:qobjectdefs_impl.h\n";
}
