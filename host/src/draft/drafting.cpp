#include "draft/drafting.h"
#include <cstdio>
#include <cmath>
#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include "files/partfile.h"
#include "files/sheetjson.h"
#include "text.h"
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
    Object& own = s.create(part, UF_view_type, kSheetViewSubtype, false);
    own.name = t.name;
    own.owner = o.tag;
    o.sheet->sheetView = own.tag;
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
    // Member views carry the model view's title ("Isometric@4"), as the module finds them by it.
    static const std::map<std::string, std::string> titles = {{"TFR-TRI", "Trimetric"}, {"TFR-ISO", "Isometric"}, {"TOP", "Top"},
                                                              {"FRONT", "Front"}, {"RIGHT", "Right"}, {"BACK", "Back"},
                                                              {"BOTTOM", "Bottom"}, {"LEFT", "Left"}};
    auto title = titles.find(view.modelView);
    std::string head = view.kind == ViewKind::Projected ? "ORTHO" : title != titles.end() ? title->second : view.modelView;
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

std::string scaleRatio(double scale) {
    if (!(scale > 0) || !std::isfinite(scale)) return "";
    auto tenths = [](double v) {
        char b[32];
        std::snprintf(b, sizeof b, "%.1f", std::round(v * 10) / 10);
        std::string t = b;
        if (t.size() > 2 && t.compare(t.size() - 2, 2, ".0") == 0) t.resize(t.size() - 2);
        return t;
    };
    return scale >= 1 ? tenths(scale) + ":1" : "1:" + tenths(1 / scale);
}

std::string withFields(const std::string& cell, const Object& sheet) {
    if (cell.find('<') == std::string::npos || !sheet.sheet || !sheet.part) return cell;
    const auto [at, count] = session().sheetPlace(*sheet.part, sheet.tag);
    const int place = sheet.sheet->number > 0 ? sheet.sheet->number : at;
    std::string out = cell;
    for (const auto& [field, value] : {std::pair<std::string, std::string>{"<SCALE>", scaleRatio(sheet.sheet->scale)},
                                       {"<SHEETS>", std::to_string(count)}, {"<SHEET>", std::to_string(place)}})
        for (size_t p = out.find(field); p != std::string::npos; p = out.find(field, p + value.size())) out.replace(p, field.size(), value);
    return out;
}

Object* currentSheet(Part& part) {
    Object* o = session().find(part.currentSheet);
    return o && o->sheet ? o : nullptr;
}

}  // namespace host::draft

namespace host::draft {

Object& sheetObject(tag_t drawing) {
    Object& o = session().object(drawing);
    if (o.type != UF_drawing_type || !o.sheet) fail(UF_err_bad_parameter_number_1, "not a drawing sheet: " + std::to_string(drawing));
    return o;
}

Object& sheetOfView(tag_t view) {
    Object& o = session().object(view);
    if (o.type == UF_view_type && o.subtype == kSheetViewSubtype && o.owner) return sheetObject(o.owner);
    return sheetObject(memberView(view).view->sheet);
}

Object& memberView(tag_t view) {
    Object& o = session().object(view);
    if (o.type != UF_view_type || !o.view) fail(UF_err_bad_parameter_number_1, "not a view of a drawing sheet: " + std::to_string(view));
    return o;
}

Object& sheetFromTemplate(Part& part, const std::string& templatePath, const std::string& templateFile, const std::string& name) {
    Session& s = session();
    try {
        return newSheet(part, readTemplate(templatePath), name, templateFile);
    } catch (const HostError& e) {
        std::string what = "the drawing sheet " + text::toUtf8Lossy(name) + " is not made: " + text::toUtf8Lossy(e.what());
        s.syslog.push_back(what);
        s.say("[drafting] " + what);
        throw;
    }
}

std::string projectedModelView(const std::string& parent, int code) {
    // Parent view, then the views placed below it and right of it.
    static const std::map<std::string, std::pair<const char*, const char*>> next = {
        {"FRONT", {"TOP", "LEFT"}}, {"BACK", {"BOTTOM", "RIGHT"}}, {"TOP", {"BACK", "LEFT"}},
        {"BOTTOM", {"FRONT", "LEFT"}}, {"LEFT", {"TOP", "BACK"}}, {"RIGHT", {"TOP", "FRONT"}},
    };
    auto it = next.find(parent);
    if (it == next.end()) fail(UF_err_bad_parameter_number_2, "a view of " + parent + " has no orthographic projections");
    if (code == 3) return it->second.first;
    if (code == 2) return it->second.second;
    fail(UF_err_bad_parameter_number_3, "projection code " + std::to_string(code) + " (the host places views below, 3, or right, 2)");
}

BodyRef refOf(const Object& body) {
    Session& s = session();
    BodyRef r;
    if (!body.isOccurrence()) {
        r.pid = body.pid;
        return r;
    }
    if (Object* parent = s.find(body.parent); parent && !parent->root) r.path = parent->instancePath;
    if (Object* proto = s.find(body.prototype)) r.pid = proto->pid;
    return r;
}

std::vector<std::pair<Object*, Shade>> shadedBodies(Object& viewObj) {
    std::vector<std::pair<Object*, Shade>> out;
    if (viewObj.view->shaded.empty()) return out;
    for (Object* b : shownBodies(viewObj)) {
        BodyRef r = refOf(*b);
        for (const Shade& sh : viewObj.view->shaded)
            if (sh.body == r) out.emplace_back(b, sh);
    }
    return out;
}

std::vector<Object*> shownBodies(Object& viewObj) {
    Session& s = session();
    const View& v = *viewObj.view;
    Part* p = s.partByPath(v.partFile);
    std::vector<Object*> out;
    // A view of a part that is not loaded loads it, as opening a drawing does; one that cannot be read shows nothing.
    if (!p && !v.partFile.empty()) {
        try {
            p = &partfile::open(v.partFile);
        } catch (const HostError& e) {
            s.say("[drafting] view " + text::toUtf8Lossy(viewObj.name) + " shows nothing: " + text::toUtf8Lossy(e.what()));
        }
    }
    if (!p) return out;
    if (!p->instances.empty()) s.syncOccurrences(*p);
    std::vector<bool> layer(257, false);
    if (!v.layers.empty()) {
        for (int l : v.layers) layer[l] = true;
    } else {
        for (int l = 1; l <= 256; ++l) layer[l] = p->layerStatus[l] != 3;
    }
    for (tag_t t : p->objects) {
        Object* o = s.find(t);
        if (!o || o->type != UF_solid_type || o->subtype != UF_solid_body_subtype || o->blank || !layer[o->layer]) continue;
        if (!v.erased.empty() && std::find(v.erased.begin(), v.erased.end(), refOf(*o)) != v.erased.end()) continue;
        out.push_back(o);
    }
    return out;
}

namespace {

// The body as the view names it, when the view draws it (erased or not); throws otherwise. A view of
// another part draws that part's own bodies: an occurrence of one of them, as the user picks it in the
// assembly, names the body drawn.
BodyRef drawnRef(Object& viewObj, Object& body) {
    if (body.type != UF_solid_type || body.subtype != UF_solid_body_subtype)
        fail(UF_err_bad_parameter_number_2, "only solid bodies are erased from or shaded in a view");
    View& v = *viewObj.view;
    Object* proto = body.isOccurrence() ? session().find(body.prototype) : nullptr;
    for (Object* b : {&body, proto}) {
        if (!b) continue;
        BodyRef r = refOf(*b);
        if (std::find(v.erased.begin(), v.erased.end(), r) != v.erased.end()) return r;
    }
    for (Object* b : shownBodies(viewObj))
        if (b == &body || b == proto) return refOf(*b);
    fail(UF_err_bad_parameter_number_2, "view " + text::toUtf8Lossy(viewObj.name) + " does not draw that body");
}

}  // namespace

Object& viewNamed(Part& part, const std::string& name) {
    Session& s = session();
    for (tag_t t : s.sheets(part))
        for (tag_t v : s.object(t).sheet->views)
            if (Object* o = s.find(v); o && o->name == name) return *o;
    fail(UF_err_bad_parameter_number_1, "no view " + text::toUtf8Lossy(name) + " on the part's sheets");
}

void eraseFromView(Object& viewObj, Object& body) {
    BodyRef r = drawnRef(viewObj, body);
    View& v = *viewObj.view;
    // Erasing an erased body again changes nothing.
    if (std::find(v.erased.begin(), v.erased.end(), r) == v.erased.end()) v.erased.push_back(r);
    v.outOfDate = true;
    viewObj.part->modified = true;
}

void shadeInView(Object& viewObj, Object& body, int color, int translucency) {
    if (color < 1 || color > 215) fail(UF_err_bad_parameter_number_2, "colour " + std::to_string(color) + " is not in the colour table");
    if (translucency < 0 || translucency > 100) fail(UF_err_bad_parameter_number_3, "translucency runs from 0 to 100");
    BodyRef r = drawnRef(viewObj, body);
    View& v = *viewObj.view;
    // A body has one shade in a view: the latest.
    v.shaded.erase(std::remove_if(v.shaded.begin(), v.shaded.end(), [&](const Shade& s) { return s.body == r; }), v.shaded.end());
    v.shaded.push_back({r, color, translucency});
    v.outOfDate = true;
    viewObj.part->modified = true;
}

void removeEdits(Object& viewObj) {
    View& v = *viewObj.view;
    v.erased.clear();
    v.shaded.clear();
    v.outOfDate = true;
    viewObj.part->modified = true;
}

void deleteSheet(Object& sheetObj) {
    Session& s = session();
    Part& part = *sheetObj.part;
    for (tag_t t : sheetObj.sheet->views)
        if (Object* v = s.find(t)) s.kill(*v);
    for (tag_t t : sheetObj.sheet->notes) {
        Object* n = s.find(t);
        if (!n) continue;
        for (tag_t sec : n->note->sections)
            if (Object* o = s.find(sec)) s.kill(*o);
        for (auto& [k, h] : n->note->handles)
            if (Object* o = s.find(h)) s.kill(*o);
        s.kill(*n);
    }
    const bool current = part.currentSheet == sheetObj.tag;
    if (Object* own = s.find(sheetObj.sheet->sheetView)) s.kill(*own);
    s.kill(sheetObj);
    // The first sheet left becomes current, as opening the part would make it.
    if (current) {
        std::vector<tag_t> left = s.sheets(part);
        part.currentSheet = left.empty() ? 0 : left.front();
    }
}

}  // namespace host::draft
