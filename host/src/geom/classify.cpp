#include "geom/classify.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>
#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepClass_FaceClassifier.hxx>
#include <BRepGProp.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <GProp_GProps.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <cstring>
#include "geom/kernel.h"
#include "geom/measure.h"
#include "geom/section.h"

namespace host::geom {
namespace {

// Directions of faces that went through another system's file agree to far better than this.
constexpr double kAngular = 1e-4;
// Flat bar is rolled up to this width; a wider or stubby strip is cut from plate.
constexpr double kFlatMaxWidth = 200;
// Up to this width a short strip of a rolled width is sawn from flat bar; wider, it is burnt from plate.
constexpr double kShortFlatMaxWidth = 60;

bool parallel(const gp_Dir& a, const gp_Dir& b) { return a.IsParallel(b, kAngular); }
bool square(const gp_Dir& a, const gp_Dir& b) { return a.IsNormal(b, kAngular); }

struct FaceData {
    TopoDS_Face face;
    int kind = kFaceOther;
    double area = 0;
    gp_Dir dir;       // planes: outward normal; cylinders and cones: axis
    gp_Pnt at;        // a point of the plane or the axis
};

struct Body {
    TopoDS_Shape solid;
    std::vector<FaceData> faces;
    double volume = 0, area = 0;
};

// A face that runs along `d`, as the sides of a bar sawn from stock along d do.
bool side(const FaceData& f, const gp_Dir& d) {
    if (f.kind == kFacePlanar) return square(f.dir, d);
    if (f.kind == kFaceCylindrical) return parallel(f.dir, d);
    return false;
}

// ---- outlines: a cut or a face seen flat, in the frame its longest straight edge sets ----

struct Circle {
    gp_Pnt centre;
    double radius = 0;
};

// The circle a wire runs round, when all its edges are arcs of one circle.
std::optional<Circle> circleOf(const TopoDS_Wire& w) {
    std::optional<Circle> c;
    for (TopExp_Explorer e(w, TopAbs_EDGE); e.More(); e.Next()) {
        BRepAdaptor_Curve curve(TopoDS::Edge(e.Current()));
        if (curve.GetType() != GeomAbs_Circle) return std::nullopt;
        const gp_Circ k = curve.Circle();
        if (!c) c = Circle{k.Location(), k.Radius()};
        else if (c->centre.Distance(k.Location()) > 1e-4 * c->radius || std::abs(c->radius - k.Radius()) > 1e-4 * c->radius)
            return std::nullopt;
    }
    return c;
}

struct Outline {
    TopoDS_Face face;
    gp_Ax3 frame;              // z square to the face, x along its longest straight edge
    double u0 = 0, u1 = 0, v0 = 0, v1 = 0, z = 0;
    double area = 0, perimeter = 0;
    double outerArea = 0;      // what the outer wire encloses, holes filled
    std::optional<Circle> round;
    std::vector<TopoDS_Wire> holes;
    std::vector<std::optional<Circle>> roundHoles;

    double width() const { return u1 - u0; }     // along x
    double height() const { return v1 - v0; }    // along y
    double shorter() const { return std::min(width(), height()); }
    double longer() const { return std::max(width(), height()); }
    // The wall of a thin section: area over half the perimeter, which a strip of constant thickness
    // meets to within its ends.
    double wall() const { return 2 * area / perimeter; }
    bool inside(double u, double v) const {
        const gp_Pnt p = frame.Location()
                             .Translated(gp_Vec(frame.XDirection()) * u)
                             .Translated(gp_Vec(frame.YDirection()) * v)
                             .Translated(gp_Vec(frame.Direction()) * z);
        return BRepClass_FaceClassifier(face, p, 1e-6).State() == TopAbs_IN;
    }
};

double enclosed(const TopoDS_Wire& w, const TopoDS_Face& on) {
    BRepBuilderAPI_MakeFace f(BRepAdaptor_Surface(on).Plane(), w, true);
    return f.IsDone() ? areaOf(f.Face()) : 0;
}

Outline outlineOf(const TopoDS_Face& face, const gp_Ax3& frame) {
    Outline o;
    o.face = face;
    o.frame = frame;
    const Bnd b = bnd(face, frame);
    o.u0 = b.min.X();
    o.u1 = b.max.X();
    o.v0 = b.min.Y();
    o.v1 = b.max.Y();
    o.z = (b.min.Z() + b.max.Z()) / 2;
    o.area = areaOf(face);
    const TopoDS_Wire outer = BRepTools::OuterWire(face);
    o.outerArea = enclosed(outer, face);
    o.round = circleOf(outer);
    for (TopExp_Explorer e(face, TopAbs_WIRE); e.More(); e.Next()) {
        const TopoDS_Wire& w = TopoDS::Wire(e.Current());
        o.perimeter += lengthOf(w);
        if (w.IsSame(outer)) continue;
        o.holes.push_back(w);
        o.roundHoles.push_back(circleOf(w));
    }
    return o;
}


// Cut from a strip as wide as the outline: straight edges along its longer side lie on both of its
// long borders, however short the mitres leave one of them.
bool cutFromStrip(const Outline& o) {
    const bool alongX = o.width() >= o.height();
    const gp_Dir along = alongX ? o.frame.XDirection() : o.frame.YDirection();
    const double lo = alongX ? o.v0 : o.u0, hi = alongX ? o.v1 : o.u1, tol = 1e-4 * (hi - lo) + 1e-6;
    bool low = false, high = false;
    for (TopExp_Explorer e(BRepTools::OuterWire(o.face), TopAbs_EDGE); e.More(); e.Next()) {
        BRepAdaptor_Curve c(TopoDS::Edge(e.Current()));
        if (c.GetType() != GeomAbs_Line || !parallel(c.Line().Direction(), along)) continue;
        const gp_Vec at(o.frame.Location(), c.Value(c.FirstParameter()));
        const double offset = at.Dot(gp_Vec(alongX ? o.frame.YDirection() : o.frame.XDirection()));
        low = low || std::abs(offset - lo) <= tol;
        high = high || std::abs(offset - hi) <= tol;
    }
    return low && high;
}

// Widths flat bar is rolled in, metric and inch.
const double kFlatWidths[] = {10, 12, 12.7, 14, 16, 18, 19.05, 20, 22, 25, 25.4, 28, 30, 31.75, 32, 35, 36, 38.1, 40, 45, 50, 50.8, 55, 56, 60};

// Flat bar is rolled up to 200 wide. A strip at least three times as long as wide is cut from it; a
// shorter narrow one too when it is as wide as a bar is rolled, otherwise from plate.
bool flatBar(double t, double w, double l) {
    // The limits hold to the box's own rounding.
    const double tol = 1e-6 * l;
    if (w > kFlatMaxWidth + tol || t > w + tol) return false;
    if (l >= 3 * w - tol) return true;
    return l >= w - tol && w <= kShortFlatMaxWidth && std::any_of(std::begin(kFlatWidths), std::end(kFlatWidths), [&](double rolled) { return std::abs(w - rolled) <= 0.05; });
}

// The words of a name, lower case, letters only.
std::vector<std::string> wordsOf(const std::string& name) {
    std::vector<std::string> out(1);
    for (char ch : name) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 128 && std::isalpha(c)) out.back() += static_cast<char>(std::tolower(c));
        else if (!out.back().empty()) out.emplace_back();
    }
    if (out.back().empty()) out.pop_back();
    return out;
}

// A short strip is cut from flat bar or from plate alike; what the designer called it decides.
bool namedFlat(const std::string& name) {
    if (name.find(u8"扁钢") != std::string::npos || name.find(u8"扁铁") != std::string::npos) return true;
    for (const std::string& w : wordsOf(name))
        if (w.rfind("strip", 0) == 0 || w == "flat" || w.rfind("flach", 0) == 0) return true;
    return false;
}

Told stock(const char* category, bool drawing) { return {category, "", drawing}; }
Told none(const std::string& reason) { return {"", reason, false}; }

// ---- plate: two parallel faces a thickness apart carry the whole body ----

std::optional<Told> asPlate(const Body& b, const std::string& name) {
    const FaceData* top = nullptr;
    for (const FaceData& f : b.faces)
        if (f.kind == kFacePlanar && (!top || f.area > top->area)) top = &f;
    if (!top) return std::nullopt;
    const gp_Dir n = top->dir;
    // The farthest face opposite it, and every corner of the body between the two.
    double t = 0;
    for (const FaceData& f : b.faces)
        if (f.kind == kFacePlanar && f.dir.IsOpposite(n, kAngular)) t = std::max(t, -gp_Vec(top->at, f.at).Dot(gp_Vec(n)));
    if (t <= 0) return std::nullopt;
    for (TopExp_Explorer v(b.solid, TopAbs_VERTEX); v.More(); v.Next()) {
        const double depth = -gp_Vec(top->at, BRep_Tool::Pnt(TopoDS::Vertex(v.Current()))).Dot(gp_Vec(n));
        if (depth < -1e-4 * t - 1e-6 || depth > t * (1 + 1e-4) + 1e-6) return std::nullopt;
    }
    // Holes, countersinks and chamfers take a little away; anything standing off the plate adds much.
    const double fill = b.volume / (top->area * t);
    if (fill < 0.85 || fill > 1.15) return std::nullopt;

    const Outline o = outlineOf(top->face, edgeFrame(top->face, BRepAdaptor_Surface(top->face).Plane().Location(), n));
    if (o.round) {
        // A disc is cut from plate when no thicker than its radius, a ring when no thicker than twice
        // its wall: a spacer or a length of pipe is sawn from bar or tube.
        const double r = o.round->radius;
        if (t > r * (1 + 1e-6)) return std::nullopt;
        for (size_t i = 0; i < o.holes.size(); ++i)
            if (o.roundHoles[i] && o.roundHoles[i]->centre.Distance(o.round->centre) < 1e-4 * r && t > 2 * (r - o.roundHoles[i]->radius) * (1 + 1e-6))
                return std::nullopt;
        return stock(u8"钢板", true);
    }
    if (t > o.shorter() * (1 + 1e-6)) return std::nullopt;
    const bool rectangle = o.outerArea >= o.width() * o.height() * (1 - 1e-4);
    const bool plain = rectangle && o.holes.empty() && b.faces.size() == 6;
    // As thick as wide: square bar when long, a block of plate when not.
    if (rectangle && std::abs(t - o.shorter()) <= 0.02 * o.shorter()) return stock(o.longer() >= 2 * o.shorter() ? u8"方钢" : u8"钢板", !plain);
    const bool flat = flatBar(t, o.shorter(), o.longer()) || (namedFlat(name) && o.shorter() <= kFlatMaxWidth * (1 + 1e-6));
    if (flat && cutFromStrip(o)) return stock(u8"扁钢", !plain);
    return stock(u8"钢板", !plain);
}

// ---- bar and tube: a section carried along one direction ----

// What a cross-section shows, measured once, for the rules to match.
struct Profile {
    Outline o;
    double length = 0;
    double wall = 0;
    int bends = 0;                          // pairs of concentric arcs a wall apart, and sharp bends
    bool s = false, n = false, w = false, e = false, c = false;   // probes: mid-sides, centre
    double innerFill = 0;                   // of a single hole, against its own box
};

int bendsOf(const Outline& o, double wall) {
    struct Arc { gp_Pnt centre; double radius; };
    std::vector<Arc> arcs;
    std::vector<gp_Pnt> corners;
    const TopoDS_Wire outer = BRepTools::OuterWire(o.face);
    for (TopExp_Explorer e(outer, TopAbs_EDGE); e.More(); e.Next()) {
        const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
        BRepAdaptor_Curve c(edge);
        if (c.GetType() == GeomAbs_Circle) arcs.push_back({c.Circle().Location(), c.Circle().Radius()});
        TopoDS_Vertex a, b;
        TopExp::Vertices(edge, a, b);
        if (!a.IsNull()) corners.push_back(BRep_Tool::Pnt(a));
    }
    const double tol = 1e-3 * wall + 1e-4;
    auto aWall = [&](double d) { return std::abs(d - wall) <= 0.25 * wall; };
    int bends = 0;
    std::vector<bool> used(arcs.size());
    for (size_t i = 0; i < arcs.size(); ++i) {
        if (used[i]) continue;
        bool bend = false;
        for (size_t j = i + 1; j < arcs.size(); ++j)
            if (!used[j] && arcs[i].centre.Distance(arcs[j].centre) <= tol && aWall(std::abs(arcs[i].radius - arcs[j].radius))) {
                used[j] = bend = true;
                break;
            }
        // Bent without an inner radius: one arc round the sharp inside corner.
        if (!bend && aWall(arcs[i].radius))
            bend = std::any_of(corners.begin(), corners.end(), [&](const gp_Pnt& p) { return p.Distance(arcs[i].centre) <= tol; });
        bends += bend;
    }
    return bends;
}

Profile profileOf(const Section& s) {
    Profile p;
    p.o = outlineOf(s.face, s.frame);
    p.length = s.length;
    p.wall = p.o.wall();
    p.bends = bendsOf(p.o, p.wall);
    const Outline& o = p.o;
    const double in = std::min(p.wall / 2, o.shorter() / 4);
    const double um = (o.u0 + o.u1) / 2, vm = (o.v0 + o.v1) / 2;
    p.s = o.inside(um, o.v0 + in);
    p.n = o.inside(um, o.v1 - in);
    p.w = o.inside(o.u0 + in, vm);
    p.e = o.inside(o.u1 - in, vm);
    p.c = o.inside(um, vm);
    if (o.holes.size() == 1) {
        const TopoDS_Face hole = BRepBuilderAPI_MakeFace(BRepAdaptor_Surface(o.face).Plane(), o.holes.front(), true);
        const Bnd hb = bnd(hole, o.frame);
        p.innerFill = areaOf(hole) / ((hb.max.X() - hb.min.X()) * (hb.max.Y() - hb.min.Y()));
    }
    return p;
}

bool thin(const Profile& p) { return p.wall <= p.o.shorter() / 4; }
bool boxy(const Profile& p) { return p.o.outerArea >= 0.9 * p.o.width() * p.o.height(); }
bool squareSection(const Profile& p) { return std::abs(p.o.width() - p.o.height()) <= 0.01 * p.o.longer(); }
bool tube(const Profile& p) { return p.o.holes.size() == 1 && !p.o.round && boxy(p) && p.innerFill >= 0.85 && thin(p); }
bool open(const Profile& p) { return p.o.holes.empty() && !p.o.round && thin(p) && !p.c; }
int sidesIn(const Profile& p) { return p.s + p.n + p.w + p.e; }
// Flanges on two opposite sides and a web through the middle.
bool beam(const Profile& p) { return p.o.holes.empty() && thin(p) && p.c && ((p.s && p.n && !p.w && !p.e) || (p.w && p.e && !p.s && !p.n)); }
double flangeOverDepth(const Profile& p) { return p.s ? p.o.width() / p.o.height() : p.o.height() / p.o.width(); }
bool solidBox(const Profile& p) { return p.o.holes.empty() && !p.o.round && p.o.outerArea >= 0.98 * p.o.width() * p.o.height(); }

// The sections of the stock a welded machine is cut from, tried in this order.
struct Rule {
    const char* category;
    const char* section;
    bool (*matches)(const Profile&);
};
const Rule kRules[] = {
    {u8"圆钢", "a full circle", [](const Profile& p) { return p.o.round && p.o.holes.empty(); }},
    {u8"无缝钢管", "a ring", [](const Profile& p) {
         return p.o.round && p.o.holes.size() == 1 && p.o.roundHoles[0] && p.o.roundHoles[0]->centre.Distance(p.o.round->centre) < 1e-4 * p.o.round->radius;
     }},
    {u8"方管", "a square ring, corners sharp or round", [](const Profile& p) { return tube(p) && squareSection(p); }},
    {u8"矩形管", "a rectangular ring, corners sharp or round", [](const Profile& p) { return tube(p) && !squareSection(p); }},
    // Sheet bends round concentric arcs a wall apart; rolled profiles have a sharp heel.
    {u8"钢板,折弯", "a strip of one thickness bent along its length", [](const Profile& p) {
         return p.o.holes.empty() && !p.o.round && p.bends > 0 && p.wall <= p.o.longer() / 5;
     }},
    {u8"角钢", "an L of two legs", [](const Profile& p) { return open(p) && sidesIn(p) == 2 && (p.s || p.n) && (p.w || p.e); }},
    {u8"槽钢", "a U: a web and two flanges", [](const Profile& p) { return open(p) && sidesIn(p) == 3; }},
    {u8"工字钢", "an I of narrow flanges", [](const Profile& p) { return beam(p) && flangeOverDepth(p) < 0.8; }},
    {u8"H型钢", "an H of wide flanges", [](const Profile& p) { return beam(p) && flangeOverDepth(p) >= 0.8; }},
    {u8"方钢", "a full square", [](const Profile& p) { return solidBox(p) && squareSection(p); }},
    {u8"扁钢", "a full rectangle a flat bar rolls", [](const Profile& p) {
         return solidBox(p) && !squareSection(p) && flatBar(p.o.shorter(), p.o.longer(), p.length);
     }},
    {u8"钢板", "a full rectangle", [](const Profile& p) { return solidBox(p); }},
};

// The direction most of the body's surface runs along, and how much of it does.
std::pair<gp_Dir, double> runningDirection(const Body& b) {
    std::vector<gp_Dir> candidates;
    auto add = [&](const gp_Dir& d) {
        if (std::none_of(candidates.begin(), candidates.end(), [&](const gp_Dir& c) { return parallel(c, d); })) candidates.push_back(d);
    };
    std::vector<const FaceData*> planes;
    for (const FaceData& f : b.faces) {
        if (f.kind == kFaceCylindrical || f.kind == kFaceConical) add(f.dir);
        if (f.kind == kFacePlanar) {
            add(f.dir);
            planes.push_back(&f);
        }
    }
    // A profile's sides meet along its length: their normals' cross products point along it.
    std::sort(planes.begin(), planes.end(), [](const FaceData* x, const FaceData* y) { return x->area > y->area; });
    planes.resize(std::min<size_t>(planes.size(), 12));
    for (size_t i = 0; i < planes.size(); ++i)
        for (size_t j = i + 1; j < planes.size(); ++j)
            if (!parallel(planes[i]->dir, planes[j]->dir)) add(planes[i]->dir.Crossed(planes[j]->dir));
    gp_Dir best;
    double most = -1;
    for (const gp_Dir& d : candidates) {
        double along = 0;
        for (const FaceData& f : b.faces)
            if (side(f, d)) along += f.area;
        if (along > most) {
            most = along;
            best = d;
        }
    }
    return {best, most / b.area};
}

Told asProfile(const Body& b) {
    const auto [axis, share] = runningDirection(b);
    if (share < 0.5) return none("not cut from bar, tube or sheet: its faces run no one way");
    const Section s = fullestSection(b.solid, axis);
    if (s.face.IsNull() || s.regions > 1) return none("its cross-section falls apart in pieces");
    // Every side of a length of stock shows in its full cut; a turned or built-up part has sides that
    // stop short of it (a shaft's steps, a bolt's shank under its head).
    const gp_Ax3 frame(gp::Origin(), axis);
    const double station = gp_Vec(s.frame.Location().XYZ()).Dot(gp_Vec(axis)), tol = 1e-6 * s.length + 1e-6;
    double sides = 0, offSection = 0;
    for (const FaceData& f : b.faces) {
        if (!side(f, axis)) continue;
        sides += f.area;
        const Bnd fb = bnd(f.face, frame);
        if (fb.min.Z() > station + tol || fb.max.Z() < station - tol) offSection += f.area;
    }
    if (offSection > 0.1 * sides || b.volume < 0.4 * s.area * s.length)
        return none("its cross-section changes along its length: turned, cast or built up, not cut from stock");
    const Profile p = profileOf(s);
    for (const Rule& r : kRules) {
        if (!r.matches(p)) continue;
        // Cut square from a length of stock: only side faces and two square ends, and the full section
        // all along. Anything else (holes, notches, mitres, chamfers) the shop cuts by a drawing.
        int ends = 0, others = 0;
        for (const FaceData& f : b.faces) {
            if (side(f, axis)) continue;
            if (f.kind == kFacePlanar && parallel(f.dir, axis)) ++ends;
            else ++others;
        }
        const bool plain = others == 0 && ends == 2 && b.volume >= s.area * s.length * (1 - 1e-4);
        const bool bent = std::string(r.category) == u8"钢板,折弯";
        return stock(r.category, bent || !plain);
    }
    char why[160];
    std::snprintf(why, sizeof why, "its cross-section (%.0f x %.0f, wall %.1f, %zu hole%s) is no stock's", p.o.longer(), p.o.shorter(), p.wall,
                  p.o.holes.size(), p.o.holes.size() == 1 ? "" : "s");
    return none(why);
}

Told tell(const TopoDS_Shape& shape, const std::string& name) {
    int solids = 0;
    TopoDS_Shape solid;
    for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) {
        ++solids;
        solid = e.Current();
    }
    if (solids != 1) return none(solids == 0 ? "not a solid" : "several solids in one body");
    Body b;
    b.solid = solid;
    GProp_GProps g;
    BRepGProp::VolumeProperties(solid, g);
    b.volume = g.Mass();
    if (b.volume < 1) {
        char why[80];
        std::snprintf(why, sizeof why, "a sliver of %.3g mm3, no part", b.volume);
        return none(why);
    }
    for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
        FaceData f;
        f.face = TopoDS::Face(e.Current());
        f.kind = faceKind(f.face);
        f.area = areaOf(f.face);
        if (f.kind == kFacePlanar) {
            f.dir = planeNormal(f.face);
            f.at = BRepAdaptor_Surface(f.face).Plane().Location();
        } else if (f.kind == kFaceCylindrical || f.kind == kFaceConical) {
            const gp_Ax1 a = faceAxis(f.face);
            f.dir = a.Direction();
            f.at = a.Location();
        }
        b.area += f.area;
        b.faces.push_back(f);
    }
    if (auto plate = asPlate(b, name)) return *plate;
    return asProfile(b);
}

// ---- materials a name tells ----

struct Word {
    const char* word;
    const char* material;
    double density;
};
// Lower-case words whose first letters a name's word starts with, and Chinese words it contains.
const Word kMaterials[] = {
    {"plywood", u8"胶合板", 0.6}, {"sperrholz", u8"胶合板", 0.6}, {"multiplex", u8"胶合板", 0.6},
    {"wood", u8"木材", 0.6},      {"timber", u8"木材", 0.6},      {"holz", u8"木材", 0.6},
    {"mdf", u8"木材", 0.75},      {"osb", u8"木材", 0.65},        {"rubber", u8"橡胶", 1.3},
    {"gummi", u8"橡胶", 1.3},     {"plastic", u8"塑料", 1.2},     {"kunststoff", u8"塑料", 1.2},
    {"nylon", u8"塑料", 1.14},    {"pvc", u8"塑料", 1.4},         {"hdpe", u8"塑料", 0.96},
    {"pe", u8"塑料", 0.95},       {"pp", u8"塑料", 0.9},          {"pom", u8"塑料", 1.41},
    {"acrylic", u8"塑料", 1.18},  {"plexiglas", u8"塑料", 1.18},  {"polycarbonate", u8"塑料", 1.2},
    {"foam", u8"塑料", 0.05},     {"glass", u8"玻璃", 2.5},       {"glas", u8"玻璃", 2.5},
};
// Words that name steel stock: a name that starts so is steel whatever it is for ("strip ... wood holder").
const char* const kSteelWords[] = {"strip", "flat", "tube", "pipe", "sheet", "plate", "angle", "bar", "channel", "beam",
                                   "profile", "steel", "rod", "stahl", "rohr", "blech", "winkel"};
const Word kChineseMaterials[] = {
    {u8"胶合板", u8"胶合板", 0.6}, {u8"木", u8"木材", 0.6}, {u8"橡胶", u8"橡胶", 1.3},
    {u8"塑料", u8"塑料", 1.2},     {u8"尼龙", u8"塑料", 1.14}, {u8"亚克力", u8"塑料", 1.18}, {u8"玻璃", u8"玻璃", 2.5},
};

}  // namespace

Told tellStock(const TopoDS_Shape& solid, const std::string& name) {
    if (solid.IsNull()) return none("no solid");
    try {
        return tell(solid, name);
    } catch (const Standard_Failure& e) {
        return none(kernelMessage("measure it", e));
    } catch (const std::exception& e) {
        return none(e.what());
    }
}

std::optional<Material> materialNamed(const std::string& name) {
    if (name.find(u8"钢") != std::string::npos) return std::nullopt;
    for (const Word& w : kChineseMaterials)
        if (name.find(w.word) != std::string::npos) return Material{w.material, w.density};
    // The first word that names a material or a steel stock decides.
    for (const std::string& word : wordsOf(name)) {
        for (const char* steel : kSteelWords)
            if (word.rfind(steel, 0) == 0) return std::nullopt;
        for (const Word& w : kMaterials) {
            // Short words only whole ("pe", "pp"), longer ones also as the start of a word ("wooden").
            if (std::strlen(w.word) <= 3 ? word == w.word : word.rfind(w.word, 0) == 0) return Material{w.material, w.density};
        }
    }
    return std::nullopt;
}

}  // namespace host::geom
