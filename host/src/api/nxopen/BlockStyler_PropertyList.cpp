// Properties of dialog blocks, by name.
#include <array>
#include "NXOpen/BlockStyler_PropertyList.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/TaggedObject.hxx"
#include "api/common.h"
#include "ui/dialog.h"

using namespace NXOpen;
using namespace NXOpen::BlockStyler;
using namespace host::api;

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
