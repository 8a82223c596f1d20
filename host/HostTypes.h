// Plain types shared by the host and every module: integer widths, identities,
// handles and result codes. Values follow the host's own conventions.
#pragma once

#include <cstdint>
#include <string>

using BOOL = int;
using BYTE = std::uint8_t;
using USHORT = std::uint16_t;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using ULONG_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using INT_PTR = std::intptr_t;
using MCHAR = wchar_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Host time: ticks, 32-bit signed.
using TimeValue = std::int32_t;
constexpr TimeValue TIME_NegInfinity = INT32_MIN;
constexpr TimeValue TIME_PosInfinity = INT32_MAX;

// Opaque handles. A module instance is whatever the loader hands the entry routine.
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
class HostWindow;
using HWND = HostWindow*;
struct HDROP__;
using HDROP = HDROP__*;

using SClass_ID = ULONG;
constexpr SClass_ID MATERIAL_CLASS_ID = 0x0C00;
constexpr SClass_ID TEXMAP_CLASS_ID = 0x0C10;
constexpr SClass_ID PARAMETER_BLOCK2_CLASS_ID = 0x0082;
constexpr SClass_ID PARAMETER_BLOCK_CLASS_ID = 0x0008;

class Class_ID {
public:
    constexpr Class_ID() = default;
    constexpr Class_ID(ULONG a, ULONG b) : a_(a), b_(b) {}
    constexpr ULONG PartA() const { return a_; }
    constexpr ULONG PartB() const { return b_; }
    constexpr bool operator==(const Class_ID&) const = default;

private:
    ULONG a_ = 0xFFFFFFFF;
    ULONG b_ = 0xFFFFFFFF;
};

class Interface_ID {
public:
    constexpr Interface_ID() = default;
    constexpr Interface_ID(ULONG a, ULONG b) : a_(a), b_(b) {}
    constexpr ULONG PartA() const { return a_; }
    constexpr ULONG PartB() const { return b_; }
    constexpr bool operator==(const Interface_ID&) const = default;

private:
    ULONG a_ = 0;
    ULONG b_ = 0;
};

// Wide string of the host.
using WStr = std::wstring;
using MSTR = std::wstring;

// Results of reference notifications and scene input/output.
using RefResult = int;
constexpr RefResult REF_FAIL = 0;
constexpr RefResult REF_SUCCEED = 1;
constexpr RefResult REF_DONTCARE = 2;
constexpr RefResult REF_STOP = 3;

using IOResult = int;
constexpr IOResult IO_OK = 0;
constexpr IOResult IO_END = 1;
constexpr IOResult IO_ERROR = 2;

using RefMessage = ULONG;
constexpr RefMessage REFMSG_CHANGE = 0x50;
constexpr RefMessage REFMSG_TARGET_DELETED = 0x3;
constexpr RefMessage REFMSG_SUBANIM_STRUCTURE_CHANGED = 0x12;
constexpr RefMessage REFMSG_MTL_CACHE_RELOADED = 0x275;

using PartID = ULONG;
constexpr PartID PART_ALL = 0x800037FF;
constexpr SClass_ID NOTIFY_ALL = static_cast<SClass_ID>(-16);

using ParamID = short;
using BlockID = short;
