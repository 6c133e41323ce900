#include "api/common.h"
#include "uf_object_types.h"

using NXOpen::NXException;
using NXOpen::NXString;
using NXOpen::BlockStyler::CompositeBlock;

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

host::Object& obj(tag_t t) {
    host::Object* o = host::session().find(t);
    if (!o) throw NXException(3520001, "the object " + std::to_string(t) + " no longer exists");
    return *o;
}

Object& live(const NXOpen::TaggedObject* o, const char* what) {
    Object* x = o ? S().find(o->Tag()) : nullptr;
    if (!x) throw NXException(3520041, std::string("the ") + what + " no longer exists");
    return *x;
}

host::Part& partOf(tag_t tag) {
    host::Part* p = S().partByTag(tag);
    if (!p) throw NXException(3520040, "the part is no longer loaded");
    return *p;
}

std::vector<NXString> toNx(const std::vector<std::string>& v) { return {v.begin(), v.end()}; }
std::vector<std::string> fromNx(const std::vector<NXString>& v) {
    std::vector<std::string> out;
    for (auto& s : v) out.push_back(s.GetText());
    return out;
}

std::map<const CompositeBlock*, host::ui::Dialog*>& tops() {
    static std::map<const CompositeBlock*, host::ui::Dialog*> m;
    return m;
}

Object& drawingView(tag_t t) {
    Object* o = session().find(t);
    if (!o || !o->view) throw NXOpen::NXException(3520070, "not a view of a drawing sheet");
    return *o;
}

}  // namespace host::api
