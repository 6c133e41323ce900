#include "model/session.h"
#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include "files/partfile.h"
#include "uf_object_types.h"

namespace host {

void fail(int status, const std::string& message) { throw HostError(status, message); }

const Attr* Object::findAttr(const std::string& title) const {
    for (const Attr& a : attrs)
        if (a.title == title) return &a;
    return nullptr;
}

void Object::setAttr(Attr a) {
    for (Attr& x : attrs)
        if (x.title == a.title) { x = std::move(a); return; }
    attrs.push_back(std::move(a));
}

void Object::copyLook(const Object& from) {
    name = from.name;
    attrs = from.attrs;
    layer = from.layer;
    color = from.color;
    blank = from.blank;
    translucency = from.translucency;
    density = from.density;
}

Object* Part::self() const { return session().find(tag); }

std::string Part::leaf() const { return std::filesystem::path(path).stem().string(); }

Session& Session::get() {
    static Session s;
    return s;
}

Session::Session() { reset(); }

void Session::reset() {
    objects_.clear();
    topo_.clear();
    occurrencesOf_.clear();
    parts_.clear();
    undoMarks.clear();
    deleteList.clear();
    display = work = nullptr;
    workOcc = 0;
    for (auto& c : colors) c = {0.5, 0.5, 0.5};
    colors[0] = {0.0, 0.0, 0.0};
    colors[1] = {1.0, 1.0, 1.0};
    backgroundType = 0;
    progressBars.clear();
    colorTableLoads = 0;
    lastMessage.clear();
    listing.clear();
    listingPartial.clear();
    listingOpen = false;
    listingAvailable = true;
    syslog.clear();
    initCount = 0;
}

void Session::say(const std::string& line) {
    if (transcript) transcript(line);
}

Object* Session::find(tag_t tag) {
    auto it = objects_.find(tag);
    return it == objects_.end() || !it->second->alive ? nullptr : it->second.get();
}

Object* Session::findAny(tag_t tag) {
    auto it = objects_.find(tag);
    return it == objects_.end() ? nullptr : it->second.get();
}

Object& Session::object(tag_t tag) {
    Object* o = find(tag);
    if (!o) fail(7, "no object with tag " + std::to_string(tag));
    return *o;
}

Object& Session::create(Part& part, int type, int subtype, bool listed) {
    auto o = std::make_unique<Object>();
    o->tag = nextTag_++;
    o->type = type;
    o->subtype = subtype;
    o->part = &part;
    // Bodies are known in their part's file by pid from the start, so that an assembly can speak of
    // their occurrences before the part was ever saved.
    if (listed && type == UF_solid_type && subtype == UF_solid_body_subtype) o->pid = part.nextPid++;
    Object& ref = *o;
    objects_.emplace(ref.tag, std::move(o));
    if (listed) {
        ref.pos = part.objects.size();
        part.objects.push_back(ref.tag);
        part.modified = true;
    }
    return ref;
}

void Session::kill(Object& o) {
    if (!o.alive) return;
    o.alive = false;
    // The occurrences of a body or part go with it.
    auto range = occurrencesOf_.equal_range(o.tag);
    std::vector<tag_t> occs;
    for (auto it = range.first; it != range.second; ++it) occs.push_back(it->second);
    occurrencesOf_.erase(o.tag);
    for (tag_t t : occs)
        if (Object* x = find(t)) kill(*x);
    changed(o);
    o.shape.Nullify();
    if (o.part) o.part->modified = true;
}

Part& Session::newPart(const std::string& path) {
    auto p = std::make_unique<Part>();
    p->path = path;
    for (int& s : p->layerStatus) s = 1;
    p->layerStatus[1] = 0;
    Part& ref = *p;
    parts_.push_back(std::move(p));
    auto self = std::make_unique<Object>();
    self->tag = nextTag_++;
    self->type = UF_part_type;
    self->part = &ref;
    ref.tag = self->tag;
    objects_.emplace(ref.tag, std::move(self));
    return ref;
}

Part* Session::partByPath(const std::string& path) {
    for (auto& p : parts_)
        if (p->path == path) return p.get();
    return nullptr;
}

Part* Session::partByTag(tag_t tag) {
    for (auto& p : parts_)
        if (p->tag == tag) return p.get();
    return nullptr;
}

void Session::closePart(Part& p) {
    // Assemblies that show the closed part keep what they said of its occurrences, as their files do,
    // and build the occurrences again when the part comes back.
    for (auto& other : parts_) {
        if (other.get() == &p) continue;
        std::vector<Object*> gone;
        for (tag_t t : other->objects)
            if (Object* o = find(t); o && o->type == UF_component_type && !o->root && o->child == &p)
                for (Object* x : subtree(*o)) gone.push_back(x);
        for (Object* o : gone) {  // all read before any goes: a body's path is its parent's
            Override ov = overrideOf(*o);
            if (o->type == UF_component_type || ov.protoPid) other->pendingOverrides.push_back(ov);
        }
        for (Object* o : gone) kill(*o);
    }
    for (tag_t t : p.objects)
        if (Object* o = find(t)) o->alive = false;
    if (Object* s = find(p.tag)) s->alive = false;
    if (display == &p) display = nullptr;
    if (work == &p) work = display;
    if (!find(workOcc)) workOcc = 0;
    for (auto it = parts_.begin(); it != parts_.end(); ++it)
        if (it->get() == &p) { parts_.erase(it); break; }
}

static bool samePath(const std::vector<int>& a, const std::vector<int>& b) { return a == b; }

void Session::syncOccurrences(Part& top) {
    if (!top.rootOcc || !find(top.rootOcc)) {
        Object& r = create(top, UF_component_type, UF_part_occurrence_subtype);
        r.root = true;
        r.child = &top;
        top.rootOcc = r.tag;
    }
    std::vector<Part*> chain{&top};
    syncComponent(top, find(top.rootOcc), top, gp_Trsf(), {}, chain);
}

// Walks the instances of `child` as placed in `top` and creates the occurrences that are missing.
void Session::syncComponent(Part& top, Object* parentOcc, Part& child, const gp_Trsf& place, std::vector<int> path,
                            std::vector<Part*>& chain) {
    // Index what already exists under this parent so that a second sync creates nothing.
    std::map<tag_t, Object*> bodies;
    std::map<std::vector<int>, Object*> comps;
    for (tag_t t : top.objects) {
        Object* o = find(t);
        if (!o || o->parent != parentOcc->tag) continue;
        if (o->type == UF_component_type) comps[o->instancePath] = o;
        else bodies[o->prototype] = o;
    }
    auto applyOverride = [&](Object& occ, int protoPid) {
        for (auto it = top.pendingOverrides.begin(); it != top.pendingOverrides.end(); ++it) {
            if (it->protoPid == protoPid && samePath(it->path, occ.type == UF_component_type ? occ.instancePath : path)) {
                takeLook(occ, *it);
                top.pendingOverrides.erase(it);
                return;
            }
        }
    };
    if (&child != &top) {
        for (tag_t t : std::vector<tag_t>(child.objects)) {
            Object* proto = find(t);
            if (!proto || proto->type != 70 || proto->isOccurrence()) continue;
            if (bodies.count(proto->tag)) continue;
            Object& occ = create(top, 70, proto->subtype);
            occ.prototype = proto->tag;
            occ.parent = parentOcc->tag;
            occurrencesOf_.emplace(proto->tag, occ.tag);
            // A new occurrence starts with its prototype's attributes; what is written on either later stays apart.
            occ.copyLook(*proto);
            applyOverride(occ, proto->pid);
        }
    }
    for (const Instance& in : child.instances) {
        Part* p = partByPath(in.file);
        if (!p) p = &partfile::load(in.file);
        for (Part* up : chain)
            if (up == p) fail(UF_err_operation_failed, "part " + p->path + " contains itself as a component");
        std::vector<int> sub = path;
        sub.push_back(in.pid);
        auto found = comps.find(sub);
        Object* comp = found == comps.end() ? nullptr : found->second;
        gp_Trsf placeIn = place * in.transform;
        if (!comp) {
            Object& c = create(top, UF_component_type, UF_part_occurrence_subtype);
            c.child = p;
            c.parent = parentOcc->tag;
            c.prototype = p->tag;
            c.instanceName = in.name;
            c.name = in.name;
            c.instancePath = sub;
            applyOverride(c, 0);
            comp = &c;
        }
        comp->child = p;  // the part may have been closed and loaded again
        comp->transform = placeIn;
        chain.push_back(p);
        syncComponent(top, comp, *p, placeIn, sub, chain);
        chain.pop_back();
    }
}

gp_Trsf Session::placementOf(const Object& o) {
    if (o.type == UF_component_type) return o.transform;
    if (o.isOccurrence() && o.parent) return object(o.parent).transform;
    return gp_Trsf();
}

TopoDS_Shape Session::shapeOf(const Object& o) {
    if (!o.isOccurrence()) return o.shape;
    const Object& proto = object(o.prototype);
    TopoDS_Shape s = shapeOf(proto);
    gp_Trsf t = placementOf(o);
    return t.Form() == gp_Identity ? s : s.Moved(TopLoc_Location(t));
}

const geom::MassProps& Session::massOf(const Object& o) {
    // Occurrences share their prototype's mass properties up to a placement: only the centroid moves.
    if (o.isOccurrence()) {
        if (!o.mass) {
            geom::MassProps m = massOf(object(o.prototype));
            m.centroid.Transform(placementOf(o));
            o.mass = m;
        }
        return *o.mass;
    }
    if (!o.mass) o.mass = geom::massProps(o.shape);
    return *o.mass;
}

}  // namespace host

namespace host {

Session::Topology& Session::topology(Object& body) {
    auto it = topo_.find(body.tag);
    if (it != topo_.end()) return it->second;
    Topology t;
    t.shape = shapeOf(body);
    TopTools_IndexedMapOfShape faces, edges;
    TopExp::MapShapes(t.shape, TopAbs_FACE, faces);
    TopExp::MapShapes(t.shape, TopAbs_EDGE, edges);
    for (int i = 1; i <= faces.Extent(); ++i) t.faces.push_back(faces(i));
    for (int i = 1; i <= edges.Extent(); ++i) t.edges.push_back(edges(i));
    auto make = [&](int subtype, size_t n, std::vector<tag_t>& tags) {
        for (size_t i = 0; i < n; ++i) {
            Object& o = create(*body.part, UF_solid_type, subtype, false);
            o.owner = body.tag;
            o.index = static_cast<int>(i);
            o.layer = body.layer;
            o.color = body.color;
            tags.push_back(o.tag);
        }
    };
    make(UF_solid_face_subtype, t.faces.size(), t.faceTags);
    make(UF_solid_edge_subtype, t.edges.size(), t.edgeTags);
    return topo_.emplace(body.tag, std::move(t)).first->second;
}

TopoDS_Shape Session::subShape(const Object& o) {
    Object& body = object(o.owner);
    Topology& t = topology(body);
    auto& list = o.subtype == UF_solid_face_subtype ? t.faces : t.edges;
    if (o.index < 0 || o.index >= static_cast<int>(list.size())) fail(UF_err_invalid_tag, "the face or edge is gone");
    return list[o.index];
}

void Session::changed(Object& body) {
    body.mass.reset();
    auto it = topo_.find(body.tag);
    if (it == topo_.end()) return;
    for (auto* tags : {&it->second.faceTags, &it->second.edgeTags})
        for (tag_t t : *tags)
            if (Object* f = find(t)) f->alive = false;
    topo_.erase(it);
}

std::vector<tag_t> Session::sheets(Part& p) {
    std::vector<tag_t> out;
    for (tag_t t : p.objects)
        if (Object* o = find(t); o && o->type == UF_drawing_type) out.push_back(t);
    return out;
}

Object& Session::addSheet(Part& p, const std::string& name) {
    Object& o = create(p, UF_drawing_type, 0);
    o.name = name;
    return o;
}

}  // namespace host

namespace host {

std::vector<Object*> Session::subtree(Object& c) {
    std::vector<Object*> out{&c};
    for (size_t i = 0; i < out.size(); ++i)
        for (tag_t t : c.part->objects)
            if (Object* o = find(t); o && o->parent == out[i]->tag) out.push_back(o);
    return out;
}

Override Session::overrideOf(const Object& o, size_t below) {
    Override ov;
    if (o.type == UF_component_type) {
        ov.path = o.instancePath;
    } else {
        Object* parent = find(o.parent);
        if (parent && !parent->root) ov.path = parent->instancePath;
        if (Object* proto = find(o.prototype)) ov.protoPid = proto->pid;
    }
    ov.path.erase(ov.path.begin(), ov.path.begin() + std::min(below, ov.path.size()));
    ov.name = o.name;
    ov.layer = o.layer;
    ov.color = o.color;
    ov.blank = o.blank;
    ov.translucency = o.translucency;
    ov.attrs = o.attrs;
    return ov;
}

void Session::takeLook(Object& occ, const Override& look) {
    occ.name = look.name;
    occ.layer = look.layer;
    occ.color = look.color;
    occ.blank = look.blank;
    occ.translucency = look.translucency;
    occ.attrs = look.attrs;
}

}  // namespace host
