// The assembly of a part: root component, new components from templates, restructuring, work component.
#include <algorithm>
#include <filesystem>
#include "NXOpen/Assemblies_ComponentAssembly.hxx"
#include "NXOpen/NXException.hxx"
#include "api/common.h"
#include "files/paths.h"
#include "text.h"
#include "uf_object_types.h"

namespace fs = std::filesystem;
using namespace host::api;
using host::Object;
using NXOpen::NXException;

namespace {

// The templates the stand-in knows; every one of them starts a part with nothing in it.
bool knownTemplate(const std::string& name) { return name == "model-plain-1-mm-template.prt"; }

}  // namespace

NXOpen::Assemblies::Component* NXOpen::Assemblies::ComponentAssembly::RootComponent() {
    host::Part& p = partOf(part_);
    if (p.instances.empty()) return nullptr;
    S().syncOccurrences(p);
    return static_cast<Component*>(NXObjectManager::Get(p.rootOcc));
}

NXOpen::Assemblies::CreateNewComponentBuilder* NXOpen::Assemblies::ComponentAssembly::CreateNewComponentBuilder() {
    partOf(part_);
    return new NXOpen::Assemblies::CreateNewComponentBuilder(part_);
}

void NXOpen::Assemblies::ComponentAssembly::SetWorkComponent(Component* component) {
    Object& c = live(component, "component");
    if (c.type != UF_component_type || !c.child) throw NXException(3520045, "not a component");
    S().work = c.child;
    S().workOcc = c.root ? 0 : c.tag;
}

NXOpen::NXObject* NXOpen::Assemblies::CreateNewComponentBuilder::Commit() {
    host::Session& s = S();
    host::Part& owner = partOf(part_);
    if (!file_) throw NXException(3520046, "the new component has no file");
    if (!knownTemplate(file_->TemplateFileName().GetText()))
        throw NXException(3520047, std::string("no template ") + file_->TemplateFileName().GetText());
    std::string path = fs::absolute(host::paths::toHost(file_->NewFileName().GetText())).lexically_normal().string();
    if (s.partByPath(path)) throw NXException(3520048, "a part of that file is loaded already: " + std::string(file_->NewFileName().GetText()));
    if (fs::exists(path)) throw NXException(3520048, "the file exists already: " + std::string(file_->NewFileName().GetText()));
    // Parts are known by their names: two loaded parts may not share one.
    std::string leaf = fs::path(path).stem().string();
    if (s.partByLeaf(leaf)) throw NXException(3520048, "a part named " + host::text::toGbk(leaf) + " is loaded already");
    std::vector<Object*> bodies;
    for (NXObject* o : objects_.GetArray()) {
        Object& b = live(o, "object");
        if (b.type != UF_solid_type || b.subtype != UF_solid_body_subtype) throw NXException(3520049, "only bodies go into a new component");
        bodies.push_back(&b);
    }
    host::Part& fresh = s.newPart(path);
    fresh.modified = true;
    // The bodies move into the new part as they lie in space; the new part sits at the origin.
    for (Object* b : bodies) {
        Object& moved = s.create(fresh, UF_solid_type, UF_solid_body_subtype);
        moved.shape = s.shapeOf(*b);
        moved.copyLook(*b);
        if (!b->isOccurrence()) {
            for (Object* f : s.featuresOf(b->tag)) s.kill(*f);  // the features that made it go with it
            s.kill(*b);
        }
    }
    host::Instance in;
    in.pid = owner.nextPid++;
    in.file = path;
    in.name = name_.GetText();
    s.addInstance(owner, in);
    host::Part& top = s.display ? *s.display : owner;
    s.syncOccurrences(top);
    for (Object* o : s.componentsShowing(top, fresh)) return static_cast<NXObject*>(NXObjectManager::Get(o->tag));
    throw NXException(3520050, "the new component is not in the displayed assembly");
}

int NXOpen::Assemblies::ComponentAssembly::RestructureComponents(const std::vector<Component*>& components, Component* newParent,
                                                                 bool deleteOriginal) {
    host::Session& s = S();
    Object& np = live(newParent, "new parent");
    if (np.type != UF_component_type || !np.child) throw NXException(3520045, "the new parent is not a component");
    int failed = 0;
    for (Component* comp : components) {
        Object* c = comp ? s.find(comp->Tag()) : nullptr;
        if (!c || c->root || c->type != UF_component_type) { ++failed; continue; }
        Object* oldParent = s.find(c->parent);
        host::Part* from = oldParent ? oldParent->child : nullptr;
        host::Part& top = *c->part;
        if (!from || c->instancePath.empty()) { ++failed; continue; }
        for (Object* up = &np; up && !up->root; up = s.find(up->parent))
            if (up == c) throw NXException(3520051, "a component cannot go under itself");
        int pid = c->instancePath.back();
        auto inst = std::find_if(from->instances.begin(), from->instances.end(), [&](const host::Instance& i) { return i.pid == pid; });
        if (inst == from->instances.end()) { ++failed; continue; }
        // What the assembly said of the moved component and everything below it goes with it, by place below it.
        const size_t depth = c->instancePath.size();
        std::vector<host::Override> kept;
        for (Object* o : s.subtree(*c)) kept.push_back(s.overrideOf(*o, depth));
        host::Instance moved = *inst;
        moved.pid = np.child->nextPid++;
        gp_Trsf rel = np.root ? gp_Trsf() : np.transform.Inverted();
        moved.transform = rel * c->transform;
        if (deleteOriginal) s.removeInstance(*from, pid);
        s.addInstance(*np.child, moved);
        s.syncOccurrences(top);
        std::vector<int> newPath = np.root ? std::vector<int>{} : np.instancePath;
        newPath.push_back(moved.pid);
        for (tag_t t : np.members) {
            Object* nc = s.find(t);
            if (!nc || nc->type != UF_component_type || nc->instancePath != newPath) continue;
            for (Object* o : s.subtree(*nc)) {
                host::Override here = s.overrideOf(*o, newPath.size());
                for (const host::Override& k : kept)
                    if (k.path == here.path && k.protoPid == here.protoPid) host::Session::takeLook(*o, k);
            }
        }
    }
    return failed;
}

/* Exact display: the stand-in always draws exact geometry; a component that is gone is an error. */

NXOpen::ErrorList* NXOpen::Assemblies::ComponentAssembly::DisplayComponentsExact(const std::vector<Component*>& components) {
    auto* errors = new NXOpen::ErrorList();
    for (Component* c : components) {
        Object* o = c ? S().find(c->Tag()) : nullptr;
        if (!o || o->type != UF_component_type) errors->errors_.push_back("the component no longer exists");
    }
    return errors;
}
