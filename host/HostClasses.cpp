// The host's built-in classes as the class directory sees them. Create answers the object
// as a ReferenceTarget (which is where the loader looks for it); a parameter block can only
// be made for loading, since outside a scene a block needs a descriptor.
#include "HostClasses.h"

#include "BitmapTexture.h"
#include "ClassDesc2.h"
#include "ConstantTexmap.h"
#include "NormalBump.h"
#include "ParamBlock2.h"
#include "ParamBlockLegacy.h"

namespace {

void* asCreated(ReferenceTarget* obj) {
    return obj;
}

template <class Make>
class HostClassDesc : public ClassDesc {
public:
    HostClassDesc(const MCHAR* name, SClass_ID super, Class_ID id, Make make)
        : name_(name), super_(super), id_(id), make_(make) {}

    int IsPublic() override { return 0; }
    void* Create(BOOL loading) override { return asCreated(make_(loading != FALSE)); }
    const MCHAR* ClassName() override { return name_; }
    SClass_ID SuperClassID() override { return super_; }
    Class_ID ClassID() override { return id_; }
    const MCHAR* Category() override { return L""; }
    const MCHAR* InternalName() override { return name_; }

private:
    const MCHAR* name_;
    SClass_ID super_;
    Class_ID id_;
    Make make_;
};

}  // namespace

std::vector<ClassDesc*> hostClassDescs() {
    // Static objects, kept for the life of the process like a module's descriptors.
    static HostClassDesc paramBlock2(L"ParamBlock2", PARAMETER_BLOCK2_CLASS_ID,
                                     PARAMBLOCK2_CLASS_ID, [](bool loading) -> ReferenceTarget* {
                                         return loading ? CreateParameterBlock2ForLoading()
                                                        : nullptr;
                                     });
    static HostClassDesc paramBlock(
        L"ParamBlock", PARAMETER_BLOCK_CLASS_ID, PARAMBLOCK_CLASS_ID,
        [](bool) -> ReferenceTarget* { return CreateParameterBlock(nullptr, 0, 0); });
    static HostClassDesc bitmap(L"Bitmap", TEXMAP_CLASS_ID, kBitmapTextureClassID,
                                [](bool) -> ReferenceTarget* { return NewDefaultBitmapTex(); });
    static HostClassDesc normalBump(
        L"Normal Bump", TEXMAP_CLASS_ID, kNormalBumpClassID,
        [](bool) -> ReferenceTarget* { return new (std::nothrow) NormalBumpTexture(); });
    static HostClassDesc constant(
        L"ConstantTexmap", TEXMAP_CLASS_ID, ConstantTexmap::kClassID,
        [](bool) -> ReferenceTarget* { return new (std::nothrow) ConstantTexmap(); });
    return {&paramBlock2, &paramBlock, &bitmap, &normalBump, &constant};
}
