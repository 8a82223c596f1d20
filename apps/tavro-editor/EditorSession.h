// What the editor window edits, without the toolkit: the loaded module, the scene of
// materials, the one material open in the panel with its rollout (built by the module through
// the host's window layer), and the undo history. The window drives it from the user
// interface thread and keeps its previews stopped while the session changes the material.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ClassDesc2.h"
#include "ModuleLoader.h"
#include "Mtl.h"
#include "ParamMap2.h"
#include "SceneFile.h"
#include "Window.h"

// Changes the history keeps for undo; older ones are forgotten.
constexpr std::size_t kUndoLevels = 32;

class EditorSession {
public:
    // Loads the module at `modulePath` and opens a new material of its material class. Null,
    // with the reason in `error`, when the module cannot be loaded or offers no material.
    static std::unique_ptr<EditorSession> create(const std::string& modulePath, std::string& error);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // A scene with one new material, open in the panel.
    void newMaterial();
    // Opens scene file `path` and, in the panel, its material chosen by `which`: a name, an
    // index among the scene's objects, or empty for the first material of the module's class.
    // On failure nothing changes and `error` says why.
    bool openScene(const std::string& path, const std::string& which, std::string& error);
    // Writes the whole scene to `path` and makes it the session's file.
    bool saveScene(const std::string& path, std::string& error);

    Mtl* material() const;
    // The open rollout and its parameter map (the module's "Parameters" rollout).
    IParamMap2* paramMap() const;
    HWND rollout() const;
    // The scene file the session was read from or last saved to (empty for a new scene).
    const std::string& scenePath() const { return scenePath_; }
    bool modified() const { return modified_; }
    // The material's name as the title bar shows it.
    std::wstring materialName() const;

    // Around every user action on the panel: the material as it was before is kept for undo
    // when the action changed it. endEdit answers whether it did.
    void beginEdit();
    bool endEdit();
    bool canUndo() const { return !undo_.empty(); }
    // Puts the material back as it was before the last change and reopens the panel.
    bool undo();

    // A new bitmap texture reading image file `path`, named after the file: what a map
    // button is given when the user picks a file for it.
    static Texmap* newBitmapTexture(const std::wstring& path);

private:
    class MtlParams : public IMtlParams {
    public:
        TimeValue GetTime() override { return 0; }
        HWND GetPanel() override { return panel; }
        HWND panel = nullptr;
    };

    // Watches the open material for changes, so that only actions that changed it count as
    // edits. It never keeps the material alive: letting go deletes nothing.
    class ChangeWatcher : public ReferenceMaker {
    public:
        ~ChangeWatcher() override { watch(nullptr); }
        void watch(ReferenceTarget* target) { ReplaceReference(0, target, FALSE); }
        int NumRefs() override { return 1; }
        RefTargetHandle GetReference(int i) override { return i == 0 ? target_ : nullptr; }
        RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage message,
                                   BOOL) override;
        unsigned long changes() const { return changes_; }

    protected:
        void SetReference(int i, RefTargetHandle rtarg) override {
            if (i == 0) target_ = rtarg;
        }

    private:
        ReferenceTarget* target_ = nullptr;
        unsigned long changes_ = 0;
    };

    EditorSession() = default;
    // Shows material `index` of the scene in the panel; any panel open before is closed.
    void openPanel(int index);
    void closePanel();
    bool isEditable(ReferenceTarget* obj) const;

    std::unique_ptr<LoadedModule> module_;
    ClassDesc2* classDesc_ = nullptr;
    MtlParams params_;
    std::unique_ptr<Scene> scene_;
    int materialIndex_ = -1;
    IAutoMParamDlg* dialog_ = nullptr;
    std::string scenePath_;
    bool modified_ = false;
    // Copies of the material before each change, the latest last; each held by a scene of
    // its own so that the reference machinery keeps it (and its maps) alive.
    std::vector<std::unique_ptr<Scene>> undo_;
    std::unique_ptr<Scene> pendingUndo_;
    ChangeWatcher watcher_;
    unsigned long changesBeforeEdit_ = 0;
};
