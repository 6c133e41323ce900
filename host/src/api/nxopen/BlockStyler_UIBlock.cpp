// Blocks of a dialog: their properties under the names the module uses.
#include "NXOpen/BlockStyler_UIBlock.hxx"
#include "api/common.h"
#include "ui/dialog.h"
#include <filesystem>
#include "files/paths.h"
#include "model/session.h"
#include "text.h"

using namespace NXOpen;
using namespace NXOpen::BlockStyler;
using namespace host::api;
using host::ui::Block;

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
void DrawingArea::SetImage(const NXString& v) {
    as<std::string>(block_, "Image") = v.GetText();
    // The user sees the picture; the transcript names it, and says when its file is not there.
    const std::string path = host::paths::toHost(v.GetText());
    host::session().say("[picture] " + host::text::toUtf8Lossy(block_->id) + ": " + host::ui::pictureName(v.GetText()) +
                        (std::filesystem::exists(path) ? "" : " (missing)"));
}
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
bool LinearDimension::ShowHandle() const { return as<bool>(block_, "ShowHandle"); }
void LinearDimension::SetShowHandle(bool s) { as<bool>(block_, "ShowHandle") = s; }
Point3d LinearDimension::HandleOrigin() const { return props().GetPoint("HandleOrigin"); }
void LinearDimension::SetHandleOrigin(const Point3d& p) { props().SetPoint("HandleOrigin", p); }
Vector3d LinearDimension::HandleOrientation() const { return props().GetVector("HandleOrientation"); }
void LinearDimension::SetHandleOrientation(const Vector3d& v) { props().SetVector("HandleOrientation", v); }
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

UIBlock* CompositeBlock::FindBlock(const NXString& id) {
    auto it = tops().find(this);
    if (it == tops().end()) return nullptr;
    Block* b = it->second->find(id.GetText());
    return b ? b->ui.get() : nullptr;
}
