// The drawing command on real assemblies: templates that cannot be read, components that go while
// the dialog is open, and layer-mode numbering past the free numbers.
#include <fstream>
#include <sstream>
#include "draft/drafting.h"
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
