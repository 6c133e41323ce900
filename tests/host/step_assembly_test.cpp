// STEP files another CAD system wrote, read with their assembly structure and built into part files.
// Where bodies lie is where data/step/make_step.py puts them.
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRep_Builder.hxx>
#include <Interface_Static.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopoDS_Compound.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <STEPControl_Writer.hxx>
#include <gp_Pln.hxx>

#include "files/dump.h"
#include "files/partfile.h"
#include "fixture.h"
#include "geom/classify.h"
#include "geom/measure.h"
#include "geom/step_assembly.h"
#include "model/modeldesc.h"

namespace fs = std::filesystem;
using host::geom::StepAssembly;

namespace {

std::string stepFile(const char* name) { return std::string(VORTA_SOURCE_DIR) + "/data/step/" + name; }

// The stair: ten treads up a 45 degree stringer of 2800, handrail posts of pipe 33.7 beside the
// 10 mm stringers, from 60 above their lower edge.
const double S2 = std::sqrt(2.0), kOd = 33.7;
const char* const kSide[] = {u8"左", u8"右"};

std::vector<double> treadBox(int k) {
    const double z = k * 2800 / S2 / 11, x = z - (200 * S2 + 280) / 2;
    return {x, 0, z - 30, x + 250, 800, z};
}

std::vector<double> postBox(int side, int i) {
    const double x = std::vector<double>{300.0, 1033.3, 1766.7, 2500.0}[i - 1] / S2;
    const double y = side == 0 ? -10 - kOd / 2 : 810 + kOd / 2;
    return {x - kOd / 2, y - kOd / 2, x + 60, x + kOd / 2, y + kOd / 2, x + 1060};
}

std::vector<double> boxOf(const TopoDS_Shape& s) {
    const host::geom::Bnd b = host::geom::bnd(s);
    return {b.min.X(), b.min.Y(), b.min.Z(), b.max.X(), b.max.Y(), b.max.Z()};
}

void expectBox(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(6u, got.size());
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(got[i], want[i], 0.01) << i;
}

// The stock each body of the three files was modelled from, by the start of its name.
std::string stockOf(const std::string& name) {
    const std::pair<const char*, const char*> kinds[] = {
        {u8"梯梁", u8"扁钢"}, {u8"踏板", u8"钢板,折弯"}, {u8"扶手", u8"无缝钢管"}, {u8"角钢", u8"角钢"},
        {u8"封板", u8"钢板"}, {u8"把手", u8"圆钢"},      {u8"罩板", u8"钢板,折弯"}, {u8"加强筋", u8"扁钢"},
    };
    for (const auto& [prefix, kind] : kinds)
        if (name.rfind(prefix, 0) == 0) return kind;
    return "?";
}

std::vector<std::string> partFiles(const fs::path& dir) {
    std::vector<std::string> out;
    if (fs::exists(dir))
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".prt") out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

TEST(GeomStepAssembly, TheStairKeepsItsNamesNestingAndPlaces) {
    const auto top = host::geom::readStepAssembly(stepFile("stair.step"));
    EXPECT_EQ(u8"楼梯", top->name);
    std::map<std::string, TopoDS_Shape> own;
    for (const auto& b : top->bodies) own[b.name] = b.solid;
    ASSERT_EQ(12u, top->bodies.size());
    ASSERT_EQ(12u, own.size());
    for (int k = 1; k <= 10; ++k) expectBox(boxOf(own[u8"踏板" + std::to_string(k)]), treadBox(k));
    expectBox(boxOf(own[u8"梯梁右"]), {-200 / S2, 800, 0, 2800 / S2, 810, 3000 / S2});

    // Two handrails, each its own product placed at its own side; their posts in the stair's frame.
    ASSERT_EQ(2u, top->children.size());
    EXPECT_NE(top->children[0].part.get(), top->children[1].part.get());
    for (int s = 0; s < 2; ++s) {
        const auto& c = top->children[s];
        const std::string name = u8"扶手" + std::string(kSide[s]);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(name, c.part->name);
        EXPECT_TRUE(c.part->children.empty());
        ASSERT_EQ(5u, c.part->bodies.size()) << name;
        for (int i = 1; i <= 4; ++i) {
            const auto& b = c.part->bodies[i - 1];
            EXPECT_EQ(u8"扶手立柱" + std::string(kSide[s]) + std::to_string(i), b.name);
            expectBox(boxOf(b.solid.Moved(TopLoc_Location(c.at))), postBox(s, i));
        }
        EXPECT_EQ(u8"扶手管" + std::string(kSide[s]), c.part->bodies[4].name);
    }
}

// What the road asks of every imported body: its stock, told from a shape another system made.
TEST(GeomStepAssembly, EveryImportedBodyIsToldItsStock) {
    const std::pair<const char*, size_t> files[] = {{"stair.step", 22}, {"guard.step", 7}, {"hood.step", 3}};
    for (const auto& [file, solids] : files) {
        const auto top = host::geom::readStepAssembly(stepFile(file));
        std::vector<const StepAssembly*> all = {top.get()};
        for (const auto& c : top->children) all.push_back(c.part.get());
        size_t n = 0;
        for (const StepAssembly* a : all) {
            for (const auto& b : a->bodies) EXPECT_EQ(stockOf(b.name), host::geom::tellStock(b.solid).category) << file << ": " << b.name;
            n += a->bodies.size();
        }
        EXPECT_EQ(solids, n) << file;
    }
}

using StepBuildTest = HostTest;

// Read alone, the stair is the assembly a designer opens: its loose treads and stringers welded into
// one numbered component, each handrail a numbered component, numbered from 1 as name-number.
TEST_F(StepBuildTest, TheStairBecomesAnAssemblyOfNumberedParts) {
    const fs::path out = dir / "out";
    const std::string top = host::modeldesc::build(stepFile("stair.step"), out.string(), true);
    EXPECT_EQ(u8"楼梯.prt", fs::path(top).filename().string());
    std::set<std::string> files;
    for (const auto& f : partFiles(out)) files.insert(f);
    EXPECT_EQ((std::set<std::string>{u8"楼梯.prt", u8"楼梯-1.prt", u8"扶手左-2.prt", u8"扶手右-3.prt"}), files);

    host::Part& p = host::partfile::open(top);
    const auto j = host::dump::part(p);
    EXPECT_EQ(3u, j["components"].size());
    std::map<std::string, nlohmann::ordered_json> bodies;
    for (const auto& o : j["objects"]) {
        if (o["type"] == UF_solid_type) bodies[o["name"].get<std::string>()] = o;
    }
    EXPECT_EQ(22u, bodies.size());
    for (int k = 1; k <= 10; ++k) {
        const auto& b = bodies[u8"踏板" + std::to_string(k)];
        EXPECT_EQ(u8"楼梯-1", b["component"]);
        expectBox(b["box"].get<std::vector<double>>(), treadBox(k));
    }
    // Each handrail's posts come through its own component, where its side puts them.
    for (int s = 0; s < 2; ++s) {
        for (int i = 1; i <= 4; ++i) {
            const auto& b = bodies[u8"扶手立柱" + std::string(kSide[s]) + std::to_string(i)];
            EXPECT_EQ(std::string(u8"扶手") + kSide[s] + (s == 0 ? "-2" : "-3"), b["component"]) << s << i;
            expectBox(b["box"].get<std::vector<double>>(), postBox(s, i));
        }
    }
}

// Another system's assembly as received: two different products of one name become two parts of two
// names, a product placed twice stays one part, names lose the "-" that would end them early, and a
// file written in inches is read in millimetres.
TEST_F(StepBuildTest, ProductsOfOneNameBecomeTwoPartsAndRepeatsStayOne) {
    std::vector<double> inMillimetres;
    for (const char* file : {"frame.step", "frame_inch.step"}) {
        SCOPED_TRACE(file);
        const fs::path out = dir / file;
        const std::string top = host::modeldesc::build(std::string(VORTA_SOURCE_DIR) + "/tests/shapes/" + file, out.string(), true);
        std::set<std::string> files;
        for (const auto& f : partFiles(out)) files.insert(f);
        EXPECT_EQ((std::set<std::string>{"Machine frame.prt", "Machine frame-1.prt", "Frame-2.prt", "Lager20-3.prt", "Lager20_2-4.prt",
                                         "Guard-5.prt", "Door-6.prt"}),
                  files);
        host::Part& p = host::partfile::open(top);
        const auto j = host::dump::part(p);
        std::vector<double> boxes;
        size_t doors = 0, bodies = 0;
        for (const auto& c : j["components"]) doors += c["part"].get<std::string>().find("Door-6") != std::string::npos;
        for (const auto& o : j["objects"]) {
            if (o["type"] != UF_solid_type) continue;
            ++bodies;
            for (double v : o["box"]) boxes.push_back(v);
        }
        EXPECT_EQ(2u, doors);
        EXPECT_EQ(37u, bodies);   // every placed solid, through its components
        if (inMillimetres.empty()) inMillimetres = boxes;
        else {
            ASSERT_EQ(inMillimetres.size(), boxes.size());
            for (size_t i = 0; i < boxes.size(); ++i) EXPECT_NEAR(inMillimetres[i], boxes[i], 1e-3) << i;
        }
        host::session().reset();
    }
}

TEST_F(StepBuildTest, OneStepFilePlacedTwiceIsOnePart) {
    for (const std::string file : {"", R"(, "file": "stair-7.prt")"}) {
        SCOPED_TRACE(file);
        const fs::path out = dir / (file.empty() ? "unnamed" : "named");
        std::ofstream(dir / "two.json") << R"({ "file": "site-1.prt", "components": [
            { "name": "a", "part": ")" << stepFile("stair.step") << '"' << file << R"( },
            { "name": "b", "part": ")" << stepFile("stair.step") << '"' << file << R"(, "at": [5000, 0, 0] } ] })";
        host::Part& p = host::partfile::open(host::modeldesc::build((dir / "two.json").string(), out.string(), true));
        // The site, one stair and its two handrails.
        EXPECT_EQ(4u, partFiles(out).size()) << ::testing::PrintToString(partFiles(out));
        ASSERT_EQ(2u, p.instances.size());
        EXPECT_EQ(p.instances[0].file, p.instances[1].file);
        host::session().reset();
    }
}

// Whatever is wrong with a STEP file, building it is a plain error of the model naming the file.
TEST_F(StepBuildTest, BadStepFilesAreModelErrors) {
    std::ofstream(dir / "empty.step").close();
    std::ofstream(dir / "notes.stp") << u8"楼梯的说明\nnot a model at all\n";
    STEPControl_Writer w;
    w.Transfer(BRepBuilderAPI_MakeFace(gp_Pln(), 0, 100, 0, 50).Shape(), STEPControl_AsIs);
    ASSERT_EQ(IFSelect_RetDone, w.Write((dir / "face.step").c_str()));
    for (const char* name : {"missing.step", "empty.step", "notes.stp", "face.step"}) {
        const std::string path = (dir / name).string();
        const fs::path out = dir / (std::string(name) + ".out");
        try {
            host::modeldesc::build(path, out.string(), true);
            ADD_FAILURE() << name << " was built";
        } catch (const host::modeldesc::ModelError& e) {
            const std::string what = e.what();
            EXPECT_EQ(path, e.file);
            EXPECT_NE(std::string::npos, what.find(path)) << what;
            EXPECT_EQ(std::string::npos, what.find('\n')) << what;
        } catch (...) {
            ADD_FAILURE() << name << ": not a ModelError";
        }
        EXPECT_TRUE(partFiles(out).empty()) << name;
        host::session().reset();
    }
}

// A weldment saved as one part of several solids: each solid goes by the name the file gives it,
// one the file does not name by its part's; a sliver below the modelling tolerance is left out, and
// said to be.
TEST_F(StepBuildTest, SolidsOfOnePartGoByTheirOwnNames) {
    Handle(XCAFApp_Application) app = XCAFApp_Application::GetApplication();
    Handle(TDocStd_Document) doc;
    app->NewDocument("MDTV-XCAF", doc);
    Handle(XCAFDoc_ShapeTool) tool = XCAFDoc_DocumentTool::ShapeTool(doc->Main());
    BRep_Builder b;
    TopoDS_Compound weldment;
    b.MakeCompound(weldment);
    const TopoDS_Shape railA = BRepPrimAPI_MakeBox(1000, 40, 40).Shape(), railB = BRepPrimAPI_MakeBox(gp_Pnt(0, 500, 0), 1000, 40, 40).Shape();
    const TopoDS_Shape post = BRepPrimAPI_MakeBox(gp_Pnt(0, 0, 40), 40, 40, 600).Shape();
    const TopoDS_Shape sliver = BRepPrimAPI_MakeBox(gp_Pnt(2000, 0, 0), 0.01, 0.01, 0.01).Shape();
    for (const TopoDS_Shape& s : {railA, railB, post, sliver}) b.Add(weldment, s);
    const TDF_Label part = tool->AddShape(weldment, false);
    TDataStd_Name::Set(part, "weldment");
    TDataStd_Name::Set(tool->AddSubShape(part, railA), "rail A");
    TDataStd_Name::Set(tool->AddSubShape(part, railB), "rail B");
    STEPCAFControl_Writer w;
    Interface_Static::SetIVal("write.stepcaf.subshapes.name", 1);
    w.SetNameMode(true);
    ASSERT_TRUE(w.Transfer(doc, STEPControl_AsIs));
    const std::string file = (dir / "weldment.step").string();
    ASSERT_EQ(IFSelect_RetDone, w.Write(file.c_str()));
    app->Close(doc);

    const auto read = host::geom::readStepAssembly(file);
    std::multiset<std::string> names;
    for (const auto& body : read->bodies) names.insert(body.name);
    EXPECT_EQ((std::multiset<std::string>{"rail A", "rail B", "weldment"}), names);
    ASSERT_EQ(1u, read->leftOut.size());
    EXPECT_NEAR(1e-6, read->leftOut[0].second, 1e-9);
}
