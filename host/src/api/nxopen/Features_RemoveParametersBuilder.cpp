// Remove parameters: the features that made the bodies go, the bodies stay.
#include "NXOpen/Features_RemoveParametersBuilder.hxx"
#include "api/common.h"
#include "uf_object_types.h"

using namespace host::api;
using host::Object;

NXOpen::NXObject* NXOpen::Features::RemoveParametersBuilder::Commit() {
    host::Session& s = S();
    for (NXObject* o : objects_.GetArray()) {
        Object& b = live(o, "body");
        if (!b.part) continue;
        for (Object* f : s.featuresOf(b.tag)) s.kill(*f);
    }
    return nullptr;
}
