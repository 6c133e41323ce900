#include "draft/render.h"
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <BRepBndLib.hxx>
#include <BRepTools.hxx>
#include <Bnd_Box.hxx>
#include <Bnd_Box2d.hxx>
#include <gp_Pnt2d.hxx>
#include <TopoDS_TShape.hxx>
#include "draft/ahead.h"
#include "geom/occlusion.h"
#include "geom/projection.h"
#include "model/session.h"
#include "text.h"

namespace host::draft {
namespace {

// Projections by what was projected: the view direction, hidden edges or not, and each body's tag,
// solid and placement. A part drawn on several sheets is projected once.
std::map<std::string, geom::Projection>& projections() {
    static std::map<std::string, geom::Projection> cache;
    return cache;
}

// Keeps a projection made here; a helper drawing ahead sends it home as well.
const geom::Projection& remember(std::string key, geom::Projection p) {
    auto it = projections().emplace(std::move(key), std::move(p)).first;
    ahead::made(it->first, it->second);
    return it->second;
}

// Up to this many bodies a view is one exact hidden-line projection of them all. For more (a plant's
// general arrangement) that costs the square of their number: each body is projected alone, exactly,
// and what other bodies cover in front of it is found from their facets.
const size_t kExactBodies = 40;

// A placement by its numbers (the turn, and the move when asked): an occurrence's shape gets a location
// object of its own each time it is asked for, so the location's identity would never match again.
std::string trsfKey(const gp_Trsf& t, bool withMove = false) {
    std::ostringstream k;
    k.precision(12);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= (withMove ? 4 : 3); ++c) k << t.Value(r, c) << ',';
    return k.str();
}

// What a solid is, wherever it stands: the hash of its text without its own placement. Copies of a
// body built or read one by one have solids of their own, yet are drawn alike.
std::string geometryKey(const TopoDS_Shape& sh) {
    static std::map<const TopoDS_TShape*, std::pair<Handle(TopoDS_TShape), std::string>> keys;  // the handle keeps the address unique
    auto it = keys.find(sh.TShape().get());
    if (it != keys.end()) return it->second.second;
    std::ostringstream text;
    BRepTools::Write(sh.Located(TopLoc_Location()), text, false, false, TopTools_FormatVersion_VERSION_1);
    const std::string t = text.str();
    std::string key = std::to_string(std::hash<std::string>()(t)) + ":" + std::to_string(t.size());
    keys.emplace(sh.TShape().get(), std::make_pair(sh.TShape(), key));
    return key;
}

// One solid seen alone, turned as it stands but not moved: its visible and hidden edges, and the move
// that puts them where it stands on the view plane. Copies of a solid anywhere in the plant, and a body
// drawn on its own sheet, its assembly's and the general arrangement, are projected once.
const geom::Projection& solidProjection(const TopoDS_Shape& sh, const gp_Ax2& axes, const std::string& modelView, gp_XY& move) {
    const gp_Trsf placed = sh.Location().Transformation();
    gp_Trsf turn = placed;
    turn.SetTranslationPart(gp_Vec(0, 0, 0));
    const gp_XYZ m = placed.TranslationPart();
    move = gp_XY(m.Dot(axes.XDirection().XYZ()), m.Dot(axes.YDirection().XYZ()));
    const std::string key = modelView + "|solid|" + geometryKey(sh) + '|' + trsfKey(turn);
    auto& cache = projections();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    return remember(key, geom::project({sh.Located(TopLoc_Location(turn))}, axes, true));
}

void growBox(geom::Projection& p, const geom::Curve2d& c, bool& first) {
    auto take = [&](double x, double y) {
        if (first) { p.xmin = p.xmax = x; p.ymin = p.ymax = y; first = false; return; }
        p.xmin = std::min(p.xmin, x); p.xmax = std::max(p.xmax, x);
        p.ymin = std::min(p.ymin, y); p.ymax = std::max(p.ymax, y);
    };
    if (c.kind == geom::Curve2d::Circle || c.kind == geom::Curve2d::Arc) {
        take(c.cx - c.r, c.cy - c.r);
        take(c.cx + c.r, c.cy + c.r);
    } else {
        for (size_t i = 0; i + 1 < c.xy.size(); i += 2) take(c.xy[i], c.xy[i + 1]);
    }
}

// Adds the curves of `p` moved by `move` to `all`: its hidden ones only when asked.
void append(geom::Projection& all, bool& first, const geom::Projection& p, const gp_XY& move, bool hidden) {
    all.faceted = all.faceted || p.faceted;
    for (const geom::Curve2d& src : p.curves) {
        if (!src.visible && !hidden) continue;
        geom::Curve2d c = src;
        for (size_t i = 0; i + 1 < c.xy.size(); i += 2) c.xy[i] += move.X(), c.xy[i + 1] += move.Y();
        c.cx += move.X();
        c.cy += move.Y();
        growBox(all, c, first);
        all.curves.push_back(std::move(c));
    }
}

// The box of a solid on the view plane: its box in space, seen along the view.
Bnd_Box2d planeBox(const TopoDS_Shape& sh, const gp_Ax2& axes) {
    Bnd_Box b;
    BRepBndLib::Add(sh, b, false);
    Bnd_Box2d out;
    if (b.IsVoid()) return out;
    double x0, y0, z0, x1, y1, z1;
    b.Get(x0, y0, z0, x1, y1, z1);
    for (int i = 0; i < 8; ++i) {
        const gp_XYZ p(i & 1 ? x1 : x0, i & 2 ? y1 : y0, i & 4 ? z1 : z0);
        out.Add(gp_Pnt2d(p.Dot(axes.XDirection().XYZ()), p.Dot(axes.YDirection().XYZ())));
    }
    out.Enlarge(1e-3 * std::max(1.0, std::sqrt(out.SquareExtent())) + 1e-2);
    return out;
}

struct Shown {
    tag_t tag;
    TopoDS_Shape shape;
};

// Bodies whose boxes on the view plane do not meet cannot hide each other: each group of bodies that
// meet is projected on its own, a lone body from the projections of solids. The drawing is the same as
// one projection of all, at a fraction of its cost when the bodies stand apart.
geom::Projection inGroups(const std::vector<Shown>& shown, const std::string& modelView, bool hidden) {
    const gp_Ax2 axes = geom::viewAxes(modelView);
    const size_t n = shown.size();
    std::vector<Bnd_Box2d> boxes;
    for (const Shown& b : shown) boxes.push_back(planeBox(b.shape, axes));
    std::vector<size_t> group(n);
    for (size_t i = 0; i < n; ++i) group[i] = i;
    auto root = [&](size_t i) {
        while (group[i] != i) i = group[i] = group[group[i]];
        return i;
    };
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (boxes[i].IsVoid() || boxes[j].IsVoid() || !boxes[i].IsOut(boxes[j])) group[root(i)] = root(j);
    std::map<size_t, std::vector<size_t>> groups;
    for (size_t i = 0; i < n; ++i) groups[root(i)].push_back(i);
    geom::Projection all;
    bool first = true;
    for (const auto& [r, members] : groups) {
        gp_XY move(0, 0);
        if (members.size() == 1) {
            append(all, first, solidProjection(shown[members[0]].shape, axes, modelView, move), move, hidden);
            continue;
        }
        std::ostringstream key;
        key << modelView << '|' << hidden;
        std::vector<TopoDS_Shape> shapes;
        for (size_t i : members) {
            key << '|' << shown[i].tag << ':' << shown[i].shape.TShape().get() << ':' << trsfKey(shown[i].shape.Location().Transformation(), true);
            shapes.push_back(shown[i].shape);
        }
        auto& cache = projections();
        auto it = cache.find(key.str());
        append(all, first, it != cache.end() ? it->second : remember(key.str(), geom::project(shapes, axes, hidden)), move, hidden);
    }
    return all;
}

geom::Projection manyBodies(const std::vector<Shown>& shown, const std::string& modelView, bool hidden) {
    const gp_Ax2 axes = geom::viewAxes(modelView);
    std::vector<geom::OwnView> bodies;
    for (const Shown& b : shown) {
        geom::OwnView v;
        v.solid = b.shape;
        v.own = &solidProjection(b.shape, axes, modelView, v.move);
        v.geometry = geometryKey(b.shape);
        bodies.push_back(v);
    }
    return geom::occluded(bodies, axes, hidden);
}

// Orthographic views show hidden edges, the isometric ones not, unless the view's font says otherwise.
bool showsHidden(const View& v) {
    const bool iso = v.modelView == "TFR-ISO" || v.modelView == "TFR-TRI";
    return v.hiddenLineFont < 0 ? !iso : v.hiddenLineFont != 0;
}

// What a view shows, as the key of its projection: direction, hidden edges, and each body where it stands.
std::string viewKey(Object& viewObj, std::vector<Shown>& shown) {
    Session& s = session();
    std::ostringstream key;
    key << viewObj.view->modelView << '|' << showsHidden(*viewObj.view);
    for (Object* b : shownBodies(viewObj)) {
        TopoDS_Shape sh = s.shapeOf(*b);
        key << '|' << b->tag << ':' << sh.TShape().get() << ':' << trsfKey(sh.Location().Transformation(), true);
        shown.push_back({b->tag, sh});
    }
    return key.str();
}

const geom::Projection& projectionOf(Object& viewObj) {
    std::vector<Shown> shown;
    const std::string key = viewKey(viewObj, shown);
    auto& cache = projections();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    const bool hidden = showsHidden(*viewObj.view);
    return remember(key, shown.size() <= kExactBodies ? inGroups(shown, viewObj.view->modelView, hidden) : manyBodies(shown, viewObj.view->modelView, hidden));
}

// A lone body's visible edges in the view's direction, as a shade edit draws them.
geom::Projection projectionOfOne(Object& body, const std::string& modelView) {
    gp_XY move;
    geom::Projection out;
    bool first = true;
    append(out, first, solidProjection(session().shapeOf(body), geom::viewAxes(modelView), modelView, move), move, false);
    return out;
}

int rgbOf(int color) {
    const auto& c = session().colors[std::clamp(color, 0, 215)];
    auto byte = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return byte(c[0]) << 16 | byte(c[1]) << 8 | byte(c[2]);
}

// A view worked out from facets says so once, naming the bodies whose exact hidden lines are past the
// bound (or, when only together they are, all of them).
void tellFaceted(Object& viewObj) {
    static std::set<tag_t> told;
    if (!told.insert(viewObj.tag).second) return;
    Session& s = session();
    std::vector<std::string> heavy, all;
    for (Object* b : shownBodies(viewObj)) {
        const Attr* named = b->findAttr("DB_PART_NAME");
        const std::string name = text::toUtf8Lossy(!b->name.empty() ? b->name : named && !named->text.empty() ? named->text : "#" + std::to_string(b->tag));
        all.push_back(name);
        if (geom::hiddenLineWork({s.shapeOf(*b)}) > geom::kExactHiddenLineWork) heavy.push_back(name);
    }
    std::string names;
    for (const std::string& n : heavy.empty() ? all : heavy) names += (names.empty() ? "" : ", ") + n;
    const Object* sheet = s.find(viewObj.view->sheet);
    s.say("[draw] " + (sheet ? text::toUtf8Lossy(sheet->name) : std::string()) + " " + text::toUtf8Lossy(viewObj.name) +
          ": hidden lines worked out from facets, the exact removal being past its bound for " + names);
}

void drawView(Drawing& d, Object& viewObj) {
    const View& v = *viewObj.view;
    const geom::Projection& p = projectionOf(viewObj);
    if (p.empty()) return;
    if (p.faceted) tellFaceted(viewObj);
    const double cx = (p.xmin + p.xmax) / 2, cy = (p.ymin + p.ymax) / 2, k = v.scale;
    auto X = [&](double x) { return v.x + (x - cx) * k; };
    auto Y = [&](double y) { return v.y + (y - cy) * k; };
    auto draw = [&](const geom::Projection& proj, int rgb) {
        for (const geom::Curve2d& c : proj.curves) {
            std::string layer = c.visible ? "VISIBLE" : "HIDDEN";
            if (c.kind == geom::Curve2d::Circle || c.kind == geom::Curve2d::Arc) {
                Drawing::Arc a;
                a.cx = X(c.cx);
                a.cy = Y(c.cy);
                a.r = c.r * k;
                a.full = c.kind == geom::Curve2d::Circle;
                a.a1 = c.a1;
                a.a2 = c.a2;
                a.layer = layer;
                a.hidden = !c.visible;
                a.rgb = rgb;
                d.arcs.push_back(a);
            } else {
                Drawing::Path path;
                for (size_t i = 0; i + 1 < c.xy.size(); i += 2) {
                    path.xy.push_back(X(c.xy[i]));
                    path.xy.push_back(Y(c.xy[i + 1]));
                }
                path.layer = layer;
                path.hidden = !c.visible;
                path.rgb = rgb;
                d.paths.push_back(std::move(path));
            }
        }
    };
    draw(p, -1);
    for (auto& [body, shade] : shadedBodies(viewObj)) draw(projectionOfOne(*body, v.modelView), rgbOf(shade.color));
}

// A text's width in heights: a Chinese character is as wide as it is high, a Latin one about 0.6.
double widthOf(const std::string& utf8) {
    double w = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(utf8[i]);
        if ((ch & 0xC0) == 0x80) continue;
        w += ch >= 0xE0 ? 1.0 : 0.6;
    }
    return w;
}

// The two halves of a text of about equal width, split between characters.
std::pair<std::string, std::string> halves(const std::string& utf8) {
    const double whole = widthOf(utf8);
    double w = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(utf8[i]);
        if ((ch & 0xC0) == 0x80) continue;
        if (w >= whole / 2) return {utf8.substr(0, i), utf8.substr(i)};
        w += ch >= 0xE0 ? 1.0 : 0.6;
    }
    return {utf8, ""};
}

// No text on a sheet is smaller than this: smaller Chinese does not survive printing.
constexpr double kLeastText = 2.5;

void drawNote(Drawing& d, const Note& n, const Object& sheet) {
    double width = 0, height = 0;
    for (double w : n.columns) width += w;
    for (double h : n.rows) height += h;
    auto line = [&](double x1, double y1, double x2, double y2) { d.paths.push_back({{x1, y1, x2, y2}, "TITLE", false}); };
    double y = n.y;
    line(n.x, y, n.x + width, y);
    for (size_t r = 0; r < n.rows.size(); ++r) {
        double x = n.x;
        for (size_t c = 0; c < n.columns.size(); ++c) {
            const std::string& t = r < n.cells.size() && c < n.cells[r].size() ? n.cells[r][c] : std::string();
            if (!t.empty()) {
                // Texts fit their cell: at most 3.5 mm high, smaller when the cell is narrow, but never
                // under 2.5 mm: a text that would be goes on two lines of its cell.
                const std::string utf8 = text::toUtf8Lossy(withFields(t, sheet));
                const double cx = x + n.columns[c] / 2, cy = y - n.rows[r] / 2;
                const double h = std::min({3.5, n.rows[r] * 0.6, n.columns[c] * 0.9 / std::max(0.6, widthOf(utf8))});
                if (h >= kLeastText) {
                    d.texts.push_back({cx, cy, h, utf8, "TITLE"});
                } else {
                    const auto [first, second] = halves(utf8);
                    const double h2 = std::max(kLeastText, std::min({3.5, n.rows[r] * 0.42, n.columns[c] * 0.9 / std::max({0.6, widthOf(first), widthOf(second)})}));
                    d.texts.push_back({cx, cy + h2 * 0.6, h2, first, "TITLE"});
                    d.texts.push_back({cx, cy - h2 * 0.6, h2, second, "TITLE"});
                }
            }
            x += n.columns[c];
        }
        y -= n.rows[r];
        line(n.x, y, n.x + width, y);
    }
    double x = n.x;
    for (size_t c = 0; c <= n.columns.size(); ++c) {
        line(x, n.y, x, n.y - height);
        if (c < n.columns.size()) x += n.columns[c];
    }
}

}  // namespace

Drawing drawSheet(Object& sheetObj) {
    ahead::awaitSheet(sheetObj.tag);
    Session& s = session();
    const Sheet& sh = *sheetObj.sheet;
    Drawing d;
    d.width = sh.width;
    d.height = sh.height;
    for (const Line& l : sh.lines) d.paths.push_back({{l.x1, l.y1, l.x2, l.y2}, "FRAME", false});
    for (tag_t t : sh.notes)
        if (Object* n = s.find(t); n && n->note) drawNote(d, *n->note, sheetObj);
    for (tag_t t : sh.views)
        if (Object* v = s.find(t); v && v->view) drawView(d, *v);
    return d;
}

bool projected(Object& sheet) {
    Session& s = session();
    for (tag_t t : sheet.sheet->views)
        if (Object* v = s.find(t); v && v->view) {
            std::vector<Shown> shown;
            if (!projections().count(viewKey(*v, shown))) return false;
        }
    return true;
}

void drawAhead(const std::vector<Object*>& sheets) {
    // Sheets projected already cost the helper nothing, but a helper for nothing costs a copy of the
    // process: a render after an export starts none.
    std::vector<Object*> open;
    for (Object* sheet : sheets)
        if (!projected(*sheet)) open.push_back(sheet);
    ahead::start(open);
}

bool drawingAhead() { return ahead::running(); }

namespace ahead {
void keep(std::string key, geom::Projection p) { projections().emplace(std::move(key), std::move(p)); }
}  // namespace ahead

}  // namespace host::draft
