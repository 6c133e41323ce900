// Components: occurrences of parts in an assembly.
#include <string>
#include "NXOpen/Assemblies_Component.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/Part.hxx"
#include "api/common.h"
#include "uf_object_types.h"

using namespace NXOpen;
using namespace host::api;
using host::Object;

namespace {

std::string nameOf(const std::string& identifier) {
    const std::string head = "COMPONENT ", tail = " 1";
    if (identifier.rfind(head, 0) != 0 || identifier.size() < head.size() + tail.size() ||
        identifier.compare(identifier.size() - tail.size(), tail.size(), tail) != 0)
        throw NXException(3520042, "not a component identifier: " + identifier);
    return identifier.substr(head.size(), identifier.size() - head.size() - tail.size());
}

}  // namespace

NXString Assemblies::Component::DisplayName() const { return obj(Tag()).instanceName; }
BasePart* Assemblies::Component::Prototype() const {
    host::Object& o = obj(Tag());
    return o.child ? static_cast<BasePart*>(NXObjectManager::Get(o.child->tag)) : nullptr;
}
Assemblies::Component* Assemblies::Component::Parent() const {
    host::Object& o = obj(Tag());
    host::Object* p = host::session().find(o.parent);
    return p && !p->root ? static_cast<Component*>(NXObjectManager::Get(p->tag)) : nullptr;
}
std::vector<Assemblies::Component*> Assemblies::Component::GetChildren() const {
    host::Object& o = obj(Tag());
    std::vector<Component*> out;
    for (tag_t t : o.members)
        if (host::Object* c = host::session().find(t); c && c->type == UF_component_type)
            out.push_back(static_cast<Component*>(NXObjectManager::Get(t)));
    return out;
}

NXOpen::Assemblies::Component* NXOpen::Assemblies::Component::FindObject(const NXString& identifier) const {
    Object& self = live(this, "component");
    std::string name = nameOf(identifier.GetText());
    // Found by name among the components below this one: the least deep, then the first made.
    Object* best = nullptr;
    size_t bestDepth = 0;
    auto it = self.part->componentsByName.find(name);
    if (it != self.part->componentsByName.end())
        for (tag_t t : it->second) {
            Object* o = S().find(t);
            if (!o || o == &self) continue;
            size_t depth = 0;
            const Object* up = o;
            while (up && up != &self && !up->root) up = S().find(up->parent), ++depth;
            if (up == &self && (!best || depth < bestDepth)) best = o, bestDepth = depth;
        }
    if (best) return static_cast<Component*>(NXObjectManager::Get(best->tag));
    throw NXException(3520044, "no component " + std::string(identifier.GetText()) + " under " + self.instanceName);
}
