// Materials and texture maps: the host's MtlBase (name, G-buffer id, base data), the
// texture-slot interface ISubMap, and Texmap.
#pragma once

#include "Animatable.h"
#include "Color.h"
#include "Point3.h"
#include "ShadeContext.h"

class IAutoMParamDlg;
using ParamDlg = IAutoMParamDlg;
class IMtlParams;
class Texmap;

// Texture slots of a material or map.
class ISubMap {
public:
    virtual ~ISubMap() = default;
    virtual int NumSubTexmaps() { return 0; }
    virtual Texmap* GetSubTexmap(int) { return nullptr; }
    virtual void SetSubTexmap(int, Texmap*) {}
    virtual MSTR GetSubTexmapSlotName(int, bool localized = true);
};

class MtlBase : public ReferenceTarget, public ISubMap {
public:
    virtual ULONG Requirements(int subMtlNum);
    virtual void Update(TimeValue t, Interval& valid) = 0;
    virtual void Reset() = 0;
    virtual Interval Validity(TimeValue t) = 0;
    virtual ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp);

    // Base material data (name, G-buffer id), saved in the chunk the subclass opens.
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    const MSTR& GetName() const { return name_; }
    void SetName(const MSTR& name) { name_ = name; }
    int GetGBufID() const { return gbufId_; }
    void SetGBufID(int id) { gbufId_ = id; }

    // Copies the base data (the host's assignment of MtlBase).
    MtlBase& operator=(const MtlBase& m);

private:
    MSTR name_;
    int gbufId_ = 0;
};

class Texmap : public MtlBase {
public:
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    virtual AColor EvalColor(ShadeContext& sc) = 0;
    // Default: the luminance-free average of the colour.
    virtual float EvalMono(ShadeContext& sc);
    // An offset to add to the shading normal.
    virtual Point3 EvalNormalPerturb(ShadeContext& sc) = 0;
};

// Splits a full file name into folder (with its final separator), file name and extension
// (with its dot); either separator, '\\' or '/', is accepted. Null outputs are skipped.
void SplitFilename(const MSTR& name, MSTR* path, MSTR* file, MSTR* ext);
