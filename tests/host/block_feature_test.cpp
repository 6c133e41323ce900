// Block features made and edited through the object interface, translucency and rendering style
// of the display, the vector helpers, and the manipulator's orientation as the user sets it.
#include <cmath>
#include <fstream>
#include <memory>
#include "NXOpen/BlockStyler_UIBlock.hxx"
#include "NXOpen/DisplayModification.hxx"
#include "NXOpen/Features_BlockFeatureBuilder.hxx"
#include "NXOpen/ModelingView.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/Part.hxx"
#include "NXOpen/Session.hxx"
#include "api/common.h"
#include "fixture.h"
#include "geom/measure.h"
#include "ui/dialog.h"
#include "uf_mtx.h"

using NXOpen::Features::BlockFeatureBuilder;

namespace {

struct Destroy {
    void operator()(BlockFeatureBuilder* b) const { b->Destroy(); }
};
using Builder = std::unique_ptr<BlockFeatureBuilder, Destroy>;

}  // namespace

class BlockFeatureTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        p = &part("b.prt");
        nx = NXOpen::Session::GetSession()->Parts()->Work();
    }
    Builder builder(NXOpen::Features::Feature* edit = nullptr) { return Builder(nx->Features()->CreateBlockFeatureBuilder(edit)); }
    NXOpen::Features::Feature* make(NXOpen::Point3d at, NXOpen::Vector3d x, NXOpen::Vector3d y, const char* l, const char* w, const char* h,
                                    NXOpen::Features::Feature* edit = nullptr) {
        Builder b = builder(edit);
        b->SetOrigin(at);
        b->SetOrientation(x, y);
        b->SetLength(l);
        b->SetWidth(w);
        b->SetHeight(h);
        return b->CommitFeature();
    }
    host::Object& bodyOf(NXOpen::Features::Feature* f) { return host::session().object(host::session().object(f->Tag()).featBody); }
    std::array<double, 6> box(const host::Object& body) {
        host::geom::Bnd b = host::geom::bnd(host::session().shapeOf(body));
        return {b.min.X(), b.min.Y(), b.min.Z(), b.max.X(), b.max.Y(), b.max.Z()};
    }
    void expectBox(std::array<double, 6> expected, const host::Object& body) {
        auto found = box(body);
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(expected[i], found[i], 1e-6) << i;
    }
    host::Part* p = nullptr;
    NXOpen::Part* nx = nullptr;
};

TEST_F(BlockFeatureTest, ABlockIsABoxAtItsCornerAlongItsAxesAndAnEditChangesItInPlace) {
    p->workLayer = 7;
    // x along +Y, y along -X (not of unit length: the host squares and scales them).
    NXOpen::Features::Feature* f = make({10, 20, 30}, {0, 2, 0}, {-3, 0.5, 0}, "100", "50", " 25.5 ");
    auto* block = dynamic_cast<NXOpen::Features::Block*>(f);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ("BLOCK(1)", host::session().object(f->Tag()).name);
    std::vector<NXOpen::Body*> bodies = block->GetBodies();
    ASSERT_EQ(1u, bodies.size());
    host::Object& body = bodyOf(f);
    EXPECT_EQ(bodies[0]->Tag(), body.tag);
    EXPECT_EQ(7, body.layer);
    expectBox({-40, 20, 30, 10, 120, 55.5}, body);
    EXPECT_NEAR(100 * 50 * 25.5, host::session().massOf(body).volume, 1e-6);
    tag_t oldFace = host::session().topology(body).faceTags[0];

    size_t objects = p->objects.size();
    NXOpen::Features::Feature* edited = make({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, "10", "20", "30", f);
    EXPECT_EQ(f, edited);
    EXPECT_EQ(body.tag, bodyOf(edited).tag);
    EXPECT_EQ(objects, p->objects.size());
    expectBox({0, 0, 0, 10, 20, 30}, body);
    EXPECT_NEAR(6000, host::session().massOf(body).volume, 1e-6);
    EXPECT_EQ(nullptr, host::session().find(oldFace));  // the old faces went with the old solid

    // A second block is a feature and a body of its own.
    NXOpen::Features::Feature* second = make({0, 0, 100}, {1, 0, 0}, {0, 1, 0}, "1", "1", "1");
    EXPECT_NE(f, second);
    EXPECT_EQ("BLOCK(2)", host::session().object(second->Tag()).name);
}

TEST_F(BlockFeatureTest, RefusedSizesAndAxesThrowAndChangeNothing) {
    NXOpen::Features::Feature* f = make({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, "100", "100", "100");
    host::Object& body = bodyOf(f);
    const size_t objects = p->objects.size();
    struct Case { NXOpen::Vector3d x, y; const char *l, *w, *h, *message; } cases[] = {
        {{1, 0, 0}, {0, 1, 0}, "-30", "100", "100", "Block: the length must be positive, not -30"},
        {{1, 0, 0}, {0, 1, 0}, "100", "0", "100", "Block: the width must be positive, not 0"},
        {{1, 0, 0}, {0, 1, 0}, "100", "100", "abc", "Block: the height \"abc\" is not a number"},
        {{1, 0, 0}, {0, 1, 0}, "", "100", "100", "Block: the length \"\" is not a number"},
        {{1, 0, 0}, {0, 1, 0}, "12mm", "100", "100", "Block: the length \"12mm\" is not a number"},
        {{1, 0, 0}, {0, 1, 0}, "1e999", "100", "100", "Block: the length \"1e999\" is not a number"},
        {{1, 0, 0}, {0, 1, 0}, "0.01", "100", "100", "Block: the length 0.01 mm is below the modelling tolerance of 0.0254 mm"},
        {{1, 0, 0}, {0, 1, 0}, "2e6", "100", "100", "Block: the length 2000000 mm is larger than any plant (1000000 mm)"},
        {{0, 0, 0}, {0, 1, 0}, "100", "100", "100", "Block: the x and y directions must be non-zero"},
        {{1, 1, 0}, {-2, -2, 0}, "100", "100", "100", "Block: the x and y directions are parallel"},
    };
    for (auto& c : cases) {
        for (NXOpen::Features::Feature* edit : {f, static_cast<NXOpen::Features::Feature*>(nullptr)}) {
            try {
                make({0, 0, 0}, c.x, c.y, c.l, c.w, c.h, edit);
                ADD_FAILURE() << c.message;
            } catch (const NXOpen::NXException& e) {
                EXPECT_EQ(std::string(c.message), e.what());
            }
        }
    }
    try {
        make({2e6, 0, 0}, {1, 0, 0}, {0, 1, 0}, "100", "100", "100", f);
        ADD_FAILURE() << "a corner outside any plant";
    } catch (const NXOpen::NXException& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("outside any plant")) << e.what();
    }
    Builder other = builder(f);
    other->SetType(BlockFeatureBuilder::TypesTwoDiagonalPoints);
    EXPECT_THROW(other->CommitFeature(), NXOpen::NXException);
    EXPECT_EQ(objects, p->objects.size());
    expectBox({0, 0, 0, 100, 100, 100}, body);
    EXPECT_EQ(1u, host::session().featuresOf(body.tag).size());
}

TEST_F(BlockFeatureTest, OnlyALiveBlockFeatureCanBeEdited) {
    host::Object& plateBody = plate(*p, "板");
    host::Object& linked = host::api::newFeature(*p, "LINKED_BODY", plateBody.tag, NULL_TAG);
    auto* notBlock = static_cast<NXOpen::Features::Feature*>(NXOpen::NXObjectManager::Get(linked.tag));
    EXPECT_EQ(nullptr, dynamic_cast<NXOpen::Features::BodyFeature*>(notBlock));
    EXPECT_THROW(builder(notBlock), NXOpen::NXException);

    NXOpen::Features::Feature* f = make({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, "1", "1", "1");
    Builder pending = builder(f);
    host::api::deleteFeature(host::session().object(f->Tag()));
    pending->SetLength("5");
    EXPECT_THROW(pending->CommitFeature(), NXOpen::NXException);
}

TEST_F(BlockFeatureTest, TranslucencyGoesOnTheBodyAndItsFacesWithinItsRange) {
    NXOpen::Features::Feature* f = make({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, "10", "10", "10");
    host::Object& body = bodyOf(f);
    auto bodies = dynamic_cast<NXOpen::Features::BodyFeature*>(f)->GetBodies();
    std::vector<NXOpen::DisplayableObject*> shown(bodies.begin(), bodies.end());
    NXOpen::DisplayModification* m = NXOpen::Session::GetSession()->DisplayManager()->NewDisplayModification();
    m->SetApplyToAllFaces(true);
    m->SetNewTranslucency(90);
    m->Apply(shown);
    EXPECT_EQ(90, body.translucency);
    EXPECT_EQ(87, body.color);  // what was not asked for stays
    for (tag_t face : host::session().topology(body).faceTags) EXPECT_EQ(90, host::session().object(face).translucency);
    m->SetNewTranslucency(101);
    EXPECT_THROW(m->Apply(shown), NXOpen::NXException);
    m->SetNewTranslucency(-1);
    EXPECT_THROW(m->Apply(shown), NXOpen::NXException);
    EXPECT_EQ(90, body.translucency);
    m->SetNewTranslucency(0);
    m->Apply(shown);
    EXPECT_EQ(0, body.translucency);
    m->Dispose();

    NXOpen::ModelingView* view = nx->ModelingViews()->WorkView();
    ASSERT_NE(nullptr, view);
    view->SetRenderingStyle(NXOpen::View::RenderingStyleTypeWireframeWithHiddenEdges);
    EXPECT_EQ(NXOpen::View::RenderingStyleTypeWireframeWithHiddenEdges, nx->ModelingViews()->WorkView()->RenderingStyle());
    EXPECT_THROW(view->SetRenderingStyle(static_cast<NXOpen::View::RenderingStyleType>(42)), NXOpen::NXException);
    EXPECT_EQ(NXOpen::View::RenderingStyleTypeWireframeWithHiddenEdges, view->RenderingStyle());
}

TEST(VectorHelpers, CrossNegateAndAffineCombinationMayWriteOverTheirArguments) {
    double x[3] = {1, 0, 0}, y[3] = {0, 1, 0}, z[3];
    EXPECT_EQ(0, UF_VEC3_cross(x, y, z));
    EXPECT_EQ((std::array<double, 3>{0, 0, 1}), (std::array<double, 3>{z[0], z[1], z[2]}));
    double a[3] = {1, 2, 3};
    UF_VEC3_cross(a, y, a);  // (1,2,3) x (0,1,0) = (-3, 0, 1)
    EXPECT_EQ((std::array<double, 3>{-3, 0, 1}), (std::array<double, 3>{a[0], a[1], a[2]}));
    EXPECT_EQ(0, UF_VEC3_negate(a, a));
    EXPECT_EQ((std::array<double, 3>{3, 0, -1}), (std::array<double, 3>{a[0], a[1], a[2]}));
    double p[3] = {10, 20, 30};
    EXPECT_EQ(0, UF_VEC3_affine_comb(p, -2.5, p, p));
    EXPECT_EQ((std::array<double, 3>{-15, -30, -45}), (std::array<double, 3>{p[0], p[1], p[2]}));
}

TEST_F(HostTest, TheManipulatorTakesAUnitFrameAndLinearDimensionsKeepTheirHandles) {
    std::filesystem::create_directories(dir / "application");
    std::ofstream(dir / "application" / "m.dlx") << R"(<dialog><block id="m" kind="SpecifyOrientation"/>
        <block id="d" kind="LinearDimension"><property name="HandleOrigin" type="point">1 2 3</property></block></dialog>)";
    host::ui::Dialog d((dir / "application" / "m.dlx").string());
    auto* m = dynamic_cast<NXOpen::BlockStyler::SpecifyOrientation*>(d.find("m")->ui.get());
    host::ui::setValue(d, "m", "5 6 7 0 3 0 -2 1 0");
    EXPECT_NEAR(5, m->Origin().X, 1e-12);
    EXPECT_NEAR(1, m->XAxis().Y, 1e-12);
    EXPECT_NEAR(-1, m->YAxis().X, 1e-12);  // squared to x, of unit length
    EXPECT_NEAR(0, m->YAxis().Y, 1e-12);
    EXPECT_NEAR(1, m->ZAxis().Z, 1e-12);
    for (const char* bad : {"0 0 0 1 0 0 2 0 0", "0 0 0 0 0 0 0 1 0", "0 0 0 1 0 0 0 1", "0 0 0 1 0 0 0 1 0 9"})
        EXPECT_THROW(host::ui::setValue(d, "m", bad), host::ui::UserError) << bad;
    EXPECT_NEAR(1, m->XAxis().Y, 1e-12);

    auto* dim = dynamic_cast<NXOpen::BlockStyler::LinearDimension*>(d.find("d")->ui.get());
    EXPECT_EQ(2, dim->HandleOrigin().Y);
    EXPECT_FALSE(dim->ShowHandle());
    dim->SetShowHandle(true);
    dim->SetHandleOrientation({0, 0, -1});
    dim->SetHandleOrigin({4, 5, 6});
    EXPECT_TRUE(dim->ShowHandle());
    EXPECT_EQ(-1, dim->HandleOrientation().Z);
    EXPECT_EQ(6, dim->HandleOrigin().Z);
}
