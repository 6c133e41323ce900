#include "files/dump.h"
#include <cmath>
#include <filesystem>
#include "geom/measure.h"
#include "text.h"
#include "uf_object_types.h"

using nlohmann::ordered_json;

namespace host::dump {
namespace {

ordered_json attrs(const std::vector<Attr>& list) {
    ordered_json a = ordered_json::object();
    for (const Attr& x : list) {
        std::string t = text::toUtf8Lossy(x.title);
        if (x.type == 5) a[t] = text::toUtf8Lossy(x.text);
        else if (x.type == 3) a[t] = x.real;
        else a[t] = x.integer;
    }
    return a;
}

// Adding zero turns a rounded -0 into 0, which JSON would otherwise print as "-0.0".
double round3(double v) { return std::round(v * 1000.0) / 1000.0 + 0.0; }
double round6(double v) { return std::round(v * 1e6) / 1e6; }

const char* kindName(draft::ViewKind k) {
    return k == draft::ViewKind::Base ? "base" : k == draft::ViewKind::Projected ? "projected" : "imported";
}

ordered_json sheet(Object& o) {
    Session& s = session();
    const draft::Sheet& sh = *o.sheet;
    ordered_json e;
    e["name"] = text::toUtf8Lossy(o.name);
    e["number"] = sh.number;
    e["template"] = text::toUtf8Lossy(sh.templateFile);
    e["size"] = {sh.width, sh.height};
    e["scale"] = round6(sh.scale);
    ordered_json views = ordered_json::array();
    for (tag_t t : sh.views) {
        Object* v = s.find(t);
        if (!v) continue;
        ordered_json x;
        x["name"] = text::toUtf8Lossy(v->name);
        x["kind"] = kindName(v->view->kind);
        x["model_view"] = v->view->modelView;
        x["part"] = std::filesystem::path(v->view->partFile).stem().string();
        x["at"] = {round3(v->view->x), round3(v->view->y)};
        x["scale"] = round6(v->view->scale);
        if (v->view->kind == draft::ViewKind::Imported || !v->view->layers.empty()) x["layers"] = v->view->layers;
        if (Object* parent = s.find(v->view->parent)) x["parent"] = text::toUtf8Lossy(parent->name);
        // View-dependent edits by the bodies they touch, named as the part names them.
        if (!v->view->erased.empty() || !v->view->shaded.empty()) {
            ordered_json shaded = ordered_json::array();
            for (const auto& [b, sh] : draft::shadedBodies(*v))
                shaded.push_back({{"body", text::toUtf8Lossy(s.find(b->prototype) ? s.find(b->prototype)->name : b->name)}, {"color", sh.color},
                                  {"translucency", sh.translucency}});
            x["erased"] = v->view->erased.size();
            x["shaded"] = shaded;
        }
        if (v->view->renderingStyle >= 0) x["rendering_style"] = v->view->renderingStyle;
        if (v->view->hiddenLineFont >= 0) x["hidden_line_font"] = v->view->hiddenLineFont;
        views.push_back(x);
    }
    e["views"] = views;
    ordered_json notes = ordered_json::array();
    for (tag_t t : sh.notes) {
        Object* n = s.find(t);
        if (!n) continue;
        ordered_json rows = ordered_json::array();
        for (auto& r : n->note->cells) {
            ordered_json row = ordered_json::array();
            // As the sheet shows them: fields filled.
            for (auto& c : r) row.push_back(text::toUtf8Lossy(draft::withFields(c, o)));
            rows.push_back(row);
        }
        notes.push_back({{"type", n->type}, {"subtype", n->subtype}, {"rows", rows}});
    }
    e["notes"] = notes;
    return e;
}

}  // namespace

ordered_json part(Part& p) {
    Session& s = session();
    ordered_json j;
    j["file"] = p.path;
    j["attributes"] = attrs(p.self()->attrs);
    ordered_json objects = ordered_json::array(), components = ordered_json::array();
    for (tag_t t : p.objects) {
        Object* o = s.find(t);
        if (!o || o->root) continue;
        ordered_json e;
        e["tag"] = o->tag;
        e["type"] = o->type;
        e["subtype"] = o->subtype;
        e["name"] = text::toUtf8Lossy(o->name);
        if (o->type == UF_component_type) {
            Object* parent = s.find(o->parent);
            e["parent"] = parent && !parent->root ? ordered_json(text::toUtf8Lossy(parent->instanceName)) : ordered_json();
            e["part"] = o->child ? o->child->path : "";
            e["instance"] = text::toUtf8Lossy(o->instanceName);
            e["layer"] = o->layer;
            e["attributes"] = attrs(o->attrs);
            components.push_back(e);
            continue;
        }
        if (o->type == UF_view_type || o->type == UF_drawing_type || o->type == UF_tabular_note_type) continue;
        e["layer"] = o->layer;
        e["color"] = o->color;
        e["blank"] = o->blank;
        e["translucency"] = o->translucency;
        e["attributes"] = attrs(o->attrs);
        if (o->isOccurrence()) {
            Object& proto = s.object(o->prototype);
            e["prototype"] = proto.tag;
            e["component"] = text::toUtf8Lossy(s.object(o->parent).instanceName);
            e["prototype_part"] = proto.part->path;
        }
        if (o->type == UF_solid_type) {
            const geom::MassProps& m = s.massOf(*o);
            TopoDS_Shape shape = s.shapeOf(*o);
            e["volume"] = round3(m.volume);
            e["area"] = round3(m.area);
            e["mass"] = round6(m.volume * o->density * 1e-6);  // kg
            e["faces"] = geom::faceCount(shape);
            e["edges"] = geom::edgeCount(shape);
            // Where the body lies, in the part's (for an occurrence, its assembly's) coordinates.
            if (!shape.IsNull()) {
                const geom::Bnd box = geom::bnd(shape);
                e["box"] = {round3(box.min.X()), round3(box.min.Y()), round3(box.min.Z()),
                            round3(box.max.X()), round3(box.max.Y()), round3(box.max.Z())};
            }
        }
        objects.push_back(e);
    }
    j["objects"] = objects;
    j["components"] = components;
    ordered_json sheets = ordered_json::array();
    for (tag_t t : s.sheets(p)) sheets.push_back(sheet(s.object(t)));
    j["sheets"] = sheets;
    if (!p.missing.empty()) j["missing"] = p.missing;
    return j;
}

}  // namespace host::dump
