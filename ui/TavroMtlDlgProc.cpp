#include "ui/TavroMtlDlgProc.h"

#include <iterator>
#include <new>

#include "BitmapTex.h"
#include "WinApi.h"
#include "material/TavroMtl.h"
#include "params/TavroParamIds.h"
#include "resources/ControlIds.h"

namespace {

// Controls registered as drop targets when the rollout opens, in registration order.
// IDC_SPEC_GL_MAP is not in the template: its lookup finds no control.
constexpr int kDropTargets[] = {
    IDC_EMISSION_MAP,
    IDC_DIFFUSE_MAP,
    IDC_REFLECT_MAP,
    IDC_TRANSPARENCY_MAP,
    IDC_NORMAL_MAP,
    IDC_SPEC_GL_MAP,
    IDC_REFL_GL_MAP,
    IDC_TRANSP_GL_MAP,
    IDC_OPACITY_MAP,
    IDC_TRANSLUCENCY_MAP,
    IDC_REFLECT_ANISOTROPY_MAP,
    IDC_REFLECT_ROTATION_MAP,
};

struct DropSlot {
    int control;
    int slot;
};

// Map buttons that take a dropped file, with the texture slot each one fills.
constexpr DropSlot kDropSlots[] = {
    {IDC_DIFFUSE_MAP, 0},
    {IDC_REFLECT_MAP, 2},
    {IDC_EMISSION_MAP, 3},
    {IDC_TRANSPARENCY_MAP, 4},
    {IDC_NORMAL_MAP, 5},
    {IDC_REFL_GL_MAP, 7},
    {IDC_TRANSP_GL_MAP, 8},
    {IDC_OPACITY_MAP, 9},
    {IDC_TRANSLUCENCY_MAP, 10},
    {IDC_REFLECT_ANISOTROPY_MAP, 11},
    {IDC_REFLECT_ROTATION_MAP, 12},
};

// Wide characters of the dropped path, terminator included: longer paths arrive cut.
constexpr UINT kDropPathChars = 160;

// Reflection-model values whose lobes are anisotropic.
constexpr int kBrdfBeckmann = 2;
constexpr int kBrdfTrggx = 4;

}  // namespace

TavroMtlDlgProc* TavroMtlDlgProc::Create(TavroMtl* material) {
    void* storage = MAX_malloc(sizeof(TavroMtlDlgProc));
    return storage ? new (storage) TavroMtlDlgProc(material) : nullptr;
}

void TavroMtlDlgProc::DeleteThis() {
    delete this;
}

INT_PTR TavroMtlDlgProc::DlgProc(TimeValue, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam,
                                 LPARAM) {
    if (GetWindowLongPtrW(hWnd, GWLP_USERDATA) == 0 && msg != WM_INITDIALOG) return FALSE;
    switch (msg) {
        case WM_DESTROY:
            return TRUE;
        case WM_INITDIALOG:
            for (int id : kDropTargets) DragAcceptFiles(GetDlgItem(hWnd, id), TRUE);
            UpdatePanel(map, material_);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_REFLECT_BRDF && HIWORD(wParam) == CBN_SELCHANGE)
                UpdatePanel(map, material_);
            return TRUE;
        case WM_DROPFILES: {
            HDROP drop = reinterpret_cast<HDROP>(wParam);
            POINT pt{0, 0};
            wchar_t path[kDropPathChars] = {};
            const bool havePoint = DragQueryPoint(drop, &pt) != FALSE;
            const bool havePath = DragQueryFileW(drop, 0, path, kDropPathChars) > 0;
            if (havePoint && havePath)
                DropFile(GetDlgCtrlID(RealChildWindowFromPoint(hWnd, pt)), path);
            DragFinish(drop);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

void TavroMtlDlgProc::UpdatePanel(IParamMap2* map, TavroMtl* material) {
    if (!map || !material) return;
    const int brdf = material->GetReflectBrdf();
    material->cache_.mtl_reflect_brdf = brdf;
    const BOOL anisotropic = brdf == kBrdfBeckmann || brdf == kBrdfTrggx;
    map->Enable(mtl_reflect_anisotropy, anisotropic);
    map->Enable(mtl_reflect_rotation, anisotropic);
}

void TavroMtlDlgProc::DropFile(int controlId, const MCHAR* path) {
    const DropSlot* target = nullptr;
    for (const DropSlot& s : kDropSlots)
        if (s.control == controlId) target = &s;
    if (!target || !material_) return;
    BitmapTex* tex = NewDefaultBitmapTex();
    if (!tex) return;
    MSTR file;
    SplitFilename(path, nullptr, &file, nullptr);
    tex->SetMapName(path, false);
    tex->SetName(file);
    material_->SetSubTexmap(target->slot, tex);
}
