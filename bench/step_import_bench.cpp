// Reading a STEP file another system wrote: what the stand-in's import costs against the kernel's own
// reader on the same file, in peak memory and time, each in a fresh process. The file is made here: an
// assembly of turned parts of swept spline faces and of drilled plates, as a machine's STEP export
// holds them, some 3 MB. Prints both and their ratio; the import is to peak at no more than 1.5 times.
//   vorta_step_import_bench [FILE.step]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepFilletAPI_MakeFillet.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <BRep_Tool.hxx>
#include <Geom_Line.hxx>
#include <GeomAPI_PointsToBSpline.hxx>
#include <Geom_BSplineCurve.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <TColgp_Array1OfPnt.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include "model/modeldesc.h"

namespace fs = std::filesystem;

namespace {

TopoDS_Shape turned(int k) {
    BRepBuilderAPI_MakeWire profile;
    const gp_Pnt start(0, 0, 0), foot(20 + k % 7, 0, 0), top(0, 0, 300);
    profile.Add(BRepBuilderAPI_MakeEdge(start, foot));
    gp_Pnt last = foot;
    for (int s = 0; s < 6; ++s) {
        TColgp_Array1OfPnt pts(1, 61);
        for (int i = 0; i <= 60; ++i) {
            const double z = 300 * (s + i / 60.0) / 6;
            pts(i + 1) = gp_Pnt(foot.X() + 2 * std::sin(z * (0.3 + 0.01 * k)), 0, z);
        }
        profile.Add(BRepBuilderAPI_MakeEdge(GeomAPI_PointsToBSpline(pts).Curve()).Edge());
        last = pts(61);
    }
    profile.Add(BRepBuilderAPI_MakeEdge(last, top));
    profile.Add(BRepBuilderAPI_MakeEdge(top, start));
    return BRepPrimAPI_MakeRevol(BRepBuilderAPI_MakeFace(profile.Wire()), gp_Ax1(start, gp::DZ())).Shape();
}

TopoDS_Shape plate(int k) {
    TopoDS_Shape s = BRepPrimAPI_MakeBox(300 + k, 200, 12).Shape();
    for (int i = 0; i < 12; ++i)
        s = BRepAlgoAPI_Cut(s, BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(20 + 22 * i, 40 + (i % 3) * 50, -1), gp::DZ()), 5, 14).Shape()).Shape();
    BRepFilletAPI_MakeFillet round(s);
    for (TopExp_Explorer e(s, TopAbs_EDGE); e.More(); e.Next()) {
        const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
        Standard_Real a, b;
        Handle(Geom_Curve) c = BRep_Tool::Curve(edge, a, b);
        if (!c.IsNull() && c->DynamicType() == STANDARD_TYPE(Geom_Line) && std::abs(b - a - 12) < 1e-6) round.Add(3, edge);
    }
    return round.Shape();
}

// An assembly of `n` products, each placed once, written as another system writes a machine.
void write(const std::string& path, int n) {
    Handle(XCAFApp_Application) app = XCAFApp_Application::GetApplication();
    Handle(TDocStd_Document) doc;
    app->NewDocument("MDTV-XCAF", doc);
    Handle(XCAFDoc_ShapeTool) tool = XCAFDoc_DocumentTool::ShapeTool(doc->Main());
    const TDF_Label top = tool->NewShape();
    TDataStd_Name::Set(top, "machine");
    for (int k = 0; k < n; ++k) {
        const TDF_Label part = tool->AddShape(k % 2 ? turned(k) : plate(k), false);
        TDataStd_Name::Set(part, TCollection_ExtendedString(((k % 2 ? "shaft " : "plate ") + std::to_string(k)).c_str()));
        gp_Trsf at;
        at.SetTranslation(gp_Vec(400.0 * (k % 10), 400.0 * (k / 10), 0));
        tool->AddComponent(top, part, TopLoc_Location(at));
    }
    tool->UpdateAssemblies();
    STEPCAFControl_Writer w;
    w.SetNameMode(true);
    if (!w.Transfer(doc, STEPControl_AsIs) || w.Write(path.c_str()) != IFSelect_RetDone) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(2);
    }
    app->Close(doc);
}

struct Run {
    long peakKb = 0;
    double seconds = 0;
};

// A program in a fresh process doing one thing: this one again unless `program` says otherwise.
Run child(const std::vector<std::string>& args, const std::string& program = "/proc/self/exe") {
    timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (program != "/proc/self/exe" && !std::freopen("/dev/null", "w", stdout)) _exit(127);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage use{};
    wait4(pid, &status, 0, &use);
    clock_gettime(CLOCK_MONOTONIC, &t1);
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        std::fprintf(stderr, "%s %s failed\n", args[1].c_str(), args[2].c_str());
        std::exit(2);
    }
    return {use.ru_maxrss, (t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) * 1e-9};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "plain") == 0) {
        Handle(XCAFApp_Application) app = XCAFApp_Application::GetApplication();
        Handle(TDocStd_Document) doc;
        app->NewDocument("MDTV-XCAF", doc);
        STEPCAFControl_Reader r;
        r.SetNameMode(true);
        return r.ReadFile(argv[2]) == IFSelect_RetDone && r.Transfer(doc) ? 0 : 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "import") == 0) {
        host::modeldesc::build(argv[2], argv[3], true);
        return 0;
    }
    const fs::path dir = fs::temp_directory_path() / ("vorta-step-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string file = argc > 1 ? argv[1] : (dir / "machine.step").string();
    if (argc == 1) write(file, 74);
    std::printf("%s: %.1f MB\n", file.c_str(), fs::file_size(file) / 1e6);
    std::printf("%-28s %10s %10s\n", "", "peak MiB", "seconds");
    // Three rounds in turn; the medians are compared.
    std::vector<Run> plain, import, road;
    const std::string vorta = (fs::canonical("/proc/self/exe").parent_path().parent_path() / "vorta").string();
    for (int round = 0; round < 3; ++round) {
        plain.push_back(child({argv[0], "plain", file}));
        fs::remove_all(dir / "parts");
        import.push_back(child({argv[0], "import", file, (dir / "parts").string()}));
        fs::remove_all(dir / "road");
        road.push_back(child({vorta, "road", file, "-o", (dir / "road").string(), "--no-render"}, vorta));
    }
    auto median = [](std::vector<Run> v) {
        std::sort(v.begin(), v.end(), [](const Run& a, const Run& b) { return a.peakKb < b.peakKb; });
        Run m = v[1];
        std::sort(v.begin(), v.end(), [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
        m.seconds = v[1].seconds;
        return m;
    };
    const Run p = median(plain), i = median(import), r = median(road);
    std::printf("%-28s %10.0f %10.2f\n", "kernel's own reader", p.peakKb / 1024.0, p.seconds);
    std::printf("%-28s %10.0f %10.2f\n", "import into part files", i.peakKb / 1024.0, i.seconds);
    std::printf("%-28s %10.0f %10.2f\n", "the road, sheets not drawn", r.peakKb / 1024.0, r.seconds);
    const double ratio = static_cast<double>(i.peakKb) / p.peakKb;
    std::printf("peak ratio %.2f (at most 1.5): %s\n", ratio, ratio <= 1.5 ? "ok" : "TOO MUCH");
    fs::remove_all(dir);
    return 0;
}
