// The class descriptor of the material: it names the class, creates its instances and, as
// its second face, describes the class to the host's material browser.
#pragma once

#include "ClassDesc2.h"

class tavroMaterialClassDesc : public ClassDesc2, public IMaterialBrowserEntryInfo {
public:
    int IsPublic() override;
    // A new material in storage from the host allocator; null when there is none.
    void* Create(BOOL loading) override;
    const MCHAR* ClassName() override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;
    const MCHAR* Category() override;
    const MCHAR* InternalName() override;
    HINSTANCE HInstance() override;
    // The browser entry for its interface id; the host's answer for any other.
    BaseInterface* GetInterface(Interface_ID id) override;
    using ClassDesc2::GetInterface;

    Interface_ID GetID() override;
    const MCHAR* GetEntryName() const override;
    const MCHAR* GetEntryCategory() const override;
    bool IsStandaloneEntry() const override;
    Bitmap* GetEntryThumbnail() const override;
    bool HasCustomThumbnail() override;
};

// The one descriptor, built on first use and kept until the module unloads.
tavroMaterialClassDesc& tavroClassDesc();
