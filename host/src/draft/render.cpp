#include "draft/render.h"
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <BRepTools.hxx>
#include <TopoDS_TShape.hxx>
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

// Up to this many bodies a view is one hidden-line projection, bodies hiding each other. A larger view
// (a plant's general arrangement) would cost the square of its bodies: it is drawn body by body, each
// with the edges it shows itself, from projections of each solid kept by its turn in space, so that
// copies of a body anywhere in the plant are projected once.
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

geom::Projection eachBody(const std::vector<TopoDS_Shape>& shapes, const std::string& modelView) {
    const gp_Ax2 axes = geom::viewAxes(modelView);
    geom::Projection all;
    bool first = true;
    for (const TopoDS_Shape& sh : shapes) {
        gp_Trsf placed = sh.Location().Transformation();
        gp_Trsf turn = placed;
        turn.SetTranslationPart(gp_Vec(0, 0, 0));
        const gp_XYZ move = placed.TranslationPart();
        std::ostringstream key;
        key << modelView << "|one|" << geometryKey(sh) << '|' << trsfKey(turn);
        auto& cache = projections();
        auto it = cache.find(key.str());
        if (it == cache.end()) {
            TopoDS_Shape turned = sh.Located(TopLoc_Location(turn));
            it = cache.emplace(key.str(), geom::project({turned}, axes, false)).first;
        }
        const geom::Projection& p = it->second;
        if (p.empty()) continue;
        // A move in space is a move on the view plane: its parts along the view's x and y.
        const double dx = move.Dot(axes.XDirection().XYZ()), dy = move.Dot(axes.YDirection().XYZ());
        for (geom::Curve2d c : p.curves) {
            for (size_t i = 0; i + 1 < c.xy.size(); i += 2) c.xy[i] += dx, c.xy[i + 1] += dy;
            c.cx += dx;
            c.cy += dy;
            all.curves.push_back(std::move(c));
        }
        all.xmin = first ? p.xmin + dx : std::min(all.xmin, p.xmin + dx);
        all.xmax = first ? p.xmax + dx : std::max(all.xmax, p.xmax + dx);
        all.ymin = first ? p.ymin + dy : std::min(all.ymin, p.ymin + dy);
        all.ymax = first ? p.ymax + dy : std::max(all.ymax, p.ymax + dy);
        first = false;
    }
    return all;
}

const geom::Projection& projectionOf(Object& viewObj, bool hidden) {
    Session& s = session();
    std::vector<TopoDS_Shape> shapes;
    std::ostringstream key;
    key << viewObj.view->modelView << '|' << hidden;
    for (Object* b : shownBodies(viewObj)) {
        TopoDS_Shape sh = s.shapeOf(*b);
        key << '|' << b->tag << ':' << sh.TShape().get() << ':' << trsfKey(sh.Location().Transformation(), true);
        shapes.push_back(sh);
    }
    auto& cache = projections();
    auto it = cache.find(key.str());
    if (it != cache.end()) return it->second;
    geom::Projection p = shapes.size() <= kExactBodies ? geom::project(shapes, geom::viewAxes(viewObj.view->modelView), hidden)
                                                       : eachBody(shapes, viewObj.view->modelView);
    return cache.emplace(key.str(), std::move(p)).first->second;
}

// A lone body's visible edges in the view's direction, as a shade edit draws them.
const geom::Projection& projectionOfOne(Object& body, const std::string& modelView) {
    TopoDS_Shape sh = session().shapeOf(body);
    std::ostringstream key;
    key << modelView << "|alone|" << sh.TShape().get() << ':' << trsfKey(sh.Location().Transformation(), true);
    auto& cache = projections();
    auto it = cache.find(key.str());
    if (it == cache.end()) it = cache.emplace(key.str(), geom::project({sh}, geom::viewAxes(modelView), false)).first;
    return it->second;
}

int rgbOf(int color) {
    const auto& c = session().colors[std::clamp(color, 0, 215)];
    auto byte = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return byte(c[0]) << 16 | byte(c[1]) << 8 | byte(c[2]);
}

void drawView(Drawing& d, Object& viewObj) {
    const View& v = *viewObj.view;
    const bool iso = v.modelView == "TFR-ISO" || v.modelView == "TFR-TRI";
    const bool hidden = v.hiddenLineFont < 0 ? !iso : v.hiddenLineFont != 0;
    const geom::Projection& p = projectionOf(viewObj, hidden);
    if (p.empty()) return;
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

void drawNote(Drawing& d, const Note& n) {
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
                // Texts fit their cell: at most 3.5 mm high, smaller when the cell is narrow.
                std::string utf8 = text::toUtf8Lossy(t);
                size_t glyphs = 0;
                for (unsigned char ch : utf8) glyphs += (ch & 0xC0) != 0x80;
                double h = std::min({3.5, n.rows[r] * 0.6, n.columns[c] * 0.9 / std::max<size_t>(1, glyphs)});
                d.texts.push_back({x + n.columns[c] / 2, y - n.rows[r] / 2, h, utf8, "TITLE"});
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
    Session& s = session();
    const Sheet& sh = *sheetObj.sheet;
    Drawing d;
    d.width = sh.width;
    d.height = sh.height;
    for (const Line& l : sh.lines) d.paths.push_back({{l.x1, l.y1, l.x2, l.y2}, "FRAME", false});
    for (tag_t t : sh.notes)
        if (Object* n = s.find(t); n && n->note) drawNote(d, *n->note);
    for (tag_t t : sh.views)
        if (Object* v = s.find(t); v && v->view) drawView(d, *v);
    return d;
}

}  // namespace host::draft
