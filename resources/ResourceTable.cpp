#include "resources/ResourceTable.h"

#include <vector>

#include "resources/Dialog82.h"
#include "resources/StringTable.h"

const ModuleResourceTable* tavroModuleResources() {
    // Dialog templates, one entry each.
    static const std::vector<DialogTemplate> dialogs = {tavroDialog82()};
    static const ModuleResourceTable table{tavroStringTable().data(), tavroStringTable().size(),
                                           dialogs.data(), dialogs.size()};
    return &table;
}
