#include "geom/occlusion.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include "geom/kernel.h"

namespace host::geom {
namespace {

struct Facets {
    std::vector<gp_Pnt> nodes;  // in the solid's own frame
    std::vector<std::array<int, 3>> triangles;
    double deflection = 0;
};

// The facets of a solid, made once however many bodies share it or its geometry, on a copy: the body's
// own solid stays as files and measuring know it. Two thousandths of the solid's size fine, and finer
// round a bend.
const Facets& facetsOf(const TopoDS_Shape& placed, const std::string& geometry) {
    static std::map<const TopoDS_TShape*, std::pair<Handle(TopoDS_TShape), const Facets*>> bySolid;  // the handle keeps the address unique
    static std::map<std::string, Facets> byGeometry;
    auto it = bySolid.find(placed.TShape().get());
    if (it != bySolid.end()) return *it->second.second;
    if (!geometry.empty())
        if (auto g = byGeometry.find(geometry); g != byGeometry.end()) {
            bySolid.emplace(placed.TShape().get(), std::make_pair(placed.TShape(), &g->second));
            return g->second;
        }
    const TopoDS_Shape bare = placed.Located(TopLoc_Location());
    Bnd_Box box;
    BRepBndLib::Add(bare, box, false);
    Facets f;
    f.deflection = 0.002 * (box.IsVoid() ? 1.0 : std::sqrt(box.SquareExtent()));
    const TopoDS_Shape copy = BRepBuilderAPI_Copy(bare, true, false).Shape();
    BRepMesh_IncrementalMesh(copy, f.deflection, false, 0.2);
    for (TopExp_Explorer e(copy, TopAbs_FACE); e.More(); e.Next()) {
        TopLoc_Location at;
        const Handle(Poly_Triangulation) t = BRep_Tool::Triangulation(TopoDS::Face(e.Current()), at);
        if (t.IsNull()) continue;
        const gp_Trsf to = at.Transformation();
        const int base = static_cast<int>(f.nodes.size());
        for (int i = 1; i <= t->NbNodes(); ++i) f.nodes.push_back(t->Node(i).Transformed(to));
        for (int i = 1; i <= t->NbTriangles(); ++i) {
            int a = 0, b = 0, c = 0;
            t->Triangle(i).Get(a, b, c);
            f.triangles.push_back({base + a - 1, base + b - 1, base + c - 1});
        }
    }
    const std::string key = geometry.empty() ? "#" + std::to_string(bySolid.size()) : geometry;
    const Facets& kept = byGeometry.emplace(key, std::move(f)).first->second;
    bySolid.emplace(placed.TShape().get(), std::make_pair(placed.TShape(), &kept));
    return kept;
}

// A facet on the view plane, counter-clockwise, with its depth (toward the viewer) at its corners.
struct Facet {
    double x[3], y[3], z[3];
    double zmin, zmax, xmin, xmax, ymin, ymax;
    int body;
    // Signed distance of (px, py) from the facet's edges, least of the three: positive inside.
    double inside(double px, double py) const {
        double least = 1e300;
        for (int i = 0; i < 3; ++i) {
            const int j = (i + 1) % 3;
            const double ex = x[j] - x[i], ey = y[j] - y[i], len = std::hypot(ex, ey);
            least = std::min(least, (ex * (py - y[i]) - ey * (px - x[i])) / len);
        }
        return least;
    }
    // The depth at (px, py), within the facet's own depths.
    double depth(double px, double py) const {
        const double a = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
        const double l0 = ((x[1] - px) * (y[2] - py) - (x[2] - px) * (y[1] - py)) / a;
        const double l1 = ((x[2] - px) * (y[0] - py) - (x[0] - px) * (y[2] - py)) / a;
        return std::clamp(l0 * z[0] + l1 * z[1] + (1 - l0 - l1) * z[2], zmin, zmax);
    }
};

// The facets of every body on the view plane, found by cell: each cell lists the facets whose box meets it.
class Scene {
public:
    Scene(const std::vector<OwnView>& bodies, const gp_Ax2& axes) {
        const gp_XYZ X = axes.XDirection().XYZ(), Y = axes.YDirection().XYZ(), Z = axes.Direction().XYZ();
        for (size_t b = 0; b < bodies.size(); ++b) {
            const Facets& f = facetsOf(bodies[b].solid, bodies[b].geometry);
            deflection_.push_back(f.deflection);
            first_.push_back(static_cast<int>(facets_.size()));
            const gp_Trsf placed = bodies[b].solid.Location().Transformation();
            std::vector<gp_XYZ> at;
            at.reserve(f.nodes.size());
            for (const gp_Pnt& n : f.nodes) at.push_back(n.Transformed(placed).XYZ());
            for (const auto& t : f.triangles) {
                Facet q;
                for (int i = 0; i < 3; ++i) q.x[i] = at[t[i]].Dot(X), q.y[i] = at[t[i]].Dot(Y), q.z[i] = at[t[i]].Dot(Z);
                const double area = (q.x[1] - q.x[0]) * (q.y[2] - q.y[0]) - (q.x[2] - q.x[0]) * (q.y[1] - q.y[0]);
                // A facet seen edge-on covers nothing; the faces beside it do.
                if (std::abs(area) <= 1e-9 * f.deflection * f.deflection) continue;
                if (area < 0) std::swap(q.x[1], q.x[2]), std::swap(q.y[1], q.y[2]), std::swap(q.z[1], q.z[2]);
                q.zmin = std::min({q.z[0], q.z[1], q.z[2]}), q.zmax = std::max({q.z[0], q.z[1], q.z[2]});
                q.xmin = std::min({q.x[0], q.x[1], q.x[2]}), q.xmax = std::max({q.x[0], q.x[1], q.x[2]});
                q.ymin = std::min({q.y[0], q.y[1], q.y[2]}), q.ymax = std::max({q.y[0], q.y[1], q.y[2]});
                q.body = static_cast<int>(b);
                facets_.push_back(q);
            }
        }
        first_.push_back(static_cast<int>(facets_.size()));
        if (facets_.empty()) return;
        x0_ = x1_ = facets_[0].xmin, y0_ = y1_ = facets_[0].ymin;
        for (const Facet& q : facets_) x0_ = std::min(x0_, q.xmin), x1_ = std::max(x1_, q.xmax), y0_ = std::min(y0_, q.ymin), y1_ = std::max(y1_, q.ymax);
        // About as many cells as facets, at most a thousand a side.
        n_ = std::clamp(static_cast<int>(std::sqrt(static_cast<double>(facets_.size()))), 8, 1000);
        cw_ = std::max((x1_ - x0_) / n_, 1e-9), ch_ = std::max((y1_ - y0_) / n_, 1e-9);
        std::vector<int> count(static_cast<size_t>(n_) * n_ + 1, 0);
        auto cells = [&](const Facet& q, auto&& each) {
            const int i0 = column(q.xmin), i1 = column(q.xmax), j0 = row(q.ymin), j1 = row(q.ymax);
            for (int j = j0; j <= j1; ++j)
                for (int i = i0; i <= i1; ++i) each(j * n_ + i);
        };
        for (const Facet& q : facets_) cells(q, [&](int c) { ++count[c + 1]; });
        for (size_t c = 1; c < count.size(); ++c) count[c] += count[c - 1];
        start_ = count;
        list_.resize(count.back());
        for (size_t k = 0; k < facets_.size(); ++k) cells(facets_[k], [&](int c) { list_[count[c]++] = static_cast<int>(k); });
        // Nearest first: a search for what is in front stops at the first facet behind.
        for (int c = 0; c < n_ * n_; ++c)
            std::sort(list_.begin() + start_[c], list_.begin() + start_[c + 1], [&](int a, int b) { return facets_[a].zmax > facets_[b].zmax; });
    }

    // Whether another body covers the point of body b's curve in front of b.
    bool hidden(int b, double px, double py, double tolerance) const {
        if (facets_.empty() || px < x0_ || px > x1_ || py < y0_ || py > y1_) return false;
        // The body's own depth there: its nearest facet at the point, facets a hair off counting, since
        // its curves run along its outline. Its own facets only: a plant seen along its rows has
        // thousands of others behind every point.
        double own = -1e300;
        const double reach = deflection_[b] + tolerance;
        for (int k = first_[b]; k < first_[b + 1]; ++k) {
            const Facet& q = facets_[k];
            if (q.zmax <= own || px < q.xmin - reach || px > q.xmax + reach || py < q.ymin - reach || py > q.ymax + reach) continue;
            if (q.inside(px, py) >= -reach) own = std::max(own, q.depth(px, py));
        }
        const int c = row(py) * n_ + column(px);
        if (own == -1e300) return false;
        for (int k = start_[c]; k < start_[c + 1]; ++k) {
            const Facet& q = facets_[list_[k]];
            // Nothing further down the list is nearer than this one, by any facet's margin.
            if (q.zmax <= own + deflection_[b] + tolerance) break;
            const double margin = deflection_[b] + deflection_[q.body] + tolerance;
            if (q.body == b || px < q.xmin || px > q.xmax || py < q.ymin || py > q.ymax) continue;
            if (q.inside(px, py) > tolerance && q.depth(px, py) > own + margin) return true;
        }
        return false;
    }

private:
    int column(double x) const { return std::clamp(static_cast<int>((x - x0_) / cw_), 0, n_ - 1); }
    int row(double y) const { return std::clamp(static_cast<int>((y - y0_) / ch_), 0, n_ - 1); }
    std::vector<Facet> facets_;
    std::vector<double> deflection_;
    std::vector<int> first_;  // each body's facets run from first_[b] to first_[b + 1]
    std::vector<int> start_, list_;
    double x0_ = 0, x1_ = 0, y0_ = 0, y1_ = 0, cw_ = 1, ch_ = 1;
    int n_ = 0;
};

// A curve by the share t of its length run: its point, its length, and the stretch between two shares.
struct Walk {
    const Curve2d& c;
    double span = 0;  // arcs and circles: degrees; polylines: length
    std::vector<double> along;
    explicit Walk(const Curve2d& curve) : c(curve) {
        if (c.kind == Curve2d::Circle) {
            span = 360;
        } else if (c.kind == Curve2d::Arc) {
            span = std::fmod(c.a2 - c.a1 + 720, 360.0);
            if (span <= 0) span = 360;
        } else if (c.kind == Curve2d::Polyline) {
            along.push_back(0);
            for (size_t i = 2; i + 1 < c.xy.size(); i += 2) along.push_back(along.back() + std::hypot(c.xy[i] - c.xy[i - 2], c.xy[i + 1] - c.xy[i - 1]));
            span = along.back();
        }
    }
    double length() const {
        if (c.kind == Curve2d::Segment) return std::hypot(c.xy[2] - c.xy[0], c.xy[3] - c.xy[1]);
        if (c.kind == Curve2d::Polyline) return span;
        return c.r * span * M_PI / 180;
    }
    gp_XY at(double t) const {
        if (c.kind == Curve2d::Segment) return gp_XY(c.xy[0] + t * (c.xy[2] - c.xy[0]), c.xy[1] + t * (c.xy[3] - c.xy[1]));
        if (c.kind == Curve2d::Polyline) {
            const double s = t * span;
            size_t i = std::upper_bound(along.begin(), along.end(), s) - along.begin();
            i = std::clamp<size_t>(i, 1, along.size() - 1);
            const double seg = along[i] - along[i - 1], u = seg > 0 ? (s - along[i - 1]) / seg : 0;
            return gp_XY(c.xy[2 * i - 2] + u * (c.xy[2 * i] - c.xy[2 * i - 2]), c.xy[2 * i - 1] + u * (c.xy[2 * i + 1] - c.xy[2 * i - 1]));
        }
        const double a = (c.kind == Curve2d::Arc ? c.a1 : 0) + t * span;
        return gp_XY(c.cx + c.r * std::cos(a * M_PI / 180), c.cy + c.r * std::sin(a * M_PI / 180));
    }
    Curve2d piece(double t0, double t1, bool visible) const {
        Curve2d p = c;
        p.visible = visible;
        if (t0 <= 0 && t1 >= 1) return p;
        if (c.kind == Curve2d::Segment) {
            const gp_XY a = at(t0), b = at(t1);
            p.xy = {a.X(), a.Y(), b.X(), b.Y()};
        } else if (c.kind == Curve2d::Polyline) {
            const gp_XY a = at(t0), b = at(t1);
            p.xy = {a.X(), a.Y()};
            for (size_t i = 1; i + 1 < along.size(); ++i)
                if (along[i] > t0 * span && along[i] < t1 * span) p.xy.push_back(c.xy[2 * i]), p.xy.push_back(c.xy[2 * i + 1]);
            p.xy.push_back(b.X());
            p.xy.push_back(b.Y());
        } else {
            const double from = c.kind == Curve2d::Arc ? c.a1 : 0;
            p.kind = Curve2d::Arc;
            p.a1 = from + t0 * span;
            p.a2 = from + t1 * span;
        }
        return p;
    }
};

void grow(Projection& p, const Curve2d& c, bool& first) {
    auto take = [&](double x, double y) {
        if (first) { p.xmin = p.xmax = x; p.ymin = p.ymax = y; first = false; return; }
        p.xmin = std::min(p.xmin, x), p.xmax = std::max(p.xmax, x), p.ymin = std::min(p.ymin, y), p.ymax = std::max(p.ymax, y);
    };
    if (c.kind == Curve2d::Circle || c.kind == Curve2d::Arc) {
        take(c.cx - c.r, c.cy - c.r);
        take(c.cx + c.r, c.cy + c.r);
    } else {
        for (size_t i = 0; i + 1 < c.xy.size(); i += 2) take(c.xy[i], c.xy[i + 1]);
    }
}

Curve2d moved(const Curve2d& src, const gp_XY& m) {
    Curve2d c = src;
    for (size_t i = 0; i + 1 < c.xy.size(); i += 2) c.xy[i] += m.X(), c.xy[i + 1] += m.Y();
    c.cx += m.X();
    c.cy += m.Y();
    return c;
}

}  // namespace

double curveLength(const Projection& p, bool visible) {
    double sum = 0;
    for (const Curve2d& c : p.curves)
        if (c.visible == visible) sum += Walk(c).length();
    return sum;
}

Projection occluded(const std::vector<OwnView>& bodies, const gp_Ax2& axes, bool hidden) {
    Projection out;
    if (bodies.empty()) return out;
    return kernel("hide the bodies behind each other", [&] {
        // The view's size, from where the bodies' own projections stand.
        Projection all;
        bool first = true;
        for (const OwnView& b : bodies)
            for (const Curve2d& c : b.own->curves) grow(all, moved(c, b.move), first);
        const double size = std::max({all.xmax - all.xmin, all.ymax - all.ymin, 1e-9});
        const double step = size / 2000, tolerance = 1e-6 * size;
        const Scene scene(bodies, axes);
        first = true;
        auto keep = [&](Curve2d c) {
            grow(out, c, first);
            out.curves.push_back(std::move(c));
        };
        for (size_t b = 0; b < bodies.size(); ++b) {
            out.faceted = out.faceted || bodies[b].own->faceted;
            for (const Curve2d& src : bodies[b].own->curves) {
                Curve2d c = moved(src, bodies[b].move);
                if (!c.visible) {
                    if (hidden) keep(std::move(c));
                    continue;
                }
                const Walk w(c);
                const int n = std::max(2, static_cast<int>(std::ceil(w.length() / step)) + 1);
                auto covered = [&](double t) {
                    const gp_XY p = w.at(t);
                    return scene.hidden(static_cast<int>(b), p.X(), p.Y(), tolerance);
                };
                // Stretches of one state, each change found between its two steps by halving.
                double from = 0;
                bool state = covered(0);
                for (int i = 1; i < n; ++i) {
                    const double t = static_cast<double>(i) / (n - 1);
                    if (covered(t) == state) continue;
                    double lo = static_cast<double>(i - 1) / (n - 1), hi = t;
                    for (int k = 0; k < 7; ++k) {
                        const double mid = (lo + hi) / 2;
                        (covered(mid) == state ? lo : hi) = mid;
                    }
                    if (!state || hidden) keep(w.piece(from, (lo + hi) / 2, !state));
                    from = (lo + hi) / 2;
                    state = !state;
                }
                if (!state || hidden) keep(w.piece(from, 1, !state));
            }
        }
        return out;
    });
}

}  // namespace host::geom
