// Typed builders of parameter definitions: each sets the type and the default of that type,
// then tagged items add range, control, slot and tooltip.
#include "ParamBlock2.h"

namespace {

ParamDef makeDef(ParamID id, const MCHAR* name, ParamType2 type, int flags, int localName) {
    ParamDef d;
    d.id = id;
    d.int_name = name;
    d.type = type;
    d.flags = flags;
    d.local_name = localName;
    return d;
}

}  // namespace

ParamDef ParamDef::Float(ParamID id, const MCHAR* name, int flags, int localName, float def) {
    ParamDef d = makeDef(id, name, TYPE_FLOAT, flags, localName);
    d.defFloat = def;
    return d;
}

ParamDef ParamDef::Int(ParamID id, const MCHAR* name, int flags, int localName, int def) {
    ParamDef d = makeDef(id, name, TYPE_INT, flags, localName);
    d.defInt = def;
    return d;
}

ParamDef ParamDef::Bool(ParamID id, const MCHAR* name, int flags, int localName, bool def) {
    ParamDef d = makeDef(id, name, TYPE_BOOL, flags, localName);
    d.defInt = def ? 1 : 0;
    return d;
}

ParamDef ParamDef::Rgb(ParamID id, const MCHAR* name, int flags, int localName, Color def) {
    ParamDef d = makeDef(id, name, TYPE_RGBA, flags, localName);
    d.defColor = def;
    return d;
}

ParamDef ParamDef::Map(ParamID id, const MCHAR* name, int flags, int localName, int refno,
                       int subtexno) {
    ParamDef d = makeDef(id, name, TYPE_TEXMAP, flags, localName);
    d.refno = refno;
    d.subtexno = subtexno;
    return d;
}

ParamDef& ParamDef::range(float lo, float hi) {
    hasRange = true;
    rangeLo = lo;
    rangeHi = hi;
    return *this;
}

ParamDef& ParamDef::spinner(int editId, int spinId, float stepSize) {
    control.kind = ControlKind::Spinner;
    control.ids = {editId, spinId};
    control.step = stepSize;
    return *this;
}

ParamDef& ParamDef::checkBox(int ctrlId) {
    control.kind = ControlKind::CheckBox;
    control.ids = {ctrlId};
    return *this;
}

ParamDef& ParamDef::colorSwatch(int ctrlId) {
    control.kind = ControlKind::ColorSwatch;
    control.ids = {ctrlId};
    return *this;
}

ParamDef& ParamDef::mapButton(int ctrlId) {
    control.kind = ControlKind::MapButton;
    control.ids = {ctrlId};
    return *this;
}

ParamDef& ParamDef::comboBox(int ctrlId, std::initializer_list<int> items) {
    control.kind = ControlKind::ComboBox;
    control.ids = {ctrlId};
    control.itemStrings = items;
    return *this;
}

ParamDef& ParamDef::radioPair(int first, int second) {
    control.kind = ControlKind::RadioPair;
    control.ids = {first, second};
    return *this;
}

ParamDef& ParamDef::toolTip(int stringId) {
    tooltip = stringId;
    return *this;
}
