// The renderer's side: a material made by a loaded module, read through ITavroMtl only.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BuiltModules.h"
#include "ClassDesc2.h"
#include "ModuleLoader.h"
#include "NewMaterialAnswers.h"
#include "TavroMtl.h"

using new_material::kQueries;
using new_material::Query;

TEST(Renderer, ReadsANewMaterialOfEveryBuild) {
    ASSERT_EQ(std::size(kQueries), 45u);
    for (const BuiltModule& b : kBuiltModules) {
        SCOPED_TRACE(b.sdk);
        std::string error;
        std::unique_ptr<LoadedModule> module = LoadedModule::Open(modulePath(b.sdk), error);
        ASSERT_NE(module, nullptr) << error;
        ClassDesc* cd = module->GetClassDesc(0);
        ASSERT_NE(cd, nullptr);
        EXPECT_EQ(cd->ClassID(), TAVROMTL_CLASS_ID);

        auto* made = static_cast<Animatable*>(cd->Create(FALSE));
        ASSERT_NE(made, nullptr);
        // Recognised by class id; the material is its own ITavroMtl.
        ASSERT_EQ(made->ClassID(), TAVROMTL_CLASS_ID);
        ASSERT_EQ(made->SuperClassID(), MATERIAL_CLASS_ID);
        ITavroMtl& material = *static_cast<ITavroMtl*>(static_cast<Mtl*>(made));
        for (const Query& q : kQueries) EXPECT_TRUE(q.call(material) == q.fresh) << q.name;
        static_cast<ReferenceTarget*>(made)->DeleteMe();
    }
}
