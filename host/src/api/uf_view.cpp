// Views of the work part.
#include "api/common.h"
#include "model/guard.h"
#include "uf_object_types.h"
#include "uf_view.h"

using namespace host;
using namespace host::api;

extern "C" {

/* Views: the stand-in's parts share the standard modelling views, the work view being the first. */

static const char* const kViews[] = {"TFR-TRI", "TFR-ISO", "TOP", "FRONT", "RIGHT", "BACK", "BOTTOM", "LEFT"};

int UF_VIEW_ask_work_view(tag_t* view_tag) {
    return guarded("UF_VIEW_ask_work_view", [&] {
        Session& s = session();
        Part& p = workPart();
        tag_t found = NULL_TAG;
        for (tag_t t : p.views)
            if (s.find(t)) { found = t; break; }
        if (!found) {
            const bool modified = p.modified;  // views appear on demand; asking for them does not change the part
            for (const char* n : kViews) {
                Object& v = s.create(p, UF_view_type, 0);
                v.name = n;
                if (!found) found = v.tag;
            }
            p.modified = modified;
        }
        if (view_tag) *view_tag = found;
    });
}

int UF_VIEW_fit_view(tag_t view_tag, double fraction) {
    return guarded("UF_VIEW_fit_view", [&] {
        Object& v = session().object(view_tag);
        if (v.type != UF_view_type) fail(UF_err_bad_parameter_number_1, "not a view");
        if (fraction <= 0 || fraction > 1) fail(UF_err_bad_parameter_number_2, "fit fraction runs from 0 to 1");
        session().say("[view] fit " + v.name);
    });
}

int UF_VIEW_ask_tag_of_view_name(const char* view_name, tag_t* view_tag) {
    return guarded("UF_VIEW_ask_tag_of_view_name", [&] {
        tag_t w;
        UF_VIEW_ask_work_view(&w);
        Session& s = session();
        std::string n = view_name ? view_name : "";
        if (view_tag) *view_tag = NULL_TAG;
        for (tag_t t : workPart().views)
            if (Object* o = s.find(t); o && o->name == n && view_tag) *view_tag = t;
    });
}

int UF_VIEW_cycle_objects(tag_t, int, tag_t*) { return UF_err_not_provided; }

}  // extern "C"
