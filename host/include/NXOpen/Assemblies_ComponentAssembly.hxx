// The assembly of a part: its root component, new components, restructuring, the work component.
#pragma once
#include <vector>
#include "Assemblies_Component.hxx"
#include "ErrorList.hxx"
#include "FileNew.hxx"
#include "SelectObjectList.hxx"

namespace NXOpen {
class BasePart;
namespace Assemblies {

// Makes a new part from the given objects: they move into it, and it becomes a component of the
// assembly's part at the absolute origin.
class CreateNewComponentBuilder {
public:
    void SetReferenceSet(int type) { refSet_ = type; }
    void SetReferenceSetName(const NXString& name) { refSetName_ = name; }
    void SetNewComponentName(const NXString& name) { name_ = name; }
    SelectNXObjectList* ObjectForNewComponent() { return &objects_; }
    void SetNewFile(FileNew* file) { file_ = file; }
    // Throws when no file was given, the file name is taken on disk or in the session, or an object is gone.
    NXObject* Commit();
    void Destroy() { delete this; }
private:
    friend class ComponentAssembly;
    explicit CreateNewComponentBuilder(tag_t part) : part_(part) {}
    tag_t part_;
    int refSet_ = 0;
    NXString refSetName_, name_;
    SelectNXObjectList objects_;
    FileNew* file_ = nullptr;
};

class ComponentAssembly {
public:
    // Null for a part without components.
    Component* RootComponent();
    NXOpen::Assemblies::CreateNewComponentBuilder* CreateNewComponentBuilder();
    // Moves components under a new parent, keeping where they are in space; with deleteOriginal the
    // previous instances go. Answers the number of components that could not be moved.
    int RestructureComponents(const std::vector<Component*>& components, Component* newParent, bool deleteOriginal);
    void SetWorkComponent(Component* component);
    // Shows the components with their exact geometry; the errors of those that cannot be shown so.
    NXOpen::ErrorList* DisplayComponentsExact(const std::vector<Component*>& components);
private:
    friend class NXOpen::BasePart;
    explicit ComponentAssembly(tag_t part) : part_(part) {}
    tag_t part_;
};

}  // namespace Assemblies
}  // namespace NXOpen
