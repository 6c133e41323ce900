// Properties of a dialog block, by name. A list handed out by GetProperties is the caller's to delete.
#pragma once
#include <vector>
#include "NXString.hxx"
#include "Selection.hxx"
#include "ugmath.hxx"

namespace host::ui { struct Block; }

namespace NXOpen {
class TaggedObject;
namespace BlockStyler {

class PropertyList {
public:
    explicit PropertyList(host::ui::Block* block) : block_(block) {}
    std::vector<NXString> GetPropertyNames();
    NXString GetString(const NXString& name);
    void SetString(const NXString& name, const NXString& value);
    bool GetLogical(const NXString& name);
    void SetLogical(const NXString& name, bool value);
    int GetInteger(const NXString& name);
    void SetInteger(const NXString& name, int value);
    double GetDouble(const NXString& name);
    void SetDouble(const NXString& name, double value);
    int GetEnum(const NXString& name);
    void SetEnum(const NXString& name, int value);
    NXString GetEnumAsString(const NXString& name);
    void SetEnumAsString(const NXString& name, const NXString& value);
    std::vector<NXString> GetEnumMembers(const NXString& name);
    void SetEnumMembers(const NXString& name, const std::vector<NXString>& members);
    std::vector<NXString> GetStrings(const NXString& name);
    void SetStrings(const NXString& name, const std::vector<NXString>& values);
    std::vector<int> GetIntegerVector(const NXString& name);
    void SetIntegerVector(const NXString& name, const std::vector<int>& values);
    std::vector<NXOpen::TaggedObject*> GetTaggedObjectVector(const NXString& name);
    void SetTaggedObjectVector(const NXString& name, const std::vector<NXOpen::TaggedObject*>& objects);
    NXOpen::Point3d GetPoint(const NXString& name);
    void SetPoint(const NXString& name, const NXOpen::Point3d& value);
    NXOpen::Vector3d GetVector(const NXString& name);
    void SetVector(const NXString& name, const NXOpen::Vector3d& value);
    void GetSelectionFilter(const NXString& name, Selection::SelectionAction* action, std::vector<Selection::MaskTriple>& masks);
    void SetSelectionFilter(const NXString& name, Selection::SelectionAction action, const std::vector<Selection::MaskTriple>& masks);
private:
    host::ui::Block* block_;
};

}  // namespace BlockStyler
}  // namespace NXOpen
