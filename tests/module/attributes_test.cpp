// Stock size, identical and overlapping bodies on real models.
#include <fstream>
#include "attributes/identical_bodies.hpp"
#include "attributes/stock_size.hpp"
#include "files/partfile.h"
#include "fixture.h"
#include "model/modeldesc.h"
#include "text.h"
#include "uf_csys.h"
#include "uf_disp.h"
#include "uf_modl.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "NXOpen/NXException.hxx"

namespace fs = std::filesystem;

class StockSizeTest : public ModelTest {
protected:
    int liveBodies() {
        int n = 0;
        for (tag_t t : host::session().work->objects)
            if (host::Object* o = host::session().find(t); o && o->type == UF_solid_type) ++n;
        return n;
    }
    std::array<double, 12> wcs() {
        tag_t w = NULL_TAG, m = NULL_TAG;
        std::array<double, 12> v{};
        UF_CSYS_ask_wcs(&w);
        UF_CSYS_ask_csys_info(w, &m, v.data());
        UF_CSYS_ask_matrix_values(m, v.data() + 3);
        return v;
    }
};

TEST_F(StockSizeTest, RecordsOfCommonStocks) {
    open(u8R"({"file": "s.prt", "bodies": [
        {"name": "plate", "stock": "plate", "size": [200, 100, 5]},
        {"name": "turned", "stock": "plate", "size": [200, 100, 5], "at": [0, 500, 0], "x": [0.6, 0.8, 0], "z": [0, 0, 1]},
        {"name": "flat", "stock": "flat", "size": [600, 40, 6], "at": [0, 900, 0]},
        {"name": "tube", "stock": "square_tube", "size": [50, 3, 400], "at": [0, 1200, 0]},
        {"name": "upright", "stock": "plate", "size": [300, 200, 10], "at": [0, 1500, 0], "x": [0, 0, 1], "z": [0, 1, 0]}]})");
    struct Case { const char* body; const char* record; } cases[] = {
        {"plate", "5,100-200-5.0,780.0"},
        {"turned", "5,100-200-5.0,780.0"},
        {"flat", "6,40-600-6.0,1123.2"},
        {"tube", "50,50-400-3.0,1759.7"},
        // A face whose normal is the y axis still gets a frame.
        {"upright", "10,200-300-10.0,4680.0"},
    };
    for (auto& c : cases) EXPECT_EQ(c.record, 普通尺寸记录(named(c.body))) << c.body;
    EXPECT_EQ("5,100-200", 外形文本(named("plate")));
}

TEST_F(StockSizeTest, TheWorkCoordinateSystemIsTheUsersAfterEveryMeasurement) {
    open(u8R"({"file": "s.prt", "bodies": [
        {"name": "plate", "stock": "plate", "size": [200, 100, 5], "at": [10, 20, 30], "x": [0, 1, 0], "z": [1, 0, 0]},
        {"name": "bent", "stock": "bent_plate", "size": {"flanges": [100, 200], "angles": [90], "t": 2, "r": 3, "w": 150}},
        {"name": "bar", "stock": "round_bar", "size": [20, 400]}]})");
    const double m[9] = {0, 0, 1, 1, 0, 0, 0, 1, 0}, origin[3] = {5, 6, 7};
    tag_t matrix, csys;
    UF_CSYS_create_matrix(m, &matrix);
    UF_CSYS_create_temp_csys(origin, matrix, &csys);
    UF_CSYS_set_wcs(csys);
    auto before = wcs();
    普通尺寸记录(named("plate"));
    EXPECT_EQ(before, wcs());
    外形文本(named("bent"));
    EXPECT_EQ(before, wcs());
    折弯尺寸记录(named("bent"));
    EXPECT_EQ(before, wcs());
    EXPECT_THROW(折弯尺寸记录(named("bar")), NXOpen::NXException);
    EXPECT_EQ(before, wcs());
}

TEST_F(StockSizeTest, BentBodiesInComponentsAreUnfoldedThroughALinkThatDoesNotStay) {
    open(u8R"({"file": "top.prt",
        "components": [{"file": "c-1.prt", "name": "c-1", "at": [0, 0, 300], "x": [0, 1, 0], "z": [0, 0, 1], "part": {"bodies": [
            {"name": "bent", "stock": "bent_plate", "size": {"flanges": [80, 120, 80], "angles": [90, 90], "t": 3, "r": 2, "w": 100}},
            {"name": "bar", "stock": "round_bar", "size": [20, 400]}]}}]})");
    host::Session& s = host::session();
    tag_t bent = NULL_TAG, bar = NULL_TAG;
    for (tag_t t : s.work->objects) {
        host::Object* o = s.find(t);
        if (!o || !o->isOccurrence() || o->type != UF_solid_type) continue;
        (s.object(o->prototype).name == "bent" ? bent : bar) = t;
    }
    ASSERT_TRUE(bent && bar);
    int bodies = liveBodies();
    // Flat length: 80 + 120 + 80 + 2 bends of a quarter circle at the mid radius 3.5.
    EXPECT_EQ("3.0,100-291-3.0,680.9", 折弯尺寸记录(bent));
    EXPECT_EQ(bodies, liveBodies());
    EXPECT_THROW(折弯尺寸记录(bar), NXOpen::NXException);
    EXPECT_EQ(bodies, liveBodies());
    for (tag_t t : s.work->objects)
        if (host::Object* o = s.find(t)) EXPECT_NE(UF_feature_type, o->type) << "a feature was left behind";
}

TEST_F(StockSizeTest, TheLargestFaceIsTheFirstOfEqualOnes) {
    open(u8R"({"file": "s.prt", "bodies": [{"name": "cube", "stock": "block", "size": [50, 50, 50]}]})");
    tag_t cube = named("cube");
    tag_t face = 求体的最大面积(cube);
    uf_list_p_t list = nullptr;
    UF_MODL_ask_body_faces(cube, &list);
    tag_t first = NULL_TAG;
    UF_MODL_ask_list_item(list, 0, &first);
    UF_MODL_delete_list(&list);
    EXPECT_EQ(first, face);
    double area = 0;
    EXPECT_EQ(0, 得到面积(face, 0.5, area));
    EXPECT_NEAR(2500.0, area, 1e-6);
    EXPECT_EQ(1, 得到面积(NULL_TAG, 0.95, area));
    double volume = 0, mass = 0;
    EXPECT_EQ(1, 得到体积(NULL_TAG, 0.95, volume, mass));
}

using IdenticalTest = StockSizeTest;

TEST_F(IdenticalTest, CopiesAreFoundWhereverTheyLieAndOthersAreNot) {
    open(u8R"({"file": "s.prt", "bodies": [
        {"name": "a", "stock": "plate", "size": [200, 100, 5]},
        {"name": "mirrored", "stock": "plate", "size": [200, 100, 5], "at": [0, 0, 100], "x": [-1, 0, 0], "z": [0, 0, -1]},
        {"name": "thicker", "stock": "plate", "size": [200, 100, 6], "at": [0, 300, 0]},
        {"name": "lighter", "stock": "plate", "size": [200, 100, 5], "at": [0, 600, 0], "density": 7.0},
        {"name": "tube", "stock": "square_tube", "size": [50, 3, 400], "at": [0, 900, 0]}]})");
    UF_DISP_set_highlight(named("mirrored"), 1);
    std::vector<tag_t> same;
    EXPECT_EQ(0, 找相同体(named("a"), same));
    EXPECT_EQ((std::vector<tag_t>{named("a"), named("mirrored")}), same);
    int h = 1;
    UF_DISP_ask_highlight(named("mirrored"), &h);
    EXPECT_EQ(0, h);
    int faces = 0, edges = 0;
    EXPECT_EQ(0, 得到体的面数量(named("tube"), faces));
    EXPECT_EQ(0, 获得体所有边(named("tube"), edges));
    EXPECT_EQ(10, faces);
    EXPECT_EQ(24, edges);
}

TEST_F(IdenticalTest, OverlapsAreMarkedOnlyInTheOrdinaryWorkingMode) {
    const char* model = u8R"({"file": "s.prt", "sheets": SHEETS, "bodies": [
        {"name": "a", "stock": "plate", "size": [200, 100, 5]},
        {"name": "b", "stock": "plate", "size": [200, 100, 5], "at": [0.3, 0, 0]},
        {"name": "c", "stock": "plate", "size": [200, 100, 5], "at": [0, 300, 0]}]})";
    struct Case { const char* sheets; bool reported; } cases[] = {{"[]", true}, {"[\"001\", \"002\", \"003\"]", false}, {"[\"001\", \"A01\"]", true}};
    for (auto& c : cases) {
        std::string json = model;
        json.replace(json.find("SHEETS"), 6, c.sheets);
        host::session().reset();
        transcript.clear();
        UF_initialize();
        open(json);
        std::vector<tag_t> list = {named("a"), named("b"), named("c")};
        EXPECT_EQ(std::vector<tag_t>{named("b")}, 重叠体(list));
        找重叠体(list);
        EXPECT_EQ(c.reported ? 186 : 87, host::session().object(named("b")).color) << c.sheets;
        EXPECT_EQ(87, host::session().object(named("a")).color);
        EXPECT_EQ(c.reported ? 1 : 0, count(u8"[message] 找到 1 个重复体,颜色已设置为红色,请手工删除!!")) << c.sheets;
    }
}
