// A component of an assembly: one occurrence of a part.
#pragma once
#include <vector>
#include "TaggedObject.hxx"

namespace NXOpen {
class BasePart;
namespace Assemblies {

class Component : public DisplayableObject {
public:
    NXString DisplayName() const;
    BasePart* Prototype() const;
    Component* Parent() const;
    std::vector<Component*> GetChildren() const;
    // A component below this one by its journal identifier, "COMPONENT <name> 1"; throws when there is none.
    Component* FindObject(const NXString& journalIdentifier) const;
protected:
    explicit Component(tag_t tag) : DisplayableObject(tag) {}
    friend class NXOpen::NXObjectManager;
};

}  // namespace Assemblies
}  // namespace NXOpen
