// Helpers several interface files share; one definition each, in common.cpp.
#pragma once
#include <string>
#include "model/session.h"

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

}  // namespace host::api
