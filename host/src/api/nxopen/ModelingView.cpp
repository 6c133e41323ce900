// Modelling views of a part.
#include "NXOpen/ModelingView.hxx"
#include "NXOpen/NXException.hxx"
#include "api/common.h"
#include "draft/drafting.h"

using namespace NXOpen;
using namespace host::api;

ModelingView* ModelingViewCollection::FindObject(const NXString& name) {
    host::Object* v = host::draft::modelView(partOf(part_), name.GetText());
    if (!v) throw NXException(3520067, "the part has no modelling view " + std::string(name.GetText()));
    return static_cast<ModelingView*>(NXObjectManager::Get(v->tag));
}

ModelingView* ModelingViewCollection::WorkView() {
    host::Part& p = partOf(part_);
    host::draft::ensureModelViews(p);
    return static_cast<ModelingView*>(NXObjectManager::Get(p.views.front()));
}
