// The part library browser on libraries of its own: what the tree shows, the pictures, imports placed
// and moved with the manipulator, replaced without loss, and libraries or parts that are not there.
#include <fstream>
#include "fixture.h"
#include "ui/dialog.h"
#include "ui/tree.h"
#include "uf_modl.h"

namespace fs = std::filesystem;

class LibraryTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        base = dir / "base";
        fs::copy(std::string(VORTA_BINARY_DIR) + "/base", base, fs::copy_options::recursive);
        host::session().baseDir = base.string();
        library = base / "qel-1" / "wucanku";
        open(u8R"({ "file": "w.prt", "bodies": [ { "name": "平台板", "stock": "plate", "size": [1000, 800, 10], "layer": 5 } ] })");
    }
    // Plays the browser: each step gets the open dialog.
    void browse(std::vector<std::function<void(host::ui::Dialog&)>> steps) {
        user.onDialog = [steps](host::ui::Dialog& d) {
            for (auto& s : steps) s(d);
            host::ui::pressOk(d);
        };
        pick("wucanku");
        user.onDialog = nullptr;
    }
    static std::function<void(host::ui::Dialog&)> select(const std::string& path) {
        return [path](host::ui::Dialog& d) { host::ui::selectNode(d, "tree_control0", path); };
    }
    static std::function<void(host::ui::Dialog&)> place(const std::string& orientation) {
        return [orientation](host::ui::Dialog& d) { host::ui::setValue(d, "manip0", orientation); };
    }
    // Bodies of the work part by name (UTF-8), with their boxes.
    std::vector<std::array<double, 6>> boxes(const std::string& name) {
        std::vector<std::array<double, 6>> out;
        host::Session& s = host::session();
        for (tag_t t : s.work->objects)
            if (host::Object* o = s.find(t); o && o->type == UF_solid_type && !o->isOccurrence() && host::text::toUtf8(o->name) == name) {
                std::array<double, 6> b{};
                UF_MODL_ask_bounding_box(t, b.data());
                out.push_back(b);
            }
        return out;
    }
    fs::path base, library;
};

TEST_F(LibraryTest, TheTreeShowsFoldersAndPartFilesAndEachPartsPictureOrTheStandIn) {
    fs::remove_all(library / u8"法兰");
    fs::create_directories(library / "sub");
    for (const char* f : {"a.prt", "b.PRT"}) fs::copy_file(library / u8"底板" / u8"地脚底板200.prt", library / "sub" / f);
    std::ofstream(library / "sub" / "c.txt") << "not a part";
    fs::copy_file(library / u8"底板" / u8"地脚底板200.prt", library / "x.prt");
    std::string tree, pictures;
    browse({[&](host::ui::Dialog& d) {
                tree = host::ui::blockText(d, "tree_control0");
                pictures = host::ui::blockText(d, "drawingArea0");
            },
            select(u8"x.prt"), [&](host::ui::Dialog& d) { pictures += " " + host::ui::blockText(d, "drawingArea0"); },
            select(u8"sub"), [&](host::ui::Dialog& d) { pictures += " " + host::ui::blockText(d, "drawingArea0"); }});
    EXPECT_EQ(u8"sub, sub/a.prt, sub/b.PRT, x.prt, 底板, 底板/地脚底板200.prt, 角钢支架, 角钢支架/角钢支架L50.prt, 紧固件, 紧固件/螺栓组M16.prt", tree);
    EXPECT_EQ("welcome.bmp nobitmap.bmp floder.bmp", pictures);
    // The folder pick kept the part.
    EXPECT_EQ(4u, boxes(u8"地脚螺栓1").size() + boxes(u8"地脚螺栓2").size() + boxes(u8"地脚螺栓3").size() + boxes(u8"地脚螺栓4").size());
}

TEST_F(LibraryTest, AnImportStandsAtTheManipulatorFollowsItAndIsReplacedByTheNextPick) {
    browse({place("1000 0 0 1 0 0 0 1 0"), select(u8"法兰/平焊法兰DN100.prt"), [&](host::ui::Dialog&) {
                auto b = boxes(u8"法兰盘");
                ASSERT_EQ(1u, b.size());
                EXPECT_NEAR(890, b[0][0], 1e-6);
                EXPECT_NEAR(1110, b[0][3], 1e-6);
                EXPECT_NEAR(20, b[0][5], 1e-6);
            },
            // Turned a quarter about z and lifted: the group follows by the difference.
            place("1000 0 500 0 1 0 -1 0 0"), [&](host::ui::Dialog&) {
                auto neck = boxes(u8"颈");
                ASSERT_EQ(1u, neck.size());
                EXPECT_NEAR(520, neck[0][2], 1e-6);
                EXPECT_NEAR(560, neck[0][5], 1e-6);
                EXPECT_NEAR(1000, (neck[0][0] + neck[0][3]) / 2, 1e-6);
            },
            select(u8"法兰/平焊法兰DN150.prt")});
    EXPECT_TRUE(boxes(u8"颈").size() == 1);
    auto flange = boxes(u8"法兰盘");
    ASSERT_EQ(1u, flange.size());
    EXPECT_NEAR(285, flange[0][3] - flange[0][0], 1e-6);
    EXPECT_NEAR(500, flange[0][2], 1e-6);
    // The import goes onto the work layer unless the layers are kept.
    host::Session& s = host::session();
    for (tag_t t : s.work->objects)
        if (host::Object* o = s.find(t); o && host::text::toUtf8(o->name) == u8"法兰盘") EXPECT_EQ(s.work->workLayer, o->layer);
    EXPECT_EQ(1u, boxes(u8"平台板").size());
}

TEST_F(LibraryTest, AnImportThatFailsKeepsTheOneBeforeAndSaysSo) {
    std::ofstream(library / u8"法兰" / u8"坏.prt") << "{ damaged";
    browse({select(u8"法兰/平焊法兰DN100.prt"), select(u8"法兰/坏.prt")});
    EXPECT_EQ(1, count(u8"[message] 零件导入失败: "));
    EXPECT_EQ(1u, boxes(u8"法兰盘").size());
    // Nothing of the failed file stays loaded.
    EXPECT_EQ(1u, host::session().parts().size());
}

TEST_F(LibraryTest, AMissingLibraryIsAnEmptyTreeAndAMessage) {
    fs::remove_all(library);
    std::string tree = "?";
    browse({[&](host::ui::Dialog& d) { tree = host::ui::blockText(d, "tree_control0"); }});
    EXPECT_EQ("", tree);
    EXPECT_EQ(1, count(u8"[message] 零件库文件夹不存在: "));
}

TEST_F(LibraryTest, TheContextMenuCollapsesAndExpandsTheWholeTree) {
    std::vector<std::string> shown;
    auto menu = [&](const std::string& item) {
        return [&, item](host::ui::Dialog& d) {
            host::ui::chooseMenuItem(d, "tree_control0", item);
            std::string open;
            for (host::ui::TreeNode* n : host::ui::treeOf(*d.find("tree_control0")).inOrder()) open += n->expanded ? "1" : "0";
            shown.push_back(open);
        };
    };
    browse({menu(u8"全部展开"), menu(u8"全部折叠"), select(u8"紧固件/螺栓组M16.prt"), menu(u8"全部折叠"), menu(u8"展开至选定的")});
    ASSERT_EQ(4u, shown.size());
    EXPECT_EQ(std::string(shown[0].size(), '1'), shown[0]);
    EXPECT_EQ(std::string(shown[1].size(), '0'), shown[1]);
    EXPECT_EQ(std::string(shown[2].size(), '0'), shown[2]);
    // Only the selected node opens.
    EXPECT_EQ(1, std::count(shown[3].begin(), shown[3].end(), '1'));
}
