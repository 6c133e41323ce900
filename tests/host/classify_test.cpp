// The stock a solid is cut from, told from its shape: every stock the host makes, wherever it lies,
// real stock as another CAD system sends it, and solids that are no stock at all.
#include "geom/classify.h"
#include "geom/step_assembly.h"
#include "geom/stock.h"

#include <map>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCone.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRep_Builder.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS_Compound.hxx>
#include <gp_Ax2.hxx>

using host::geom::Stock;
using host::geom::makeStock;
using host::geom::tellStock;

namespace {

std::string stockCategory(const TopoDS_Shape& s) { return tellStock(s).category; }

Stock sized(const std::string& kind, std::vector<double> size) { return {kind, std::move(size), {}, ""}; }
Stock bent(std::vector<double> flanges, std::vector<double> angles, double t, double r, double w) {
    return {"bent_plate", {}, {std::move(flanges), std::move(angles), t, r, w}, ""};
}

// Turned about an axis askew to every face of the stock, and carried far from the origin.
gp_Trsf skew() {
    gp_Trsf turn, move;
    turn.SetRotation(gp_Ax1(gp_Pnt(120, -45, 680), gp_Dir(1, 2, 3)), 0.6457);
    move.SetTranslation(gp_Vec(-3500.25, 12000.5, 777.125));
    return move * turn;
}

// A placement kept as a location (as an assembly or an imported file places a body), and the same
// motion baked into the geometry (as a copy moved by the modeller is).
std::vector<std::pair<const char*, TopoDS_Shape>> placings(const TopoDS_Shape& s) {
    return {{"as made", s},
            {"located", s.Moved(TopLoc_Location(skew()))},
            {"transformed", BRepBuilderAPI_Transform(s, skew(), true).Shape()}};
}

TopoDS_Shape box(double x, double y, double z, gp_Pnt at = gp::Origin()) { return BRepPrimAPI_MakeBox(at, x, y, z).Shape(); }

}  // namespace

TEST(GeomStockCategory, EveryStockIsToldWhereverItLies) {
    const std::pair<Stock, const char*> cases[] = {
        {sized("plate", {1200, 800, 12}), u8"钢板"},
        {sized("flat", {1200, 60, 8}), u8"扁钢"},
        {sized("square_tube", {80, 4, 900}), u8"方管"},
        {sized("square_tube", {80, 4, 80}), u8"方管"},          // as long as it is wide
        {sized("rect_tube", {120, 60, 4, 900}), u8"矩形管"},
        {sized("rect_tube", {120, 60, 4, 60}), u8"矩形管"},      // as long as its narrow side
        {sized("angle", {50, 50, 5, 700}), u8"角钢"},
        {sized("angle", {75, 50, 6, 400}), u8"角钢"},
        {sized("round_bar", {20, 1000}), u8"圆钢"},
        {sized("pipe", {219, 6, 500}), u8"无缝钢管"},
        {sized("pipe", {33.7, 3.2, 1000}), u8"无缝钢管"},
        // One bend: its two faces share an axis, as a pipe's walls do.
        {bent({100, 200}, {90}, 3, 4, 300), u8"钢板,折弯"},
        {bent({100, 200}, {-45}, 3, 4, 300), u8"钢板,折弯"},
        {bent({300, 500, 300}, {90, 90}, 3, 4, 600), u8"钢板,折弯"},
        {bent({40, 400, 600, 400, 40}, {90, -90, -90, 90}, 2, 2, 700), u8"钢板,折弯"},
        {bent({80, 120, 60, 90}, {30, -60, 45}, 5, 8, 250), u8"钢板,折弯"},
    };
    for (const auto& [stock, want] : cases) {
        for (const auto& [how, s] : placings(makeStock(stock))) {
            SCOPED_TRACE(stock.kind + " " + how);
            EXPECT_EQ(want, stockCategory(s));
        }
    }
}

// A sharp bend (no inner radius) is a bend as much as a rounded one: the sheet has one cylindrical
// face per bend instead of two.
TEST(GeomStockCategory, SharplyBentSheetIsBentSheet) {
    const Stock cases[] = {bent({100, 200}, {90}, 3, 0, 300), bent({100, 200, 100}, {90, 90}, 3, 0, 300),
                           bent({100, 200, 100, 50}, {90, 90, -90}, 3, 0, 300)};
    for (const Stock& stock : cases) {
        for (const auto& [how, s] : placings(makeStock(stock))) {
            SCOPED_TRACE(std::to_string(stock.bent.angles.size()) + " bends " + how);
            EXPECT_EQ(u8"钢板,折弯", stockCategory(s));
        }
    }
}

// Flat bar is rolled up to 200 wide. A strip at least three times as long as wide is cut from it,
// a shorter one only when it is as wide as a bar is rolled; anything else of a box is cut from plate.
// The limits hold exactly, also for a box turned askew.
TEST(GeomStockCategory, FlatBarEndsWhereItsLimitsSay) {
    const std::pair<std::vector<double>, const char*> cases[] = {
        {{600, 200, 10}, u8"扁钢"},  {{600, 200.5, 10}, u8"钢板"}, {{599, 200, 10}, u8"钢板"},
        {{159, 53, 10}, u8"扁钢"},   {{158, 53, 10}, u8"钢板"},    {{1000, 100, 10}, u8"扁钢"},
        {{600, 10, 60}, u8"扁钢"},   // the size order of a description does not matter
        {{80, 30, 3}, u8"扁钢"},     {{80, 33, 3}, u8"钢板"},      {{30, 30, 3}, u8"扁钢"},
        {{29, 30, 3}, u8"钢板"},     {{300, 20, 20}, u8"方钢"},    {{39, 20, 20}, u8"钢板"},
    };
    for (const auto& [size, want] : cases) {
        for (const auto& [how, s] : placings(makeStock(sized("plate", size)))) {
            SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]) + " " + how);
            EXPECT_EQ(std::string(want), stockCategory(s));
        }
    }
}

TEST(GeomStockCategory, SolidsOfNoStockAreNothing) {
    BRep_Builder b;
    TopoDS_Compound two;
    b.MakeCompound(two);
    b.Add(two, box(100, 50, 10));
    b.Add(two, box(100, 50, 10, gp_Pnt(500, 0, 0)));
    const TopoDS_Shape boss = BRepAlgoAPI_Fuse(box(200, 100, 10), BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(50, 50, 10), gp::DZ()), 15, 40).Shape()).Shape();
    const std::pair<const char*, TopoDS_Shape> cases[] = {
        {"sphere", BRepPrimAPI_MakeSphere(50).Shape()},
        {"cone", BRepPrimAPI_MakeCone(50, 20, 100).Shape()},
        {"two boxes", two},
        {"box with a boss", boss},
    };
    for (const auto& [name, shape] : cases) {
        for (const auto& [how, s] : placings(shape)) {
            SCOPED_TRACE(std::string(name) + " " + how);
            EXPECT_EQ("", stockCategory(s));
        }
    }
    EXPECT_EQ("", stockCategory(TopoDS_Shape()));
}

// Stock as another system's file brings it, each body turned askew (tests/shapes/make_shapes.py):
// corner and root radii, holes, slots, countersinks, chamfers, notches and mitres leave the stock what
// it is and send the part to the shop with a drawing; what no stock tells says why.
TEST(GeomStockCategory, RealStockIsToldAsAFabricatorNamesIt) {
    struct Want {
        const char* category;   // "" for no stock
        bool drawing;
    };
    const std::map<std::string, Want> want = {
        {"square tube 40x40x3 r6", {u8"方管", false}},          {"rect tube 80x40x4 r8 mitred", {u8"矩形管", true}},
        {"square tube 30x30x2 r4 holes", {u8"方管", true}},     {"square tube 50x50x5 sharp", {u8"方管", false}},
        {"angle 50x50x5 r7", {u8"角钢", false}},                {"angle 60x40x6 mitred", {u8"角钢", true}},
        {"angle 40x40x4 holes", {u8"角钢", true}},              {"channel 100x50x5 r8", {u8"槽钢", false}},
        {"beam IPE200", {u8"工字钢", false}},                   {"beam HEB200", {u8"H型钢", false}},
        {"plate 300x200x10", {u8"钢板", false}},                {"plate 340x340x6 holes", {u8"钢板", true}},
        {"plate 200x100x8 countersunk", {u8"钢板", true}},      {"gusset 150x150x8", {u8"钢板", true}},
        {"plate 400x200x12 notched", {u8"钢板", true}},         {"flat 50x6", {u8"扁钢", false}},
        {"flat 30x3 holes", {u8"扁钢", true}},                  {"flat 40x5 mitred", {u8"扁钢", true}},
        {"round bar d20", {u8"圆钢", false}},                   {"round bar d16 chamfered", {u8"圆钢", true}},
        {"pipe 60.3x3.6", {u8"无缝钢管", false}},               {"pipe 33.7x3.2 holes", {u8"无缝钢管", true}},
        {"pipe ring 60.3x3.6x20", {u8"无缝钢管", false}},       {"disc d164x50", {u8"钢板", true}},
        {"washer 32/20.2x6", {u8"钢板", true}},                 {"square bar 20x20", {u8"方钢", false}},
        {"spacer d30x20", {u8"圆钢", false}},                   {"L block 100x100x60", {"", false}},
        {"bent channel 2mm", {u8"钢板,折弯", true}},            {"bent z 3mm slots", {u8"钢板,折弯", true}},
        {"bent bracket 3mm holes", {u8"钢板,折弯", true}},      {"motor", {"", false}},
        {"bolt M10x40", {"", false}},                           {"bearing 6204", {"", false}},
        {"turned shaft", {"", false}},                          {"casting", {"", false}},
        // Told by their names, whatever their shapes: wood_panel is a plain box.
        {"wood panel 18x540x1440", {u8"木材", false}},          {"plywood shelf", {u8"胶合板", false}},
        {"rubber pad", {u8"橡胶", false}},
    };
    const auto catalogue = host::geom::readStepAssembly(std::string(VORTA_SOURCE_DIR) + "/tests/shapes/stock.step");
    size_t seen = 0;
    for (const auto& b : catalogue->bodies) {
        SCOPED_TRACE(b.name);
        const auto w = want.find(b.name);
        ASSERT_NE(want.end(), w);
        ++seen;
        if (const auto material = host::geom::materialNamed(b.name)) {
            EXPECT_EQ(w->second.category, material->name);
            continue;
        }
        const host::geom::Told told = tellStock(b.solid, b.name);
        EXPECT_EQ(w->second.category, told.category);
        EXPECT_EQ(told.category.empty(), !told.reason.empty()) << told.reason;
        if (!told.category.empty()) EXPECT_EQ(w->second.drawing, told.drawing);
    }
    EXPECT_EQ(want.size(), seen);
}

// A name says what a shape cannot: the material a part is made of, and a short strip's stock. The
// first word that names a stock or a material decides, so a holder for wood is steel.
TEST(GeomStockCategory, NamesTellMaterialsAndStrips) {
    const std::pair<const char*, const char*> materials[] = {
        {"wood 540x1440mm", u8"木材"},       {"Wooden top", u8"木材"},        {"plywood shelf", u8"胶合板"},
        {"PE slide", u8"塑料"},              {"rubber pad", u8"橡胶"},        {u8"橡胶垫", u8"橡胶"},
        {u8"木板", u8"木材"},                {"Sperrholz Platte", u8"胶合板"}, {"strip 30x3 80mm wood holder", nullptr},
        {"pipe 60", nullptr},                {u8"钢板木纹", nullptr},         {"tube 30x30x2", nullptr},
        {"Pepper mill", nullptr},            {"", nullptr},
    };
    for (const auto& [name, material] : materials) {
        const auto m = host::geom::materialNamed(name);
        EXPECT_EQ(material != nullptr, m.has_value()) << name;
        if (m && material) EXPECT_EQ(material, m->name) << name;
        if (m) EXPECT_LT(m->density, 3) << name;
    }
    // 30 x 3 x 84 with a notch: no rolled width alone would tell it, its name does.
    const TopoDS_Shape strip = BRepAlgoAPI_Cut(box(84, 33, 3), box(10, 10, 3, gp_Pnt(0, 0, 0))).Shape();
    EXPECT_EQ(u8"钢板", tellStock(strip, "holder").category);
    EXPECT_EQ(u8"扁钢", tellStock(strip, "strip 33x3").category);
    EXPECT_EQ(u8"扁钢", tellStock(strip, u8"扁钢").category);
}
