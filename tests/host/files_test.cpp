// Path mapping, the part file and the CRT shims.
#include <fstream>
#include "files/partfile.h"
#include "files/paths.h"
#include "fixture.h"
#include "io.h"
#include "text.h"
#include "uf_part.h"

namespace fs = std::filesystem;
using host::paths::toHost;
using host::paths::toWindows;

// Narrow literals are GBK here, as in the module; paths on this machine are UTF-8 (u8"").
TEST(PathMapping, WindowsPathsMapToThisMachine) {
    struct Case { std::string win, host; } cases[] = {
        {"Z:\\home\\ann\\plant\\frame-2.prt", "/home/ann/plant/frame-2.prt"},
        {"z:\\tmp", "/tmp"},
        {"Z:tmp\\a", "/tmp/a"},
        {"Z:/tmp/a", "/tmp/a"},
        {"sub\\x.prt", "sub/x.prt"},
        // GBK characters whose second byte is 0x5C stay whole.
        {"Z:\\淺\\表.prt", u8"/淺/表.prt"},
    };
    for (auto& c : cases) EXPECT_EQ(c.host, toHost(c.win)) << c.win;
    EXPECT_EQ(0u, toHost("C:\\Windows").rfind("/nonexistent-drive-C", 0));
}

TEST(PathMapping, MachinePathsMapBackToDriveZ) {
    EXPECT_EQ("Z:\\tmp\\淺\\a.prt", toWindows(u8"/tmp/淺/a.prt"));
    EXPECT_EQ("/tmp/x/y.prt", toHost(toWindows("/tmp/x/y.prt")));
    std::string rel = toWindows("rel/a.prt");
    EXPECT_EQ(0u, rel.rfind("Z:\\", 0));
}

using PartFileTest = HostTest;

TEST_F(PartFileTest, EverythingTheModuleSeesSurvivesSaveAndOpen) {
    host::Part& child = part("frame-2.prt");
    host::Object& beam = plate(child, "横梁", 300, 60, 8);
    beam.attrs.push_back({"REMARK", 5, "按图制作"});
    host::Part& top = part("plant.prt");
    host::Object& base = plate(top, "底板");
    base.layer = 171;
    base.color = 186;
    base.blank = 1;
    base.translucency = 40;
    base.density = 2.7;
    // Bytes that are not valid GBK are kept as they are.
    base.attrs.push_back({"DB_PART_NO", 5, std::string("\x81\x20\xff", 3)});
    top.self()->attrs.push_back({"DB_PART_NAME", 5, "支架"});
    host::session().addSheet(top, "000-0-总图");
    host::session().addSheet(top, "001-a");
    top.layerStatus[171] = 3;
    host::Instance in;
    in.pid = top.nextPid++;
    in.file = child.path;
    in.name = "frame-2";
    in.transform.SetTranslation(gp_Vec(0, 0, 500));
    top.instances.push_back(in);
    host::session().syncOccurrences(top);
    for (tag_t t : top.objects)
        if (host::Object* o = host::session().find(t); o && o->isOccurrence() && o->type == UF_solid_type)
            o->setAttr({"DB_PART_NO", 5, "100-2"});
    host::partfile::save(child);
    host::partfile::save(top);

    host::session().reset();
    host::Part& again = host::partfile::open((dir / "plant.prt").string());
    EXPECT_FALSE(again.modified);
    EXPECT_EQ("支架", again.self()->attrs.at(0).text);
    std::vector<std::string> sheets;
    for (tag_t t : host::session().sheets(again)) sheets.push_back(host::session().object(t).name);
    EXPECT_EQ((std::vector<std::string>{"000-0-总图", "001-a"}), sheets);
    EXPECT_EQ(3, again.layerStatus[171]);
    host::Object* b = nullptr;
    host::Object* occ = nullptr;
    for (tag_t t : again.objects) {
        host::Object* o = host::session().find(t);
        if (o && o->name == "底板") b = o;
        if (o && o->isOccurrence() && o->type == UF_solid_type) occ = o;
    }
    ASSERT_TRUE(b && occ);
    EXPECT_EQ(std::string("\x81\x20\xff", 3), b->attrs.at(0).text);
    EXPECT_EQ(171, b->layer);
    EXPECT_EQ(186, b->color);
    EXPECT_EQ(1, b->blank);
    EXPECT_EQ(40, b->translucency);
    EXPECT_DOUBLE_EQ(2.7, b->density);
    EXPECT_NEAR(100000.0, host::session().massOf(*b).volume, 1e-6 * 100000.0);
    ASSERT_TRUE(occ->findAttr("DB_PART_NO"));
    EXPECT_EQ("100-2", occ->findAttr("DB_PART_NO")->text);
    EXPECT_EQ(nullptr, host::session().object(occ->prototype).findAttr("DB_PART_NO"));
    EXPECT_EQ("按图制作", host::session().object(occ->prototype).attrs.at(0).text);
    EXPECT_NEAR(500.0 + 4.0, host::session().massOf(*occ).centroid.Z(), 1e-6);
}

TEST_F(PartFileTest, DamagedOrForeignFilesFailWithoutChangingAnything) {
    std::string good = (dir / "good.prt").string();
    host::Part& p = part("good.prt");
    plate(p, "底板");
    host::partfile::save(p);
    std::ifstream in(good);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    host::session().reset();

    struct Case { std::string name, content, message; } cases[] = {
        {"cut.prt", text.substr(0, text.size() / 2), "is not a part file"},
        {"foreign.prt", "{\"format\": \"something-else\"}", "is not a part file of this system"},
        {"future.prt", "{\"format\": \"vorta-part\", \"version\": 99}", "version 99"},
        {"badshape.prt", "{\"format\":\"vorta-part\",\"version\":1,\"objects\":[{\"pid\":1,\"type\":70,\"subtype\":0,\"brep\":\"garbage\"}]}", "is damaged"},
    };
    for (auto& c : cases) {
        std::string path = (dir / c.name).string();
        std::ofstream(path) << c.content;
        try {
            host::partfile::open(path);
            ADD_FAILURE() << c.name << " opened";
        } catch (const host::HostError& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(c.message)) << e.what();
        }
        EXPECT_TRUE(host::session().parts().empty()) << c.name;
        std::ifstream back(path);
        EXPECT_EQ(c.content, std::string((std::istreambuf_iterator<char>(back)), std::istreambuf_iterator<char>()));
    }
    // Through the procedural interface the same failure is a status, and nothing is displayed.
    tag_t t = NULL_TAG;
    UF_PART_load_status_t st;
    EXPECT_NE(0, UF_PART_open(toWindows((dir / "cut.prt").string()).c_str(), &t, &st));
    EXPECT_EQ(NULL_TAG, t);
    EXPECT_EQ(NULL_TAG, UF_PART_ask_display_part());
}

TEST_F(PartFileTest, APartThatContainsItselfIsRefused) {
    std::string a = (dir / "a.prt").string();
    std::ofstream(a) << "{\"format\":\"vorta-part\",\"version\":1,\"instances\":[{\"pid\":1,\"file\":\"a.prt\",\"name\":\"a\",\"matrix\":[1,0,0,0,0,1,0,0,0,0,1,0]}]}";
    EXPECT_THROW(host::partfile::open(a), host::HostError);
    EXPECT_TRUE(host::session().parts().empty());
}

using CrtTest = HostTest;

TEST_F(CrtTest, FolderListingStartsWithDotsAndMatchesLikeWindows) {
    std::ofstream(dir / "b.PRT") << "x";
    std::ofstream(dir / "a.prt") << "x";
    std::ofstream(dir / "notes.txt") << "x";
    fs::create_directories(dir / "sub");
    std::vector<std::string> all, parts;
    _finddata64i32_t d;
    intptr_t h = _findfirst64i32((toWindows(dir.string()) + "\\*.*").c_str(), &d);
    ASSERT_NE(-1, h);
    do all.push_back(d.name); while (_findnext64i32(h, &d) == 0);
    _findclose(h);
    EXPECT_EQ((std::vector<std::string>{".", "..", "a.prt", "b.PRT", "notes.txt", "sub"}), all);
    h = _findfirst64i32((toWindows(dir.string()) + "\\*.prt").c_str(), &d);
    ASSERT_NE(-1, h);
    do parts.push_back(d.name); while (_findnext64i32(h, &d) == 0);
    _findclose(h);
    EXPECT_EQ((std::vector<std::string>{"a.prt", "b.PRT"}), parts);
    EXPECT_EQ(-1, _findfirst64i32((toWindows(dir.string()) + "\\*.dwg").c_str(), &d));
}

TEST_F(CrtTest, RenameNeverReplacesAFile) {
    std::ofstream(dir / "old.prt") << "old";
    std::ofstream(dir / "new.prt") << "new";
    std::string from = toWindows((dir / "old.prt").string()), to = toWindows((dir / "new.prt").string());
    EXPECT_NE(0, vorta_rename(from.c_str(), to.c_str()));
    std::ifstream in(dir / "new.prt");
    std::string s;
    in >> s;
    EXPECT_EQ("new", s);
    std::string free = toWindows((dir / "free.prt").string());
    EXPECT_EQ(0, vorta_rename(from.c_str(), free.c_str()));
    EXPECT_EQ(0, _access(free.c_str(), 0));
    EXPECT_NE(0, _access(from.c_str(), 0));
}
