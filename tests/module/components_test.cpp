// The component command on real assemblies and files: the batch run and the selection modes.
#include <fstream>
#include <sstream>
#include "fixture.h"
#include "uf_obj.h"

namespace fs = std::filesystem;

namespace {

std::string body(const std::string& name, const std::string& partName, double y, const std::string& remark = "按图制作") {
    std::ostringstream o;
    o << R"({"name": ")" << name << R"(", "stock": "plate", "size": [100, 50, 5], "at": [0, )" << y
      << R"(, 0], "attributes": {"DB_PART_NAME": ")" << partName << R"(", "REMARK": ")" << remark << R"("}})";
    return host::text::toUtf8(o.str());  // descriptions are UTF-8; literals here are GBK
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

class ComponentTest : public ModelTest {
protected:
    // Opens the component command, sets its mode and presses Apply, as a designer would.
    void run(int mode, std::vector<tag_t> picks = {}, bool save = true) {
        user.onDialog = [&](host::ui::Dialog& d) {
            host::ui::setValue(d, "enum0", std::to_string(mode));
            if (!save) host::ui::setValue(d, "toggle0", "off");
            if (!picks.empty()) host::ui::pick(d, "selection0", picks);
            host::ui::pressApply(d);
        };
        pick("new_zujianV1");
    }
};

TEST_F(ComponentTest, ABatchMovesATakenFileAsideAndReplacesAnOldBackup) {
    open(R"({"file": "top.prt", "components": [{"file": "base-100.prt", "name": "base-100", "part": {"bodies": [)" +
         body("axle", "axle", 0) + "," + body("cover", "cover", 100) + R"(]}}]})");
    std::ofstream(dir / "axle-100-1.prt") << "stale new";
    std::ofstream(dir / "axle-100-1(old).prt") << "stale old";
    fs::create_directories(dir / "sub");
    std::ofstream(dir / "sub" / "cover-100-2.prt") << "elsewhere";
    run(2);
    EXPECT_EQ("stale new", slurp(dir / "axle-100-1(old).prt"));
    EXPECT_NE(std::string::npos, slurp(dir / "axle-100-1.prt").find("vorta-part"));
    // Only a file of the very name counts; one in a sub-folder is left alone.
    EXPECT_EQ("elsewhere", slurp(dir / "sub" / "cover-100-2.prt"));
    EXPECT_TRUE(fs::exists(dir / "cover-100-2.prt"));
    EXPECT_EQ("base-100", parentOf(component("axle-100-1")));
}

TEST_F(ComponentTest, ThirtyBodiesGetThirtyNumbersWithoutGapsOrRepeats) {
    std::string bodies;
    for (int i = 1; i <= 30; ++i) bodies += (i > 1 ? "," : "") + body("b" + std::to_string(i), "b" + std::to_string(i), i * 100);
    open(R"({"file": "top.prt", "components": [{"file": "base-5.prt", "name": "base-5", "part": {"bodies": [)" + bodies + "]}}]}");
    run(2);
    for (int i = 1; i <= 30; ++i) {
        std::string name = "b" + std::to_string(i) + "-5-" + std::to_string(i);
        EXPECT_TRUE(fs::exists(dir / (name + ".prt"))) << name;
        EXPECT_EQ("base-5", parentOf(component(name))) << name;
    }
    EXPECT_EQ(NULL_TAG, named("b30", "base-5"));
    EXPECT_EQ(1, count("[progress] qel-progress 30/30"));
}

TEST_F(ComponentTest, ARefusedPartLeavesItsBodyWhereItWas) {
    // A part of the name the run would give is loaded (and modified, so it stays open).
    fs::create_directories(dir / "other");
    std::ofstream(dir / "other" / "o.json") << R"({"file": "axle-100-1.prt", "bodies": []})";
    host::Part& stray = host::partfile::open(host::modeldesc::build((dir / "other" / "o.json").string()));
    stray.modified = true;
    open(R"({"file": "top.prt", "components": [{"file": "base-100.prt", "name": "base-100", "part": {"bodies": [)" + body("axle", "axle", 0) +
         "," + body("pin", "pin", 100) + "]}}]}");
    run(2);
    EXPECT_EQ(1, count(u8"[message] axle-100-1\n组件创建失败,实体保留原处:\na part named axle-100-1 is loaded already"));
    EXPECT_NE(NULL_TAG, named("axle", "base-100"));
    EXPECT_FALSE(fs::exists(dir / "axle-100-1.prt"));
    // The next body still gets its part, with the next number.
    EXPECT_TRUE(fs::exists(dir / "pin-100-2.prt"));
    EXPECT_EQ(NULL_TAG, named("pin", "base-100"));
    // The copy linked in for the refused part did not stay in the assembly.
    host::Session& s = host::session();
    for (tag_t t : s.display->objects)
        if (host::Object* o = s.find(t)) {
            EXPECT_FALSE(o->type == UF_solid_type && !o->isOccurrence()) << "a body was left in the assembly part";
            EXPECT_NE(UF_feature_type, o->type);
        }
}

TEST_F(ComponentTest, APartThatCannotBeWrittenKeepsItsBodyAndTheAssemblyStillOpens) {
    open(R"({"file": "top.prt", "components": [{"file": "base-100.prt", "name": "base-100", "part": {"bodies": [)" + body("axle", "axle", 0) +
         "," + body("pin", "pin", 100) + "]}}]}");
    // A folder where the new part's file is written aside: the disk refuses the file.
    fs::create_directories(dir / "axle-100-1.prt.writing");
    run(2);
    EXPECT_EQ(1, count(u8"[message] axle-100-1\n组件保存失败,实体保留原处:\n"));
    EXPECT_NE(NULL_TAG, named("axle", "base-100"));
    EXPECT_EQ(NULL_TAG, component("axle-100-1"));
    EXPECT_EQ(nullptr, host::session().partByLeaf("axle-100-1"));
    EXPECT_TRUE(fs::exists(dir / "pin-100-2.prt"));
    // Saved and opened again, the assembly is whole: nothing names a file that is not there.
    host::partfile::saveTree(*host::session().display, true);
    host::session().reset();
    host::Part& again = host::partfile::open((dir / "top.prt").string());
    host::session().display = host::session().work = &again;
    EXPECT_TRUE(again.missing.empty());
    EXPECT_NE(NULL_TAG, named("axle", "base-100"));
    EXPECT_EQ("base-100", parentOf(component("pin-100-2")));
}

TEST_F(ComponentTest, AChildNumberedWithADateCodeTakesNothingFromTheStart) {
    open(R"({"file": "top.prt", "components": [{"file": "base-2023.prt", "name": "base-2023", "part": {"bodies": [)" + body("a", "a", 0) +
         "," + body("b", "b", 100) +
         R"(], "components": [{"file": "old-2023-20231207.prt", "name": "old-2023-20231207", "part": {"bodies": []}}]}}]})");
    run(2);
    EXPECT_TRUE(fs::exists(dir / "a-2023-1.prt"));
    EXPECT_TRUE(fs::exists(dir / "b-2023-2.prt"));
}

TEST_F(ComponentTest, ABodyOfTheAssemblyGoesIntoAPartOfTheWorkComponentWithoutBeingLost) {
    open(R"({"file": "top.prt", "bodies": [)" + body("own", "own", 0) +
         R"(], "components": [{"file": "c-1.prt", "name": "c-1", "at": [0, 0, 500], "part": {"bodies": [)" + body("x", "x", 300) + "]}}]}");
    host::Session& s = host::session();
    tag_t own = named("own");
    s.work = s.object(component("c-1")).child;
    s.workOcc = component("c-1");
    run(0, {own});
    tag_t made = component("临时组件-001.prt");
    ASSERT_NE(NULL_TAG, made);
    EXPECT_EQ("c-1", parentOf(made));
    host::Part* part = s.object(made).child;
    ASSERT_EQ(1u, part->objects.size());
    EXPECT_EQ("own", s.object(part->objects[0]).findAttr("DB_PART_NAME")->text);
    // Placed in the work component's frame, the copy still lies where the body lay.
    EXPECT_NEAR(2.5, s.massOf(s.object(named("own", "临时组件-001.prt"))).centroid.Z(), 1e-6);
}

TEST_F(ComponentTest, WithoutAParentNothingIsMade) {
    open(R"({"file": "top.prt", "bodies": [)" + body("a", "a", 0) + "]}");
    run(2);
    EXPECT_EQ(1, count(u8"[message] 未找到父组件\n无法创建组件"));
    EXPECT_NE(NULL_TAG, named("a"));
}

TEST_F(ComponentTest, OnePartPerBodyOrOneForAllFromTheWorkPart) {
    open(R"({"file": "top.prt", "bodies": [)" + body("a", "a", 0) + "," + body("b", "b", 100) + "," + body("c", "c", 200) + "]}");
    run(1, {named("a"), named("b")});
    EXPECT_TRUE(fs::exists(dir / u8"临时组件-1.prt"));
    EXPECT_TRUE(fs::exists(dir / u8"临时组件-2.prt"));
    EXPECT_EQ(NULL_TAG, named("a"));
    EXPECT_EQ(NULL_TAG, named("b"));
    // The new part holds the body with its attributes.
    host::Part& made = host::partfile::load((dir / u8"临时组件-1.prt").string());
    ASSERT_EQ(1u, made.objects.size());
    EXPECT_EQ("a", host::session().object(made.objects[0]).findAttr("DB_PART_NAME")->text);

    run(0, {named("c")});
    EXPECT_TRUE(fs::exists(dir / u8"临时组件-001.prt"));
    EXPECT_EQ(NULL_TAG, named("c"));
    EXPECT_NE(NULL_TAG, component("临时组件-001.prt"));
}

TEST_F(ComponentTest, TooFewFreeNamesMakeNothingAndDeleteNothing) {
    open(R"({"file": "top.prt", "bodies": [)" + body("a", "a", 0) + "," + body("b", "b", 100) + "]}");
    for (int k = 2; k <= 19; ++k) std::ofstream(dir / (u8"临时组件-" + std::to_string(k) + ".prt")) << "x";
    run(1, {named("a"), named("b")});
    EXPECT_FALSE(fs::exists(dir / u8"临时组件-1.prt"));
    EXPECT_NE(NULL_TAG, named("a"));
    EXPECT_NE(NULL_TAG, named("b"));
    EXPECT_EQ(1, count(u8"[message] 临时组件"));

    for (int k = 1; k <= 19; ++k) std::ofstream(dir / (u8"临时组件-00" + std::to_string(k) + ".prt")) << "x";
    run(0, {named("a")});
    EXPECT_NE(NULL_TAG, named("a"));
    EXPECT_EQ(2, count(u8"[message] 临时组件"));
}

TEST_F(ComponentTest, WaveExtractionLinksBodiesOfOtherComponentsAsPlainBodies) {
    open(R"({"file": "top.prt", "bodies": [)" + body("own", "own", 0) +
         R"(], "components": [{"file": "c-1.prt", "name": "c-1", "at": [0, 0, 500], "part": {"bodies": [)" + body("far", "far", 0) + "]}}]}");
    tag_t far = named("far", "c-1");
    run(3, {far, named("own")});
    // The work part's own body cannot be picked in this mode; the other one is linked in and goes from its part.
    EXPECT_EQ(1, count("[pick] own cannot be picked here"));
    EXPECT_EQ(NULL_TAG, named("far", "c-1"));
    host::Session& s = host::session();
    int linked = 0;
    for (tag_t t : s.display->objects) {
        host::Object* o = s.find(t);
        if (o && o->type == UF_solid_type && !o->isOccurrence() && o->name == "far") {
            ++linked;
            EXPECT_NEAR(500 + 2.5, s.massOf(*o).centroid.Z(), 1e-6);
        }
        EXPECT_FALSE(o && o->type == UF_feature_type) << "the link keeps no parameters";
    }
    EXPECT_EQ(1, linked);
}

TEST_F(ComponentTest, BodiesOfOtherComponentsGoIntoNewPartsThroughLinks) {
    open(R"({"file": "top.prt", "components": [{"file": "c-1.prt", "name": "c-1", "at": [0, 0, 500], "part": {"bodies": [)" +
         body("far", "far", 0) + "," + body("near", "near", 100) + "]}}]}");
    tag_t far = named("far", "c-1");
    run(1, {far});
    EXPECT_TRUE(fs::exists(dir / u8"临时组件-1.prt"));
    // The source goes from its own part; the new part holds the body where it was in the assembly.
    EXPECT_EQ(NULL_TAG, named("far", "c-1"));
    EXPECT_NE(NULL_TAG, named("near", "c-1"));
    host::Session& s = host::session();
    tag_t made = component("临时组件-1.prt");
    ASSERT_NE(NULL_TAG, made);
    host::Part* part = s.object(made).child;
    ASSERT_EQ(1u, part->objects.size());
    EXPECT_NEAR(500 + 2.5, s.massOf(s.object(part->objects[0])).centroid.Z(), 1e-6);
    EXPECT_TRUE(s.partByPath((dir / "c-1.prt").string())->modified);
    for (tag_t t : s.display->objects)
        if (host::Object* o = s.find(t)) EXPECT_NE(UF_feature_type, o->type) << "no link is left in the assembly";
}
