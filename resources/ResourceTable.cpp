#include "resources/ResourceTable.h"

#include <vector>

#include "resources/StringTable.h"

const ModuleResourceTable* tavroModuleResources() {
    // Dialog templates, one entry each.
    static const std::vector<DialogTemplate> dialogs = {};
    static const ModuleResourceTable table{tavroStringTable().data(), tavroStringTable().size(),
                                           dialogs.data(), dialogs.size()};
    return &table;
}
