#include "api/common.h"
#include "uf_object_types.h"

namespace host::api {

host::Session& S() { return host::session(); }

Part& workPart() {
    Session& s = session();
    if (!s.work) fail(UF_err_operation_failed, "there is no work part");
    return *s.work;
}

Part& displayPart() {
    Part* p = session().display ? session().display : session().work;
    if (!p) fail(UF_err_operation_failed, "there is no displayed part");
    return *p;
}

Object& wcs() {
    Session& s = session();
    Part& p = displayPart();
    if (Object* w = s.find(p.wcs)) return *w;
    Object& w = s.create(p, UF_coordinate_system_type, 0, false);
    w.name = "WCS";
    p.wcs = w.tag;
    return w;
}

Object& subObject(tag_t t, int subtype, const char* what) {
    Object& o = session().object(t);
    if (o.type != UF_solid_type || o.subtype != subtype) fail(UF_err_bad_parameter_number_1, std::string("not ") + what + ": " + std::to_string(t));
    return o;
}

void touch(Object& o) {
    if (o.part) o.part->modified = true;
}

Object& newFeature(Part& p, const std::string& kind, tag_t source, tag_t face) {
    Object& f = session().create(p, UF_feature_type, 0);
    f.feature = kind;
    f.source = source;
    f.face = face;
    f.name = kind;
    return f;
}

void deleteFeature(Object& f) {
    host::Session& s = session();
    if (Object* b = s.find(f.featBody)) s.kill(*b);
    s.kill(f);
}

}  // namespace host::api
