// The road on a model another system wrote, made here as a STEP file: a body the module fails on is
// listed with why and keeps what it had, every other body goes on, and the summary adds up and says
// that not everything was delivered.
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <nlohmann/json.hpp>

#include "fixture.h"
#include "geom/stock.h"
#include "road/road.h"

namespace fs = std::filesystem;

namespace {

// Products placed once each under one top product, as another system writes a small machine.
void writeStep(const std::string& path, const std::vector<std::pair<std::string, TopoDS_Shape>>& parts) {
    Handle(XCAFApp_Application) app = XCAFApp_Application::GetApplication();
    Handle(TDocStd_Document) doc;
    app->NewDocument("MDTV-XCAF", doc);
    Handle(XCAFDoc_ShapeTool) tool = XCAFDoc_DocumentTool::ShapeTool(doc->Main());
    const TDF_Label top = tool->NewShape();
    TDataStd_Name::Set(top, "rig");
    double x = 0;
    for (const auto& [name, shape] : parts) {
        const TDF_Label part = tool->AddShape(shape, false);
        TDataStd_Name::Set(part, name.c_str());
        gp_Trsf at;
        at.SetTranslation(gp_Vec(x, 0, 0));
        x += 1000;
        tool->AddComponent(top, part, TopLoc_Location(at));
    }
    tool->UpdateAssemblies();
    STEPCAFControl_Writer w;
    w.SetNameMode(true);
    ASSERT_TRUE(w.Transfer(doc, STEPControl_AsIs));
    ASSERT_EQ(IFSelect_RetDone, w.Write(path.c_str()));
    app->Close(doc);
}

// A sheet bent once whose second flange thins from 3 to 1.5 toward its edge: its stock tells bent
// sheet, but no flat pattern of one thickness exists, so the host refuses to unfold it.
TopoDS_Shape taperedBend() {
    host::geom::Stock bent;
    bent.kind = "bent_plate";
    bent.bent = {{100, 60}, {90}, 3, 4, 200};
    const TopoDS_Shape sheet = host::geom::makeStock(bent);
    BRepBuilderAPI_MakePolygon wedge(gp_Pnt(107.01, -1, 30), gp_Pnt(105.5, -1, 70), gp_Pnt(130, -1, 70), gp_Pnt(130, -1, 30), true);
    const TopoDS_Shape cutter = BRepPrimAPI_MakePrism(BRepBuilderAPI_MakeFace(wedge.Wire()), gp_Vec(0, 202, 0)).Shape();
    return BRepAlgoAPI_Cut(sheet, cutter).Shape();
}

TopoDS_Shape drilledPlate(double w) {
    TopoDS_Shape s = BRepPrimAPI_MakeBox(400, w, 10).Shape();
    for (double x : {50.0, 350.0}) s = BRepAlgoAPI_Cut(s, BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(x, w / 2, -1), gp::DZ()), 7, 12).Shape()).Shape();
    return s;
}

}  // namespace

class RoadTest : public ModelTest {};

TEST_F(RoadTest, ABodyTheModuleFailsOnIsListedAndTheRestGoOn) {
    const std::string model = (dir / "rig.step").string();
    writeStep(model, {{"tapered bend", taperedBend()},
                      {"base", drilledPlate(300)},
                      {"base", drilledPlate(250)},   // another shape of the same name
                      {"strip 40x5", BRepPrimAPI_MakeBox(600, 40, 5).Shape()},
                      {"wood panel", BRepPrimAPI_MakeBox(1200, 600, 18).Shape()}});
    host::road::Options o;
    o.model = model;
    o.out = (dir / "out").string();
    o.render = false;
    const host::road::Summary r = host::road::run(o);

    EXPECT_EQ(5u, r.bodies);
    EXPECT_EQ(3u, r.attributed);
    ASSERT_EQ(2u, r.unclassified.size());
    EXPECT_EQ(r.bodies, r.specified + r.attributed + r.unclassified.size());
    std::map<std::string, std::string> why;
    for (const auto& u : r.unclassified) why[u.body] = u.reason;
    EXPECT_NE(std::string::npos, why["tapered bend"].find("could not measure it")) << why["tapered bend"];
    EXPECT_NE(std::string::npos, why["wood panel"].find("not steel")) << why["wood panel"];
    ASSERT_EQ(1u, r.failures.size());
    EXPECT_NE(std::string::npos, r.failures[0].find("tapered bend"));

    // What the dialog wrote, body by body, in the part of the loose bodies.
    host::Session& s = host::session();
    host::Part* rig = s.partByLeaf("rig-1.prt");
    ASSERT_NE(nullptr, rig);
    std::map<std::string, std::vector<const host::Object*>> byName;
    for (tag_t t : rig->objects)
        if (const host::Object* b = s.find(t); b && b->type == UF_solid_type && !b->isOccurrence()) byName[host::text::toUtf8Lossy(b->name)].push_back(b);
    for (const auto& [name, bodies] : byName)
        for (const host::Object* b : bodies) EXPECT_FALSE(name == "tapered bend" && !b->attrs.empty()) << "half a set on " << name;
    const auto j = nlohmann::json::parse(std::ifstream(fs::path(o.out) / "road.json"));
    EXPECT_FALSE(j["delivered"].get<bool>());
    EXPECT_EQ(2u, j["unclassified"].size());
    EXPECT_EQ(1u, j["failures"].size());
    EXPECT_EQ(2, j["parts"].get<int>());
    // The two drilled bases went to the shop by drawings, as parts of names of their own.
    std::set<std::string> parts;
    for (const auto& p : s.parts()) parts.insert(p->leaf());
    EXPECT_TRUE(parts.count("base-1-1") && parts.count("base_2-1-2")) << ::testing::PrintToString(parts);
}
