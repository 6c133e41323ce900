// Parts lists of drawing sheets: tabular notes (165/11) whose rows come from their objects' attributes.
#include <map>
#include "api/common.h"
#include "draft/drafting.h"
#include "model/guard.h"
#include "uf_object_types.h"
#include "uf_plist.h"

using namespace host;

namespace {

Object& partsList(tag_t t) {
    Object& o = session().object(t);
    if (o.type != UF_tabular_note_type || o.subtype != draft::kPartsListSubtype || !o.note)
        fail(UF_err_bad_parameter_number_1, "not a parts list: " + std::to_string(t));
    return o;
}

std::string attr(const Object& o, const char* title) {
    const Attr* a = o.findAttr(title);
    return a && a->type == 5 ? a->text : std::string();
}

}  // namespace

extern "C" {

// Parts lists hold what was added to them; there is nothing derived to bring up to date.
int UF_PLIST_update_all_plists(void) {
    return guarded("UF_PLIST_update_all_plists", [] { api::workPart(); });
}

int UF_PLIST_add_object(tag_t plist, int level, tag_t object) {
    return guarded("UF_PLIST_add_object", [&] {
        Object& list = partsList(plist);
        if (level != 0) fail(UF_err_bad_parameter_number_2, "objects are added to the list itself (level 0)");
        Object& o = session().object(object);
        if (o.type != UF_solid_type || o.subtype != UF_solid_body_subtype) fail(UF_err_bad_parameter_number_3, "only bodies go into a parts list");
        auto& m = list.note->members;
        if (std::find(m.begin(), m.end(), object) == m.end()) m.push_back(object);
        api::touch(list);
    });
}

// One row a part name, in the order the names were first added: item, number, name, quantity, material.
// The list's first row is its title row and stays as the template gave it.
int UF_PLIST_update(tag_t plist) {
    return guarded("UF_PLIST_update", [&] {
        Session& s = session();
        Object& list = partsList(plist);
        draft::Note& n = *list.note;
        std::vector<std::string> names;
        std::map<std::string, std::pair<const Object*, int>> rows;
        for (tag_t t : n.members) {
            Object* o = s.find(t);
            if (!o) continue;
            std::string name = attr(*o, "DB_PART_NAME");
            auto it = rows.find(name);
            if (it == rows.end()) {
                names.push_back(name);
                rows[name] = {o, 1};
            } else {
                ++it->second.second;
            }
        }
        if (n.columns.size() < 5) n.columns = {10, 40, 40, 12, 30};
        const double height = n.rows.empty() ? 7 : n.rows.front();
        std::vector<std::string> title = n.cells.empty() ? std::vector<std::string>{"序号", "图号", "名称", "数量", "材料"} : n.cells.front();
        title.resize(n.columns.size());
        n.cells.assign(1, title);
        n.rows.assign(1, height);
        int item = 0;
        for (const std::string& name : names) {
            const auto& [o, count] = rows[name];
            std::vector<std::string> row = {std::to_string(++item), attr(*o, "DB_PART_NO"), name, std::to_string(count), attr(*o, "MATERIALS")};
            row.resize(n.columns.size());
            n.cells.push_back(row);
            n.rows.push_back(height);
        }
        n.handles.clear();  // rows and cells are made again as they are asked for
        api::touch(list);
    });
}

}  // extern "C"
