// Helpers several interface files share; one definition each, in common.cpp.
#pragma once
#include <map>
#include <string>
#include <vector>
#include "NXOpen/NXException.hxx"
#include "NXOpen/TaggedObject.hxx"
#include "model/session.h"
#include "ui/dialog.h"

namespace host::api {

Session& S();

Part& workPart();
// The displayed part, or the work part when nothing is displayed.
Part& displayPart();
// The displayed part's work coordinate system, made when it is first asked for.
Object& wcs();
Object& subObject(tag_t t, int subtype, const char* what);
void touch(Object& o);

const int kTransformType = 9001;  // the stand-in's smart transforms
Object& newFeature(Part& p, const std::string& kind, tag_t source, tag_t face);
// Deleting a feature deletes the body it made.
void deleteFeature(Object& f);

// The object interface throws where the procedural one answers a status.
Object& obj(tag_t t);
Object& live(const NXOpen::TaggedObject* o, const char* what);
Part& partOf(tag_t tag);
// A member view of a drawing sheet; throws for anything else.
Object& drawingView(tag_t tag);

// A dialog block's property of the kind the caller expects.
template <class T>
T& as(ui::Block* b, const NXOpen::NXString& name) {
    if (!b) throw NXOpen::NXException(3520016, "the dialog's top block has no properties");
    ui::Value& v = b->get(name.GetText());
    if (T* p = std::get_if<T>(&v)) return *p;
    throw NXOpen::NXException(3520016, "block " + b->id + ": property " + std::string(name.GetText()) + " is of another type");
}
std::vector<NXOpen::NXString> toNx(const std::vector<std::string>& v);
std::vector<std::string> fromNx(const std::vector<NXOpen::NXString>& v);
// The composite top block finds blocks in the dialog that made it.
std::map<const NXOpen::BlockStyler::CompositeBlock*, ui::Dialog*>& tops();

}  // namespace host::api
