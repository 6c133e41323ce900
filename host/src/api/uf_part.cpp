// Parts: display part, names, open, save, close, cleanup.
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>
#include <TopLoc_Location.hxx>
#include "api/common.h"
#include "files/partfile.h"
#include "geom/stock.h"
#include "uf_object_types.h"
#include "files/paths.h"
#include "model/guard.h"
#include "text.h"
#include "uf.h"
#include "uf_part.h"

using namespace host;

extern "C" {

tag_t UF_PART_ask_display_part(void) {
    Part* p = session().display;
    return p ? p->tag : NULL_TAG;
}

int UF_PART_set_display_part(tag_t part) {
    return guarded("UF_PART_set_display_part", [&] {
        Session& s = session();
        Part* p = s.partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        s.syncOccurrences(*p);
        s.display = s.work = p;
        s.workOcc = p->rootOcc;
    });
}

int UF_PART_ask_part_name(tag_t part, char part_fspec[MAX_FSPEC_BUFSIZE]) {
    if (part_fspec) part_fspec[0] = '\0';
    return guarded("UF_PART_ask_part_name", [&] {
        Part* p = session().partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        copyOut(part_fspec, MAX_FSPEC_BUFSIZE, paths::toWindows(p->path));
    });
}

tag_t UF_PART_ask_part_tag(const char* part_name) {
    return guardedValue<tag_t>("UF_PART_ask_part_tag", NULL_TAG, [&]() -> tag_t {
        Session& s = session();
        std::string n = part_name ? part_name : "";
        // A full path names one file; a bare name matches a loaded part's file name without folder or ".prt".
        if (n.find('\\') != std::string::npos || n.find(':') != std::string::npos) {
            Part* p = s.partByPath(paths::toHost(n));
            return p ? p->tag : NULL_TAG;
        }
        Part* p = s.partByLeaf(text::toUtf8Lossy(n));
        return p ? p->tag : NULL_TAG;
    });
}

int UF_PART_open(const char* part_name, tag_t* part, UF_PART_load_status_p_t error_status) {
    if (error_status) std::memset(error_status, 0, sizeof(*error_status));
    if (part) *part = NULL_TAG;
    return guarded("UF_PART_open", [&] {
        Session& s = session();
        Part& p = partfile::open(paths::toHost(part_name ? part_name : ""));
        s.display = s.work = &p;
        s.workOcc = p.rootOcc;
        if (part) *part = p.tag;
        // Components that could not be loaded are reported by file, as the host's load status does.
        if (error_status && !p.missing.empty()) {
            int n = static_cast<int>(p.missing.size());
            error_status->n_parts = n;
            error_status->file_names = static_cast<char**>(std::calloc(n, sizeof(char*)));
            error_status->statuses = static_cast<int*>(std::calloc(n, sizeof(int)));
            for (int i = 0; i < n; ++i) {
                error_status->file_names[i] = allocString(text::toGbkLossy(p.missing[i]));
                error_status->statuses[i] = UF_err_file_not_found;
            }
        }
    });
}

int UF_PART_save(void) {
    return guarded("UF_PART_save", [&] {
        Part* p = session().work;
        if (!p) fail(UF_err_operation_failed, "there is no work part");
        partfile::save(*p);
    });
}

int UF_PART_save_as(const char* new_part_name) {
    return guarded("UF_PART_save_as", [&] {
        Part* p = session().work;
        if (!p) fail(UF_err_operation_failed, "there is no work part");
        partfile::saveAs(*p, paths::toHost(new_part_name ? new_part_name : ""));
    });
}

int UF_PART_ask_num_parts(void) { return static_cast<int>(session().parts().size()); }

tag_t UF_PART_ask_nth_part(int index) {
    auto& parts = session().parts();
    return index >= 0 && index < static_cast<int>(parts.size()) ? parts[index]->tag : NULL_TAG;
}

int UF_PART_cleanup(int option) {
    return guarded("UF_PART_cleanup", [&] {
        if (option & UF_PART_cleanup_highlight) session().clearHighlights();
    });
}

int UF_PART_free_load_status(UF_PART_load_status_p_t status) {
    if (status) {
        UF_free_string_array(status->n_parts, status->file_names);
        std::free(status->statuses);
        std::memset(status, 0, sizeof(*status));
    }
    return 0;
}

}  // extern "C"

extern "C" int UF_PART_close(tag_t part, int scope, int) {
    return guarded("UF_PART_close", [&] {
        Session& s = session();
        Part* p = s.partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        std::vector<std::string> children;
        if (scope == 1)
            for (auto& in : p->instances) children.push_back(in.file);
        s.closePart(*p);
        for (auto& f : children)
            if (Part* c = s.partByPath(f)) s.closePart(*c);
    });
}

using namespace host::api;

namespace {

// The objects of a part an import copies: its live bodies, those of its components included, each with
// its solid in the part's coordinates.
std::vector<Object*> importedBodies(Part& from) {
    Session& s = session();
    std::vector<Object*> out;
    for (tag_t t : from.objects)
        if (Object* o = s.find(t); o && o->type == UF_solid_type && o->subtype == UF_solid_body_subtype) out.push_back(o);
    return out;
}

}  // namespace

extern "C" int UF_PART_import(const char* part_name, UF_import_part_modes_p_t modes, double dest_csys[6], double dest_point[3], double scale,
                              tag_t* group) {
    if (group) *group = NULL_TAG;
    return guarded("UF_PART_import", [&] {
        Session& s = session();
        if (!part_name || !modes || !dest_csys || !dest_point) fail(UF_err_bad_parameter_number_1, "the import lacks a file, modes or a placement");
        // The stand-in imports at full size: a scaled copy of a steel part is no part of the plant.
        if (scale != 1.0) fail(UF_err_bad_parameter_number_5, "only scale 1.0 is imported");
        Part& into = workPart();
        gp_Vec x(dest_csys[0], dest_csys[1], dest_csys[2]), y(dest_csys[3], dest_csys[4], dest_csys[5]);
        gp_Vec z = x.Crossed(y);
        const double zz[3] = {z.X(), z.Y(), z.Z()};
        gp_Trsf place;
        try {
            place = geom::placement(dest_point, dest_csys, zz);
        } catch (const std::exception& e) {
            fail(UF_err_bad_parameter_number_3, std::string("the import's placement: ") + e.what());
        }
        const std::string path = paths::toHost(part_name);
        // A part the import has to load is closed again afterwards; one the user has loaded stays.
        std::set<const Part*> before;
        for (auto& p : s.parts()) before.insert(p.get());
        Part& from = partfile::open(path);
        std::vector<Object*> made;
        auto unload = [&] {
            std::vector<Part*> loaded;
            for (auto& p : s.parts())
                if (!before.count(p.get()) && p.get() != &into) loaded.push_back(p.get());
            for (Part* p : loaded) s.closePart(*p);
        };
        try {
            if (&from == &into) fail(UF_err_bad_parameter_number_1, "a part is not imported into itself");
            for (Object* b : importedBodies(from)) {
                TopoDS_Shape shape = s.shapeOf(*b).Moved(TopLoc_Location(place));
                Object& copy = s.create(into, UF_solid_type, UF_solid_body_subtype);
                made.push_back(&copy);
                copy.copyLook(*b);
                copy.shape = shape;
                if (modes->layer_mode == 0) copy.layer = into.workLayer;
                touch(copy);
            }
            if (modes->group_mode == 1) {
                Object& g = s.create(into, UF_group_type, 0);
                for (Object* b : made) g.members.push_back(b->tag);
                touch(g);
                if (group) *group = g.tag;
            }
        } catch (...) {
            // An import is whole or not at all.
            for (Object* b : made) s.kill(*b);
            unload();
            throw;
        }
        unload();
    });
}
