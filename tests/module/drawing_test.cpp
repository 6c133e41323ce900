// The drawing command on real assemblies: templates that cannot be read, components that go while
// the dialog is open, and layer-mode numbering past the free numbers.
#include <fstream>
#include <sstream>
#include "draft/drafting.h"
#include "draft/render.h"
#include "files/dump.h"
#include "fixture.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> sheetNames() {
    std::vector<std::string> out;
    for (tag_t t : host::session().sheets(*host::session().work)) out.push_back(host::text::toUtf8(host::session().object(t).name));
    return out;
}

}  // namespace

class DrawingTest : public ModelTest {
protected:
    // The component batch, then the drawing command with a prefix, as a designer runs them.
    void batchThenDraw(const std::string& prefix, std::function<void(host::ui::Dialog&)> more = nullptr) {
        user.onDialog = [](host::ui::Dialog& d) {
            host::ui::setValue(d, "enum0", "2");
            host::ui::pressApply(d);
        };
        pick("new_zujianV1");
        drawOnly(prefix, more);
    }
    void drawOnly(const std::string& prefix, std::function<void(host::ui::Dialog&)> more = nullptr) {
        user.onDialog = [&](host::ui::Dialog& d) {
            host::ui::setValue(d, "tuhao", prefix);
            host::ui::pressApply(d);
            if (more) more(d);
        };
        pick("drawing");
    }
    void openPlant() { open(slurp(fs::path(VORTA_SOURCE_DIR) / "tests/journals/drawing.json"), "drawing.json"); }
};

TEST_F(DrawingTest, ASheetWhoseTemplateCannotBeReadIsNotMadeAndTheRunSaysHowMany) {
    // An installation whose A4 template is gone.
    fs::path base = dir / "base";
    fs::copy(std::string(VORTA_BINARY_DIR) + "/base", base, fs::copy_options::recursive);
    fs::remove(base / "qel-1" / "bom" / "A4_nj.prt");
    host::session().baseDir = base.string();
    openPlant();
    batchThenDraw("QEL-100");
    EXPECT_EQ((std::vector<std::string>{u8"2-0组件-frame", u8"3-0组件-box", u8"000-0-总图"}), sheetNames());
    EXPECT_EQ(1, count(u8"[message] 2 张图纸未能创建(模板无法读取),详见系统日志"));
    EXPECT_EQ(1, count(u8"[drafting] the drawing sheet 2-1-横梁 is not made"));
    bool logged = false;
    for (auto& l : host::session().syslog) logged |= l.find("A4_nj.prt") != std::string::npos;
    EXPECT_TRUE(logged);
    // With the template back, the next run makes just the missing sheets.
    fs::copy_file(std::string(VORTA_BINARY_DIR) + "/base/qel-1/bom/A4_nj.prt", base / "qel-1" / "bom" / "A4_nj.prt");
    drawOnly("QEL-100");
    EXPECT_EQ((std::vector<std::string>{u8"2-0组件-frame", u8"3-0组件-box", u8"000-0-总图", u8"2-1-横梁", u8"2-2-立柱"}), sheetNames());
}

TEST_F(DrawingTest, AComponentThatGoesWhileTheDialogIsOpenIsNotHandedOutAgain) {
    openPlant();
    batchThenDraw("QEL-100", [&](host::ui::Dialog& d) {
        // The box goes from the assembly, and its sheet with it, between two presses of Apply.
        host::Session& s = host::session();
        host::Object* box = s.find(component("box-3"));
        ASSERT_NE(nullptr, box);
        s.removeInstance(*s.display, box->instancePath.back());
        host::ui::pressApply(d);
    });
    EXPECT_EQ(0, count("[message] Block Styler"));
    EXPECT_EQ(2, count(u8"[message] 组件模式"));
}

TEST_F(DrawingTest, LayerModeNumbersPastTheFreeListWithoutGapsOrRepeats) {
    std::string bodies;
    for (int i = 1; i <= 25; ++i) {
        std::ostringstream b;
        b << (i > 1 ? "," : "") << R"({"name": "b)" << i << R"(", "stock": "plate", "size": [100, 50, 5], "at": [0, )" << i * 100
          << R"(, 0], "attributes": {"DB_PART_NAME": "p)" << i << R"(", "REMARK": "按图制作"}})";
        bodies += b.str();
    }
    open(host::text::toUtf8(R"({"file": "top.prt", "components": [{"file": "frame-2.prt", "name": "frame-2", "part": {"bodies": [)" + bodies + "]}}]}"));
    drawOnly("P");
    for (int i = 1; i <= 25; ++i) {
        host::Object& b = host::session().object(named("b" + std::to_string(i), "frame-2"));
        EXPECT_EQ("P-2-" + std::to_string(i), b.findAttr("DB_PART_NO")->text) << i;
        EXPECT_EQ(115 + i, b.layer) << i;
    }
}

// Layers end at 256, and only what would pass it is not placed: component 11 sits on layer 250 and
// its first six bodies above it, the seventh and eighth are named in a message, component 12 too. A
// drawn number is read as atoi reads it: X-2-7A is number 7.
TEST_F(DrawingTest, LayerModePlacesEverythingTheLayersHold) {
    auto plates = [](const std::string& prefix, int n, const std::string& number) {
        std::string out;
        for (int i = 1; i <= n; ++i) {
            std::ostringstream b;
            b << (i > 1 ? "," : "") << R"({"name": ")" << prefix << i << R"(", "stock": "plate", "size": [100, 50, 5], "at": [0, )" << i * 100
              << R"(, 0], "attributes": {"DB_PART_NAME": ")" << prefix << "p" << i << R"(", "REMARK": "按图制作")"
              << (number.empty() ? "" : R"(, "DB_PART_NO": ")" + number + '"') << "}}";
            out += b.str();
        }
        return out;
    };
    open(host::text::toUtf8(R"({"file": "top.prt", "components": [
        {"file": "frame-2.prt", "name": "frame-2", "part": {"bodies": [)" + plates("a", 1, "X-2-7A") + "," + plates("f", 1, "") + R"(]}},
        {"file": "beams-11.prt", "name": "beams-11", "at": [0, 0, 1000], "part": {"bodies": [)" + plates("b", 8, "") + R"(]}},
        {"file": "rack-12.prt", "name": "rack-12", "at": [0, 0, 2000], "part": {"bodies": [)" + plates("r", 2, "") + "]}}]}"));
    drawOnly("P");
    host::Session& s = host::session();
    host::Object& drawn = s.object(named("a1", "frame-2"));
    EXPECT_EQ("P-2-7A", drawn.findAttr("DB_PART_NO")->text);
    EXPECT_EQ(122, drawn.layer);
    EXPECT_EQ(250, s.object(component("beams-11")).layer);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(i <= 6 ? 250 + i : 1, s.object(named("b" + std::to_string(i), "beams-11")).layer) << i;
    EXPECT_EQ(1, count(u8"[message] bp7 P-11-7"));
    EXPECT_EQ(1, count(u8"[message] bp8 P-11-8"));
    EXPECT_EQ(1, count(u8"[message] rack-12"));
    EXPECT_EQ(0, count(u8"[message] 编号超出"));
}

TEST_F(DrawingTest, TheDumpShowsSheetsViewsAndNotesUnderTheirNames) {
    openPlant();
    batchThenDraw("QEL-100");
    nlohmann::ordered_json dump = host::dump::part(*host::session().work);
    const nlohmann::ordered_json* box = nullptr;
    for (const auto& sh : dump.at("sheets"))
        if (sh.at("name") == u8"3-0组件-box") box = &sh;
    ASSERT_NE(nullptr, box);
    for (const char* key : {"name", "number", "template", "size", "scale", "views", "notes"}) EXPECT_TRUE(box->contains(key)) << key;
    EXPECT_NEAR(1.9216, box->at("scale").get<double>(), 1e-4);
    EXPECT_EQ(420, box->at("size")[0].get<double>());
    std::map<std::string, std::pair<double, double>> places;
    for (const auto& v : box->at("views")) {
        for (const char* key : {"name", "kind", "model_view", "part", "at", "scale"}) EXPECT_TRUE(v.contains(key)) << key;
        places.emplace(v.at("model_view").get<std::string>(), std::make_pair(v.at("at")[0].get<double>(), v.at("at")[1].get<double>()));
        EXPECT_EQ("box-3", v.at("part"));
    }
    EXPECT_NEAR(140.0, places.at("FRONT").first, 0.01);
    EXPECT_NEAR(228.5, places.at("FRONT").second, 0.01);
    EXPECT_NEAR(142.72, places.at("TOP").second, 0.01);
    EXPECT_NEAR(328.04, places.at("LEFT").first, 0.01);
    EXPECT_NEAR(328.04, places.at("TFR-ISO").first, 0.01);
    ASSERT_FALSE(box->at("notes").empty());
    EXPECT_TRUE(box->at("notes")[0].contains("rows"));
}

TEST_F(DrawingTest, QuantityCountsEveryBodyOfThePartTotalCountsCoincidentCopiesOnce) {
    // Three beams in frame 2, two of them on one place; two more in frame 3.
    auto beam = [](const char* at) {
        return std::string(R"({"name": "横梁", "stock": "flat", "size": [1200, 60, 8], "at": )") + at +
               R"(, "attributes": {"DB_PART_NAME": "横梁", "REMARK": "按图制作", "MATERIALS": "Q235", "suling": "扁钢60X8"}})";
    };
    open(host::text::toUtf8(R"({"file": "plant-1.prt", "components": [
        {"file": "frame-2.prt", "name": "frame-2", "part": {"bodies": [)" + beam("[0, 0, 0]") + "," + beam("[0, 500, 0]") + "," + beam("[0, 500, 0]") + R"(,
            {"name": "立柱", "stock": "square_tube", "size": [80, 4, 900], "at": [0, 200, 0],
             "attributes": {"DB_PART_NAME": "立柱", "REMARK": "按图制作", "MATERIALS": "Q235", "suling": "方管80X4"}}]}},
        {"file": "frame-3.prt", "name": "frame-3", "at": [0, 0, 2000], "part": {"bodies": [)" + beam("[0, 0, 0]") + "," + beam("[0, 300, 0]") + R"(]}}]})"));
    batchThenDraw("QEL-100");
    std::vector<std::string> cells;
    host::Session& s = host::session();
    for (tag_t t : s.sheets(*s.work)) {
        host::Object& sh = s.object(t);
        if (host::text::toUtf8(sh.name) != u8"2-1-横梁") continue;
        for (tag_t n : sh.sheet->notes)
            for (auto& row : s.object(n).note->cells)
                for (auto& c : row)
                    if (!c.empty()) cells.push_back(host::text::toUtf8(c));
        break;
    }
    // The value stands in the cell after its label.
    auto after = [&](const std::string& label) {
        auto it = std::find(cells.begin(), cells.end(), label);
        return it != cells.end() && it + 1 != cells.end() ? *(it + 1) : std::string("?");
    };
    EXPECT_EQ("3", after(u8"数量")) << "every beam of frame 2";
    EXPECT_EQ("4", after(u8"总数")) << "five beams of the plant, two of them on one place";
}

// A part placed twice under its parent counts twice: its parent holds two bodies, so it is drawn as
// a sub-assembly, and the part's sheet says 2. A part placed directly in the plant has the plant's
// root for its parent, so its quantity is what the plant holds of it, not 0.
TEST_F(DrawingTest, RepeatedPartsCountAndTopLevelPartsHaveAParent) {
    auto part = [](const std::string& name, const std::string& stock, const std::string& size) {
        return R"({"bodies": [{"name": ")" + name + R"(", "stock": ")" + stock + R"(", "size": )" + size +
               R"(, "attributes": {"DB_PART_NAME": ")" + name + u8R"(", "REMARK": "按图制作"}}]})";
    };
    open(R"({"file": "site-1.prt", "components": [
        {"file": "pair-2.prt", "name": "pair-2", "part": {"components": [
            {"file": "pin-2-1.prt", "name": "pin-2-1", "part": )" + part("pin", "round_bar", "[20, 100]") + R"(},
            {"file": "pin-2-1.prt", "name": "pin-2-1", "at": [0, 200, 0], "part": )" + part("pin", "round_bar", "[20, 100]") + R"(}]}},
        {"file": "plate-3.prt", "name": "plate-3", "at": [0, 0, 500], "part": )" + part("plate", "plate", "[300, 200, 10]") + R"(},
        {"file": "rod-4.prt", "name": "rod-4", "at": [0, 0, 900], "part": )" + part("rod", "round_bar", "[30, 600]") + R"(}]})");
    drawOnly("QEL-100");
    const auto names = sheetNames();
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), u8"2-0组件-pair")) << ::testing::PrintToString(names);
    host::Session& s = host::session();
    auto cellAfter = [&](const std::string& sheet, const std::string& label) {
        std::vector<std::string> cells;
        for (tag_t t : s.sheets(*s.work)) {
            host::Object& sh = s.object(t);
            if (host::text::toUtf8(sh.name) != sheet) continue;
            for (tag_t n : sh.sheet->notes)
                for (auto& row : s.object(n).note->cells)
                    for (auto& c : row)
                        if (!c.empty()) cells.push_back(host::text::toUtf8(c));
        }
        auto it = std::find(cells.begin(), cells.end(), label);
        return it != cells.end() && it + 1 != cells.end() ? *(it + 1) : std::string("?");
    };
    EXPECT_EQ("2", cellAfter(u8"2-1-pin", u8"数量"));
    EXPECT_EQ("1", cellAfter(u8"000-3-plate", u8"数量"));
}

// A sheet is scaled for what its views show, measured along the axes they are drawn in: a frame
// turned a quarter round in the plant, and a post turned inside it, get the sheets the unturned ones
// get. And a tall subject keeps its views inside the frame, clear of the title block.
TEST_F(DrawingTest, SheetsAreMeasuredAsTheirViewsDrawThemAndStayInsideTheFrame) {
    auto frame = [](const std::string& n, const std::string& turn) {
        return std::string(R"({"file": "frame-)") + n + R"(.prt", "name": "frame-)" + n + R"(", "at": [0, 0, )" + n + R"(000])" + turn + u8R"(, "part": {
            "bodies": [{"name": "beam", "stock": "flat", "size": [1600, 60, 8],
                        "attributes": {"DB_PART_NAME": "beam", "REMARK": "按图制作"}}],
            "components": [{"file": "post-)" + n + R"(-1.prt", "name": "post-)" + n + u8R"(-1", "at": [0, 300, 0], "x": [0, 1, 0], "part":
                {"bodies": [{"name": "post", "stock": "flat", "size": [700, 80, 10],
                             "attributes": {"DB_PART_NAME": "post", "REMARK": "按图制作"}}]}}]}})";
    };
    open(R"({"file": "plant-1.prt", "components": [)" + frame("2", "") + "," + frame("3", R"(, "x": [0, 1, 0])") + u8R"(,
        {"file": "mast-4.prt", "name": "mast-4", "at": [5000, 0, 0], "part": {"bodies": [{"name": "mast", "stock": "square_tube",
            "size": [60, 4, 3000], "x": [0, 0, 1], "z": [-1, 0, 0], "attributes": {"DB_PART_NAME": "mast", "REMARK": "按图制作"}}]}}]})");
    drawOnly("QEL-100");
    host::Session& s = host::session();
    std::map<std::string, double> scale;
    for (tag_t t : s.sheets(*s.work)) scale[host::text::toUtf8(s.object(t).name)] = s.object(t).sheet->scale;
    ASSERT_TRUE(scale.count(u8"2-0组件-frame") && scale.count(u8"3-0组件-frame")) << ::testing::PrintToString(scale);
    EXPECT_NEAR(scale[u8"2-0组件-frame"], scale[u8"3-0组件-frame"], 1e-9);
    ASSERT_TRUE(scale.count(u8"2-1-post") && scale.count(u8"3-1-post")) << ::testing::PrintToString(scale);
    EXPECT_NEAR(scale[u8"2-1-post"], scale[u8"3-1-post"], 1e-9);
    // The mast's sheet: every line its views draw lies inside the frame and above the title block.
    bool found = false;
    for (tag_t t : s.sheets(*s.work)) {
        if (host::text::toUtf8(s.object(t).name) != u8"000-4-mast") continue;
        found = true;
        const host::draft::Drawing d = host::draft::drawSheet(s.object(t));
        auto inside = [](double x, double y) { return x >= 25 && x <= 205 && y >= 45 && y <= 292; };
        size_t lines = 0;
        for (const auto& p : d.paths) {
            if (p.layer != "VISIBLE" && p.layer != "HIDDEN") continue;
            ++lines;
            for (size_t i = 0; i + 1 < p.xy.size(); i += 2) EXPECT_TRUE(inside(p.xy[i], p.xy[i + 1])) << p.xy[i] << ", " << p.xy[i + 1];
        }
        for (const auto& a : d.arcs)
            if (a.layer == "VISIBLE" || a.layer == "HIDDEN") EXPECT_TRUE(inside(a.cx - a.r, a.cy - a.r) && inside(a.cx + a.r, a.cy + a.r));
        EXPECT_GT(lines, 0u);
    }
    EXPECT_TRUE(found);
}
