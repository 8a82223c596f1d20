// Parameter blocks: the descriptor built from a typed table of parameter definitions,
// and the block that holds one object's values (animated or constant) at each time.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "Animatable.h"
#include "Color.h"

class Texmap;
class ClassDesc2;
class ParamMap2UserDlgProc;

// Value types of the current block.
enum ParamType2 : int {
    TYPE_FLOAT = 0,
    TYPE_INT = 1,
    TYPE_RGBA = 2,  // Color, no alpha
    TYPE_BOOL = 4,
    TYPE_TEXMAP = 11,
};

// Parameter flags.
constexpr int P_ANIMATABLE = 0x0001;
constexpr int P_RESET_DEFAULT = 0x0002;  // never takes a value remembered from the editor
constexpr int P_OWNERS_REF = 0x0004;     // a map held as a reference of the owning object

// Block flags.
constexpr int P_AUTO_CONSTRUCT = 0x0002;
constexpr int P_AUTO_UI = 0x0004;

// Kinds of rollout control a parameter is bound to.
enum class ControlKind { None, Spinner, CheckBox, ColorSwatch, MapButton, ComboBox, RadioPair };

struct ControlBinding {
    ControlKind kind = ControlKind::None;
    std::vector<int> ids;          // spinner: edit, spinner; radio: first, second; others: one
    float step = 0.0f;             // spinner increment
    std::vector<int> itemStrings;  // combo box items, string-table ids in list order
};

// One parameter definition: identity, type, default, range, control and map slot.
// Built with the typed helpers below, so every default has the parameter's own type.
struct ParamDef {
    ParamID id = -1;
    const MCHAR* int_name = nullptr;
    ParamType2 type = TYPE_FLOAT;
    int flags = 0;
    int local_name = 0;  // string-table id of the display name

    float defFloat = 0.0f;
    int defInt = 0;
    Color defColor;

    bool hasRange = false;
    float rangeLo = 0.0f, rangeHi = 0.0f;

    ControlBinding control;
    int refno = -1;     // owner's reference number of a map
    int subtexno = -1;  // owner's sub-texture number of a map
    int tooltip = 0;    // string-table id, 0 for none

    // Typed constructors.
    static ParamDef Float(ParamID id, const MCHAR* name, int flags, int localName, float def);
    static ParamDef Int(ParamID id, const MCHAR* name, int flags, int localName, int def);
    static ParamDef Bool(ParamID id, const MCHAR* name, int flags, int localName, bool def);
    static ParamDef Rgb(ParamID id, const MCHAR* name, int flags, int localName, Color def);
    static ParamDef Map(ParamID id, const MCHAR* name, int flags, int localName, int refno,
                        int subtexno);

    // Tagged items.
    ParamDef& range(float lo, float hi);
    ParamDef& spinner(int editId, int spinId, float step);
    ParamDef& checkBox(int id);
    ParamDef& colorSwatch(int id);
    ParamDef& mapButton(int id);
    ParamDef& comboBox(int id, std::initializer_list<int> itemStrings);
    ParamDef& radioPair(int first, int second);
    ParamDef& toolTip(int stringId);
};

// The static description of a block. Constructing it registers it with its owner class.
class ParamBlockDesc2 : public MaxHeapOperators {
public:
    struct Header {
        BlockID id = 0;
        const MCHAR* int_name = nullptr;
        int local_name = 0;
        ClassDesc2* cd = nullptr;
        int flags = 0;
        int refno = -1;       // P_AUTO_CONSTRUCT: owner's reference that holds the block
        int dlgTemplate = 0;  // P_AUTO_UI: rollout template resource id
        int title = 0;        // P_AUTO_UI: rollout title string id
        int flagMask = 0;
        int rollupFlags = 0;
        ParamMap2UserDlgProc* proc = nullptr;
    };

    ParamBlockDesc2(const Header& header, std::initializer_list<ParamDef> params);
    ~ParamBlockDesc2();
    ParamBlockDesc2(const ParamBlockDesc2&) = delete;
    ParamBlockDesc2& operator=(const ParamBlockDesc2&) = delete;

    BlockID ID() const { return header_.id; }
    const Header& header() const { return header_; }
    ClassDesc2* ClassDescriptor() const { return header_.cd; }
    int Count() const { return static_cast<int>(params_.size()); }

    // Lookups; -1 / null when there is no such parameter.
    int IDtoIndex(ParamID id) const;
    ParamID IndextoID(int index) const;
    ParamID NameToID(const MCHAR* name) const;
    const ParamDef* GetParamDefByID(ParamID id) const;
    const ParamDef& GetParamDef(int index) const {
        return params_[static_cast<std::size_t>(index)];
    }
    const std::vector<ParamDef>& Params() const { return params_; }

    // The rollout's user dialog procedure (map 0 only).
    void SetUserDlgProc(ParamMap2UserDlgProc* proc, int mapId = 0);
    ParamMap2UserDlgProc* GetUserDlgProc(int mapId = 0) const;
    // Refreshes the controls of one parameter (or all with id -1) in every open rollout.
    void InvalidateUI(ParamID id = -1, int tabIndex = -1);

private:
    friend class ClassDesc2;  // clears header_.cd when the class descriptor goes first
    Header header_;
    std::vector<ParamDef> params_;
};

// One animation key of a float or colour parameter.
struct ParamKey {
    TimeValue t;
    float f;
    Color c;
};

// Everything a block stores for one parameter: its constant value (the field of its type)
// and, when animated, its keys. Texture-map parameters carry no value here (their maps are
// references). Scene input/output and layout conversion read and restore blocks through it.
struct ParamValueRecord {
    ParamID id = -1;
    ParamType2 type = TYPE_FLOAT;
    float f = 0.0f;
    int i = 0;
    Color c;
    std::vector<ParamKey> keys;
};

// Class identity of the current parameter block.
constexpr Class_ID PARAMBLOCK2_CLASS_ID(PARAMETER_BLOCK2_CLASS_ID, 0);

// A block of values described by a ParamBlockDesc2. Its class name is "ParamBlock2".
// Reads narrow `ivalid` to the span around t over which the value stays as it is.
// Writes of the wrong type or to an unknown id fail (FALSE); floats are clamped to range.
class IParamBlock2 : public ReferenceTarget {
public:
    virtual ParamBlockDesc2* GetDesc() = 0;
    virtual BlockID ID() = 0;
    virtual int NumParams() = 0;

    virtual BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& ivalid, int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Color& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Texmap*& v, Interval& ivalid,
                          int tabIndex = 0) = 0;

    // With animation off a write replaces the constant value (or, for an animated parameter,
    // the key at t); with animation on it sets a key at t.
    virtual BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, const Color& v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, Texmap* v, int tabIndex = 0) = 0;

    float GetFloat(ParamID id, TimeValue t = 0, int tabIndex = 0);
    int GetInt(ParamID id, TimeValue t = 0, int tabIndex = 0);
    Color GetColor(ParamID id, TimeValue t = 0, int tabIndex = 0);
    Texmap* GetTexmap(ParamID id, TimeValue t = 0, int tabIndex = 0);

    // Keys of an animated float or colour parameter, in time order (empty when constant).
    virtual std::vector<ParamKey> GetKeys(ParamID id) = 0;
    virtual BOOL SetKey(ParamID id, const ParamKey& key) = 0;
    virtual BOOL ClearKeys(ParamID id) = 0;

    // The parameter that changed last, and its tab index.
    virtual ParamID LastNotifyParamID() = 0;
    virtual ParamID LastNotifyParamID(int& tabIndex) = 0;

    // Every value back to its default (keys removed, maps released).
    virtual void ResetAll() = 0;

    // The stored state of one parameter; FALSE for an unknown id.
    virtual BOOL GetRecord(ParamID id, ParamValueRecord& rec) = 0;
    // Restores one parameter from a record. The record's type must be the parameter's; keys
    // are accepted only for animatable floats and colours, sorted by time (a later key at the
    // same time wins); floats are clamped to range; NaN is refused. FALSE changes nothing.
    virtual BOOL SetRecord(const ParamValueRecord& rec) = 0;

    // The object whose references hold the maps of P_OWNERS_REF parameters. A block created
    // without one (loaded or cloned) takes the first dependent of its descriptor's class; an
    // owner that no longer refers to a block it once did is forgotten the same way.
    virtual ReferenceMaker* GetOwner() = 0;
    virtual void SetOwner(ReferenceMaker* owner) = 0;
};

// Animation mode: while on, writes to animatable parameters at t != 0 set keys.
void SetAnimateMode(bool on);
bool IsAnimateMode();
// Animation mode on for the lifetime of the object.
class AnimateOn {
public:
    AnimateOn() : was_(IsAnimateMode()) { SetAnimateMode(true); }
    ~AnimateOn() { SetAnimateMode(was_); }
    AnimateOn(const AnimateOn&) = delete;
    AnimateOn& operator=(const AnimateOn&) = delete;

private:
    bool was_;
};

// A new block of `desc`, every parameter at its default, owned by `owner`.
IParamBlock2* CreateParameterBlock2(ParamBlockDesc2* desc, ReferenceMaker* owner);
// A block for a scene to load into: it takes its descriptor and values from its Load and must
// not be used before that succeeds.
IParamBlock2* CreateParameterBlock2ForLoading();
