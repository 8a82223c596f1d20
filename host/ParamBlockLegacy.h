// Records of the host's older, position-based parameter blocks. A module describes each
// earlier layout of its block with them, so that the host can turn a block of that layout,
// read from a scene, into a block of the current descriptor, matching parameters by id.
#pragma once

#include "HostTypes.h"

class UserType;

// Value types of the older blocks.
enum class LegacyParamType : int {
    Float = 0,
    Int = 1,
    Rgba = 2,
    Bool = 4,
    User = 5,  // a value of the type `user` names; no value the host converts
};

// One parameter of an older block: the record at position p describes the p-th value.
class ParamBlockDescID {
public:
    constexpr ParamBlockDescID(LegacyParamType type, UserType* user, BOOL animatable, DWORD id)
        : type(type), user(user), animatable(animatable), id(id) {}

    LegacyParamType type;
    UserType* user;
    BOOL animatable;
    DWORD id;  // the identifier of the current parameter that takes this value
    // Index of that parameter in the current block; kept by the host's conversion, which
    // finds it unresolved (-2) in a record as built.
    int index = -2;
};

// One earlier layout: its records, their number and its version number.
struct ParamVersionDesc {
    ParamBlockDescID* desc;
    int count;
    DWORD version;
};
