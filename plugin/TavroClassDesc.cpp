#include "plugin/TavroClassDesc.h"

#include <new>
#include <string>

#include "material/TavroMtl.h"
#include "plugin/ModuleInstance.h"
#include "resources/StringIds.h"

int tavroMaterialClassDesc::IsPublic() {
    return 1;
}

void* tavroMaterialClassDesc::Create(BOOL loading) {
    // The host allocator zero-fills the storage and answers null rather than throwing. The
    // host takes the object as its Animatable.
    return static_cast<Animatable*>(new (std::nothrow) TavroMtl(loading != FALSE));
}

const MCHAR* tavroMaterialClassDesc::ClassName() {
    return GetEntryName();
}

SClass_ID tavroMaterialClassDesc::SuperClassID() {
    return MATERIAL_CLASS_ID;
}

Class_ID tavroMaterialClassDesc::ClassID() {
    return TAVROMTL_CLASS_ID;
}

const MCHAR* tavroMaterialClassDesc::Category() {
    return LoadResString(IDS_CATEGORY);
}

const MCHAR* tavroMaterialClassDesc::InternalName() {
    return L"tavroMaterial";
}

HINSTANCE tavroMaterialClassDesc::HInstance() {
    return moduleInstance();
}

BaseInterface* tavroMaterialClassDesc::GetInterface(Interface_ID id) {
    if (id == IMATERIAL_BROWSER_ENTRY_INFO_INTERFACE) {
        return static_cast<IMaterialBrowserEntryInfo*>(this);
    }
    return ClassDesc2::GetInterface(id);
}

Interface_ID tavroMaterialClassDesc::GetID() {
    return IMATERIAL_BROWSER_ENTRY_INFO_INTERFACE;
}

const MCHAR* tavroMaterialClassDesc::GetEntryName() const {
    return LoadResString(IDS_CLASS_NAME);
}

const MCHAR* tavroMaterialClassDesc::GetEntryCategory() const {
    // Built once, even under concurrent first requests; destroyed at unload before the
    // descriptors, which were built earlier.
    static const std::wstring category = L"Materials\\Tavro";
    return category.c_str();
}

bool tavroMaterialClassDesc::IsStandaloneEntry() const {
    return false;
}

Bitmap* tavroMaterialClassDesc::GetEntryThumbnail() const {
    return nullptr;
}

bool tavroMaterialClassDesc::HasCustomThumbnail() {
    return false;
}

tavroMaterialClassDesc& tavroClassDesc() {
    static tavroMaterialClassDesc desc;
    return desc;
}
