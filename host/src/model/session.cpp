#include "model/session.h"
#include <algorithm>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include "files/partfile.h"
#include "kf/excel.h"
#include "text.h"
#include "uf_object_types.h"

namespace host {
namespace {

// The colours of the default table that have names, as a user picks them by name. The rest of the
// table is unnamed grey until the module sets it.
struct NamedColor {
    int number;
    const char* name;
    std::array<double, 3> rgb;
};
const NamedColor kNamedColors[] = {
    {1, "White", {1, 1, 1}},   {6, "Yellow", {1, 1, 0}},    {31, "Cyan", {0, 1, 1}},  {36, "Green", {0, 1, 0}},
    {181, "Magenta", {1, 0, 1}}, {186, "Red", {1, 0, 0}}, {211, "Blue", {0, 0, 1}},
};

}  // namespace

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
    highlighted_.clear();
    objects_.clear();
    topo_.clear();
    occurrencesOf_.clear();
    featuresOf_.clear();
    parts_.clear();
    byPath_.clear();
    byTag_.clear();
    byLeaf_.clear();
    unshown_.clear();
    undoMarks.clear();
    deleteList.clear();
    display = work = nullptr;
    workOcc = 0;
    application = "UG_APP_MODELING";
    kfPart = 0;
    kf::closeAll();
    for (auto& c : colors) c = {0.5, 0.5, 0.5};
    colors[0] = {0.0, 0.0, 0.0};
    for (const NamedColor& n : kNamedColors) colors[n.number] = n.rgb;
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

void Session::setHighlight(Object& o, bool on) {
    o.highlight = on;
    if (on) highlighted_.insert(o.tag);
    else highlighted_.erase(o.tag);
}

void Session::clearHighlights() {
    for (tag_t t : highlighted_)
        if (Object* o = find(t)) o->highlight = false;
    highlighted_.clear();
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

Object& Session::make(Part& part, int type, int subtype, bool listed) {
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
        if (type == UF_drawing_type) part.sheets.push_back(ref.tag);
        if (type == UF_view_type && subtype == 0) part.views.push_back(ref.tag);
    }
    return ref;
}

Object& Session::create(Part& part, int type, int subtype, bool listed) {
    Object& o = make(part, type, subtype, listed);
    // Assemblies that show the part get the body's occurrence at their next sync, with the look the body has then.
    if (listed && type == UF_solid_type && subtype == UF_solid_body_subtype && occurrencesOf_.count(part.tag)) unshown_.push_back(o.tag);
    return o;
}

Object& Session::occurrence(Part& top, Object& parentOcc, int type, int subtype, tag_t prototype) {
    Object& o = make(top, type, subtype, true);
    o.prototype = prototype;
    o.parent = parentOcc.tag;
    parentOcc.members.push_back(o.tag);
    occurrencesOf_[prototype].push_back(o.tag);
    return o;
}

static void drop(std::vector<tag_t>& v, tag_t t) {
    auto it = std::find(v.begin(), v.end(), t);
    if (it != v.end()) v.erase(it);
}

// Takes a dying object out of every index that names it.
void Session::forget(Object& o) {
    if (o.parent)
        if (Object* parent = find(o.parent)) drop(parent->members, o.tag);
    if (o.prototype) {
        auto it = occurrencesOf_.find(o.prototype);
        if (it != occurrencesOf_.end()) drop(it->second, o.tag);
    }
    if (o.type == UF_component_type && o.part) {
        auto it = o.part->componentsByName.find(o.instanceName);
        if (it != o.part->componentsByName.end()) drop(it->second, o.tag);
    }
    if (o.type == UF_feature_type && o.featBody) {
        auto it = featuresOf_.find(o.featBody);
        if (it != featuresOf_.end()) drop(it->second, o.tag);
    }
}

int Session::colorNamed(const std::string& name) {
    for (const NamedColor& n : kNamedColors)
        if (name == n.name) return n.number;
    return -1;
}

const char* Session::colorName(int number) {
    for (const NamedColor& n : kNamedColors)
        if (number == n.number) return n.name;
    return nullptr;
}

void Session::kill(Object& o) {
    if (!o.alive) return;
    forget(o);
    o.alive = false;
    if (o.sheet && o.part) o.part->placesOf = SIZE_MAX;  // the sheets after it move up
    // The occurrences of a body or part go with it.
    auto it = occurrencesOf_.find(o.tag);
    if (it != occurrencesOf_.end()) {
        std::vector<tag_t> occs = std::move(it->second);
        occurrencesOf_.erase(it);
        for (tag_t t : occs)
            if (Object* x = find(t)) kill(*x);
    }
    changed(o);
    o.shape.Nullify();
    if (o.part) o.part->modified = true;
}

// The live objects an index lists under `key`.
std::vector<Object*> Session::alive(const std::unordered_map<tag_t, std::vector<tag_t>>& index, tag_t key) {
    std::vector<Object*> out;
    auto it = index.find(key);
    if (it != index.end())
        for (tag_t t : it->second)
            if (Object* o = find(t)) out.push_back(o);
    return out;
}

std::vector<Object*> Session::occurrencesOf(tag_t prototype) { return alive(occurrencesOf_, prototype); }

std::vector<Object*> Session::componentsShowing(Part& top, Part& p) {
    std::vector<Object*> out;
    for (Object* c : occurrencesOf(p.tag))
        if (c->part == &top && c->type == UF_component_type) out.push_back(c);
    return out;
}

// A part used by several components of the displayed assembly is worked in where the user already
// works: the current work occurrence if it shows the part; else the first occurrence of the part
// below it (the user went down into a sub-assembly); else the nearest one above it; else the first in
// the assembly's creation order. The displayed part itself is worked in at its root.
tag_t Session::workOccurrenceFor(Part& p) {
    if (!display) return NULL_TAG;
    if (&p == display) return display->rootOcc;
    std::vector<Object*> shown = componentsShowing(*display, p);
    if (shown.empty()) return NULL_TAG;
    Object* current = find(workOcc);
    if (!current) return shown.front()->tag;
    auto isAbove = [&](const Object* upper, const Object* lower) {
        for (const Object* o = lower; o; o = o->root ? nullptr : find(o->parent))
            if (o == upper) return true;
        return false;
    };
    for (Object* c : shown)
        if (c == current) return c->tag;
    for (Object* c : shown)
        if (isAbove(current, c)) return c->tag;
    Object* nearest = nullptr;
    size_t depth = 0;
    for (Object* c : shown)
        if (isAbove(c, current) && (!nearest || c->instancePath.size() > depth)) nearest = c, depth = c->instancePath.size();
    return (nearest ? nearest : shown.front())->tag;
}

std::vector<Object*> Session::featuresOf(tag_t body) { return alive(featuresOf_, body); }

void Session::setFeatureBody(Object& feature, tag_t body) {
    if (feature.featBody) {
        auto it = featuresOf_.find(feature.featBody);
        if (it != featuresOf_.end()) drop(it->second, feature.tag);
    }
    feature.featBody = body;
    if (body) featuresOf_[body].push_back(feature.tag);
}

/* Parts */

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
    byPath_[ref.path] = &ref;
    byTag_[ref.tag] = &ref;
    byLeaf_[ref.leaf()].push_back(&ref);
    return ref;
}

Part* Session::partByPath(const std::string& path) {
    auto it = byPath_.find(path);
    return it == byPath_.end() ? nullptr : it->second;
}

Part* Session::partByTag(tag_t tag) {
    auto it = byTag_.find(tag);
    return it == byTag_.end() ? nullptr : it->second;
}

Part* Session::partByLeaf(const std::string& leaf) {
    auto first = [&](const std::string& key) -> Part* {
        auto it = byLeaf_.find(key);
        return it == byLeaf_.end() || it->second.empty() ? nullptr : it->second.front();
    };
    if (Part* p = first(leaf)) return p;
    const std::string ext = ".prt";
    if (leaf.size() > ext.size() && leaf.compare(leaf.size() - ext.size(), ext.size(), ext) == 0)
        return first(leaf.substr(0, leaf.size() - ext.size()));
    return nullptr;
}

void Session::movePart(Part& p, const std::string& newPath) {
    byPath_.erase(p.path);
    auto& same = byLeaf_[p.leaf()];
    same.erase(std::remove(same.begin(), same.end(), &p), same.end());
    if (same.empty()) byLeaf_.erase(p.leaf());
    p.path = newPath;
    byPath_[p.path] = &p;
    byLeaf_[p.leaf()].push_back(&p);
}

void Session::closePart(Part& p) {
    // Assemblies that show the closed part keep what they said of its occurrences, as their files do,
    // and build the occurrences again when the part comes back.
    std::vector<std::pair<Part*, Object*>> gone;
    std::set<tag_t> seen;
    for (Object* c : occurrencesOf(p.tag)) {
        if (c->part == &p || seen.count(c->tag)) continue;
        for (Object* x : subtree(*c))
            if (seen.insert(x->tag).second) gone.emplace_back(c->part, x);
    }
    for (auto& [top, o] : gone) {  // all read before any goes: a body's path is its parent's
        Override ov = overrideOf(*o);
        if (o->type == UF_component_type || ov.protoPid) top->keepOverride(std::move(ov));
        top->stale = true;
    }
    for (auto& g : gone) kill(*g.second);
    for (tag_t t : p.objects)
        if (Object* o = find(t)) o->alive = false;
    if (Object* s = find(p.tag)) s->alive = false;
    if (display == &p) display = nullptr;
    if (work == &p) work = display;
    if (!find(workOcc)) workOcc = 0;
    byPath_.erase(p.path);
    byTag_.erase(p.tag);
    auto& same = byLeaf_[p.leaf()];
    same.erase(std::remove(same.begin(), same.end(), &p), same.end());
    if (same.empty()) byLeaf_.erase(p.leaf());
    for (auto it = parts_.begin(); it != parts_.end(); ++it)
        if (it->get() == &p) { parts_.erase(it); break; }
}

/* Assemblies */

std::vector<Object*> Session::showings(Part& p) {
    std::vector<Object*> out;
    if (Object* root = find(p.rootOcc)) out.push_back(root);
    for (Object* c : occurrencesOf(p.tag))
        if (c->type == UF_component_type) out.push_back(c);
    return out;
}

std::vector<Part*> Session::chainOf(Object& occ) {
    std::vector<Part*> chain;
    for (Object* o = &occ; o; o = o->root ? nullptr : find(o->parent)) chain.push_back(o->child);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

void Session::syncOccurrences(Part& top) {
    // New bodies of shown parts first: each gets its occurrence under every component showing its part.
    std::vector<tag_t> pending = std::move(unshown_);
    unshown_.clear();
    for (tag_t t : pending) {
        Object* proto = find(t);
        if (!proto) continue;
        for (Object* c : occurrencesOf(proto->part->tag)) {
            if (c->type != UF_component_type) continue;
            bool there = false;
            for (Object* o : occurrencesOf(t)) there |= o->parent == c->tag;
            if (there) continue;
            Object& occ = occurrence(*c->part, *c, UF_solid_type, proto->subtype, proto->tag);
            occ.copyLook(*proto);
        }
    }
    bool fresh = !find(top.rootOcc);
    if (fresh) {
        Object& r = make(top, UF_component_type, UF_part_occurrence_subtype, true);
        r.root = true;
        r.child = &top;
        top.rootOcc = r.tag;
    }
    if (!fresh && !top.stale) return;
    top.stale = false;
    top.missing.clear();
    std::vector<Part*> chain{&top};
    syncComponent(top, object(top.rootOcc), top, gp_Trsf(), {}, chain);
}

// Walks the instances of `child` as placed in `top` and creates the occurrences that are missing.
void Session::syncComponent(Part& top, Object& parentOcc, Part& child, const gp_Trsf& place, const std::vector<int>& path,
                            std::vector<Part*>& chain) {
    if (&child != &top) {
        std::set<tag_t> there;
        for (tag_t t : parentOcc.members)
            if (Object* o = find(t); o && o->type == UF_solid_type) there.insert(o->prototype);
        for (size_t i = 0; i < child.objects.size(); ++i) {
            Object* proto = find(child.objects[i]);
            if (!proto || proto->type != UF_solid_type || proto->isOccurrence() || there.count(proto->tag)) continue;
            Object& occ = occurrence(top, parentOcc, UF_solid_type, proto->subtype, proto->tag);
            // A new occurrence starts with its prototype's attributes; what is written on either later stays apart.
            occ.copyLook(*proto);
            auto ov = top.pendingOverrides.find({path, proto->pid});
            if (ov != top.pendingOverrides.end()) {
                takeLook(occ, ov->second);
                top.pendingOverrides.erase(ov);
            }
        }
    }
    // The components already there, by instance, found once: a parent of thousands is not searched per instance.
    std::unordered_map<int, Object*> shown;
    for (tag_t t : parentOcc.members)
        if (Object* o = find(t); o && o->type == UF_component_type) shown.emplace(o->instancePath.back(), o);
    for (const Instance& in : child.instances) {
        auto it = shown.find(in.pid);
        syncInstance(top, parentOcc, it == shown.end() ? nullptr : it->second, in, place, path, chain);
    }
}

void Session::syncInstance(Part& top, Object& parentOcc, Object* comp, const Instance& in, const gp_Trsf& place,
                           const std::vector<int>& path, std::vector<Part*>& chain) {
    if (chain.size() >= kMaxAssemblyDepth)
        fail(UF_err_operation_failed, "the components of " + top.path + " nest deeper than " + std::to_string(kMaxAssemblyDepth) +
                                          " levels, which no plant does");
    Part* p = partByPath(in.file);
    if (!p) {
        try {
            p = &partfile::load(in.file);
        } catch (const HostError& e) {
            // A component whose file is gone or unreadable stays in the assembly as its file says, so that the
            // user can mend it; it is reported, and saving writes it back as it was.
            std::string note = text::toUtf8Lossy(in.name) + ": " + e.what();
            if (std::find(top.missing.begin(), top.missing.end(), note) == top.missing.end()) top.missing.push_back(note);
            return;
        }
    }
    for (Part* up : chain)
        if (up == p) fail(UF_err_operation_failed, "part " + p->path + " contains itself as a component");
    std::vector<int> sub = path;
    sub.push_back(in.pid);
    gp_Trsf placeIn = place * in.transform;
    if (!comp) {
        Object& c = occurrence(top, parentOcc, UF_component_type, UF_part_occurrence_subtype, p->tag);
        c.child = p;
        c.instanceName = in.name;
        c.name = in.name;
        c.instancePath = sub;
        top.componentsByName[c.instanceName].push_back(c.tag);
        auto ov = top.pendingOverrides.find({sub, 0});
        if (ov != top.pendingOverrides.end()) {
            takeLook(c, ov->second);
            top.pendingOverrides.erase(ov);
        }
        comp = &c;
    }
    comp->child = p;  // the part may have been closed and loaded again
    comp->transform = placeIn;
    chain.push_back(p);
    syncComponent(top, *comp, *p, placeIn, sub, chain);
    chain.pop_back();
}

void Session::addInstance(Part& p, Instance in) {
    p.instances.push_back(in);
    p.modified = true;
    try {
        for (Object* s : showings(p)) {
            std::vector<Part*> chain = chainOf(*s);
            std::vector<int> path = s->root ? std::vector<int>{} : s->instancePath;
            gp_Trsf place = s->root ? gp_Trsf() : s->transform;
            syncInstance(*s->part, *s, nullptr, in, place, path, chain);  // a new instance shows nowhere yet
        }
    } catch (...) {
        removeInstance(p, in.pid);  // a component that cannot be shown (it would contain itself) is not added
        throw;
    }
}

void Session::removeInstance(Part& p, int pid) {
    auto it = std::find_if(p.instances.begin(), p.instances.end(), [&](const Instance& i) { return i.pid == pid; });
    if (it == p.instances.end()) return;
    const std::string name = it->name;
    p.instances.erase(it);
    p.modified = true;
    // Its components are found by name, not by searching every member of every showing.
    for (Object* s : showings(p)) {
        auto named = s->part->componentsByName.find(name);
        if (named == s->part->componentsByName.end()) continue;
        for (tag_t t : std::vector<tag_t>(named->second))
            if (Object* c = find(t); c && c->parent == s->tag && c->instancePath.back() == pid)
                for (Object* o : subtree(*c)) kill(*o);
    }
}

std::vector<Object*> Session::subtree(Object& c) {
    std::vector<Object*> out{&c};
    for (size_t i = 0; i < out.size(); ++i)
        for (tag_t t : out[i]->members)
            if (Object* o = find(t)) out.push_back(o);
    return out;
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

std::vector<tag_t> Session::sheets(const Part& p) {
    std::vector<tag_t> out;
    for (tag_t t : p.sheets)
        if (find(t)) out.push_back(t);
    return out;
}

std::pair<int, int> Session::sheetPlace(Part& p, tag_t sheet) {
    if (p.placesOf != p.sheets.size()) {
        p.sheetPlaces.clear();
        for (tag_t t : p.sheets)
            if (find(t)) p.sheetPlaces.emplace(t, static_cast<int>(p.sheetPlaces.size()) + 1);
        p.placesOf = p.sheets.size();
    }
    auto it = p.sheetPlaces.find(sheet);
    return {it == p.sheetPlaces.end() ? 0 : it->second, static_cast<int>(p.sheetPlaces.size())};
}

Object* Session::sheetNamed(Part& p, const std::string& name) {
    // Sheets made since the last look are named by now: they join the index.
    for (; p.sheetsIndexed < p.sheets.size(); ++p.sheetsIndexed)
        if (Object* o = find(p.sheets[p.sheetsIndexed])) p.sheetIndex.emplace(o->name, o->tag);
    auto it = p.sheetIndex.find(name);
    if (it == p.sheetIndex.end()) return nullptr;
    Object* o = find(it->second);
    if (o && o->name == name) return o;
    // A sheet deleted, or renamed past sheetRenamed: the index is made again from the sheets.
    p.sheetIndex.clear();
    Object* found = nullptr;
    for (tag_t t : p.sheets)
        if (Object* s = find(t)) {
            p.sheetIndex.emplace(s->name, t);
            if (!found && s->name == name) found = s;
        }
    return found;
}

void Session::sheetRenamed(Object& sheet, const std::string& before) {
    if (!sheet.part) return;
    Part& p = *sheet.part;
    auto it = p.sheetIndex.find(before);
    if (it != p.sheetIndex.end() && it->second == sheet.tag) p.sheetIndex.erase(it);
    p.sheetIndex[sheet.name] = sheet.tag;
    // Its drawing-sheet view goes by the sheet's name.
    if (sheet.sheet)
        if (Object* own = find(sheet.sheet->sheetView)) own->name = sheet.name;
}

Object& Session::addSheet(Part& p, const std::string& name) {
    draft::Template empty;
    empty.name = name;
    return draft::makeSheet(p, empty);
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
