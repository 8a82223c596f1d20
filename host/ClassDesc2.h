// Class descriptors: how a module describes and creates its classes, and the material
// browser's entry interface.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Animatable.h"

class ParamBlockDesc2;
class IParamMap2;
class IAutoMParamDlg;
class IMtlParams;
class Bitmap;

class ClassDesc : public MaxHeapOperators {
public:
    virtual ~ClassDesc() = default;
    virtual int IsPublic() = 0;
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual const MCHAR* ClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const MCHAR* Category() = 0;
    virtual const MCHAR* InternalName() { return nullptr; }
    virtual HINSTANCE HInstance() { return nullptr; }
    // The host's default: no interface by id.
    virtual BaseInterface* GetInterface(Interface_ID id);
};

class ClassDesc2 : public ClassDesc {
public:
    ~ClassDesc2() override;

    virtual void ResetClassParams(BOOL fileReset = FALSE);
    virtual int NumParamBlockDescs();
    virtual ParamBlockDesc2* GetParamBlockDesc(int i);
    virtual ParamBlockDesc2* GetParamBlockDescByID(BlockID id);
    virtual void AddParamBlockDesc(ParamBlockDesc2* pbd);
    virtual void BeginEditParams(IMtlParams* ip, ReferenceTarget* obj);
    virtual void EndEditParams(IMtlParams* ip, ReferenceTarget* obj);
    virtual void InvalidateUI(ParamBlockDesc2* pbd);
    virtual const MCHAR* GetRsrcString(INT_PTR id);
    // Creates a block for every auto-constructed descriptor and installs it as the owner's
    // reference of the descriptor's reference number.
    virtual void MakeAutoParamBlocks(ReferenceMaker* owner);
    virtual int NumParamMaps();
    virtual IParamMap2* GetParamMap(int i);
    // Builds the rollouts of every auto-UI block of `obj` into the editor's panel.
    virtual IAutoMParamDlg* CreateParamDlgs(HWND hwMtlEdit, IMtlParams* imp, ReferenceTarget* obj);
    virtual BaseInterface* GetInterface(const MCHAR* name);
    using ClassDesc::GetInterface;

    // Rollouts currently open for this class (kept by the host's parameter maps).
    std::vector<IParamMap2*>& OpenParamMaps() { return openMaps_; }

    // Called by a descriptor that is destroyed before its class descriptor.
    void RemoveParamBlockDesc(ParamBlockDesc2* pbd);

private:
    std::vector<ParamBlockDesc2*> pbDescs_;
    std::vector<IParamMap2*> openMaps_;
    // Texts handed out by GetRsrcString, kept so the pointers stay valid.
    std::map<INT_PTR, std::wstring> rsrcStrings_;
};

// Interface id of the material browser's entry.
constexpr Interface_ID IMATERIAL_BROWSER_ENTRY_INFO_INTERFACE(0x5e19378b, 0x55535e13);

class FPInterface : public BaseInterface {};

class IMaterialBrowserEntryInfo : public FPInterface {
public:
    virtual const MCHAR* GetEntryName() const = 0;
    virtual const MCHAR* GetEntryCategory() const = 0;
    virtual bool IsStandaloneEntry() const { return false; }
    virtual Bitmap* GetEntryThumbnail() const { return nullptr; }
    virtual bool HasCustomThumbnail() { return false; }
};
