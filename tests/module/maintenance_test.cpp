// The maintenance commands on drawn plants: view erase and shading as the render draws them, the
// layers and refresh of the current sheet, the duplicate count around hidden components, and lists
// that hold objects which are gone.
#include <fstream>
#include <sstream>
#include "draft/drafting.h"
#include "draft/render.h"
#include "fixture.h"
#include "ui/dialog.h"
#include "uf_layer.h"
#include "uf_view.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int layerStatus(int layer) {
    int status = -1;
    UF_LAYER_ask_status(layer, &status);
    return status;
}

}  // namespace

class MaintenanceTest : public ModelTest {
protected:
    host::Object& sheet(const std::string& utf8) {
        host::Session& s = host::session();
        for (tag_t t : s.sheets(*s.work))
            if (s.object(t).name == host::text::toGbk(utf8)) return s.object(t);
        ADD_FAILURE() << "no sheet " << utf8;
        throw std::runtime_error("no sheet");
    }
    host::Object& view(host::Object& sh, const std::string& modelView) {
        for (tag_t t : sh.sheet->views)
            if (host::Object* v = host::session().find(t); v && v->view->modelView == modelView) return *v;
        throw std::runtime_error("no view " + modelView);
    }
    // The bodies a view draws, by their prototypes' names.
    std::vector<std::string> drawn(host::Object& v) {
        std::vector<std::string> out;
        for (host::Object* b : host::draft::shownBodies(v)) {
            host::Object* proto = host::session().find(b->prototype);
            out.push_back(host::text::toUtf8(proto ? proto->name : b->name));
        }
        return out;
    }
    tag_t occurrence(const std::string& utf8Name) {
        host::Session& s = host::session();
        for (tag_t t : s.display->objects)
            if (host::Object* o = s.find(t); o && o->type == UF_solid_type && o->isOccurrence())
                if (host::Object* p = s.find(o->prototype); p && p->name == host::text::toGbk(utf8Name)) return t;
        return NULL_TAG;
    }
    // Runs the view command on these views and bodies with an operation.
    void editViews(std::vector<tag_t> views, std::vector<tag_t> bodies, int operation) {
        user.onDialog = [=](host::ui::Dialog& d) {
            host::ui::setValue(d, "enum0", std::to_string(operation));
            host::ui::pick(d, "shitu", views);
            host::ui::pick(d, "boy", bodies);
            host::ui::pressApply(d);
        };
        pick("shitu_shichu");
        user.onDialog = nullptr;
    }
};

TEST_F(MaintenanceTest, ErasedBodiesLeaveTheViewAndShadedOnesAreDrawnInCyanUntilTheEditsAreRemoved) {
    drawnPlant();
    host::Object& box = sheet(u8"3-0组件-box");
    host::Object& front = view(box, "FRONT");
    host::Object& top = view(box, "TOP");
    ASSERT_EQ((std::vector<std::string>{u8"下块", u8"上块"}), drawn(front));
    host::session().work->currentSheet = box.tag;
    const size_t before = host::draft::drawSheet(box).paths.size();

    // Two views picked: only the first is edited; a body erased twice is no error.
    editViews({front.tag, top.tag}, {occurrence(u8"上块"), occurrence(u8"上块")}, 0);
    EXPECT_EQ(0, count("[message] Block Styler"));
    EXPECT_EQ((std::vector<std::string>{u8"下块"}), drawn(front));
    EXPECT_EQ(2u, drawn(top).size());
    EXPECT_LT(host::draft::drawSheet(box).paths.size(), before);
    EXPECT_FALSE(front.view->outOfDate);

    // Shading: one edit per body, translucent cyan, drawn in its colour.
    editViews({top.tag}, {occurrence(u8"下块"), occurrence(u8"上块")}, 1);
    ASSERT_EQ(2u, top.view->shaded.size());
    for (const host::draft::Shade& sh : top.view->shaded) {
        EXPECT_EQ(host::Session::colorNamed("Cyan"), sh.color);
        EXPECT_EQ(95, sh.translucency);
    }
    int cyan = 0;
    for (auto& p : host::draft::drawSheet(box).paths) cyan += p.rgb == 0x00ffff;
    EXPECT_GT(cyan, 0);

    // Operation 2 with no bodies removes every edit of the view.
    editViews({front.tag}, {}, 2);
    EXPECT_EQ(2u, drawn(front).size());
    editViews({top.tag}, {}, 2);
    EXPECT_TRUE(top.view->shaded.empty());
    for (auto& p : host::draft::drawSheet(box).paths) EXPECT_EQ(-1, p.rgb);
}

TEST_F(MaintenanceTest, ViewEditsWithoutAViewOrOnABodyTheViewDoesNotDrawChangeNothingAndSaySo) {
    drawnPlant();
    host::Object& box = sheet(u8"3-0组件-box");
    host::Object& front = view(box, "FRONT");
    editViews({}, {occurrence(u8"上块")}, 0);
    EXPECT_EQ(1, count(u8"[message] 请选择视图"));
    EXPECT_TRUE(front.view->erased.empty());
    // The beam is not on the box's sheet: the host refuses, the user reads why, the view is unchanged.
    editViews({front.tag}, {occurrence(u8"横梁")}, 1);
    EXPECT_EQ(1, count("[message] Block Styler"));
    EXPECT_TRUE(front.view->shaded.empty());
}

TEST_F(MaintenanceTest, ViewEditsAreKeptInThePartFile) {
    drawnPlant();
    host::Object& front = view(sheet(u8"3-0组件-box"), "FRONT");
    host::Object& top = view(sheet(u8"3-0组件-box"), "TOP");
    editViews({front.tag}, {occurrence(u8"上块")}, 0);
    editViews({top.tag}, {occurrence(u8"下块")}, 1);
    const std::string file = host::session().display->path;
    host::partfile::saveTree(*host::session().display, true);
    host::session().reset();
    UF_initialize();
    host::Part& p = host::partfile::open(file);
    host::session().display = host::session().work = &p;
    host::Object& front2 = view(sheet(u8"3-0组件-box"), "FRONT");
    host::Object& top2 = view(sheet(u8"3-0组件-box"), "TOP");
    EXPECT_EQ((std::vector<std::string>{u8"下块"}), drawn(front2));
    ASSERT_EQ(1u, top2.view->shaded.size());
    EXPECT_EQ(1u, host::draft::shadedBodies(top2).size());
}

TEST_F(MaintenanceTest, TheCurrentSheetShowsItsLayerBlockAndGetsItsSpecificationScaleAndIsometricStyle) {
    drawnPlant();
    host::Session& s = host::session();
    host::Object& beam = sheet(u8"2-1-横梁");
    s.work->currentSheet = beam.tag;
    // A plain sheet whose key names the beam, an old specification in its title block and a scale
    // that is no fraction.
    beam.name = host::text::toGbk(u8"115-横梁");
    bool placed = false;
    for (tag_t t : beam.sheet->notes)
        if (host::Object* n = s.find(t); n && !placed && !n->note->cells.empty() && !n->note->cells[0].empty()) {
            n->note->cells[0][0] = host::text::toGbk(u8"旧规格(6X60)-Q345");
            placed = true;
        }
    ASSERT_TRUE(placed);
    beam.sheet->scale = 0.3;
    host::Object& iso = view(beam, "TFR-ISO");
    const double isoScale = iso.view->scale;

    ASSERT_EQ(0, pick("tuceng_xianshi"));
    EXPECT_EQ(0, count("[message] tuceng_xianshi"));
    for (int l = 115; l <= 129; ++l) EXPECT_EQ(UF_LAYER_REFERENCE_LAYER, layerStatus(l)) << l;
    EXPECT_EQ(UF_LAYER_INACTIVE_LAYER, layerStatus(130));
    EXPECT_EQ(UF_LAYER_INACTIVE_LAYER, layerStatus(100));
    EXPECT_EQ(UF_LAYER_REFERENCE_LAYER, layerStatus(171));
    bool found = false;
    for (tag_t t : beam.sheet->notes)
        if (host::Object* n = s.find(t))
            for (auto& row : n->note->cells)
                for (auto& c : row) found |= host::text::toUtf8(c) == u8"扁钢60X8-Q235";
    EXPECT_TRUE(found);
    EXPECT_NEAR(1.0 / 3, beam.sheet->scale, 1e-9);
    EXPECT_EQ(0, iso.view->renderingStyle);
    EXPECT_EQ(0, iso.view->hiddenLineFont);
    EXPECT_DOUBLE_EQ(isoScale, iso.view->scale);
}

TEST_F(MaintenanceTest, ASheetNumberThatIsNoLayerBlockShowsOneLayer) {
    open(R"({ "file": "s.prt", "bodies": [ { "name": "a", "stock": "plate", "size": [100, 50, 5] } ],
               "sheets": ["120-x", "115-y"] })");
    ASSERT_EQ(0, pick("tuceng_xianshi"));
    EXPECT_EQ(UF_LAYER_REFERENCE_LAYER, layerStatus(120));
    EXPECT_EQ(UF_LAYER_INACTIVE_LAYER, layerStatus(121));
    EXPECT_EQ(UF_LAYER_INACTIVE_LAYER, layerStatus(119));
}

TEST_F(MaintenanceTest, TheDuplicateCountGivesHiddenComponentsBackHidden) {
    open(R"({ "file": "d.prt",
               "bodies": [ { "name": "a", "stock": "plate", "size": [100, 50, 5] }, { "name": "b", "stock": "plate", "size": [100, 50, 5] } ],
               "components": [ { "file": "c1.prt", "name": "c1", "part": { "bodies": [ { "name": "x", "stock": "block", "size": [10, 10, 10] } ] } },
                               { "file": "c2.prt", "name": "c2", "part": { "bodies": [ { "name": "y", "stock": "block", "size": [10, 10, 10] } ] } } ] })");
    host::session().object(component("c2")).blank = true;
    const tag_t a = named("a"), b = named("b");
    user.onDialog = [&](host::ui::Dialog& d) {
        host::ui::pick(d, "blockxuanzhe", {a, b});
        // b goes while the dialog is open: the next count passes over it.
        host::session().kill(host::session().object(b));
        host::ui::setValue(d, "blocktoggle_debei", "on");
        host::ui::pressApply(d);
    };
    pick("delete_xiantong");
    EXPECT_EQ(0, count("[message] Block Styler"));
    EXPECT_NE(nullptr, host::session().find(a));
    EXPECT_TRUE(host::session().object(component("c2")).blank);
    EXPECT_FALSE(host::session().object(component("c1")).blank);
}

TEST_F(MaintenanceTest, TheFolderOfTheDisplayedPartIsOpened) {
    open(R"({ "file": "w.prt", "bodies": [] })");
    ASSERT_EQ(0, pick("wrod_lujin"));
    EXPECT_EQ(1, count("[shell] open " + dir.string()));
}
