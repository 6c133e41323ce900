// Views of the work part.
#include <algorithm>
#include "api/common.h"
#include "draft/drafting.h"
#include "model/guard.h"
#include "uf_object_types.h"
#include "uf_view.h"

using namespace host;
using namespace host::api;

extern "C" {

/* Views: the stand-in's parts share the standard modelling views, the work view being the first. */

int UF_VIEW_ask_work_view(tag_t* view_tag) {
    return guarded("UF_VIEW_ask_work_view", [&] {
        Part& p = workPart();
        draft::ensureModelViews(p);
        if (view_tag) *view_tag = p.views.front();
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
        Session& s = session();
        Part& p = workPart();
        draft::ensureModelViews(p);
        std::string n = view_name ? view_name : "";
        if (view_tag) *view_tag = NULL_TAG;
        for (tag_t t : p.views)
            if (Object* o = s.find(t); o && o->name == n && view_tag) *view_tag = t;
    });
}

// With no view, the current sheet shows its tabular notes (by their sections) and its member views;
// a member view shows the bodies it draws.
int UF_VIEW_cycle_objects(tag_t view, int type, tag_t* object) {
    return guarded("UF_VIEW_cycle_objects", [&] {
        if (!object) fail(UF_err_bad_parameter_number_3, "no object");
        if (type != UF_VIEW_VISIBLE_OBJECTS) fail(UF_err_bad_parameter_number_2, "only the visible objects are cycled");
        Session& s = session();
        std::vector<tag_t> shown;
        if (view == NULL_TAG) {
            Object* sheet = draft::currentSheet(workPart());
            if (!sheet) fail(UF_err_operation_failed, "no drawing sheet is current");
            for (tag_t n : sheet->sheet->notes)
                if (Object* note = s.find(n))
                    for (tag_t sec : note->note->sections) shown.push_back(sec);
            for (tag_t v : sheet->sheet->views) shown.push_back(v);
        } else {
            for (Object* b : draft::shownBodies(draft::memberView(view))) shown.push_back(b->tag);
        }
        shown.erase(std::remove_if(shown.begin(), shown.end(), [&](tag_t t) { return !s.find(t); }), shown.end());
        auto it = *object == NULL_TAG ? shown.begin() : std::find(shown.begin(), shown.end(), *object);
        if (*object != NULL_TAG && it != shown.end()) ++it;
        *object = it == shown.end() ? NULL_TAG : *it;
    });
}

int uc6400(const char* view_name, tag_t object) {
    return guarded("uc6400", [&] {
        Object& view = draft::viewNamed(workPart(), view_name ? view_name : "");
        draft::eraseFromView(view, session().object(object));
    });
}

int uc6447(const char* view_name, int option, int* mask) {
    return guarded("uc6447", [&] {
        Object* view = &draft::viewNamed(workPart(), view_name ? view_name : "");
        if (option == 1) {
            view->view->layers.clear();  // the view shows the layers as its part does again
        } else if (option == 2) {
            if (!mask) fail(UF_err_bad_parameter_number_3, "no layer mask");
            std::vector<int> layers;
            for (int i = 0; i < 256; ++i)
                if (mask[i] == 1) layers.push_back(i + 1);
                else if (mask[i] != 0) fail(UF_err_bad_parameter_number_3, "a layer mask holds 0 or 1 for each layer");
            view->view->layers = layers;
        } else {
            fail(UF_err_bad_parameter_number_2, "option 1 removes a view's own layer mask, 2 sets it");
        }
        view->view->outOfDate = true;
        touch(*view);
    });
}

}  // extern "C"
