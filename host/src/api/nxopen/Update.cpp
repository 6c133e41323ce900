// The update manager's delete list.
#include "NXOpen/NXException.hxx"
#include "NXOpen/Update.hxx"
#include "api/common.h"
#include "uf_object_types.h"

using namespace host;
using namespace host::api;
using NXOpen::NXException;

void NXOpen::Update::AddToDeleteList(TaggedObject* object) {
    if (object) session().deleteList.push_back(object->Tag());
}

int NXOpen::Update::DoUpdate(int mark) {
    host::Session& s = session();
    bool known = false;
    for (auto& m : s.undoMarks) known |= m.first == mark;
    if (!known) throw NXException(3520035, "no undo mark " + std::to_string(mark));
    int errors = 0;
    for (tag_t t : s.deleteList) {
        Object* o = s.find(t);
        if (!o) { ++errors; continue; }
        if (o->type == UF_feature_type) {
            deleteFeature(*o);
        } else if (o->type == UF_component_type && !o->root) {
            // Deleting a component takes it out of its parent part, and so out of every assembly showing that part.
            Object* parent = s.find(o->parent);
            if (!parent || !parent->child || o->instancePath.empty()) { ++errors; continue; }
            s.removeInstance(*parent->child, o->instancePath.back());
        } else {
            s.kill(*o);
        }
    }
    s.deleteList.clear();
    return errors;
}
