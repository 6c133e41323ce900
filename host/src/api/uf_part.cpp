// Parts: display part, names, open, save, close, cleanup.
#include <cstdlib>
#include <cstring>
#include "files/partfile.h"
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
        if (option & UF_PART_cleanup_highlight) {
            for (auto& p : session().parts())
                for (tag_t t : p->objects)
                    if (Object* o = session().find(t)) o->highlight = false;
        }
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
