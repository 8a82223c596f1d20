// A new material held by an observer that records what the material tells its dependents;
// the observer's reference keeps the material alive, and releasing it deletes the material.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "ConstantTexmap.h"
#include "ParamBlock2.h"
#include "material/TavroMtl.h"
#include "plugin/TavroClassDesc.h"
#include "tests/plugin/AttachedModule.h"

class Observer : public ReferenceMaker {
public:
    explicit Observer(ReferenceTarget* target) { ReplaceReference(0, target, FALSE); }

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int) override { return target_; }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID& part, RefMessage message,
                               BOOL) override {
        messages.push_back(message);
        parts.push_back(part);
        return REF_SUCCEED;
    }
    long count(RefMessage message) const {
        return std::count(messages.begin(), messages.end(), message);
    }

    std::vector<RefMessage> messages;
    std::vector<PartID> parts;

protected:
    void SetReference(int, RefTargetHandle target) override { target_ = target; }

private:
    RefTargetHandle target_ = nullptr;
};

inline TavroMtl* newMaterial(bool loading) {
    void* made = tavroClassDesc().Create(loading ? TRUE : FALSE);
    return static_cast<TavroMtl*>(static_cast<Mtl*>(static_cast<Animatable*>(made)));
}

inline ConstantTexmap* newMap() {
    return new ConstantTexmap();
}

class MaterialTest : public ::testing::Test {
protected:
    void SetUp() override {
        attachModule();
        mtl = newMaterial(false);
        observer = std::make_unique<Observer>(mtl);
    }

    IParamBlock2* block() { return mtl->GetParamBlock(0); }

    TavroMtl* mtl = nullptr;
    std::unique_ptr<Observer> observer;
};
