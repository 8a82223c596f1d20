// Object services of the host: animatables, references between objects, dependents and
// change notification, and cloning through a remap directory.
#pragma once

#include <utility>
#include <vector>

#include "HostTypes.h"
#include "Interval.h"
#include "MaxHeap.h"

class ReferenceTarget;
class ReferenceMaker;
class IParamBlock2;
class ISave;
class ILoad;
class RemapDir;
using RefTargetHandle = ReferenceTarget*;
using RefMakerHandle = ReferenceMaker*;

// Base of interfaces handed out by GetInterface(Interface_ID).
class BaseInterface {
public:
    virtual ~BaseInterface() = default;
    virtual Interface_ID GetID() { return Interface_ID(); }
    virtual BaseInterface* GetInterface(Interface_ID id) { return id == GetID() ? this : nullptr; }
};

class Animatable : public MaxHeapOperators {
public:
    Animatable() = default;
    Animatable(const Animatable&) = delete;
    Animatable& operator=(const Animatable&) = delete;

    virtual ~Animatable();
    virtual void DeleteThis();
    virtual void GetClassName(MSTR& s, bool localized = true) const;
    virtual SClass_ID SuperClassID();
    virtual Class_ID ClassID();
    virtual int NumSubs();
    virtual Animatable* SubAnim(int i);
    virtual MSTR SubAnimName(int i, bool localized = true);
    virtual int NumParamBlocks();
    virtual IParamBlock2* GetParamBlock(int i);
    virtual IParamBlock2* GetParamBlockByID(BlockID id);
    virtual BaseInterface* GetInterface(Interface_ID id);

private:
    friend class ReferenceMachinery;
    // Set once the object is on its way out, so the reference machinery never deletes it twice.
    bool deleting_ = false;
};

// References are held by the subclass (GetReference/SetReference); the host keeps its own
// record of which target each reference slot points at, so that targets and makers can
// detach from each other whichever is destroyed first. Referenced targets are heap objects:
// a target left without dependents by ReplaceReference/DeleteReference (delOld) or by the
// destruction of its last maker is deleted.
class ReferenceMaker : public Animatable {
public:
    ~ReferenceMaker() override;

    virtual int NumRefs();
    virtual RefTargetHandle GetReference(int i);

protected:
    // Called back by the reference machinery whenever reference i changes.
    virtual void SetReference(int i, RefTargetHandle rtarg);
    friend class ReferenceMachinery;

public:
    virtual IOResult Save(ISave* isave);
    virtual IOResult Load(ILoad* iload);
    // A referenced target changed or is going away.
    virtual RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget,
                                       PartID& partID, RefMessage message, BOOL propagate);

    // Makes reference `which` point at `newtarg`: the old target loses this dependent (and is
    // deleted when `delOld` and nothing else refers to it), then SetReference is called.
    RefResult ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld = TRUE);
    // ReplaceReference(i, nullptr, TRUE).
    RefResult DeleteReference(int i);
    // Drops every reference this object holds (before it is destroyed).
    void DeleteAllRefsFromMe();
    // The target the host recorded at reference slot i (what ReplaceReference last put
    // there), whatever the maker itself kept of it.
    RefTargetHandle HostHeldReference(int i) const;

private:
    friend class ReferenceMachinery;
    // (reference slot, target) for every reference made through ReplaceReference.
    std::vector<std::pair<int, ReferenceTarget*>> heldRefs_;
};

class ReferenceTarget : public ReferenceMaker {
public:
    ~ReferenceTarget() override;

    // A deep copy; the default clone fails (null).
    virtual RefTargetHandle Clone(RemapDir& remap);
    // Host part of a clone, run by Clone implementations last.
    virtual void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap);

    // Tells every dependent (whose super class passes `sclass`; NOTIFY_ALL passes all).
    RefResult NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message,
                               SClass_ID sclass = NOTIFY_ALL, BOOL propagate = TRUE,
                               RefTargetHandle hTarg = nullptr, int notifyDependentsOption = 0);

    // One entry per reference held on this target (a maker referring twice appears twice).
    const std::vector<ReferenceMaker*>& Dependents() const { return dependents_; }

    // Detaches this target from everything (dependents are told REFMSG_TARGET_DELETED and
    // their references cleared), drops its own references and deletes it.
    void DeleteMe();

protected:
    // Called after a maker starts or stops referring to this target.
    virtual void DependentsChanged() {}

private:
    friend class ReferenceMachinery;
    std::vector<ReferenceMaker*> dependents_;
};

// Clone bookkeeping: every target is cloned at most once per clone operation.
class RemapDir {
public:
    virtual ~RemapDir() = default;
    virtual RefTargetHandle FindMapping(RefTargetHandle from) = 0;
    virtual void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) = 0;
    // The clone of `oldTarg` for this operation, made on first request.
    virtual RefTargetHandle CloneRef(RefTargetHandle oldTarg) = 0;
};

// The host's remap directory.
class DefaultRemapDir : public RemapDir {
public:
    RefTargetHandle FindMapping(RefTargetHandle from) override;
    void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) override;
    RefTargetHandle CloneRef(RefTargetHandle oldTarg) override;

private:
    std::vector<std::pair<RefTargetHandle, RefTargetHandle>> map_;
};

// Clones a target and everything it refers to.
RefTargetHandle CloneRefHierarchy(RefTargetHandle source);
