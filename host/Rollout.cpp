#include "Rollout.h"

#include <algorithm>
#include <limits>

#include "ClassDesc2.h"
#include "Texmap.h"
#include "WindowControls.h"

namespace {

// Longest string-table text a rollout shows (titles, list items).
constexpr int kMaxStringLength = 512;

std::wstring loadString(HINSTANCE instance, int id) {
    wchar_t buffer[kMaxStringLength];
    const int n = id > 0 ? LoadStringW(instance, UINT(id), buffer, kMaxStringLength) : 0;
    return std::wstring(buffer, std::size_t(n));
}

bool isButtonOfType(HWND w, DWORD type) {
    return w->ClassName() == WC_BUTTON && (w->Style() & BS_TYPEMASK) == type;
}

// Whether window `w` can show the control of kind `kind` at position `index` of its ids.
bool fits(ControlKind kind, std::size_t index, HWND w) {
    switch (kind) {
        case ControlKind::Spinner:
            return w->ClassName() == (index == 0 ? WC_CUSTEDIT : WC_SPINNER);
        case ControlKind::CheckBox:
            return isButtonOfType(w, BS_AUTOCHECKBOX);
        case ControlKind::ColorSwatch:
            return w->ClassName() == WC_COLORSWATCH;
        case ControlKind::MapButton:
            return w->ClassName() == WC_CUSTBUTTON;
        case ControlKind::ComboBox:
            return w->ClassName() == WC_COMBOBOX;
        case ControlKind::RadioPair:
            return isButtonOfType(w, BS_AUTORADIOBUTTON);
        case ControlKind::None:
            return false;
    }
    return false;
}

std::wstring mapCaption(Texmap* map) {
    return map ? map->GetName() : std::wstring(L"None");
}

}  // namespace

Rollout::Rollout(ParamBlockDesc2* desc, ReferenceTarget* thing, IMtlParams* imp, HWND parent,
                 HINSTANCE instance, const DialogTemplate& tpl)
    : desc_(desc), imp_(imp) {
    if (thing) ReplaceReference(0, thing, FALSE);
    hwnd_ = CreateDialogFromTemplate(
        tpl, parent, [this](HWND h, UINT m, WPARAM w, LPARAM l) { return windowProc(h, m, w, l); });
    SetWindowTextW(hwnd_, loadString(instance, desc->header().title));

    for (const ParamDef& def : desc->Params()) {
        Binding b{&def, {}};
        for (std::size_t i = 0; i < def.control.ids.size(); ++i) {
            HWND w = GetDlgItem(hwnd_, def.control.ids[i]);
            if (w && fits(def.control.kind, i, w)) b.controls.push_back(w);
        }
        if (b.controls.empty()) continue;  // the template has no control for it
        for (HWND w : b.controls) {
            ControlState state = w->Control();
            if (def.control.kind == ControlKind::Spinner) {
                state.minValue = def.hasRange ? def.rangeLo : std::numeric_limits<float>::lowest();
                state.maxValue = def.hasRange ? def.rangeHi : std::numeric_limits<float>::max();
                state.step = def.control.step;
            } else if (def.control.kind == ControlKind::ComboBox) {
                for (int s : def.control.itemStrings)
                    state.items.push_back(loadString(instance, s));
            }
            SetControlState(w, state);
        }
        bindings_.push_back(std::move(b));
    }
    Invalidate();

    if (!hwnd_) return;  // the parent window is gone: nothing to register
    desc->ClassDescriptor()->OpenParamMaps().push_back(this);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(static_cast<IParamMap2*>(this)));
}

Rollout::~Rollout() {
    Close();
}

IParamBlock2* Rollout::GetParamBlock() {
    return thing_ ? thing_->GetParamBlockByID(desc_->ID()) : nullptr;
}

void Rollout::Enable(ParamID id, BOOL onOff, int) {
    for (HWND w : ControlsOf(id)) EnableWindow(w, onOff);
}

void Rollout::Invalidate(ParamID id, int) {
    for (const Binding& b : bindings_)
        if (id == -1 || b.def->id == id) refresh(b);
}

std::vector<HWND> Rollout::ControlsOf(ParamID id) const {
    for (const Binding& b : bindings_)
        if (b.def->id == id) return b.controls;
    return {};
}

void Rollout::refresh(const Binding& b) {
    IParamBlock2* pb = GetParamBlock();
    if (!hwnd_ || !pb) return;
    const ParamDef& def = *b.def;
    const TimeValue t = time();
    Interval valid = FOREVER;
    for (std::size_t i = 0; i < b.controls.size(); ++i) {
        HWND w = b.controls[i];
        ControlState state = w->Control();
        switch (def.control.kind) {
            case ControlKind::Spinner:
                pb->GetValue(def.id, t, state.value, valid);
                SetWindowTextW(w, i == 0 ? FormatSpinnerValue(state.value) : std::wstring());
                break;
            case ControlKind::CheckBox: {
                int v = 0;
                pb->GetValue(def.id, t, v, valid);
                state.checked = v != 0;
                break;
            }
            case ControlKind::RadioPair: {
                int v = 0;
                pb->GetValue(def.id, t, v, valid);
                state.checked = v == static_cast<int>(i);
                break;
            }
            case ControlKind::ComboBox: {
                int v = -1;
                pb->GetValue(def.id, t, v, valid);
                state.selection = v >= 0 && v < static_cast<int>(state.items.size()) ? v : -1;
                break;
            }
            case ControlKind::ColorSwatch:
                pb->GetValue(def.id, t, state.color, valid);
                break;
            case ControlKind::MapButton: {
                Texmap* map = nullptr;
                pb->GetValue(def.id, t, map, valid);
                SetWindowTextW(w, mapCaption(map));
                break;
            }
            case ControlKind::None:
                break;
        }
        SetControlState(w, state);
    }
}

Rollout::Binding* Rollout::bindingOfControl(int controlId) {
    for (Binding& b : bindings_)
        for (HWND w : b.controls)
            if (w->Id() == controlId) return &b;
    return nullptr;
}

bool Rollout::writeControl(int controlId, HWND control) {
    Binding* b = bindingOfControl(controlId);
    IParamBlock2* pb = GetParamBlock();
    if (!b || !pb) return false;
    const ParamDef& def = *b->def;
    const TimeValue t = time();
    switch (def.control.kind) {
        case ControlKind::Spinner:
            pb->SetValue(def.id, t, control->Control().value);
            break;
        case ControlKind::CheckBox:
            pb->SetValue(def.id, t, control->Control().checked ? 1 : 0);
            break;
        case ControlKind::RadioPair:
            pb->SetValue(def.id, t, control == b->controls.front() ? 0 : 1);
            break;
        case ControlKind::ComboBox:
            pb->SetValue(def.id, t, control->Control().selection);
            break;
        case ControlKind::ColorSwatch:
            pb->SetValue(def.id, t, control->Control().color);
            break;
        case ControlKind::MapButton:
        case ControlKind::None:
            return false;
    }
    // The block may have clamped the value, and a spinner's edit field follows the spinner.
    refresh(*b);
    return true;
}

INT_PTR Rollout::windowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int controlId = static_cast<int>(LOWORD(wParam));
    switch (msg) {
        case WM_COMMAND: {
            const unsigned code = HIWORD(wParam);
            if (code == BN_CLICKED || code == CBN_SELCHANGE)
                writeControl(controlId, reinterpret_cast<HWND>(lParam));
            break;
        }
        case HWM_SPINNER_CHANGE:
        case HWM_COLOR_CHANGE:
            writeControl(controlId, reinterpret_cast<HWND>(lParam));
            break;
        case HWM_MAP_ASSIGN:
            if (Binding* b = bindingOfControl(controlId);
                b && GetParamBlock() && b->def->control.kind == ControlKind::MapButton) {
                GetParamBlock()->SetValue(b->def->id, time(), reinterpret_cast<Texmap*>(lParam));
                refresh(*b);
            }
            break;
        default:
            break;
    }
    // The user procedure sees every message, after the block has been written.
    return userProc_ ? userProc_->DlgProc(time(), this, hWnd, msg, wParam, lParam) : FALSE;
}

TimeValue Rollout::time() const {
    return imp_ ? imp_->GetTime() : 0;
}

void Rollout::InstallUserDlgProc(ParamMap2UserDlgProc* proc) {
    if (!hwnd_ || proc == userProc_) return;
    releaseUserDlgProc();
    userProc_ = proc;
    if (userProc_) SendMessageW(hwnd_, WM_INITDIALOG, 0, 0);
}

void Rollout::releaseUserDlgProc() {
    ParamMap2UserDlgProc* proc = std::exchange(userProc_, nullptr);
    if (!proc) return;
    for (Rollout* other : OpenRolloutsOf(desc_))
        if (other != this && other->userProc_ == proc) return;  // still in use
    if (desc_->GetUserDlgProc() == proc) desc_->SetUserDlgProc(nullptr);
    proc->DeleteThis();
}

void Rollout::Close() {
    if (!hwnd_ || closing_) return;
    closing_ = true;
    auto& open = desc_->ClassDescriptor()->OpenParamMaps();
    std::erase(open, static_cast<IParamMap2*>(this));
    DestroyWindow(hwnd_);  // the user procedure hears WM_DESTROY
    hwnd_ = nullptr;
    releaseUserDlgProc();
    if (thing_) ReplaceReference(0, nullptr, FALSE);  // the object stays; only the link goes
    closing_ = false;
}

void Rollout::SetReference(int i, RefTargetHandle rtarg) {
    if (i != 0) return;
    thing_ = rtarg;
    if (!rtarg) Close();
}

std::vector<Rollout*> OpenRolloutsOf(const ParamBlockDesc2* desc) {
    std::vector<Rollout*> rollouts;
    if (!desc || !desc->ClassDescriptor()) return rollouts;
    for (IParamMap2* map : desc->ClassDescriptor()->OpenParamMaps()) {
        auto* r = dynamic_cast<Rollout*>(map);
        if (r && r->Desc() == desc) rollouts.push_back(r);
    }
    return rollouts;
}
