// Records of the host's older, position-based parameter blocks. A module describes each
// earlier layout of its block with them, so that the host can turn a block of that layout,
// read from a scene, into a block of the current descriptor, matching parameters by id.
#pragma once

#include <vector>

#include "Animatable.h"
#include "Color.h"
#include "HostTypes.h"
#include "ParamBlock2.h"

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

// Class identity of the older block; its class name is "ParamBlock".
constexpr Class_ID PARAMBLOCK_CLASS_ID(PARAMETER_BLOCK_CLASS_ID, 0);

// The value at one position of an older block: the field of its type, and the keys of an
// animated float or colour. A User value carries nothing.
struct LegacyParamValue {
    LegacyParamType type = LegacyParamType::Float;
    float f = 0.0f;
    int i = 0;
    Color c;
    std::vector<ParamKey> keys;
};

// A block of values by position, as the layout it was made from lists them, with the layout's
// version number. Scenes of earlier releases hold such blocks; ParamBlock2PLCB turns them
// into blocks of the current descriptor.
class IParamBlock : public ReferenceTarget {
public:
    virtual DWORD GetVersion() = 0;
    virtual int NumParams() = 0;
    virtual LegacyParamType GetParameterType(int i) = 0;
    // FALSE for a position outside the block.
    virtual BOOL GetValue(int i, LegacyParamValue& v) = 0;
    // The value's type must be the position's; keys only for floats and colours, NaN never.
    // FALSE changes nothing.
    virtual BOOL SetValue(int i, const LegacyParamValue& v) = 0;
};

// A block of layout `desc` (`count` records, version `version`), every value zero and
// unkeyed; null on failure. With no records it is an empty block, as a scene loads into.
IParamBlock* CreateParameterBlock(const ParamBlockDescID* desc, int count, DWORD version);
