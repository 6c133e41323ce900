// The dialog interface over the stand-in's dialogs.
#include <filesystem>
#include "NXOpen/BlockStyler_BlockDialog.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/TaggedObject.hxx"
#include "model/session.h"
#include "text.h"
#include "ui/dialog.h"

using namespace NXOpen;
using namespace NXOpen::BlockStyler;
using host::ui::Block;
using host::ui::Value;

namespace {

template <class T>
T& as(Block* b, const NXString& name) {
    if (!b) throw NXException(3520016, "the dialog's top block has no properties");
    Value& v = b->get(name.GetText());
    if (T* p = std::get_if<T>(&v)) return *p;
    throw NXException(3520016, "block " + b->id + ": property " + std::string(name.GetText()) + " is of another type");
}

std::vector<NXString> toNx(const std::vector<std::string>& v) { return {v.begin(), v.end()}; }
std::vector<std::string> fromNx(const std::vector<NXString>& v) {
    std::vector<std::string> out;
    for (auto& s : v) out.push_back(s.GetText());
    return out;
}

}  // namespace

/* PropertyList */

std::vector<NXString> PropertyList::GetPropertyNames() {
    std::vector<NXString> out;
    if (block_) for (auto& p : block_->props) out.push_back(p.name);
    return out;
}
NXString PropertyList::GetString(const NXString& n) { return as<std::string>(block_, n); }
void PropertyList::SetString(const NXString& n, const NXString& v) { as<std::string>(block_, n) = v.GetText(); }
bool PropertyList::GetLogical(const NXString& n) { return as<bool>(block_, n); }
void PropertyList::SetLogical(const NXString& n, bool v) { as<bool>(block_, n) = v; }
int PropertyList::GetInteger(const NXString& n) { return as<int>(block_, n); }
void PropertyList::SetInteger(const NXString& n, int v) { as<int>(block_, n) = v; }
double PropertyList::GetDouble(const NXString& n) { return as<double>(block_, n); }
void PropertyList::SetDouble(const NXString& n, double v) { as<double>(block_, n) = v; }
int PropertyList::GetEnum(const NXString& n) { return as<int>(block_, n); }
void PropertyList::SetEnum(const NXString& n, int v) {
    if (v < 0 || (!block_->members.empty() && v >= static_cast<int>(block_->members.size())))
        throw NXException(3520019, "enumeration " + block_->id + " has no member " + std::to_string(v));
    as<int>(block_, n) = v;
}
NXString PropertyList::GetEnumAsString(const NXString& n) {
    int v = as<int>(block_, n);
    return v >= 0 && v < static_cast<int>(block_->members.size()) ? NXString(block_->members[v]) : NXString();
}
void PropertyList::SetEnumAsString(const NXString& n, const NXString& v) {
    for (size_t i = 0; i < block_->members.size(); ++i)
        if (block_->members[i] == v.GetText()) { as<int>(block_, n) = static_cast<int>(i); return; }
    throw NXException(3520019, "enumeration " + block_->id + " has no member " + v.GetText());
}
std::vector<NXString> PropertyList::GetEnumMembers(const NXString&) { return toNx(block_->members); }
void PropertyList::SetEnumMembers(const NXString&, const std::vector<NXString>& m) { block_->members = fromNx(m); }
std::vector<NXString> PropertyList::GetStrings(const NXString& n) { return toNx(as<std::vector<std::string>>(block_, n)); }
void PropertyList::SetStrings(const NXString& n, const std::vector<NXString>& v) {
    if (!block_->find(n.GetText())) block_->props.push_back({n.GetText(), std::vector<std::string>()});
    as<std::vector<std::string>>(block_, n) = fromNx(v);
}
std::vector<int> PropertyList::GetIntegerVector(const NXString& n) { return as<std::vector<int>>(block_, n); }
void PropertyList::SetIntegerVector(const NXString& n, const std::vector<int>& v) { as<std::vector<int>>(block_, n) = v; }
std::vector<TaggedObject*> PropertyList::GetTaggedObjectVector(const NXString& n) {
    std::vector<TaggedObject*> out;
    // Objects deleted since they were picked drop out, as the host forgets them.
    for (tag_t t : as<std::vector<tag_t>>(block_, n))
        if (TaggedObject* o = NXObjectManager::Get(t)) out.push_back(o);
    return out;
}
void PropertyList::SetTaggedObjectVector(const NXString& n, const std::vector<TaggedObject*>& v) {
    std::vector<tag_t> tags;
    for (auto* o : v)
        if (o) tags.push_back(o->Tag());
    as<std::vector<tag_t>>(block_, n) = tags;
}
Point3d PropertyList::GetPoint(const NXString& n) {
    auto& p = as<std::array<double, 3>>(block_, n);
    return {p[0], p[1], p[2]};
}
void PropertyList::SetPoint(const NXString& n, const Point3d& v) { as<std::array<double, 3>>(block_, n) = {v.X, v.Y, v.Z}; }
Vector3d PropertyList::GetVector(const NXString& n) {
    auto& p = as<std::array<double, 3>>(block_, n);
    return {p[0], p[1], p[2]};
}
void PropertyList::SetVector(const NXString& n, const Vector3d& v) { as<std::array<double, 3>>(block_, n) = {v.X, v.Y, v.Z}; }
void PropertyList::GetSelectionFilter(const NXString& n, Selection::SelectionAction* action, std::vector<Selection::MaskTriple>& masks) {
    auto& f = as<host::ui::Filter>(block_, n);
    if (action) *action = static_cast<Selection::SelectionAction>(f.action);
    masks.clear();
    for (auto& m : f.masks) masks.emplace_back(m[0], m[1], m[2]);
}
void PropertyList::SetSelectionFilter(const NXString& n, Selection::SelectionAction action, const std::vector<Selection::MaskTriple>& masks) {
    auto& f = as<host::ui::Filter>(block_, n);
    f.action = action;
    f.masks.clear();
    for (auto& m : masks) f.masks.push_back({m.Type, m.Subtype, m.SolidBodySubtype});
}

/* Blocks */

UIBlock::~UIBlock() = default;
NXString UIBlock::Name() const { return block_ ? block_->id : ""; }
NXString UIBlock::Type() const { return block_ ? block_->kind : "CompositeBlock"; }
NXString UIBlock::Label() const { return as<std::string>(block_, "Label"); }
void UIBlock::SetLabel(const NXString& l) { as<std::string>(block_, "Label") = l.GetText(); }
bool UIBlock::Show() const { return as<bool>(block_, "Show"); }
void UIBlock::SetShow(bool s) { as<bool>(block_, "Show") = s; }
bool UIBlock::Enable() const { return as<bool>(block_, "Enable"); }
void UIBlock::SetEnable(bool e) { as<bool>(block_, "Enable") = e; }
PropertyList* UIBlock::GetProperties() { return new PropertyList(block_); }

NXString DrawingArea::Image() const { return as<std::string>(block_, "Image"); }
void DrawingArea::SetImage(const NXString& v) { as<std::string>(block_, "Image") = v.GetText(); }
NXString StringBlock::Value() const { return as<std::string>(block_, "Value"); }
void StringBlock::SetValue(const NXString& v) { as<std::string>(block_, "Value") = v.GetText(); }
bool Toggle::Value() const { return as<bool>(block_, "Value"); }
void Toggle::SetValue(bool v) { as<bool>(block_, "Value") = v; }
NXString Enumeration::ValueAsString() const { return props().GetEnumAsString("Value"); }
void Enumeration::SetValueAsString(const NXString& v) { props().SetEnumAsString("Value", v); }
std::vector<NXString> Enumeration::GetEnumMembers() const { return toNx(block_->members); }
void Enumeration::SetEnumMembers(const std::vector<NXString>& m) { block_->members = fromNx(m); }
std::vector<TaggedObject*> SelectObject::GetSelectedObjects() const { return props().GetTaggedObjectVector("SelectedObjects"); }
void SelectObject::SetSelectedObjects(const std::vector<TaggedObject*>& v) { props().SetTaggedObjectVector("SelectedObjects", v); }
int SelectObject::MaximumScope() const { return as<int>(block_, "MaximumScope"); }
void SelectObject::SetMaximumScope(int s) { as<int>(block_, "MaximumScope") = s; }
void SelectObject::SetSelectionFilter(Selection::SelectionAction a, const std::vector<Selection::MaskTriple>& m) {
    props().SetSelectionFilter("SelectionFilter", a, m);
}
std::vector<int> ObjectColorPicker::GetValue() const { return as<std::vector<int>>(block_, "Value"); }
void ObjectColorPicker::SetValue(const std::vector<int>& v) { as<std::vector<int>>(block_, "Value") = v; }
NXString FolderSelection::Path() const { return as<std::string>(block_, "Path"); }
void FolderSelection::SetPath(const NXString& v) { as<std::string>(block_, "Path") = v.GetText(); }
double DoubleBlock::Value() const { return as<double>(block_, "Value"); }
void DoubleBlock::SetValue(double v) { as<double>(block_, "Value") = v; }
double LinearDimension::Value() const { return as<double>(block_, "Value"); }
void LinearDimension::SetValue(double v) { as<double>(block_, "Value") = v; }
double ExpressionBlock::Value() const { return as<double>(block_, "Value"); }
void ExpressionBlock::SetValue(double v) { as<double>(block_, "Value") = v; }
Point3d SpecifyPoint::Point() const { return props().GetPoint("Point"); }
void SpecifyPoint::SetPoint(const Point3d& p) { props().SetPoint("Point", p); }
Point3d SpecifyOrientation::Origin() const { return props().GetPoint("Origin"); }
void SpecifyOrientation::SetOrigin(const Point3d& p) { props().SetPoint("Origin", p); }
Vector3d SpecifyOrientation::XAxis() const { return props().GetVector("XAxis"); }
void SpecifyOrientation::SetXAxis(const Vector3d& v) { props().SetVector("XAxis", v); }
Vector3d SpecifyOrientation::YAxis() const { return props().GetVector("YAxis"); }
void SpecifyOrientation::SetYAxis(const Vector3d& v) { props().SetVector("YAxis", v); }
Vector3d SpecifyOrientation::ZAxis() const { return props().GetVector("ZAxis"); }
void SpecifyOrientation::SetZAxis(const Vector3d& v) { props().SetVector("ZAxis", v); }

/* BlockDialog */

namespace {
// The composite top block finds blocks in the dialog that made it.
std::map<const CompositeBlock*, host::ui::Dialog*>& tops() {
    static std::map<const CompositeBlock*, host::ui::Dialog*> m;
    return m;
}
}  // namespace

UIBlock* CompositeBlock::FindBlock(const NXString& id) {
    auto it = tops().find(this);
    if (it == tops().end()) return nullptr;
    Block* b = it->second->find(id.GetText());
    return b ? b->ui.get() : nullptr;
}

BlockDialog::~BlockDialog() {
    if (dialog_) tops().erase(dialog_->top.get());
    delete dialog_;
    ++host::ui::counters().destroyed;
}

void BlockDialog::AddApplyHandler(const Apply& cb) { dialog_->apply = cb; }
void BlockDialog::AddOkHandler(const Ok& cb) { dialog_->ok = cb; }
void BlockDialog::AddCancelHandler(const Cancel& cb) { dialog_->cancel = cb; }
void BlockDialog::AddInitializeHandler(const Initialize& cb) { dialog_->initialize = cb; }
void BlockDialog::AddDialogShownHandler(const DialogShown& cb) { dialog_->shown = cb; }
void BlockDialog::AddUpdateHandler(const Update& cb) { dialog_->update = cb; }
void BlockDialog::AddFilterHandler(const Filter& cb) { dialog_->filter = cb; }

CompositeBlock* BlockDialog::TopBlock() {
    tops()[dialog_->top.get()] = dialog_;
    return dialog_->top.get();
}

PropertyList* BlockDialog::GetBlockProperties(const NXString& id) {
    Block* b = dialog_->find(id.GetText());
    if (!b) throw NXException(3520020, "the dialog has no block " + std::string(id.GetText()));
    return new PropertyList(b);
}

Selection::DialogResponse BlockDialog::Show(DialogMode) { return Show(); }

Selection::DialogResponse BlockDialog::Show() {
    host::Session& s = host::session();
    host::ui::Dialog& d = *dialog_;
    if (d.open) throw NXException(3520021, "the dialog is already shown");
    ++host::ui::counters().shown;
    d.open = true;
    std::string name = std::filesystem::path(d.file).filename().string();
    s.say("[dialog] " + host::text::toUtf8Lossy(d.title) + " (" + name + ") opened");
    tops()[d.top.get()] = dialog_;
    if (d.initialize) d.initialize();
    if (d.shown) d.shown();
    // Without a user the dialog is closed at once, as a user who only looks at it.
    if (host::ui::user()) host::ui::user()->drive(d);
    if (d.open) d.open = false;
    s.say("[dialog] " + host::text::toUtf8Lossy(d.title) + " closed");
    return Selection::DialogResponseOk;
}
