// The material's editor panel: the rollout of its block, with a procedure of its own.
#include "material/TavroMtl.h"
#include "params/TavroParamBlock.h"
#include "plugin/TavroClassDesc.h"
#include "ui/TavroMtlDlgProc.h"

ParamDlg* TavroMtl::CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) {
    IAutoMParamDlg* master = tavroClassDesc().CreateParamDlgs(hwMtlEdit, imp, this);
    // Each opening gets its own procedure; the host disposes of it with the rollout.
    tavroParamBlockDesc().SetUserDlgProc(TavroMtlDlgProc::Create(this));
    return master;
}
