// The host's post-load conversion of older parameter blocks: after a scene has loaded, a
// block of an earlier layout held by an object becomes a block of the current descriptor,
// its values carried over by parameter id.
#pragma once

#include "ParamBlock2.h"
#include "ParamBlockLegacy.h"
#include "SceneIO.h"

class ParamBlock2PLCB : public PostLoadCallback {
public:
    // `versions` (`count` entries) describe the earlier layouts; `pd` is the current
    // descriptor; the block is `targ`'s reference `refNum`. The layouts must outlive the
    // callback.
    ParamBlock2PLCB(ParamVersionDesc* versions, int count, ParamBlockDesc2* pd,
                    ReferenceTarget* targ, int refNum);

    // When reference refNum holds an older block: a new block of the current descriptor, at
    // its defaults, takes each value whose layout record, stored type and current parameter
    // agree in type (user-typed records carry none; a disagreement keeps the default), and
    // replaces the older block. An older block of a version no layout has keeps every
    // default, and says so once. Anything else at the reference is left alone.
    void proc(ILoad* iload) override;

private:
    ParamVersionDesc* versions_;
    int count_;
    ParamBlockDesc2* pd_;
    ReferenceTarget* targ_;
    int refNum_;
};
