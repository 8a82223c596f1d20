#include "apps/tavro-editor/EditorSession.h"

#include <charconv>

#include "BitmapTex.h"
#include "StringConv.h"

namespace {

// Name of a material the editor creates.
constexpr const wchar_t* kNewMaterialName = L"Material #1";

}  // namespace

std::unique_ptr<EditorSession> EditorSession::create(const std::string& modulePath,
                                                     std::string& error) {
    std::unique_ptr<EditorSession> s(new EditorSession);
    s->module_ = LoadedModule::Open(modulePath, error);
    if (!s->module_) return nullptr;
    for (int i = 0; i < s->module_->NumberClasses() && !s->classDesc_; ++i) {
        auto* cd = dynamic_cast<ClassDesc2*>(s->module_->GetClassDesc(i));
        if (cd && cd->SuperClassID() == MATERIAL_CLASS_ID) s->classDesc_ = cd;
    }
    if (!s->classDesc_) {
        error = modulePath + ": the module offers no material class";
        return nullptr;
    }
    WindowCreateInfo panel;
    panel.className = WC_DIALOG;
    s->params_.panel = CreateHostWindow(panel, nullptr);
    s->newMaterial();
    if (!s->material() || !s->rollout()) {
        error = modulePath + ": the module's material could not be created or opened";
        return nullptr;
    }
    return s;
}

EditorSession::~EditorSession() {
    closePanel();
    undo_.clear();
    pendingUndo_.reset();
    scene_.reset();  // the materials go while their module is still loaded
    DestroyWindow(params_.panel);
}

void EditorSession::newMaterial() {
    auto* mtl = static_cast<Mtl*>(classDesc_->Create(FALSE));
    if (mtl) mtl->SetName(kNewMaterialName);
    closePanel();
    undo_.clear();
    scene_ = std::make_unique<Scene>();
    scene_->Add(mtl);
    scenePath_.clear();
    modified_ = false;
    openPanel(0);
}

bool EditorSession::isEditable(ReferenceTarget* obj) const {
    return obj && obj->SuperClassID() == MATERIAL_CLASS_ID &&
           obj->ClassID() == classDesc_->ClassID();
}

bool EditorSession::openScene(const std::string& path, const std::string& which,
                              std::string& error) {
    std::unique_ptr<Scene> scene = loadScene(path, error);
    if (!scene) return false;
    int index = -1;
    if (which.empty()) {
        for (int i = 0; i < scene->Count() && index < 0; ++i)
            if (isEditable(scene->Object(i))) index = i;
        if (index < 0) error = path + ": the scene holds no TavroMtl material";
    } else {
        int n = -1;
        const auto [end, ec] = std::from_chars(which.data(), which.data() + which.size(), n);
        if (ec == std::errc() && end == which.data() + which.size()) {
            index = n >= 0 && n < scene->Count() ? n : -1;
            if (index < 0)
                error = path + ": no object " + which + " (the scene holds " +
                        std::to_string(scene->Count()) + ")";
        } else {
            const std::wstring name = fromUtf8(which);
            for (int i = 0; i < scene->Count() && index < 0; ++i) {
                auto* m = dynamic_cast<MtlBase*>(scene->Object(i));
                if (m && m->GetName() == name) index = i;
            }
            if (index < 0) error = path + ": no material named \"" + which + "\"";
        }
        if (index >= 0 && !isEditable(scene->Object(index))) {
            error = path + ": object " + which + " is not a TavroMtl material";
            index = -1;
        }
    }
    if (index < 0) return false;
    closePanel();
    undo_.clear();
    scene_ = std::move(scene);
    scenePath_ = path;
    modified_ = false;
    openPanel(index);
    return true;
}

bool EditorSession::saveScene(const std::string& path, std::string& error) {
    if (!::saveScene(*scene_, path, error)) return false;
    scenePath_ = path;
    modified_ = false;
    return true;
}

Mtl* EditorSession::material() const {
    return scene_ ? dynamic_cast<Mtl*>(scene_->Object(materialIndex_)) : nullptr;
}

IParamMap2* EditorSession::paramMap() const {
    return dialog_ ? dialog_->GetMap(0) : nullptr;
}

HWND EditorSession::rollout() const {
    IParamMap2* map = paramMap();
    return map ? map->GetHWnd() : nullptr;
}

std::wstring EditorSession::materialName() const {
    Mtl* m = material();
    return m ? m->GetName() : std::wstring();
}

void EditorSession::openPanel(int index) {
    closePanel();
    materialIndex_ = index;
    Mtl* m = material();
    if (!m) return;
    dialog_ = m->CreateParamDlg(nullptr, &params_);
    watcher_.watch(m);
}

void EditorSession::closePanel() {
    watcher_.watch(nullptr);
    if (dialog_) std::exchange(dialog_, nullptr)->DeleteThis();
}

RefResult EditorSession::ChangeWatcher::NotifyRefChanged(const Interval&, RefTargetHandle, PartID&,
                                                         RefMessage message, BOOL) {
    if (message == REFMSG_CHANGE) ++changes_;
    return REF_SUCCEED;
}

void EditorSession::beginEdit() {
    changesBeforeEdit_ = watcher_.changes();
    pendingUndo_.reset();
    if (Mtl* m = material()) {
        auto copy = std::make_unique<Scene>();
        copy->Add(CloneRefHierarchy(m));
        pendingUndo_ = std::move(copy);
    }
}

bool EditorSession::endEdit() {
    const bool changed = watcher_.changes() != changesBeforeEdit_;
    if (changed && pendingUndo_ && pendingUndo_->Object(0)) {
        undo_.push_back(std::move(pendingUndo_));
        if (undo_.size() > kUndoLevels) undo_.erase(undo_.begin());
    }
    modified_ = modified_ || changed;
    pendingUndo_.reset();
    return changed;
}

bool EditorSession::undo() {
    if (undo_.empty()) return false;
    std::unique_ptr<Scene> before = std::move(undo_.back());
    undo_.pop_back();
    // The rollout refers to the material: it closes first, so that replacing the material in
    // the scene lets it go.
    closePanel();
    scene_->Replace(materialIndex_, before->Object(0));
    openPanel(materialIndex_);
    modified_ = true;
    return true;
}

Texmap* EditorSession::newBitmapTexture(const std::wstring& path) {
    BitmapTex* tex = NewDefaultBitmapTex();
    if (!tex) return nullptr;
    MSTR file;
    SplitFilename(path, nullptr, &file, nullptr);
    tex->SetMapName(path.c_str(), true);
    tex->SetName(file);
    return tex;
}
