#include "files/sheetjson.h"
#include "files/fields.h"
#include "files/partfile.h"
#include "files/paths.h"
#include "model/session.h"
#include "uf_object_types.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace host::sheetjson {
namespace {

const char* kindName(draft::ViewKind k) {
    return k == draft::ViewKind::Base ? "base" : k == draft::ViewKind::Projected ? "projected" : "imported";
}

draft::ViewKind kindOf(const std::string& s) {
    if (s == "base") return draft::ViewKind::Base;
    if (s == "projected") return draft::ViewKind::Projected;
    if (s == "imported") return draft::ViewKind::Imported;
    throw std::runtime_error("no view kind \"" + s + "\"");
}

// Sheets no larger than the largest paper, and notes of a sane size.
const double kMaxPaper = 2000;

std::pair<double, double> pair(const json& e, const char* key, double lo, double hi) {
    std::vector<double> v = fields::numbers(fields::need(e, key), std::string("\"") + key + "\"");
    if (v.size() != 2) throw std::runtime_error(std::string("\"") + key + "\" needs 2 numbers");
    for (double x : v)
        if (x < lo || x > hi) throw std::runtime_error(std::string("\"") + key + "\" lies outside the sheet");
    return {v[0], v[1]};
}

json refJson(const draft::BodyRef& r) { return {{"path", r.path}, {"pid", r.pid}}; }

draft::BodyRef refFrom(const json& j) {
    fields::object(j, "a body of a view");
    draft::BodyRef r;
    for (long long i : fields::integers(fields::arrayField(j, "path"), "a body's \"path\"", 1, 1 << 30)) r.path.push_back(static_cast<int>(i));
    r.pid = fields::integer(j, "pid", 1, 1 << 30, 1);
    return r;
}

}  // namespace

json toJson(Object& o, const std::string& partPath) {
    Session& s = session();
    const draft::Sheet& sh = *o.sheet;
    json lines = json::array();
    for (const draft::Line& l : sh.lines) lines.push_back({l.x1, l.y1, l.x2, l.y2});
    json notes = json::array();
    for (tag_t t : sh.notes) {
        Object* n = s.find(t);
        if (!n || !n->note) continue;
        json cells = json::array();
        for (auto& row : n->note->cells) {
            json r = json::array();
            for (auto& c : row) r.push_back(partfile::text(c));
            cells.push_back(r);
        }
        notes.push_back({{"subtype", n->subtype}, {"at", {n->note->x, n->note->y}}, {"columns", n->note->columns},
                         {"rows", n->note->rows}, {"cells", cells}});
    }
    json views = json::array();
    std::vector<tag_t> order;
    for (tag_t t : sh.views)
        if (s.find(t)) order.push_back(t);
    for (tag_t t : order) {
        Object& v = s.object(t);
        int parent = -1;
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i] == v.view->parent) parent = static_cast<int>(i);
        json e = {{"name", partfile::text(v.name)}, {"kind", kindName(v.view->kind)}, {"model_view", v.view->modelView},
                  {"part", paths::relativeFile(v.view->partFile, partPath)}, {"at", {v.view->x, v.view->y}}, {"scale", v.view->scale},
                  {"parent", parent}, {"code", v.view->code}};
        if (!v.view->layers.empty()) e["layers"] = v.view->layers;
        if (!v.view->erased.empty()) {
            json erased = json::array();
            for (const draft::BodyRef& r : v.view->erased) erased.push_back(refJson(r));
            e["erased"] = erased;
        }
        if (!v.view->shaded.empty()) {
            json shaded = json::array();
            for (const draft::Shade& sh : v.view->shaded)
                shaded.push_back({{"body", refJson(sh.body)}, {"color", sh.color}, {"translucency", sh.translucency}});
            e["shaded"] = shaded;
        }
        if (v.view->renderingStyle >= 0) e["rendering_style"] = v.view->renderingStyle;
        if (v.view->hiddenLineFont >= 0) e["hidden_line_font"] = v.view->hiddenLineFont;
        views.push_back(e);
    }
    return {{"name", partfile::text(o.name)}, {"template", partfile::text(sh.templateFile)}, {"size", {sh.width, sh.height}},
            {"scale", sh.scale}, {"number", sh.number}, {"lines", lines}, {"notes", notes}, {"views", views}};
}

draft::Template fromJson(const json& j, const fs::path& folder) {
    draft::Template t;
    if (j.is_string() || (j.is_object() && j.contains("gbk"))) {
        t.name = partfile::text(j);
        return t;
    }
    fields::object(j, "a sheet");
    t.name = partfile::text(fields::need(j, "name"));
    if (const json* tf = fields::find(j, "template")) t.sheet.templateFile = partfile::text(*tf);
    if (fields::find(j, "size")) std::tie(t.sheet.width, t.sheet.height) = pair(j, "size", 10, kMaxPaper);
    t.sheet.scale = fields::number(j, "scale", 1.0);
    if (!(t.sheet.scale > 0 && t.sheet.scale < 1e6)) throw std::runtime_error("a sheet's \"scale\" must be positive");
    t.sheet.number = fields::integer(j, "number", 0, 1000000, 0);
    for (const json& l : fields::arrayField(j, "lines")) {
        std::vector<double> v = fields::numbers(l, "a frame line");
        if (v.size() != 4) throw std::runtime_error("a frame line needs 4 numbers");
        t.sheet.lines.push_back({v[0], v[1], v[2], v[3]});
    }
    for (const json& n : fields::arrayField(j, "notes")) {
        draft::Note note;
        std::tie(note.x, note.y) = pair(n, "at", -kMaxPaper, kMaxPaper);
        note.columns = fields::numbers(fields::need(n, "columns"), "a note's \"columns\"");
        note.rows = fields::numbers(fields::need(n, "rows"), "a note's \"rows\"");
        if (note.columns.size() > 200 || note.rows.size() > 10000) throw std::runtime_error("a note has more cells than any table");
        for (double w : note.columns)
            if (!(w > 0 && w < kMaxPaper)) throw std::runtime_error("a note's column width must be positive");
        for (double h : note.rows)
            if (!(h > 0 && h < kMaxPaper)) throw std::runtime_error("a note's row height must be positive");
        for (const json& r : fields::arrayField(n, "cells")) {
            std::vector<std::string> row;
            for (const json& c : fields::array(r, "a note's row")) row.push_back(partfile::text(c));
            note.cells.push_back(std::move(row));
        }
        int subtype = fields::integer(n, "subtype", 0, 100, draft::kNoteSubtype);
        if (subtype == draft::kSectionSubtype) throw std::runtime_error("a note cannot be a section");
        t.notes.push_back(std::move(note));
        t.noteSubtypes.push_back(subtype);
    }
    for (const json& v : fields::arrayField(j, "views")) {
        draft::View view;
        view.kind = kindOf(fields::string(fields::need(v, "kind"), "a view's \"kind\""));
        view.modelView = draft::modelViewName(fields::string(fields::need(v, "model_view"), "a view's \"model_view\""));
        fs::path f = fields::string(fields::need(v, "part"), "a view's \"part\"");
        view.partFile = f.empty() ? std::string() : (f.is_absolute() ? f : folder / f).lexically_normal().string();
        std::tie(view.x, view.y) = pair(v, "at", -kMaxPaper, kMaxPaper);
        view.scale = fields::number(v, "scale", 1.0);
        if (!(view.scale > 0 && view.scale < 1e6)) throw std::runtime_error("a view's \"scale\" must be positive");
        for (long long l : fields::integers(fields::arrayField(v, "layers"), "a view's \"layers\"", 1, 256)) view.layers.push_back(static_cast<int>(l));
        view.code = fields::integer(v, "code", 0, 100, 0);
        for (const json& r : fields::arrayField(v, "erased")) view.erased.push_back(refFrom(r));
        for (const json& sh : fields::arrayField(v, "shaded")) {
            fields::object(sh, "a shade of a view");
            view.shaded.push_back({refFrom(fields::need(sh, "body")), fields::integer(sh, "color", 1, 215, 31),
                                   fields::integer(sh, "translucency", 0, 100, 0)});
        }
        view.renderingStyle = fields::integer(v, "rendering_style", -1, 2, -1);
        view.hiddenLineFont = fields::integer(v, "hidden_line_font", -1, 2, -1);
        int parent = fields::integer(v, "parent", -1, static_cast<int>(t.views.size()) - 1, -1);
        t.views.push_back(view);
        t.viewNames.push_back(fields::find(v, "name") ? partfile::text(v.at("name")) : std::string());
        t.viewParents.push_back(parent);
    }
    return t;
}

draft::Template firstSheet(const std::string& fileText, const std::string& path) {
    json j;
    try {
        j = json::parse(fileText, nullptr, false);
    } catch (const json::exception&) {
        j = json::value_t::discarded;
    }
    // Compared as JSON: a "format" that is no string is a foreign file, not a reason to throw past the caller.
    const json* format = fields::find(j, "format");
    if (!format || *format != "vorta-part") fail(UF_err_operation_failed, path + " is not a part file of this system");
    try {
        const json& sheets = fields::arrayField(j, "sheets");
        if (sheets.empty()) fail(UF_err_operation_failed, path + " holds no drawing sheet to make sheets from");
        return fromJson(sheets.at(0), fs::path(path).parent_path());
    } catch (const std::runtime_error& e) {
        if (dynamic_cast<const HostError*>(&e)) throw;
        fail(UF_err_operation_failed, path + " is damaged: " + e.what());
    }
}

}  // namespace host::sheetjson
