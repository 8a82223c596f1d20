// References between objects: the host's record of which target each maker's slot points
// at, the dependents of each target, change notification and deletion.
#include <algorithm>

#include "Animatable.h"

// The bookkeeping shared by makers and targets. Invariant: a maker's heldRefs_ holds
// (slot, T) exactly as many times as T's dependents_ holds that maker.
class ReferenceMachinery {
public:
    static ReferenceTarget* heldAt(const ReferenceMaker* m, int slot) {
        for (const auto& [s, t] : m->heldRefs_)
            if (s == slot) return t;
        return nullptr;
    }

    static void link(ReferenceMaker* m, int slot, ReferenceTarget* t) {
        m->heldRefs_.emplace_back(slot, t);
        t->dependents_.push_back(m);
        t->DependentsChanged();
    }

    // Removes the maker's record of `slot` and one matching dependent entry of its target.
    static ReferenceTarget* unlink(ReferenceMaker* m, int slot) {
        auto& held = m->heldRefs_;
        auto it = std::find_if(held.begin(), held.end(), [&](auto& e) { return e.first == slot; });
        if (it == held.end()) return nullptr;
        ReferenceTarget* t = it->second;
        held.erase(it);
        eraseOne(t->dependents_, m);
        t->DependentsChanged();
        return t;
    }

    static bool isDying(const Animatable* a) { return a->deleting_; }
    static void markDying(Animatable* a) { a->deleting_ = true; }

    // Deletes a target nothing refers to any more, unless it is already being deleted.
    static void deleteIfOrphan(ReferenceTarget* t) {
        if (t && !t->deleting_ && t->dependents_.empty()) t->DeleteMe();
    }

    // Clears every reference any maker holds on `t`, telling each maker through SetReference.
    static void detachDependents(ReferenceTarget* t) {
        while (!t->dependents_.empty()) {
            ReferenceMaker* m = t->dependents_.front();
            const auto& held = m->heldRefs_;
            const int slot = std::find_if(held.begin(), held.end(), [&](auto& e) {
                                 return e.second == t;
                             })->first;
            unlink(m, slot);
            m->SetReference(slot, nullptr);
        }
    }

    // Drops the maker's records without calling it back (it is being destroyed) and deletes
    // the targets it leaves without dependents.
    static void releaseAll(ReferenceMaker* m) {
        std::vector<ReferenceTarget*> released;
        for (const auto& [slot, t] : m->heldRefs_) {
            eraseOne(t->dependents_, m);
            t->DependentsChanged();
            if (std::find(released.begin(), released.end(), t) == released.end())
                released.push_back(t);
        }
        m->heldRefs_.clear();
        for (ReferenceTarget* t : released) deleteIfOrphan(t);
    }

    static RefResult replace(ReferenceMaker* m, int which, ReferenceTarget* newtarg, BOOL delOld) {
        if (newtarg && newtarg->deleting_) return REF_FAIL;
        ReferenceTarget* old = heldAt(m, which);
        if (old != newtarg) {
            unlink(m, which);
            if (newtarg) link(m, which, newtarg);
        }
        m->SetReference(which, newtarg);
        // The maker no longer points at the old target when it is deleted.
        if (delOld && old != newtarg) deleteIfOrphan(old);
        return REF_SUCCEED;
    }

private:
    template <class T>
    static void eraseOne(std::vector<T*>& v, T* x) {
        auto it = std::find(v.begin(), v.end(), x);
        if (it != v.end()) v.erase(it);
    }
};

// ---- ReferenceMaker ----

ReferenceMaker::~ReferenceMaker() {
    ReferenceMachinery::releaseAll(this);
}

int ReferenceMaker::NumRefs() {
    return 0;
}

RefTargetHandle ReferenceMaker::GetReference(int) {
    return nullptr;
}

void ReferenceMaker::SetReference(int, RefTargetHandle) {}

IOResult ReferenceMaker::Save(ISave*) {
    return IO_OK;
}

IOResult ReferenceMaker::Load(ILoad*) {
    return IO_OK;
}

RefResult ReferenceMaker::NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                                           BOOL) {
    return REF_SUCCEED;
}

RefResult ReferenceMaker::ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld) {
    if (which < 0 || which >= NumRefs()) return REF_FAIL;
    return ReferenceMachinery::replace(this, which, newtarg, delOld);
}

RefResult ReferenceMaker::DeleteReference(int i) {
    return ReplaceReference(i, nullptr, TRUE);
}

void ReferenceMaker::DeleteAllRefsFromMe() {
    // Slots recorded earlier stay releasable even if NumRefs has shrunk since.
    while (!heldRefs_.empty())
        ReferenceMachinery::replace(this, heldRefs_.front().first, nullptr, TRUE);
}

RefTargetHandle ReferenceMaker::HostHeldReference(int i) const {
    return ReferenceMachinery::heldAt(this, i);
}

// ---- ReferenceTarget ----

ReferenceTarget::~ReferenceTarget() {
    // Makers must never keep a pointer to a target that is gone.
    ReferenceMachinery::markDying(this);
    ReferenceMachinery::detachDependents(this);
}

RefTargetHandle ReferenceTarget::Clone(RemapDir&) {
    return nullptr;
}

void ReferenceTarget::BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) {
    // Registers the pair so later requests for `from` in this operation share the copy.
    if (from && to && !remap.FindMapping(from)) remap.AddEntry(from, to);
}

namespace {

// Targets whose NotifyDependents is running on this thread: a cycle of references stops
// at the first target met twice.
thread_local std::vector<const ReferenceTarget*> notifying;

class NotifyingScope {
public:
    explicit NotifyingScope(const ReferenceTarget* t) { notifying.push_back(t); }
    ~NotifyingScope() { notifying.pop_back(); }
    NotifyingScope(const NotifyingScope&) = delete;
    NotifyingScope& operator=(const NotifyingScope&) = delete;
};

}  // namespace

RefResult ReferenceTarget::NotifyDependents(const Interval& changeInt, PartID partID,
                                            RefMessage message, SClass_ID sclass, BOOL propagate,
                                            RefTargetHandle hTarg, int) {
    if (std::find(notifying.begin(), notifying.end(), this) != notifying.end()) return REF_SUCCEED;
    NotifyingScope scope(this);

    std::vector<ReferenceMaker*> makers;
    for (ReferenceMaker* m : dependents_)
        if (std::find(makers.begin(), makers.end(), m) == makers.end()) makers.push_back(m);

    RefTargetHandle changed = hTarg ? hTarg : this;
    for (ReferenceMaker* m : makers) {
        // A dependent may have let go of this target while an earlier one was told.
        if (std::find(dependents_.begin(), dependents_.end(), m) == dependents_.end()) continue;
        if (sclass != NOTIFY_ALL && m->SuperClassID() != sclass) continue;
        PartID part = partID;
        const RefResult r = m->NotifyRefChanged(changeInt, changed, part, message, propagate);
        if (!propagate || r != REF_SUCCEED) continue;
        if (auto* t = dynamic_cast<ReferenceTarget*>(m))
            t->NotifyDependents(changeInt, part, message, sclass, propagate);
    }
    return REF_SUCCEED;
}

void ReferenceTarget::DeleteMe() {
    if (ReferenceMachinery::isDying(this)) return;
    ReferenceMachinery::markDying(this);
    NotifyDependents(FOREVER, PART_ALL, REFMSG_TARGET_DELETED, NOTIFY_ALL, FALSE);
    ReferenceMachinery::detachDependents(this);
    DeleteAllRefsFromMe();
    DeleteThis();
}
