#include "draft/drafting.h"
#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include "files/sheetjson.h"
#include "model/session.h"
#include "uf_defs.h"
#include "uf_object_types.h"

namespace host::draft {

namespace {

const char* const kModelViews[] = {"TFR-TRI", "TFR-ISO", "TOP", "FRONT", "RIGHT", "BACK", "BOTTOM", "LEFT"};

// Handles of rows, columns and cells, keyed in one map of the note.
int key(int kind, int row, int column) { return ((kind - kRowType) * kCellStride + row) * kCellStride + column; }

tag_t handle(Object& note, int kind, int row, int column) {
    Session& s = session();
    auto& h = note.note->handles;
    auto it = h.find(key(kind, row, column));
    if (it != h.end() && s.find(it->second)) return it->second;
    Object& o = s.create(*note.part, kind, 0, false);
    o.owner = note.tag;
    o.index = kind == kRowType ? row : kind == kColumnType ? column : row * kCellStride + column;
    h[key(kind, row, column)] = o.tag;
    return o.tag;
}

}  // namespace

Template readTemplate(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(UF_err_file_not_found, "cannot read the drawing template " + path);
    std::stringstream b;
    b << in.rdbuf();
    return sheetjson::firstSheet(b.str(), path);
}

Object& newSheet(Part& part, const Template& t, const std::string& name, const std::string& templateFile) {
    Template copy = t;
    copy.name = name;
    copy.sheet.templateFile = templateFile;
    copy.views.clear();
    return makeSheet(part, copy);
}

Object& makeSheet(Part& part, const Template& t) {
    Session& s = session();
    Object& o = s.create(part, UF_drawing_type, 0);
    o.name = t.name;
    o.sheet = std::make_shared<Sheet>(t.sheet);
    o.sheet->views.clear();
    o.sheet->notes.clear();
    for (size_t i = 0; i < t.notes.size(); ++i) newNote(part, o, t.notes[i], i < t.noteSubtypes.size() ? t.noteSubtypes[i] : kNoteSubtype);
    std::vector<tag_t> made;
    for (size_t i = 0; i < t.views.size(); ++i) {
        View v = t.views[i];
        int parent = i < t.viewParents.size() ? t.viewParents[i] : -1;
        v.parent = parent >= 0 && parent < static_cast<int>(made.size()) ? made[parent] : 0;
        Object& view = newView(part, o, v);
        if (i < t.viewNames.size() && !t.viewNames[i].empty()) view.name = t.viewNames[i];
        made.push_back(view.tag);
    }
    part.currentSheet = o.tag;
    return o;
}

Object& newNote(Part& part, Object& sheet, Note note, int subtype) {
    Session& s = session();
    Object& n = s.create(part, UF_tabular_note_type, subtype);
    note.sheet = sheet.tag;
    note.handles.clear();
    note.sections.clear();
    // Rows are as long as the columns, whatever the file said.
    note.cells.resize(note.rows.size());
    for (auto& r : note.cells) r.resize(note.columns.size());
    n.note = std::make_shared<Note>(std::move(note));
    Object& section = s.create(part, UF_tabular_note_type, kSectionSubtype);
    section.owner = n.tag;
    n.note->sections.push_back(section.tag);
    sheet.sheet->notes.push_back(n.tag);
    return n;
}

Object& newView(Part& part, Object& sheet, View view) {
    Session& s = session();
    Object& v = s.create(part, UF_view_type, kMemberViewSubtype);
    view.sheet = sheet.tag;
    std::string head = view.kind == ViewKind::Projected ? "ORTHO" : view.modelView;
    v.name = head + "@" + std::to_string(part.nextViewNumber++);
    v.view = std::make_shared<View>(std::move(view));
    sheet.sheet->views.push_back(v.tag);
    return v;
}

std::string modelViewName(const std::string& name) {
    std::string up = name;
    for (char& c : up) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (up == "ISOMETRIC") return "TFR-ISO";
    if (up == "TRIMETRIC") return "TFR-TRI";
    return up;
}

void ensureModelViews(Part& part) {
    Session& s = session();
    for (tag_t t : part.views)
        if (s.find(t)) return;
    // Views appear on demand; asking for them does not change the part.
    const bool modified = part.modified;
    for (const char* n : kModelViews) s.create(part, UF_view_type, 0).name = n;
    part.modified = modified;
}

Object* modelView(Part& part, const std::string& name) {
    ensureModelViews(part);
    std::string want = modelViewName(name);
    for (tag_t t : part.views)
        if (Object* o = session().find(t); o && o->name == want) return o;
    return nullptr;
}

tag_t rowOf(Object& note, int row) { return handle(note, kRowType, row, 0); }
tag_t columnOf(Object& note, int column) { return handle(note, kColumnType, 0, column); }
tag_t cellOf(Object& note, int row, int column) { return handle(note, kCellType, row, column); }

Object* currentSheet(Part& part) {
    Object* o = session().find(part.currentSheet);
    return o && o->sheet ? o : nullptr;
}

}  // namespace host::draft
