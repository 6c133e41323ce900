#include "files/dump.h"
#include <cmath>
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

double round3(double v) { return std::round(v * 1000.0) / 1000.0; }
double round6(double v) { return std::round(v * 1e6) / 1e6; }

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
        if (o->type == UF_view_type || o->type == UF_drawing_type) continue;
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
        }
        objects.push_back(e);
    }
    j["objects"] = objects;
    j["components"] = components;
    ordered_json sheets = ordered_json::array();
    for (tag_t t : s.sheets(p)) sheets.push_back({{"name", text::toUtf8Lossy(s.object(t).name)}});
    j["sheets"] = sheets;
    if (!p.missing.empty()) j["missing"] = p.missing;
    return j;
}

}  // namespace host::dump
