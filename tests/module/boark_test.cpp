// The stock block tool: the block it builds and edits at the manipulator, its face handles, its
// translucency, and what a refused size leaves.
#include <array>
#include <cmath>
#include "NXOpen/BlockStyler_UIBlock.hxx"
#include "NXOpen/ModelingView.hxx"
#include "NXOpen/Part.hxx"
#include "NXOpen/Session.hxx"
#include "fixture.h"
#include "geom/measure.h"
#include "tools/boark.hpp"

namespace BS = NXOpen::BlockStyler;
using Box = std::array<double, 6>;

namespace {

Box boxOf(const host::Object& body) {
    host::geom::Bnd b = host::geom::bnd(host::session().shapeOf(body));
    return {b.min.X(), b.min.Y(), b.min.Z(), b.max.X(), b.max.Y(), b.max.Z()};
}

void expectBox(const Box& expected, const Box& found) {
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(expected[i], found[i], 1e-6) << "box coordinate " << i;
}

void expectPoint(std::array<double, 3> expected, const NXOpen::Point3d& p, const char* what) {
    EXPECT_NEAR(expected[0], p.X, 1e-9) << what;
    EXPECT_NEAR(expected[1], p.Y, 1e-9) << what;
    EXPECT_NEAR(expected[2], p.Z, 1e-9) << what;
}

BS::LinearDimension& dimension(host::ui::Dialog& d, const char* id) { return *dynamic_cast<BS::LinearDimension*>(d.find(id)->ui.get()); }

}  // namespace

class BoarkTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        open(u8R"({ "file": "b.prt", "bodies": [ { "name": "底板", "stock": "plate", "size": [400, 300, 10], "at": [0, 0, -10] } ] })");
    }
    // The block features of the work part.
    std::vector<host::Object*> blocks() {
        std::vector<host::Object*> out;
        for (tag_t t : host::session().work->objects)
            if (host::Object* o = host::session().find(t); o && o->type == UF_feature_type && o->feature == "BLOCK") out.push_back(o);
        return out;
    }
    host::Object& body() {
        auto b = blocks();
        if (b.size() != 1) throw std::runtime_error("expected one block feature, found " + std::to_string(b.size()));
        return host::session().object(b[0]->featBody);
    }
    double volume() { return host::session().massOf(body()).volume; }
    // Runs the tool; `drive` plays the user while the dialog is up.
    void run(std::function<void(host::ui::Dialog&)> drive) {
        user.onDialog = std::move(drive);
        pick("boark");
        user.onDialog = nullptr;
    }
};

TEST_F(BoarkTest, ShownAtTheOriginItIsATranslucentCubeAlongTheAxesWithItsHandlesOnTheFaces) {
    run([&](host::ui::Dialog& d) {
        host::Object& b = body();
        expectBox({0, 0, 0, 100, 100, 100}, boxOf(b));
        EXPECT_NEAR(1e6, volume(), 1e-3);
        EXPECT_EQ(6, host::geom::faceCount(b.shape));
        EXPECT_EQ(90, b.translucency);
        for (tag_t f : host::session().topology(b).faceTags) EXPECT_EQ(90, host::session().object(f).translucency);
        EXPECT_EQ(NXOpen::View::RenderingStyleTypeShadedWithEdges,
                  NXOpen::Session::GetSession()->Parts()->Work()->ModelingViews()->WorkView()->RenderingStyle());
        EXPECT_EQ("100", host::ui::blockText(d, "double0"));
        EXPECT_FALSE(d.find("group3")->shown());

        struct Handle { const char* id; std::array<double, 3> origin, direction; };
        const Handle handles[] = {
            {"dim_X1", {0, 50, 50}, {-1, 0, 0}}, {"dim_X2", {100, 50, 50}, {1, 0, 0}},
            {"dim_Y1", {50, 0, 50}, {0, -1, 0}}, {"dim_Y2", {50, 100, 50}, {0, 1, 0}},
            {"dim_Z1", {50, 50, 0}, {0, 0, -1}}, {"dim_Z2", {50, 50, 100}, {0, 0, 1}},
        };
        for (const Handle& h : handles) {
            BS::LinearDimension& dim = dimension(d, h.id);
            EXPECT_EQ(0.0, dim.Value()) << h.id;
            EXPECT_TRUE(dim.ShowHandle()) << h.id;
            expectPoint(h.origin, dim.HandleOrigin(), h.id);
            NXOpen::Vector3d v = dim.HandleOrientation();
            expectPoint(h.direction, NXOpen::Point3d(v.X, v.Y, v.Z), h.id);
        }
    });
    // Closed without Apply: the block stays, translucent.
    EXPECT_EQ(90, body().translucency);
    EXPECT_EQ(0, count("[message]"));
}

TEST_F(BoarkTest, FaceOffsetsEditTheOneFeatureInPlaceAndTheHandlesStayOnTheStartingCube) {
    run([&](host::ui::Dialog& d) {
        const tag_t feature = blocks().at(0)->tag, solid = body().tag;
        host::ui::setValue(d, "dim_X1", "20");
        expectBox({-20, 0, 0, 100, 100, 100}, boxOf(body()));
        EXPECT_NEAR(1.2e6, volume(), 1e-3);
        expectPoint({0, 50, 50}, dimension(d, "dim_X1").HandleOrigin(), "dim_X1 after the drag");

        host::ui::setValue(d, "dim_Y2", "30");
        host::ui::setValue(d, "dim_Z1", "5");
        host::ui::setValue(d, "dim_Z2", "0.5");
        expectBox({-20, 0, -5, 100, 130, 100.5}, boxOf(body()));
        EXPECT_NEAR(120.0 * 130 * 105.5, volume(), 1e-3);

        ASSERT_EQ(1u, blocks().size());
        EXPECT_EQ(feature, blocks()[0]->tag);
        EXPECT_EQ(solid, body().tag);
        EXPECT_EQ(90, body().translucency);
        EXPECT_TRUE(host::session().undoMarks.empty());

        // A new base size starts again from its cube at the manipulator.
        host::ui::setValue(d, "double0", "50");
        for (const char* id : {"dim_X1", "dim_X2", "dim_Y1", "dim_Y2", "dim_Z1", "dim_Z2"}) EXPECT_EQ("0", host::ui::blockText(d, id)) << id;
        expectBox({0, 0, 0, 50, 50, 50}, boxOf(body()));
        EXPECT_NEAR(125000, volume(), 1e-3);
        expectPoint({50, 25, 25}, dimension(d, "dim_X2").HandleOrigin(), "dim_X2 on the 50 cube");
        EXPECT_EQ(feature, blocks().at(0)->tag);
    });
}

TEST_F(BoarkTest, ApplyMakesTheBlockOpaqueAndTwiceMakesNoSecondFeature) {
    size_t objects = 0;
    run([&](host::ui::Dialog& d) {
        host::ui::setValue(d, "dim_Z2", "20");
        host::ui::pressApply(d);
        EXPECT_EQ(0, body().translucency);
        objects = host::session().work->objects.size();
        host::ui::pressApply(d);
        EXPECT_EQ(0, body().translucency);
        EXPECT_EQ(objects, host::session().work->objects.size());
        // Changing a size after Apply shows it translucent again while the dialog is up.
        host::ui::setValue(d, "dim_Z2", "30");
        EXPECT_EQ(90, body().translucency);
        host::ui::pressOk(d);
        EXPECT_FALSE(d.open);
    });
    EXPECT_EQ(1u, blocks().size());
    EXPECT_EQ(0, body().translucency);
    expectBox({0, 0, 0, 100, 100, 130}, boxOf(body()));
    for (tag_t f : host::session().topology(body()).faceTags) EXPECT_EQ(0, host::session().object(f).translucency);
}

TEST_F(BoarkTest, TheBlockFollowsARotatedManipulator) {
    run([&](host::ui::Dialog& d) {
        // x along +Y, y along -X: z stays +Z.
        host::ui::setValue(d, "manip0", "100 200 300 0 1 0 -1 0 0");
        expectBox({0, 200, 300, 100, 300, 400}, boxOf(body()));
        host::ui::setValue(d, "dim_X2", "50");
        host::ui::setValue(d, "dim_Y2", "20");
        host::ui::setValue(d, "dim_Z1", "10");
        expectBox({-20, 200, 290, 100, 350, 400}, boxOf(body()));
        EXPECT_NEAR(150.0 * 120 * 110, volume(), 1e-3);
        expectPoint({100, 250, 350}, dimension(d, "dim_Y1").HandleOrigin(), "dim_Y1");
        NXOpen::Vector3d toward = dimension(d, "dim_Y1").HandleOrientation();
        expectPoint({1, 0, 0}, NXOpen::Point3d(toward.X, toward.Y, toward.Z), "dim_Y1 direction");

        // Turned 45 degrees about z: the cube's box widens by the diagonal, its volume does not change.
        host::ui::setValue(d, "double0", "100");
        host::ui::setValue(d, "manip0", "0 0 0 1 1 0 -1 1 0");
        const double r = 100 / std::sqrt(2.0);
        expectBox({-r, 0, 0, r, 2 * r, 100}, boxOf(body()));
        EXPECT_NEAR(1e6, volume(), 1e-3);
        expectPoint({-r / 2, 1.5 * r, 50}, dimension(d, "dim_Y2").HandleOrigin(), "dim_Y2 turned");
    });
    EXPECT_EQ(1u, blocks().size());
}

TEST_F(BoarkTest, ARefusedSizeIsShownAndTheLastBlockStays) {
    run([&](host::ui::Dialog& d) {
        host::ui::setValue(d, "dim_X1", "20");
        host::ui::setValue(d, "dim_X2", "-150");  // length -30
        EXPECT_EQ(1, count("[message] Block Styler (error): Block: the length must be positive, not -30"));
        expectBox({-20, 0, 0, 100, 100, 100}, boxOf(body()));
        EXPECT_TRUE(host::session().undoMarks.empty());
        host::ui::setValue(d, "double0", "0");  // offsets back to 0, and a cube of edge 0
        EXPECT_EQ(2, count("[message] Block Styler (error)"));
        expectBox({-20, 0, 0, 100, 100, 100}, boxOf(body()));
        // A good size afterwards edits the same feature again.
        host::ui::setValue(d, "double0", "10");
        expectBox({0, 0, 0, 10, 10, 10}, boxOf(body()));
        host::ui::pressApply(d);
    });
    EXPECT_EQ(1u, blocks().size());
    EXPECT_EQ(0, body().translucency);
}

TEST_F(BoarkTest, EachRunOfTheToolMakesABlockOfItsOwn) {
    run([](host::ui::Dialog& d) { host::ui::pressApply(d); });
    run([](host::ui::Dialog& d) { host::ui::setValue(d, "manip0", "500 0 0 1 0 0 0 1 0"); });
    auto b = blocks();
    ASSERT_EQ(2u, b.size());
    EXPECT_EQ("BLOCK(1)", b[0]->name);
    EXPECT_EQ("BLOCK(2)", b[1]->name);
    EXPECT_EQ(0, host::session().object(b[0]->featBody).translucency);
    EXPECT_EQ(90, host::session().object(b[1]->featBody).translucency);
    expectBox({500, 0, 0, 600, 100, 100}, boxOf(host::session().object(b[1]->featBody)));
}

TEST(BoarkText, LengthsAreWrittenWithAtMostSixteenDigitsAndNoTrailingZeros) {
    struct Case { double value; const char* text; } cases[] = {
        {100, "100"}, {120.5, "120.5"}, {0.1 + 0.2, "0.3"}, {-10, "-10"}, {1234567.125, "1234567.125"},
        {1.0 / 3, "0.3333333333333333"}, {1e-5, "1e-05"}, {1e17, "1e+17"},
    };
    for (auto& c : cases) EXPECT_EQ(std::string(c.text), boark::doubleToNXString(c.value).GetText()) << c.value;
}
