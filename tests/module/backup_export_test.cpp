// The project's files under the drawing dialog's backup and rename, and the export beside a part:
// what is given again or picked wrongly changes nothing on disk, and a part named without an
// extension still exports beside itself.
#include <fstream>
#include <set>
#include "files/paths.h"
#include "fixture.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every file below a folder, relative to it (UTF-8).
std::set<std::string> filesUnder(const fs::path& folder) {
    std::set<std::string> out;
    for (auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) out.insert(fs::relative(e.path(), folder).u8string());
    return out;
}

}  // namespace

class BackupTest : public ModelTest {
protected:
    // The drawing plant after the component batch, every part written.
    void batchedPlant() {
        open(slurp(fs::path(VORTA_SOURCE_DIR) / "tests/journals/drawing.json"), "drawing.json");
        user.onDialog = [](host::ui::Dialog& d) {
            host::ui::setValue(d, "enum0", "2");
            host::ui::pressApply(d);
        };
        pick("new_zujianV1");
        saveAll();
    }
    void saveAll() {
        for (auto& p : host::session().parts())
            if (p->modified || p.get() == host::session().display) host::partfile::save(*p);
    }
    void backup(const std::string& prefix) {
        user.onDialog = [&](host::ui::Dialog& d) {
            host::ui::setValue(d, "enum0", "1");
            host::ui::setValue(d, "filepath_lujin", dir.string() + "/");
            host::ui::setValue(d, "ming_qz", prefix);
            host::ui::pressApply(d);
        };
        pick("drawing");
    }
};

TEST_F(BackupTest, TheSamePrefixAgainLeavesEveryFileWhereItIsAndSaysSo) {
    batchedPlant();
    backup("XY");
    ASSERT_TRUE(fs::exists(dir / "XY-plant-1.prt"));
    ASSERT_TRUE(fs::exists(dir / u8"XY-横梁-2-1.prt"));
    std::set<std::string> before = filesUnder(dir);
    const int saidBefore = count(u8"[message] ");

    backup("XY");
    // Nothing renamed, nothing lost: the working files are the ones there were, plus the second
    // backup folder (named after the working assembly) with a copy of each.
    std::set<std::string> after = filesUnder(dir), added;
    for (auto& f : before) EXPECT_TRUE(after.count(f)) << f << " is gone";
    for (auto& f : after)
        if (!before.count(f)) added.insert(f);
    for (auto& f : added) EXPECT_EQ(0u, f.rfind(u8"XY-plant-1(备份)/", 0)) << f;
    EXPECT_TRUE(added.count(u8"XY-plant-1(备份)/XY-plant-1.prt"));
    EXPECT_TRUE(added.count(u8"XY-plant-1(备份)/XY-横梁-2-1.prt"));
    EXPECT_FALSE(fs::exists(dir / "XY-XY-plant-1.prt"));
    // Each file kept in place is said to be so.
    int kept = 0;
    for (size_t i = 0; i < transcript.size(); ++i)
        kept += transcript[i].find(u8"新旧文件名相同,文件保留原处") != std::string::npos;
    EXPECT_GE(kept, 2);
    EXPECT_GT(count(u8"[message] "), saidBefore);
    EXPECT_EQ(0, count("[message] Block Styler"));
    // The assembly still finds its components under the names they have.
    host::session().reset();
    host::Part& top = host::partfile::open((dir / "XY-plant-1.prt").string());
    EXPECT_TRUE(top.missing.empty());
}

TEST_F(BackupTest, ARenameWithMoreThanOneComponentPickedSaysWhatToPickAndChangesNothing) {
    batchedPlant();
    const std::set<std::string> before = filesUnder(dir);
    std::vector<tag_t> two;
    for (tag_t t : host::session().display->objects)
        if (host::Object* o = host::session().find(t); o && o->type == UF_component_type && !o->root && two.size() < 2) two.push_back(t);
    ASSERT_EQ(2u, two.size());
    user.onDialog = [&](host::ui::Dialog& d) {
        host::ui::setValue(d, "enum0", "2");
        host::ui::pick(d, "selection0", two);
        host::ui::setValue(d, "tuhao_new", "renamed-9");
        host::ui::pressApply(d);
    };
    pick("drawing");
    EXPECT_EQ(host::text::toUtf8("请选择一个组件再重命名"), host::session().lastMessage);
    EXPECT_EQ(before, filesUnder(dir));
    for (tag_t c : two) EXPECT_NE("renamed-9", host::session().object(c).instanceName);
}

TEST_F(BackupTest, APartNamedWithoutAnExtensionExportsBesideItselfEvenInAFolderWithADot) {
    fs::create_directories(dir / "job.v2");
    open(R"({ "file": "plant", "bodies": [ { "name": "p", "stock": "plate", "size": [400, 300, 10] } ],
              "sheets": ["001-a", "002-b"] })", "job.v2/m.json");
    ASSERT_EQ(dir / "job.v2" / "plant", fs::path(host::session().display->path));
    pick("2D");
    EXPECT_TRUE(fs::exists(dir / "job.v2" / u8"plantCAD工程图" / "001-a.dxf"));
    EXPECT_TRUE(fs::exists(dir / "job.v2" / u8"plantCAD工程图" / "002-b.dxf"));
    // Nothing beside the folder whose name has the dot.
    EXPECT_EQ((std::set<std::string>{"job.v2"}), [&] {
        std::set<std::string> top;
        for (auto& e : fs::directory_iterator(dir)) top.insert(e.path().filename().u8string());
        return top;
    }());
}

// Switched to the backup, the dialog proposes the displayed part's folder, and the backup goes there;
// with the folder emptied, nothing is backed up and nothing renamed.
TEST_F(BackupTest, TheBackupGoesWhereTheFolderFieldSaysAndNowhereElse) {
    batchedPlant();
    const std::set<std::string> before = filesUnder(dir);
    user.onDialog = [&](host::ui::Dialog& d) {
        host::ui::setValue(d, "enum0", "1");
        host::ui::setValue(d, "filepath_lujin", "");
        host::ui::pressApply(d);
    };
    pick("drawing");
    EXPECT_EQ(before, filesUnder(dir));
    EXPECT_EQ(1, count(u8"[message] 未选择备份文件夹,未做任何修改"));

    user.onDialog = [&](host::ui::Dialog& d) {
        host::ui::setValue(d, "enum0", "1");
        host::ui::setValue(d, "ming_qz", "XY");
        host::ui::pressApply(d);
    };
    pick("drawing");
    EXPECT_TRUE(fs::is_directory(dir / u8"plant-1(备份)"));
    EXPECT_TRUE(fs::exists(dir / u8"plant-1(备份)" / "plant-1.prt"));
    EXPECT_TRUE(fs::exists(dir / "XY-plant-1.prt"));
}
