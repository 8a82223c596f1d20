// Resources a module carries: its string table and dialog templates. A module exports
// them through ModuleResources(); the host finds them by the module's instance handle.
#pragma once

#include <cstddef>

#include "HostTypes.h"

struct StringResource {
    UINT id;
    const wchar_t* text;
};

enum class DialogItemKind {
    GroupBox,
    Label,
    CheckBox,
    DropDownList,
    RadioButton,
    EditField,    // CustEdit
    Spinner,      // SpinnerControl
    ColorSwatch,  // ColorSwatch
    MapButton,    // CustButton
};

// Item states the template sets.
constexpr unsigned DLGITEM_DISABLED = 0x1;
constexpr unsigned DLGITEM_HIDDEN = 0x2;
constexpr unsigned DLGITEM_CENTERED = 0x4;
constexpr unsigned DLGITEM_TABSTOP = 0x8;

constexpr int IDC_STATIC = -1;

struct DialogItem {
    int id;  // IDC_STATIC for items nothing addresses by id
    DialogItemKind kind;
    const wchar_t* caption;  // empty for controls without a caption
    short x, y, cx, cy;      // dialog units
    unsigned state;
};

struct DialogTemplate {
    int resourceId;
    short cx, cy;  // dialog units
    const wchar_t* fontName;
    short fontSize;
    bool acceptFiles;
    const DialogItem* items;
    std::size_t itemCount;
};

struct ModuleResourceTable {
    const StringResource* strings;
    std::size_t stringCount;
    const DialogTemplate* dialogs;
    std::size_t dialogCount;
};

// Registers the resources of a module instance (the loader does this for every module it
// opens; a program that links a module's code directly does it itself).
void RegisterModuleResources(HINSTANCE instance, const ModuleResourceTable* table);
// Forgets everything recorded for the instance (its resources and DisableThreadLibraryCalls).
void UnregisterModuleResources(HINSTANCE instance);
const ModuleResourceTable* FindModuleResources(HINSTANCE instance);
const DialogTemplate* FindDialogTemplate(HINSTANCE instance, int resourceId);

// Whether the module of `instance` turned off its thread attach/detach notifications.
bool ThreadLibraryCallsDisabled(HINSTANCE instance);
