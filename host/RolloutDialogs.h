// The material editor's side of rollouts: the master dialog that owns an object's rollouts,
// and the hand-over of a module's user dialog procedure to the rollout being opened.
#pragma once

#include "ParamMap2.h"
#include "WinApi.h"

class ClassDesc2;
class ParamBlockDesc2;
class ReferenceTarget;

// Builds one rollout for every block descriptor of `cd` with an automatic rollout whose
// block `obj` holds, stacked in the editor's panel (imp's panel, else `hwMtlEdit`, else
// windows of their own). The editor `imp` must outlive the master dialog (the rollouts ask it
// for the time of each edit). A rollout takes its descriptor's user procedure when no open rollout
// uses it yet, and then hears WM_INITDIALOG. Null when no rollout could be built.
IAutoMParamDlg* CreateRolloutDialogs(ClassDesc2* cd, HWND hwMtlEdit, IMtlParams* imp,
                                     ReferenceTarget* obj);

// A module installed `proc` on `desc`: the newest open rollout of `desc` takes it (the one
// just opened) and hears WM_INITDIALOG. Installing null only clears the descriptor.
void UserDlgProcInstalled(ParamBlockDesc2* desc, ParamMap2UserDlgProc* proc);
