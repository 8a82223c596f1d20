// Rollouts bound to parameter blocks: the parameter map, the user dialog procedure a module
// installs on it, and the master dialog the material editor holds.
#pragma once

#include "HostTypes.h"
#include "Interval.h"
#include "MaxHeap.h"

class IParamBlock2;
class IParamMap2;
class ReferenceTarget;

class ParamMap2UserDlgProc : public MaxHeapOperators {
public:
    virtual ~ParamMap2UserDlgProc() = default;
    virtual INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam,
                            LPARAM lParam) = 0;
    virtual void DeleteThis() = 0;
    virtual void SetThing(ReferenceTarget*) {}
    virtual void Update(TimeValue t, Interval&, IParamMap2*) { Update(t); }
    virtual void Update(TimeValue) {}
    virtual void SetParamBlock(IParamBlock2*) {}
};

class IParamMap2 {
public:
    virtual ~IParamMap2() = default;
    virtual IParamBlock2* GetParamBlock() = 0;
    virtual HWND GetHWnd() = 0;
    // Enables or disables every control bound to one parameter.
    virtual void Enable(ParamID id, BOOL onOff, int tabIndex = 0) = 0;
    // Reloads the controls of one parameter (or all with -1) from the block.
    virtual void Invalidate(ParamID id = -1, int tabIndex = -1) = 0;
    virtual ParamMap2UserDlgProc* GetUserDlgProc() = 0;
};

// The material editor's handle on a material's rollouts.
class IAutoMParamDlg {
public:
    virtual ~IAutoMParamDlg() = default;
    virtual ReferenceTarget* GetThing() = 0;
    virtual int NumDlgs() = 0;
    virtual IParamMap2* GetMap(int i) = 0;
    virtual void DeleteThis() = 0;
};
using ParamDlg = IAutoMParamDlg;

// The material editor as a material sees it.
class IMtlParams {
public:
    virtual ~IMtlParams() = default;
    virtual TimeValue GetTime() = 0;
    // The window into which rollouts are added.
    virtual HWND GetPanel() = 0;
};
