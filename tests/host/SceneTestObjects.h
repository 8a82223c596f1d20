// Objects for the scene-file tests: a "Holder" that keeps a parameter block (reference 1,
// built from a descriptor of its class) and one map (reference 0), as a material does, and a
// "Probe" whose Save and Load exercise the chunk calls. Both classes are in the directory.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ClassDesc2.h"
#include "ClassDirectory.h"
#include "ParamBlock2.h"
#include "SceneFile.h"
#include "Texmap.h"

namespace scenetest {

enum : ParamID { kFloat = 1, kInt, kColor, kBool, kMap };
constexpr int kMapRef = 0;
constexpr int kBlockRef = 1;
constexpr SClass_ID kHolderSuper = 0x4321;
constexpr Class_ID kHolderClassID{0x600D, 0x0001};
constexpr Class_ID kProbeClassID{0x600D, 0x0002};

class Holder : public ReferenceTarget {
public:
    explicit Holder(bool loading);
    SClass_ID SuperClassID() override { return kHolderSuper; }
    Class_ID ClassID() override { return kHolderClassID; }
    void GetClassName(MSTR& s, bool) const override { s = L"Holder"; }
    int NumRefs() override { return 2; }
    RefTargetHandle GetReference(int i) override { return i == kMapRef ? map : block; }
    RefTargetHandle Clone(RemapDir&) override { return nullptr; }

    // Registers `plcb` (when set) on load, as a material registers its conversion.
    static inline std::function<PostLoadCallback*(Holder*)> onLoad;
    IOResult Load(ILoad* iload) override {
        if (onLoad) iload->RegisterPostLoadCallback(onLoad(this));
        return IO_OK;
    }

    RefTargetHandle map = nullptr;
    RefTargetHandle block = nullptr;

protected:
    void SetReference(int i, RefTargetHandle t) override { (i == kMapRef ? map : block) = t; }
};

class HolderClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return 1; }
    void* Create(BOOL loading) override {
        return static_cast<ReferenceTarget*>(new Holder(loading != FALSE));
    }
    const MCHAR* ClassName() override { return L"Holder"; }
    SClass_ID SuperClassID() override { return kHolderSuper; }
    Class_ID ClassID() override { return kHolderClassID; }
    const MCHAR* Category() override { return L""; }
};

inline HolderClassDesc& holderClass() {
    static HolderClassDesc cd;
    static const bool registered = RegisterClassDesc(&cd);
    (void)registered;
    return cd;
}

inline ParamBlockDesc2& holderBlockDesc() {
    static ParamBlockDesc2 desc(
        {.id = 0,
         .int_name = L"parameters",
         .cd = &holderClass(),
         .flags = P_AUTO_CONSTRUCT,
         .refno = kBlockRef},
        {
            ParamDef::Float(kFloat, L"h_float", P_ANIMATABLE, 0, 0.5f).range(0.0f, 10.0f),
            ParamDef::Int(kInt, L"h_int", 0, 0, 3),
            ParamDef::Rgb(kColor, L"h_color", P_ANIMATABLE, 0, Color(0.8f, 0.8f, 0.8f)),
            ParamDef::Bool(kBool, L"h_bool", 0, 0, true),
            ParamDef::Map(kMap, L"h_map", P_OWNERS_REF, 0, kMapRef, kMapRef),
        });
    return desc;
}

inline Holder::Holder(bool loading) {
    if (!loading) holderClass().MakeAutoParamBlocks(this);
}

inline IParamBlock2* blockOf(ReferenceTarget* holder) {
    return dynamic_cast<IParamBlock2*>(holder->GetReference(kBlockRef));
}

// A new holder, its class and descriptor registered.
inline Holder* newHolder() {
    holderBlockDesc();
    return new Holder(false);
}

// Records what the reader answered while loading; writes nested chunks when saved.
class Probe : public ReferenceTarget {
public:
    SClass_ID SuperClassID() override { return kHolderSuper; }
    Class_ID ClassID() override { return kProbeClassID; }
    void GetClassName(MSTR& s, bool) const override { s = L"Probe"; }

    // Each entry writes or reads through the stream; set by the test.
    static inline std::function<IOResult(ISave*)> onSave;
    static inline std::function<IOResult(ILoad*)> onLoad;
    IOResult Save(ISave* isave) override { return onSave ? onSave(isave) : IO_OK; }
    IOResult Load(ILoad* iload) override { return onLoad ? onLoad(iload) : IO_OK; }
};

class ProbeClassDesc : public ClassDesc {
public:
    int IsPublic() override { return 0; }
    void* Create(BOOL) override { return static_cast<ReferenceTarget*>(new Probe()); }
    const MCHAR* ClassName() override { return L"Probe"; }
    SClass_ID SuperClassID() override { return kHolderSuper; }
    Class_ID ClassID() override { return kProbeClassID; }
    const MCHAR* Category() override { return L""; }
};

inline void registerProbe() {
    static ProbeClassDesc cd;
    static const bool registered = RegisterClassDesc(&cd);
    (void)registered;
}

inline std::vector<BYTE> bytesOf(Scene& scene) {
    std::vector<BYTE> bytes;
    std::string error;
    if (!saveSceneToBytes(scene, bytes, error)) ADD_FAILURE() << error;
    return bytes;
}

}  // namespace scenetest
