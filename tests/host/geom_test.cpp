#include "geom/measure.h"
#include "geom/occlusion.h"
#include "geom/projection.h"
#include "geom/stock.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>

#include <gtest/gtest.h>
#include <unistd.h>

#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <GeomAPI_PointsToBSpline.hxx>
#include <Geom_BSplineCurve.hxx>
#include <TColgp_Array1OfPnt.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepClass3d_SolidClassifier.hxx>
#include <BRepClass_FaceClassifier.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCone.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <STEPControl_Writer.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <gp_Lin.hxx>
#include <gp_Pln.hxx>

using namespace host::geom;

namespace {

Stock sized(const std::string& kind, std::vector<double> size) { return {kind, std::move(size), {}, ""}; }
Stock bent(std::vector<double> flanges, std::vector<double> angles, double t, double r, double w) {
    return {"bent_plate", {}, {std::move(flanges), std::move(angles), t, r, w}, ""};
}

void expectPnt(const gp_Pnt& got, const gp_Pnt& want, double tol = 1e-6) {
    EXPECT_NEAR(got.X(), want.X(), tol);
    EXPECT_NEAR(got.Y(), want.Y(), tol);
    EXPECT_NEAR(got.Z(), want.Z(), tol);
}

void expectBox(const TopoDS_Shape& s, const gp_Pnt& min, const gp_Pnt& max, double tol = 1e-6) {
    const Bnd b = bnd(s);
    expectPnt(b.min, min, tol);
    expectPnt(b.max, max, tol);
}

// The planar face with outward normal `n` through `p`.
TopoDS_Face faceAt(const TopoDS_Shape& s, gp_Pnt p, gp_Dir n) {
    const TopoDS_Shape v = BRepBuilderAPI_MakeVertex(p).Shape();
    for (TopExp_Explorer ex(s, TopAbs_FACE); ex.More(); ex.Next()) {
        const TopoDS_Face f = TopoDS::Face(ex.Current());
        if (faceKind(f) == kFacePlanar && planeNormal(f).IsEqual(n, 1e-9) && minDistance(f, v).value < 1e-7) return f;
    }
    ADD_FAILURE() << "no such face";
    return TopoDS_Face();
}

// A point inside a face, which need not hold its centre of area.
gp_Pnt pointIn(const TopoDS_Face& f) {
    double u0, u1, v0, v1;
    BRepTools::UVBounds(f, u0, u1, v0, v1);
    for (int i = 1; i < 100; ++i) {
        const gp_Pnt2d uv(u0 + (u1 - u0) * (i % 10) / 10, v0 + (v1 - v0) * (i / 10) / 10);
        if (BRepClass_FaceClassifier(f, uv, 1e-7).State() == TopAbs_IN) return BRepAdaptor_Surface(f).Value(uv.X(), uv.Y());
    }
    ADD_FAILURE() << "no point inside the face";
    return gp_Pnt();
}

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("geom_test_" + std::to_string(getpid()) + name)).string();
}

const double kQuarter = M_PI / 2 * 4;  // a 90 degree bend at mid-line radius 4 (r 3, t 2)

}  // namespace

TEST(GeomStock, EveryKindHasItsVolumeTopologyAndPlace) {
    struct Case {
        const char* name;
        Stock stock;
        double volume;
        int faces, edges;
        gp_Pnt min, max;
    };
    const Case cases[] = {
        {"block", sized("block", {10, 20, 30}), 6000, 6, 12, {0, 0, 0}, {10, 20, 30}},
        {"plate", sized("plate", {200, 100, 8}), 160000, 6, 12, {0, 0, 0}, {200, 100, 8}},
        {"flat", sized("flat", {500, 40, 5}), 100000, 6, 12, {0, 0, 0}, {500, 40, 5}},
        {"square_tube", sized("square_tube", {40, 3, 100}), (1600 - 34 * 34) * 100.0, 10, 24, {0, 0, 0}, {100, 40, 40}},
        {"rect_tube", sized("rect_tube", {60, 40, 4, 250}), (2400 - 52 * 32) * 250.0, 10, 24, {0, 0, 0}, {250, 60, 40}},
        {"angle", sized("angle", {50, 30, 5, 300}), 375 * 300.0, 8, 18, {0, 0, 0}, {300, 50, 30}},
        {"round_bar", sized("round_bar", {20, 150}), M_PI * 100 * 150, 3, 3, {0, -10, -10}, {150, 10, 10}},
        {"cylinder", sized("cylinder", {80, 12}), M_PI * 1600 * 12, 3, 3, {0, -40, -40}, {12, 40, 40}},
        {"pipe", sized("pipe", {60, 5, 400}), M_PI * 275 * 400, 4, 6, {0, -30, -30}, {400, 30, 30}},
        // The mid-line starts at the origin; a positive bend turns the next flange up at x = 50 + 4.
        {"bent up", bent({50, 30}, {90}, 2, 3, 20), 40 * (80 + kQuarter), 10, 24, {0, 0, -1}, {55, 20, 34}},
        {"bent down", bent({50, 30}, {-90}, 2, 3, 20), 40 * (80 + kQuarter), 10, 24, {0, 0, -34}, {55, 20, 1}},
        {"bent sharp inside", bent({50, 30}, {90}, 2, 0, 20), 40 * (80 + M_PI / 2), 9, 21, {0, 0, -1}, {52, 20, 31}},
        {"channel", bent({40, 20, 40}, {90, 90}, 2, 3, 15), 30 * (100 + 2 * kQuarter), 14, 36, {0, 0, -1}, {45, 15, 29}},
        {"bent flat", bent({120}, {}, 3, 1, 40), 120 * 3 * 40.0, 6, 12, {0, 0, -1.5}, {120, 40, 1.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TopoDS_Shape s = makeStock(c.stock);
        ASSERT_EQ(s.ShapeType(), TopAbs_SOLID);
        EXPECT_TRUE(BRepCheck_Analyzer(s).IsValid());
        EXPECT_NEAR(massProps(s).volume, c.volume, c.volume * 1e-3);
        if (c.stock.kind == "bent_plate") {
            EXPECT_NEAR(massProps(s).volume, c.stock.bent.t * c.stock.bent.w * unfoldedLength(c.stock.bent), 1e-6);
        }
        EXPECT_EQ(faceCount(s), c.faces);
        EXPECT_EQ(edgeCount(s), c.edges);
        expectBox(s, c.min, c.max);
    }
    // The angle's material is along its legs, not in the open corner.
    const MassProps m = massProps(makeStock(sized("angle", {50, 30, 5, 300})));
    expectPnt(m.centroid, gp_Pnt(150, (250 * 25.0 + 125 * 2.5) / 375, (250 * 2.5 + 125 * 17.5) / 375));
}

TEST(GeomStock, BadInputThrowsNamingTheStock) {
    const std::pair<Stock, const char*> cases[] = {
        {sized("girder", {1, 2, 3}), "girder"},         {sized("block", {10, 20}), "block"},
        {sized("round_bar", {10, 20, 30}), "round_bar"}, {sized("plate", {100, 0, 5}), "plate"},
        {sized("pipe", {60, -5, 400}), "pipe"},          {sized("flat", {100, NAN, 5}), "flat"},
        {sized("square_tube", {40, 20, 100}), "square_tube"}, {sized("rect_tube", {60, 10, 5, 100}), "rect_tube"},
        {sized("pipe", {60, 30, 100}), "pipe"},          {sized("angle", {50, 5, 5, 100}), "angle"},
        {bent({50, 30}, {90}, 2, -1, 20), "bent_plate"}, {bent({50, 30, 20}, {90}, 2, 3, 20), "bent_plate"},
        {bent({50}, {90}, 2, 3, 20), "bent_plate"},      {bent({50, 30}, {0}, 2, 3, 20), "bent_plate"},
        {bent({50, 30}, {-180}, 2, 3, 20), "bent_plate"}, {bent({50, 30}, {90}, 0, 3, 20), "bent_plate"},
        {bent({50, 0}, {90}, 2, 3, 20), "bent_plate"},   {bent({}, {}, 2, 3, 20), "bent_plate"},
        {bent({50, 20, 50}, {135, 135}, 2, 1, 20), "bent_plate"},  // the last flange crosses the first
        {{"step", {}, {}, tempPath("missing.step")}, "step"},
    };
    for (const auto& [stock, mentions] : cases) {
        try {
            makeStock(stock);
            ADD_FAILURE() << "no exception for " << mentions;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(mentions), std::string::npos) << e.what();
        }
    }
}

TEST(GeomShapeText, RoundTripKeepsTheShapeAndDamagedTextThrows) {
    for (const Stock& st : {sized("block", {10, 20, 30}), sized("pipe", {60, 5, 400}), bent({40, 20, 40}, {90, -45}, 2, 3, 20)}) {
        const TopoDS_Shape s = makeStock(st);
        const TopoDS_Shape back = fromText(toText(s));
        EXPECT_NEAR(massProps(back).volume, massProps(s).volume, 1e-9 * massProps(s).volume) << st.kind;
        EXPECT_EQ(faceCount(back), faceCount(s)) << st.kind;
        EXPECT_EQ(edgeCount(back), edgeCount(s)) << st.kind;
        expectBox(back, bnd(s).min, bnd(s).max, 1e-9);
    }
    const std::string good = toText(makeStock(sized("block", {10, 20, 30})));
    for (const std::string& text : {std::string(), std::string("not a shape"), good.substr(0, good.size() / 2), good.substr(good.size() / 2)})
        EXPECT_THROW(fromText(text), std::runtime_error) << text.substr(0, 40);
}

TEST(GeomPlacement, MovesThePlateIntoItsFrameAndRejectsParallelAxes) {
    const TopoDS_Shape plate = makeStock(sized("plate", {100, 50, 10}));
    struct Case {
        double at[3], x[3], z[3];
        gp_Pnt min, max;
    };
    const Case cases[] = {
        {{5, 6, 7}, {2, 0, 0}, {0, 0, 3}, {5, 6, 7}, {105, 56, 17}},
        {{10, 20, 30}, {0, 1, 0}, {0, 0, 1}, {-40, 20, 30}, {10, 120, 40}},  // y = z x x = -x
        {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 0}, {100, 50, 10}},          // z leaning on x is straightened
        {{0, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, -10, 0}, {100, 0, 50}},        // standing: width up
    };
    for (const Case& c : cases) expectBox(BRepBuilderAPI_Transform(plate, placement(c.at, c.x, c.z)).Shape(), c.min, c.max);

    const double o[3] = {0, 0, 0}, x[3] = {1, 0, 0}, zero[3] = {0, 0, 0};
    const double parallel[][3] = {{3, 0, 0}, {-2, 0, 0}, {1, 1e-12, 0}};
    for (const auto& z : parallel) EXPECT_THROW(placement(o, x, z), std::runtime_error);
    EXPECT_THROW(placement(o, zero, x), std::runtime_error);
    EXPECT_THROW(placement(o, x, zero), std::runtime_error);
}

TEST(GeomStep, ReadsTheFirstSolidOfAStepFile) {
    auto stepOf = [](const TopoDS_Shape& s, const std::string& name) {
        STEPControl_Writer w;
        EXPECT_EQ(w.Transfer(s, STEPControl_AsIs), IFSelect_RetDone);
        EXPECT_EQ(w.Write(tempPath(name).c_str()), IFSelect_RetDone);
        return Stock{"step", {}, {}, tempPath(name)};
    };
    const TopoDS_Shape box = makeStock(stepOf(BRepPrimAPI_MakeBox(gp_Pnt(1, 2, 3), 10, 20, 30).Shape(), "box.step"));
    EXPECT_EQ(box.ShapeType(), TopAbs_SOLID);
    EXPECT_EQ(faceCount(box), 6);
    expectBox(box, gp_Pnt(1, 2, 3), gp_Pnt(11, 22, 33));

    TopoDS_Compound two;
    BRep_Builder b;
    b.MakeCompound(two);
    b.Add(two, BRepPrimAPI_MakeBox(10, 10, 10).Shape());
    b.Add(two, BRepPrimAPI_MakeBox(gp_Pnt(20, 0, 0), 5, 5, 5).Shape());
    EXPECT_NEAR(massProps(makeStock(stepOf(two, "two.step"))).volume, 1000, 1);

    EXPECT_THROW(makeStock(stepOf(BRepBuilderAPI_MakeFace(gp_Pln(), 0, 10, 0, 10).Shape(), "face.step")), std::runtime_error);
    for (const char* n : {"box.step", "two.step", "face.step"}) std::filesystem::remove(tempPath(n));
}

TEST(GeomMeasure, ExactBoxesInTheWorldAndInAFrame) {
    // A block turned and moved is, in its own frame, its plain size again; in a mirrored frame, y flips.
    const gp_Ax3 frame(gp_Pnt(5, -3, 2), gp_Dir(0, 0, 1), gp_Dir(std::cos(0.5), std::sin(0.5), 0));
    gp_Trsf place;
    place.SetTransformation(frame, gp_Ax3());
    const TopoDS_Shape block = BRepBuilderAPI_Transform(BRepPrimAPI_MakeBox(10, 20, 30).Shape(), place).Shape();
    expectPnt(bnd(block, frame).min, gp_Pnt(0, 0, 0));
    expectPnt(bnd(block, frame).max, gp_Pnt(10, 20, 30));
    gp_Ax3 mirrored = frame;
    mirrored.YReverse();
    expectPnt(bnd(block, mirrored).min, gp_Pnt(0, -20, 0));
    expectPnt(bnd(block, mirrored).max, gp_Pnt(10, 0, 30));
    EXPECT_THROW(bnd(TopoDS_Shape()), std::runtime_error);
}

TEST(GeomMeasure, FacesAndEdgesAreNumberedAsTheHostDoes) {
    const std::pair<TopoDS_Shape, std::map<int, int>> cases[] = {  // kind -> count, faces and edges together
        {makeStock(sized("pipe", {60, 5, 400})), {{16, 2}, {22, 2}, {3002, 4}, {3001, 2}}},
        {makeStock(bent({40, 20, 40}, {90, -45}, 2, 3, 20)), {{16, 4}, {22, 10}, {3002, 8}, {3001, 28}}},
        {BRepPrimAPI_MakeCone(10, 5, 20).Shape(), {{17, 1}, {22, 2}, {3002, 2}, {3001, 1}}},
        {BRepPrimAPI_MakeSphere(10).Shape(), {{0, 3}, {3002, 1}}},  // the sphere and its two degenerate edges
    };
    for (const auto& [shape, want] : cases) {
        std::map<int, int> got;
        TopTools_IndexedMapOfShape faces, edges;
        TopExp::MapShapes(shape, TopAbs_FACE, faces);
        TopExp::MapShapes(shape, TopAbs_EDGE, edges);
        for (int i = 1; i <= faces.Extent(); ++i) ++got[faceKind(TopoDS::Face(faces(i)))];
        for (int i = 1; i <= edges.Extent(); ++i) ++got[edgeKind(TopoDS::Edge(edges(i)))];
        EXPECT_EQ(got, want);
    }
}

TEST(GeomMeasure, NormalsAxesEndsAndDistances) {
    // Every planar normal points out of its solid, whichever way the face was built.
    for (const Stock& st : {sized("block", {10, 20, 30}), bent({40, 20, 40}, {90, -45}, 2, 3, 20)}) {
        const TopoDS_Shape s = makeStock(st);
        for (TopExp_Explorer ex(s, TopAbs_FACE); ex.More(); ex.Next()) {
            const TopoDS_Face f = TopoDS::Face(ex.Current());
            if (faceKind(f) != kFacePlanar) continue;
            const gp_Vec step(planeNormal(f).XYZ() * 0.1);
            EXPECT_EQ(BRepClass3d_SolidClassifier(s, pointIn(f).Translated(step), 1e-7).State(), TopAbs_OUT) << st.kind;
            EXPECT_EQ(BRepClass3d_SolidClassifier(s, pointIn(f).Translated(-step), 1e-7).State(), TopAbs_IN) << st.kind;
        }
    }
    // On a left-handed plane a lone face's normal is still x cross y of its surface.
    gp_Ax3 left(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1), gp_Dir(1, 0, 0));
    left.YReverse();
    EXPECT_TRUE(planeNormal(BRepBuilderAPI_MakeFace(gp_Pln(left), 0, 1, 0, 1).Face()).IsEqual(gp_Dir(0, 0, -1), 1e-12));

    // The bend turns about y through (50, 4), with the inner and outer radii.
    std::multiset<long> radii;
    for (TopExp_Explorer ex(makeStock(bent({50, 30}, {90}, 2, 3, 20)), TopAbs_FACE); ex.More(); ex.Next()) {
        const TopoDS_Face f = TopoDS::Face(ex.Current());
        if (faceKind(f) != kFaceCylindrical) continue;
        const gp_Ax1 axis = faceAxis(f);
        EXPECT_TRUE(axis.Direction().IsParallel(gp_Dir(0, 1, 0), 1e-12));
        EXPECT_LT(gp_Lin(axis).Distance(gp_Pnt(50, 0, 4)), 1e-9);
        radii.insert(std::lround(cylinderRadius(f)));
    }
    EXPECT_EQ(radii, (std::multiset<long>{3, 5}));
    // Pipe ends are circles about the x axis; its seams run its length.
    for (TopExp_Explorer ex(makeStock(sized("pipe", {60, 5, 400})), TopAbs_EDGE); ex.More(); ex.Next()) {
        const TopoDS_Edge e = TopoDS::Edge(ex.Current());
        const bool circle = edgeKind(e) == kEdgeCircular;
        EXPECT_NEAR(edgeEnds(e).first.Distance(edgeEnds(e).second), circle ? 0 : 400, 1e-9);
        if (circle) {
            EXPECT_LT(gp_Lin(gp::OX()).Distance(circleCentre(e)), 1e-9);
        }
    }
    const TopoDS_Face sphere = TopoDS::Face(TopExp_Explorer(BRepPrimAPI_MakeSphere(1).Shape(), TopAbs_FACE).Current());
    EXPECT_THROW(planeNormal(sphere), std::runtime_error);
    EXPECT_THROW(faceAxis(sphere), std::runtime_error);
    const TopoDS_Shape a = BRepPrimAPI_MakeBox(10, 10, 10).Shape();
    EXPECT_THROW(circleCentre(TopoDS::Edge(TopExp_Explorer(a, TopAbs_EDGE).Current())), std::runtime_error);

    const Distance apart = minDistance(a, BRepPrimAPI_MakeBox(gp_Pnt(13, 14, 0), 5, 5, 5).Shape());
    EXPECT_NEAR(apart.value, 5, 1e-9);
    EXPECT_NEAR(apart.onA.Distance(apart.onB), 5, 1e-9);
    EXPECT_NEAR(minDistance(a, BRepPrimAPI_MakeBox(gp_Pnt(10, 0, 0), 5, 5, 5).Shape()).value, 0, 1e-9);
    EXPECT_NEAR(minDistance(a, BRepPrimAPI_MakeBox(gp_Pnt(2, 2, 2), 1, 1, 1).Shape()).value, 0, 1e-9);
}

TEST(GeomUnfold, SheetsLieFlatOnTheirBaseFace) {
    struct Case {
        const char* name;
        Stock stock;
        gp_Pnt basePoint;
        gp_Dir baseNormal;
        gp_Pnt min, max;
    };
    const double q = kQuarter, sixth = M_PI / 3;
    const Case cases[] = {
        {"first flange", bent({50, 30}, {90}, 2, 3, 20), {10, 5, -1}, {0, 0, -1}, {0, 0, -1}, {80 + q, 20, 1}},
        {"second flange", bent({50, 30}, {90}, 2, 3, 20), {55, 5, 20}, {1, 0, 0}, {53, 0, 4 - 50 - q}, {55, 20, 34}},
        // From its web a channel unrolls 40 + q below and 30 + q above.
        {"channel web", bent({40, 20, 30}, {90, 90}, 2, 3, 15), {45, 5, 10}, {1, 0, 0}, {43, 0, 4 - 40 - q}, {45, 15, 54 + q}},
        {"sharp inside", bent({50, 30}, {-60}, 2, 0, 20), {10, 5, 1}, {0, 0, 1}, {0, 0, -1}, {80 + sixth, 20, 1}},
        {"plain plate", sized("plate", {100, 50, 10}), {10, 10, 0}, {0, 0, -1}, {0, 0, 0}, {100, 50, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TopoDS_Shape s = makeStock(c.stock);
        const TopoDS_Face base = faceAt(s, c.basePoint, c.baseNormal);
        const TopoDS_Shape flat = unfold(s, base);
        expectBox(flat, c.min, c.max, 1e-4);
        EXPECT_NEAR(massProps(flat).volume, massProps(s).volume, 1e-6 * massProps(s).volume);
    }
}

// A sheet is cut with holes, slots and countersinks before it is bent, and mitred or notched at its
// ends: its flat block is that of the sheet it was cut from.
TEST(GeomUnfold, HolesAndCutEndsLeaveTheFlatBlockAsItIs) {
    const TopoDS_Shape sheet = makeStock(bent({50, 30, 40}, {90, 90}, 2, 3, 120));
    const TopoDS_Face base = faceAt(sheet, gp_Pnt(10, 5, -1), gp_Dir(0, 0, -1));
    const Bnd want = bnd(unfold(sheet, base));
    auto cut = [](const TopoDS_Shape& s, const TopoDS_Shape& tool) { return BRepAlgoAPI_Cut(s, tool).Shape(); };
    const TopoDS_Shape holed = cut(cut(sheet, BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(25, 30, -5), gp::DZ()), 4, 20).Shape()),
                                   BRepPrimAPI_MakeCone(gp_Ax2(gp_Pnt(25, 90, -1), gp::DZ()), 6, 2, 4).Shape());
    const TopoDS_Shape slotted = cut(holed, BRepPrimAPI_MakeBox(gp_Pnt(45, 40, 10), 20, 10, 5).Shape());
    const TopoDS_Shape notched = cut(slotted, BRepPrimAPI_MakeBox(gp_Pnt(-1, -1, -5), 12, 15, 10).Shape());
    for (const auto& [name, s] : {std::pair{"holes", holed}, std::pair{"slot", slotted}, std::pair{"notch", notched}}) {
        SCOPED_TRACE(name);
        const TopoDS_Shape flat = unfold(s, faceAt(s, gp_Pnt(30, 5, -1), gp_Dir(0, 0, -1)));
        expectBox(flat, want.min, want.max, 1e-4);
    }
}

TEST(GeomUnfold, BodiesThatAreNoSheetThrow) {
    const TopoDS_Shape plate = BRepPrimAPI_MakeBox(100, 50, 10).Shape();
    const gp_Pnt under(10, 10, 0);
    const gp_Dir down(0, 0, -1);
    const std::tuple<const char*, TopoDS_Shape, gp_Pnt, gp_Dir> cases[] = {
        {"cylinder", makeStock(sized("cylinder", {80, 12})), {0, 0, 0}, {-1, 0, 0}},
        {"cone", BRepPrimAPI_MakeCone(10, 5, 20).Shape(), {0, 0, 0}, down},
        {"hole along the bends", BRepAlgoAPI_Cut(makeStock(bent({50, 30}, {90}, 2, 3, 20)),
                                                 BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(25, -1, 0), gp_Dir(0, 1, 0)), 0.5, 22).Shape()).Shape(),
         {10, 5, -1}, down},
        {"stepped", BRepAlgoAPI_Cut(plate, BRepPrimAPI_MakeBox(gp_Pnt(50, -1, 5), 60, 52, 10).Shape()).Shape(), under, down},
        {"angle section", makeStock(sized("angle", {50, 30, 5, 100})), under, down},  // sharp outer corner: no bend
    };
    for (const auto& [name, shape, p, n] : cases) {
        try {
            unfold(shape, faceAt(shape, p, n));
            ADD_FAILURE() << name << " unfolded";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()).rfind("cannot unfold", 0), 0u) << name << ": " << e.what();
        }
    }
    EXPECT_THROW(unfold(plate, faceAt(BRepPrimAPI_MakeBox(1, 1, 1).Shape(), gp_Pnt(0, 0, 0), down)), std::runtime_error);
}

// A turned part of swept spline faces, as some systems export every turned part: its exact hidden-line
// removal would take the kernel minutes. It is drawn from facets, as far as the part reaches, and says
// so; a plate stays exact.
TEST(GeomProjection, ViewsPastTheBoundAreDrawnFromFacets) {
    BRepBuilderAPI_MakeWire profile;
    const gp_Pnt start(0, 0, 0), foot(20, 0, 0), top(0, 0, 300);
    profile.Add(BRepBuilderAPI_MakeEdge(start, foot));
    gp_Pnt last = foot;
    for (int s = 0; s < 16; ++s) {
        TColgp_Array1OfPnt pts(1, 201);
        for (int i = 0; i <= 200; ++i) {
            const double z = 300 * (s + i / 200.0) / 16;
            pts(i + 1) = gp_Pnt(20 + 2 * std::sin(z * 0.7), 0, z);
        }
        profile.Add(BRepBuilderAPI_MakeEdge(GeomAPI_PointsToBSpline(pts).Curve()).Edge());
        last = pts(201);
    }
    profile.Add(BRepBuilderAPI_MakeEdge(last, top));
    profile.Add(BRepBuilderAPI_MakeEdge(top, start));
    const TopoDS_Shape turned = BRepPrimAPI_MakeRevol(BRepBuilderAPI_MakeFace(profile.Wire()), gp_Ax1(start, gp::DZ())).Shape();
    ASSERT_GT(host::geom::hiddenLineWork({turned}), host::geom::kExactHiddenLineWork);

    const Projection p = host::geom::project({turned}, host::geom::viewAxes("FRONT"), true);
    EXPECT_TRUE(p.faceted);
    ASSERT_FALSE(p.empty());
    const Bnd b = bnd(turned);
    EXPECT_NEAR(p.xmin, b.min.X(), 0.5);
    EXPECT_NEAR(p.xmax, b.max.X(), 0.5);
    EXPECT_NEAR(p.ymin, b.min.Z(), 0.5);
    EXPECT_NEAR(p.ymax, b.max.Z(), 0.5);
    EXPECT_TRUE(std::any_of(p.curves.begin(), p.curves.end(), [](const host::geom::Curve2d& c) { return c.visible; }));

    const Projection plate = host::geom::project({BRepPrimAPI_MakeBox(100, 50, 10).Shape()}, host::geom::viewAxes("FRONT"), true);
    EXPECT_FALSE(plate.faceted);
    EXPECT_EQ(4u, plate.curves.size());
}

// What a drawing shows of a projection's visible, or hidden, curves: the cells of half a millimetre its
// lines run through, a hidden line under a visible one or under another hidden line counted once.
std::pair<double, double> drawnLengths(const Projection& p) {
    std::set<std::pair<long, long>> seen[2];
    const double cell = 0.5, step = 0.1;
    auto mark = [&](bool visible, double x, double y) { seen[visible].insert({std::lround(x / cell), std::lround(y / cell)}); };
    for (const host::geom::Curve2d& c : p.curves) {
        if (c.kind == host::geom::Curve2d::Circle || c.kind == host::geom::Curve2d::Arc) {
            double span = c.kind == host::geom::Curve2d::Circle ? 360 : std::fmod(c.a2 - c.a1 + 720, 360.0);
            if (span <= 0) span = 360;
            const double a0 = c.kind == host::geom::Curve2d::Arc ? c.a1 : 0;
            const int n = std::max(2, static_cast<int>(c.r * span * M_PI / 180 / step));
            for (int i = 0; i <= n; ++i) {
                const double a = (a0 + span * i / n) * M_PI / 180;
                mark(c.visible, c.cx + c.r * std::cos(a), c.cy + c.r * std::sin(a));
            }
            continue;
        }
        for (size_t k = 0; k + 3 < c.xy.size(); k += 2) {
            const double x0 = c.xy[k], y0 = c.xy[k + 1], x1 = c.xy[k + 2], y1 = c.xy[k + 3];
            const int n = std::max(1, static_cast<int>(std::hypot(x1 - x0, y1 - y0) / step));
            for (int i = 0; i <= n; ++i) mark(c.visible, x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n);
        }
    }
    size_t hiddenOnly = 0;
    for (const auto& h : seen[0]) hiddenOnly += !seen[1].count(h);
    return {seen[1].size() * cell, hiddenOnly * cell};
}

// Bodies of a view of many hide each other as the kernel's exact removal of them all at once finds it:
// three stacks of real stock, each body in front of the next along one axis, seen in every direction.
// Visible and hidden lengths agree within 1 %; a lone body keeps its own drawing.
TEST(GeomProjection, ManyBodiesHideEachOtherAsTheExactRemovalFinds) {
    const std::vector<TopoDS_Shape> kinds = {
        makeStock(sized("plate", {300, 200, 8})),       makeStock(sized("square_tube", {60, 4, 400})),
        makeStock(sized("pipe", {60, 4, 450})),         makeStock(sized("angle", {50, 50, 5, 350})),
        makeStock(sized("round_bar", {30, 380})),       makeStock(sized("rect_tube", {80, 40, 3, 420}))};
    std::vector<TopoDS_Shape> bodies;
    for (int axis = 0; axis < 3; ++axis) {
        double next = 0;
        for (size_t k = 0; k < kinds.size(); ++k) {
            const Bnd b = bnd(kinds[k]);
            double shift[3];
            for (int i = 0; i < 3; ++i) {
                const double lo = b.min.Coord(i + 1), hi = b.max.Coord(i + 1);
                // Along the stack one after the other; across it centred, a little off so that no outlines meet.
                shift[i] = i == axis ? next - lo : -(lo + hi) / 2 + 17.0 * ((k * (i + 2)) % 7) + 3000.0 * axis;
            }
            next += b.max.Coord(axis + 1) - b.min.Coord(axis + 1) + 25;
            gp_Trsf t;
            t.SetTranslation(gp_Vec(shift[0], shift[1], shift[2]));
            bodies.push_back(kinds[k].Moved(TopLoc_Location(t)));
        }
    }
    ASSERT_LT(host::geom::hiddenLineWork(bodies), host::geom::kExactHiddenLineWork);
    double totalVisible = 0, totalHidden = 0;
    for (const char* view : {"FRONT", "TOP", "LEFT", "TFR-ISO"}) {
        SCOPED_TRACE(view);
        const gp_Ax2 axes = host::geom::viewAxes(view);
        const Projection exact = host::geom::project(bodies, axes, true);
        std::vector<Projection> own;
        for (const TopoDS_Shape& b : bodies) own.push_back(host::geom::project({b}, axes, true));
        std::vector<host::geom::OwnView> views;
        for (size_t i = 0; i < bodies.size(); ++i) views.push_back({bodies[i], &own[i], gp_XY(0, 0)});
        const Projection many = host::geom::occluded(views, axes, true);
        const double visible = host::geom::curveLength(exact, true);
        const auto [drawnVisible, drawnHidden] = drawnLengths(exact);
        totalVisible += drawnVisible;
        totalHidden += drawnHidden;
        EXPECT_NEAR(host::geom::curveLength(many, true), visible, 0.01 * visible);
        // The exact removal draws a body's back edge again where its front edge is hidden by another:
        // what is drawn is compared, each line once.
        const auto [manyVisible, manyHidden] = drawnLengths(many);
        EXPECT_NEAR(manyVisible, drawnVisible, 0.01 * drawnVisible);
        EXPECT_NEAR(manyHidden, drawnHidden, std::max(0.01 * drawnHidden, 4 * 0.5));  // or a few cells
        // Seen without hidden lines, the visible ones stay and nothing else comes.
        const Projection plain = host::geom::occluded(views, axes, false);
        EXPECT_NEAR(host::geom::curveLength(plain, true), host::geom::curveLength(many, true), 1e-6 * visible);
        EXPECT_EQ(0, host::geom::curveLength(plain, false));
    }
    EXPECT_GT(totalHidden, 0.2 * totalVisible) << "the stacks hide much of each other";
    const Projection alone = host::geom::project({bodies[2]}, host::geom::viewAxes("FRONT"), true);
    const Projection lone = host::geom::occluded({{bodies[2], &alone, gp_XY(0, 0)}}, host::geom::viewAxes("FRONT"), true);
    EXPECT_NEAR(host::geom::curveLength(lone, true), host::geom::curveLength(alone, true), 1e-9);
    EXPECT_NEAR(host::geom::curveLength(lone, false), host::geom::curveLength(alone, false), 1e-9);
}
