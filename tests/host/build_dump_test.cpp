// Model descriptions written out as part files and read back: every stock, with its attributes.
#include <cmath>
#include <fstream>
#include <map>
#include <BRepPrimAPI_MakeBox.hxx>
#include <STEPControl_Writer.hxx>
#include "files/dump.h"
#include "files/partfile.h"
#include "fixture.h"
#include "model/modeldesc.h"

namespace fs = std::filesystem;

using BuildTest = HostTest;

TEST_F(BuildTest, EveryStockComesOutWithItsVolumeCountsAndAttributes) {
    fs::copy_file(fs::path(VORTA_SOURCE_DIR) / "tests/data/stocks.json", dir / "stocks.json");
    STEPControl_Writer w;
    w.Transfer(BRepPrimAPI_MakeBox(30, 20, 10).Shape(), STEPControl_AsIs);
    ASSERT_EQ(IFSelect_RetDone, w.Write((dir / "box.step").c_str()));

    std::string top = host::modeldesc::build((dir / "stocks.json").string(), (dir / "out").string());
    EXPECT_EQ((dir / "out" / "stocks.prt").string(), top);
    EXPECT_TRUE(host::session().parts().empty());
    host::Part& p = host::partfile::open(top);
    auto j = host::dump::part(p);

    const double pi = std::acos(-1.0);
    const double bendMid = 100 + 200 + pi / 2 * (3 + 1);
    struct Want { double volume; int faces, edges; };
    std::map<std::string, Want> want = {
        {u8"块", {100 * 50 * 20, 6, 12}},
        {u8"钢板", {200 * 100 * 5, 6, 12}},
        {u8"扁钢", {300 * 40 * 6, 6, 12}},
        {u8"方管", {(50 * 50 - 44 * 44) * 400.0, 10, 24}},
        {u8"矩形管", {(60 * 40 - 54 * 34) * 500.0, 10, 24}},
        {u8"角钢", {(50 * 5 + 35 * 5) * 600.0, 8, 18}},
        {u8"圆钢", {pi * 10 * 10 * 700, 3, 3}},
        {u8"钢管", {pi * (30 * 30 - 26 * 26) * 800, 4, 6}},
        {u8"圆柱", {pi * 50 * 50 * 30, 3, 3}},
        {u8"折弯板", {2 * 150 * bendMid, 10, 24}},
        {u8"外购", {30 * 20 * 10, 6, 12}},
        {u8"筋板", {80 * 60 * 8, 6, 12}},
        {u8"私有", {80 * 60 * 8, 6, 12}},
    };
    std::map<std::string, nlohmann::ordered_json> seen;
    for (auto& o : j["objects"]) seen[o["name"].get<std::string>()] = o;
    for (auto& [name, w] : want) {
        ASSERT_TRUE(seen.count(name)) << name;
        auto& o = seen[name];
        EXPECT_NEAR(w.volume, o["volume"].get<double>(), w.volume * 1e-3) << name;
        EXPECT_EQ(w.faces, o["faces"].get<int>()) << name;
        EXPECT_EQ(w.edges, o["edges"].get<int>()) << name;
    }
    EXPECT_EQ(u8"样件", j["attributes"][u8"DB_PART_NAME"]);
    EXPECT_EQ(u8"底板", seen[u8"钢板"]["attributes"]["DB_PART_NAME"]);
    EXPECT_EQ(u8"钢板,折弯", seen[u8"折弯板"]["attributes"]["guige"]);
    EXPECT_NEAR(30 * 20 * 10 * 2.7e-6, seen[u8"外购"]["mass"].get<double>(), 1e-6);
    // Occurrences carry their prototype's attributes unless the body keeps them to itself.
    EXPECT_EQ("sub-3", seen[u8"筋板"]["component"]);
    EXPECT_EQ(u8"按图制作", seen[u8"筋板"]["attributes"]["REMARK"]);
    EXPECT_TRUE(seen[u8"私有"]["attributes"].empty());
    ASSERT_EQ(1u, j["components"].size());
    EXPECT_EQ((dir / "out" / "sub-3.prt").string(), j["components"][0]["part"]);
}

TEST_F(BuildTest, BadDescriptionsNameTheFileAndLine) {
    struct Case { const char* text; int line; const char* message; } cases[] = {
        {"{ \"file\": \"a.prt\",\n  \"bodies\": [\n  { \"name\": \"x\" \"stock\": \"plate\" } ] }", 3, "not valid JSON"},
        {"{ \"bodies\": [] }", 1, "names no \"file\""},
        {"{ \"file\": \"a.prt\",\n \"bodies\": [\n  {\"name\": \"ok\", \"stock\": \"plate\", \"size\": [1,1,1]},\n  {\"name\": \"bad\", \"stock\": \"plank\", \"size\": [1]} ] }", 4, "body bad: stock plank"},
        {"{ \"file\": \"a.prt\", \"bodies\": [ {\"name\": \"t\", \"stock\": \"square_tube\", \"size\": [10, 5, 100]} ] }", 1, "body t:"},
        {"{ \"file\": \"a.prt\",\n \"components\": [ {\"name\": \"c\", \"file\": \"c.prt\", \"part\": \"missing.json\"} ] }", 1, "cannot read the model description"},
    };
    for (auto& c : cases) {
        std::string path = (dir / "m.json").string();
        std::ofstream(path) << c.text;
        try {
            host::modeldesc::build(path);
            ADD_FAILURE() << c.text;
        } catch (const host::modeldesc::ModelError& e) {
            EXPECT_EQ(c.line, e.line) << c.text << ": " << e.what();
            EXPECT_NE(std::string::npos, std::string(e.what()).find(c.message)) << e.what();
        }
        host::session().reset();
    }
}

TEST_F(BuildTest, TheDumpGivesEveryBodyItsBoxWhereTheAssemblyPutsIt) {
    std::ofstream(dir / "m.json") << R"({ "file": "top.prt",
      "bodies": [ { "name": "plate", "stock": "plate", "size": [200, 100, 5], "at": [-100, -50, -5] } ],
      "components": [ { "file": "sub.prt", "name": "sub", "at": [1000, 0, 500],
                        "part": { "bodies": [ { "name": "bar", "stock": "round_bar", "size": [20, 300], "x": [0, 0, 1], "z": [1, 0, 0] } ] } } ] })";
    host::Part& p = host::partfile::open(host::modeldesc::build((dir / "m.json").string()));
    const auto j = host::dump::part(p);
    std::map<std::string, nlohmann::ordered_json> box;
    for (auto& o : j["objects"]) box[o["name"].get<std::string>()] = o["box"];
    EXPECT_EQ(nlohmann::ordered_json({-100, -50, -5, 100, 50, 0}), box["plate"]);
    // The occurrence lies where its component does; the bar stands along z.
    EXPECT_EQ(nlohmann::ordered_json({990, -10, 500, 1010, 10, 800}), box["bar"]);
}
