// Input a user or a damaged disk can give, by class: sizes no stock has, placements that are no rigid
// motion, ids at the top of their range, damaged solids, nesting no plant has, and files that cannot
// be written. Each is refused with a message that names what is wrong, and nothing is lost or changed.
#include <sys/stat.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include "files/partfile.h"
#include "files/paths.h"
#include "fixture.h"
#include "model/modeldesc.h"
#include "text.h"
#include "uf_assem.h"
#include "uf_part.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A model of one body of that stock and size (JSON text after "size":), in a file of its own.
std::string oneBody(const std::string& stock, const std::string& size) {
    return R"({"file": "m.prt", "bodies": [{"name": "plate7", "stock": ")" + stock + R"(", "size": )" + size + "}]}";
}

// The message of the model error building `json` gives; "" when it builds.
std::string buildError(const fs::path& dir, const std::string& json, bool replace = true) {
    std::ofstream(dir / "m.json") << json;
    try {
        host::modeldesc::build((dir / "m.json").string(), (dir / "out").string(), replace);
    } catch (const host::modeldesc::ModelError& e) {
        return e.what();
    }
    return "";
}

// What the user must never read: the words of a library instead of a message of ours.
void expectPlain(const std::string& message) {
    EXPECT_EQ(std::string::npos, message.find("json.exception")) << message;
    EXPECT_EQ(std::string::npos, message.find("stod")) << message;
    EXPECT_EQ(std::string::npos, message.find("basic_string")) << message;
}

// A part file of one instance with this placement matrix and these ids.
std::string withInstance(const std::string& matrix, const std::string& pid = "1", const std::string& nextPid = "2") {
    return R"({"format":"vorta-part","version":1,"nextPid":)" + nextPid + R"(,"instances":[{"pid":)" + pid +
           R"(,"file":"c.prt","name":"c","matrix":[)" + matrix + "]}]}";
}

}  // namespace

using BadInputTest = HostTest;

TEST_F(BadInputTest, SizesNoStockHasAreRefusedNamingTheBodyAndField) {
    struct Case { std::string json, says; } cases[] = {
        {oneBody("plate", "[200, 100, 1e-9]"), "thickness (size 3) 1e-09 mm is below the modelling tolerance"},
        {oneBody("block", "[1e300, 100, 5]"), "x (size 1) 1e+300 mm is larger than any plant"},
        {oneBody("pipe", "[1e300, 5, 100]"), "diameter (size 1)"},
        {oneBody("square_tube", "[50, 3, 1e-9]"), "length (size 3)"},
        {oneBody("round_bar", "[1e-9, 100]"), "diameter (size 1) 1e-09 mm is below"},
        {oneBody("plate", "[200, -1, 5]"), "width (size 2) must be a positive number"},
        {oneBody("pipe", "[20, 9.99, 100]"), "wall 9.99 too thick for diameter 20"},
        {oneBody("angle", "[50, 50, 50, 100]"), "thickness 50 too large for legs"},
        {oneBody("bent_plate", R"({"flanges": [100, 50], "angles": [90], "t": 3, "w": 1e-12})"), "width \"w\""},
        {oneBody("bent_plate", R"({"flanges": [100, 50], "angles": [90], "t": 3, "r": 1e-12, "w": 40})"), "bend radius \"r\""},
        {oneBody("plate", R"("abc")"), "\"size\" must be a list, not a text"},
        {oneBody("plate", R"([200, "x", 5])"), "\"size\" item 2 must be a number"},
        {R"({"file": "m.prt", "bodies": [{"name": "plate7", "stock": "step"}]})", "names its STEP file in \"file\""},
        {R"({"file": "m.prt", "bodies": [{"name": "plate7", "stock": "plate", "size": [1, 1, 1], "layer": 999}]})", "\"layer\" must be a whole number from 1 to 256"},
        {R"({"file": "m.prt", "bodies": [{"name": "plate7", "stock": "plate", "size": [1, 1, 1], "at": [1e7, 0, 0]}]})", "outside any plant"},
        {R"({"file": "m.prt", "bodies": [{"name": "plate7", "stock": "plate", "size": [1, 1, 1], "attributes": [1]}]})", "\"attributes\" must be an object"},
    };
    for (auto& c : cases) {
        std::string m = buildError(dir, c.json);
        EXPECT_NE(std::string::npos, m.find("plate7")) << m;
        EXPECT_NE(std::string::npos, m.find(c.says)) << "expected \"" << c.says << "\" in: " << m;
        expectPlain(m);
        EXPECT_FALSE(fs::exists(dir / "out" / "m.prt")) << c.json;
        host::session().reset();
    }
}

TEST_F(BadInputTest, PlacementsThatAreNoRigidMotionAreDamage) {
    const std::string c = R"({"format":"vorta-part","version":1,"nextPid":1})";
    struct Case { std::string matrix, says; } cases[] = {
        {"-1,0,0,0, 0,1,0,0, 0,0,1,0", "mirrors"},
        {"2,0,0,0, 0,2,0,0, 0,0,2,0", "scales"},
        {"0,0,0,0, 0,0,0,0, 0,0,0,0", "singular"},
        {"1,0.5,0,0, 0,1,0,0, 0,0,1,0", "shears"},
        {"1,0,0,1e300, 0,1,0,0, 0,0,1,0", "farther than any plant"},
        {"1,0,0,0, 0,1,0,0, 0,0,1", "needs 12 numbers"},
    };
    std::ofstream(dir / "c.prt") << c;
    for (auto& k : cases) {
        std::string text = withInstance(k.matrix);
        std::ofstream(dir / "a.prt") << text;
        try {
            host::partfile::open((dir / "a.prt").string());
            ADD_FAILURE() << k.matrix << " opened";
        } catch (const host::HostError& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(k.says)) << e.what();
        }
        EXPECT_TRUE(host::session().parts().empty());
        EXPECT_EQ(text, slurp(dir / "a.prt"));
    }
}

TEST_F(BadInputTest, IdsAtTheTopOfTheirRangeOrOfTheWrongKindAreDamage) {
    std::ofstream(dir / "c.prt") << R"({"format":"vorta-part","version":1,"nextPid":1})";
    const std::string identity = "1,0,0,0, 0,1,0,0, 0,0,1,0";
    std::string cases[] = {
        withInstance(identity, "2147483647", "2"),
        withInstance(identity, "1", "2147483647"),
        withInstance(identity, "1e300", "2"),
        withInstance(identity, "-4", "2"),
        withInstance(identity, "18446744073709551615", "2"),
        R"({"format":"vorta-part","version":1,"nextPid":3,"instances":[{"pid":1,"file":"c.prt","name":"c","matrix":[)" + identity +
            R"(]},{"pid":1,"file":"c.prt","name":"d","matrix":[)" + identity + "]}]}",
        R"({"format":"vorta-part","version":1,"nextPid":2,"objects":[{"pid":1,"type":63,"subtype":1}]})",
        R"({"format":"vorta-part","version":1,"nextPid":2,"attributes":[{"title":"A","type":2,"value":1e20}]})",
        R"({"format":"vorta-part","version":1,"nextPid":2,"attributes":[{"title":{"gbk":"zz"},"type":5,"value":"x"}]})",
        R"({"format":"vorta-part","version":1,"nextPid":2e99999999})",
    };
    for (auto& text : cases) {
        std::ofstream(dir / "a.prt") << text;
        try {
            host::partfile::open((dir / "a.prt").string());
            ADD_FAILURE() << text << " opened";
        } catch (const host::HostError& e) {
            EXPECT_TRUE(std::string(e.what()).find("is damaged") != std::string::npos ||
                        std::string(e.what()).find("is not a part file") != std::string::npos) << e.what();
            expectPlain(e.what());
        }
        EXPECT_TRUE(host::session().parts().empty());
    }
}

TEST_F(BadInputTest, ADamagedSolidWithAMatchingCheckIsRefusedAtOnce) {
    host::Part& p = part("good.prt");
    plate(p, "底板");
    host::partfile::save(p);
    std::string good = slurp(dir / "good.prt");
    host::session().reset();
    nlohmann::json j = nlohmann::json::parse(good);
    std::string brep = j["objects"][0]["brep"];
    // Counts that promise far more than the text holds would keep the reader busy for minutes.
    for (const std::string section : {"Curves ", "Surfaces ", "TShapes "}) {
        std::string bad = std::regex_replace(brep, std::regex(section + "[0-9]+"), section + "999999999");
        ASSERT_NE(bad, brep) << section;
        j["objects"][0]["brep"] = bad;
        j["objects"][0]["check"] = host::partfile::solidCheck(bad);
        std::ofstream(dir / "bad.prt") << j.dump();
        EXPECT_THROW(host::partfile::open((dir / "bad.prt").string()), host::HostError) << section;
        EXPECT_TRUE(host::session().parts().empty());
    }
    // Found by fuzzing: a solid whose text ends inside an edge kept the reader going round for ever, and
    // one whose trimmed surface has no basis made the reader follow a null surface.
    for (const char* file : {"endless-solid.prt", "faulting-solid.prt"}) {
        fs::copy_file(fs::path(VORTA_SOURCE_DIR) / "tests/data" / file, dir / file);
        EXPECT_THROW(host::partfile::open((dir / file).string()), host::HostError) << file;
        EXPECT_TRUE(host::session().parts().empty());
    }
}

TEST_F(BadInputTest, NestingNoPlantHasIsRefused) {
    // A chain of part files 100 deep: the open is refused with a message, without deep recursion.
    const std::string identity = "1,0,0,0, 0,1,0,0, 0,0,1,0";
    for (int i = 0; i < 100; ++i) {
        std::string next = "p" + std::to_string(i + 1) + ".prt";
        std::ofstream(dir / ("p" + std::to_string(i) + ".prt"))
            << R"({"format":"vorta-part","version":1,"nextPid":2,"instances":[{"pid":1,"file":")" << next
            << R"(","name":"c","matrix":[)" << identity << "]}]}";
    }
    std::ofstream(dir / "p100.prt") << R"({"format":"vorta-part","version":1,"nextPid":1})";
    try {
        host::partfile::open((dir / "p0.prt").string());
        ADD_FAILURE() << "a hundred levels opened";
    } catch (const host::HostError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("nest deeper than")) << e.what();
    }
    EXPECT_TRUE(host::session().parts().empty());
    // The same in a model description.
    std::string json = R"({"file": "m.prt"})";
    for (int i = 0; i < 100; ++i) json = R"({"file": "n)" + std::to_string(i) + R"(.prt", "components": [{"name": "c", "part": )" + json + "}]}";
    EXPECT_NE(std::string::npos, buildError(dir, json).find("nest deeper than"));
}

TEST_F(BadInputTest, ExistingPartFilesAreReplacedOnlyWhenAsked) {
    std::string model = oneBody("plate", "[200, 100, 5]");
    ASSERT_EQ("", buildError(dir, model, false));
    std::ofstream(dir / "out" / "m.prt") << "the user's own";
    EXPECT_NE(std::string::npos, buildError(dir, model, false).find("exists already"));
    EXPECT_EQ("the user's own", slurp(dir / "out" / "m.prt"));
    EXPECT_EQ("", buildError(dir, model, true));
    EXPECT_NE(std::string::npos, slurp(dir / "out" / "m.prt").find("vorta-part"));
}

TEST_F(BadInputTest, ASaveThatCannotBeWrittenFailsAndChangesNothing) {
    host::Part& p = part("a.prt");
    plate(p, "底板");
    // A folder in the way of the file, or of the file written aside.
    fs::create_directories(dir / "b.prt");
    EXPECT_THROW(host::partfile::saveAs(p, (dir / "b.prt").string()), host::HostError);
    fs::create_directories(dir / "c.prt.writing");
    EXPECT_THROW(host::partfile::saveAs(p, (dir / "c.prt").string()), host::HostError);
    EXPECT_FALSE(fs::exists(dir / "c.prt"));
    EXPECT_EQ((dir / "a.prt").string(), p.path);
    EXPECT_TRUE(p.modified);
    // A read-only file stays as it was, read-only.
    std::ofstream(dir / "ro.prt") << "kept";
    fs::permissions(dir / "ro.prt", fs::perms::owner_read | fs::perms::group_read);
    try {
        host::partfile::saveAs(p, (dir / "ro.prt").string());
        ADD_FAILURE() << "saved over a read-only file";
    } catch (const host::HostError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("read-only"));
    }
    EXPECT_EQ("kept", slurp(dir / "ro.prt"));
    EXPECT_EQ(fs::perms::none, fs::status(dir / "ro.prt").permissions() & fs::perms::owner_write);
    // Through the procedural interface it is a status.
    EXPECT_NE(0, UF_PART_save_as(host::paths::toWindows((dir / "ro.prt").string()).c_str()));
}

TEST_F(BadInputTest, AParentWhoseComponentFileIsMissingOpensAndKeepsIt) {
    host::Part& child = part("c-1.prt");
    plate(child, "横梁");
    host::Part& top = part("top.prt");
    host::Instance in;
    in.pid = top.nextPid++;
    in.file = child.path;
    in.name = "c-1";
    top.instances.push_back(in);
    host::session().syncOccurrences(top);
    host::partfile::save(child);
    host::partfile::save(top);
    host::session().reset();
    fs::rename(dir / "c-1.prt", dir / "away.prt");

    host::Part& opened = host::partfile::open((dir / "top.prt").string());
    ASSERT_EQ(1u, opened.missing.size());
    EXPECT_NE(std::string::npos, opened.missing[0].find("c-1"));
    EXPECT_TRUE(said("[open] top: component not loaded, kept as the file says: " + opened.missing[0]));
    EXPECT_EQ(1u, opened.instances.size());
    // Saved as it is, the assembly still names the component; with the file back it is whole again.
    host::partfile::save(opened);
    host::session().reset();
    fs::rename(dir / "away.prt", dir / "c-1.prt");
    host::Part& again = host::partfile::open((dir / "top.prt").string());
    EXPECT_TRUE(again.missing.empty()) << (again.missing.empty() ? "" : again.missing[0]);
    EXPECT_EQ(1u, host::session().componentsShowing(again, *host::session().partByPath((dir / "c-1.prt").string())).size());
}

TEST_F(BadInputTest, ANeverSavedComponentIsWrittenBeforeItsParent) {
    host::Part& child = part("new-1.prt");
    plate(child, "横梁");
    host::Part& top = part("top.prt");
    host::Instance in;
    in.pid = top.nextPid++;
    in.file = child.path;
    in.name = "new-1";
    host::session().addInstance(top, in);
    host::partfile::saveTree(top, false);
    EXPECT_TRUE(fs::exists(dir / "new-1.prt"));
}

using WorkPartTest = HostTest;

TEST_F(WorkPartTest, APartUsedTwiceIsWorkedInWhereTheUserWorks) {
    host::Session& s = host::session();
    host::Part& bolt = part("bolt.prt");
    plate(bolt, "b");
    host::Part& left = part("left.prt");
    host::Part& right = part("right.prt");
    host::Part& top = part("top.prt");
    auto use = [](host::Part& in, host::Part& p, const std::string& name) {
        host::Instance i;
        i.pid = in.nextPid++;
        i.file = p.path;
        i.name = name;
        in.instances.push_back(i);
    };
    use(left, bolt, "bolt");
    use(right, bolt, "bolt");
    use(top, left, "left");
    use(top, right, "right");
    s.syncOccurrences(top);
    s.display = s.work = &top;
    std::vector<host::Object*> bolts = s.componentsShowing(top, bolt);
    ASSERT_EQ(2u, bolts.size());
    host::Object* underRight = bolts[0]->parent == s.componentsShowing(top, right)[0]->tag ? bolts[0] : bolts[1];
    // Working in the right-hand sub-assembly, the bolt worked in is the one below it.
    s.work = &right;
    s.workOcc = s.componentsShowing(top, right)[0]->tag;
    ASSERT_EQ(0, UF_ASSEM_set_work_part(bolt.tag));
    EXPECT_EQ(underRight->tag, UF_ASSEM_ask_work_occurrence());
    // Already working in that bolt, it stays; from the top, the first bolt made.
    ASSERT_EQ(0, UF_ASSEM_set_work_part(bolt.tag));
    EXPECT_EQ(underRight->tag, UF_ASSEM_ask_work_occurrence());
    s.workOcc = top.rootOcc;
    ASSERT_EQ(0, UF_ASSEM_set_work_part(bolt.tag));
    EXPECT_EQ(bolts[0]->tag, UF_ASSEM_ask_work_occurrence());
}

// The `vorta` command itself: bad input ends with exit 2 and "file:line: message", never a signal.
TEST(VortaCommand, BadInputEndsInExitTwoWithAMessage) {
    fs::path dir = scratchDir("vorta-cli-");
    std::ofstream(dir / "bad.json") << oneBody("plate", "[200, 100, 1e-9]");
    std::ofstream(dir / "mirror.prt") << withInstance("-1,0,0,0, 0,1,0,0, 0,0,1,0");
    std::ofstream(dir / "nan.vj") << "background nan 0 0\n";
    std::ofstream(dir / "bom.vj") << "\xEF\xBB\xBF# a journal saved with a byte-order mark\nbackground 0 0 0\n";
    std::ofstream(dir / "ids.prt") << withInstance("1,0,0,0, 0,1,0,0, 0,0,1,0", "2147483647", "2");
    for (const char* file : {"endless-solid.prt", "faulting-solid.prt"}) fs::copy_file(fs::path(VORTA_SOURCE_DIR) / "tests/data" / file, dir / file);
    for (int i = 0; i < 100; ++i)
        std::ofstream(dir / ("p" + std::to_string(i) + ".prt")) << R"({"format":"vorta-part","version":1,"nextPid":2,"instances":[{"pid":1,"file":"p)"
                                                                << i + 1 << R"(.prt","name":"c","matrix":[1,0,0,0, 0,1,0,0, 0,0,1,0]}]})";
    std::ofstream(dir / "p100.prt") << R"({"format":"vorta-part","version":1,"nextPid":1})";
    std::map<std::string, std::string> before;
    for (const char* f : {"mirror.prt", "ids.prt", "endless-solid.prt", "faulting-solid.prt", "p0.prt"}) before[f] = slurp(dir / f);
    struct Case { std::string args, says; int status; } cases[] = {
        {"build " + (dir / "bad.json").string() + " -o " + (dir / "out").string(), "bad.json:1: body plate7: stock plate: thickness", 2},
        {"dump " + (dir / "ids.prt").string(), "ids.prt:1:", 2},
        {"dump " + (dir / "endless-solid.prt").string(), "endless-solid.prt:1:", 2},
        {"dump " + (dir / "faulting-solid.prt").string(), "faulting-solid.prt:1:", 2},
        {"dump " + (dir / "p0.prt").string(), "nest deeper than", 2},
        {"dump " + (dir / "mirror.prt").string(), "mirror.prt:1:", 2},
        {"run " + (dir / "nan.vj").string(), "nan.vj:1: a colour value must be a number, not \"nan\"", 2},
        {"run " + (dir / "bom.vj").string(), "", 0},
    };
    for (auto& c : cases) {
        std::string cmd = std::string(VORTA_BINARY_DIR) + "/vorta " + c.args + " 2>&1";
        FILE* f = popen(cmd.c_str(), "r");
        ASSERT_NE(nullptr, f);
        std::string out;
        char buf[512];
        while (size_t n = fread(buf, 1, sizeof buf, f)) out.append(buf, n);
        int status = pclose(f);
        ASSERT_TRUE(WIFEXITED(status)) << c.args << " ended by a signal:\n" << out;
        EXPECT_EQ(c.status, WEXITSTATUS(status)) << c.args << "\n" << out;
        EXPECT_NE(std::string::npos, out.find(c.says)) << out;
    }
    // A refused file is left as it was.
    for (auto& [f, text] : before) EXPECT_EQ(text, slurp(dir / f)) << f;
    fs::remove_all(dir);
}
