// What an A4 part sheet costs against the floor under it: drawing the sheet (four views with hidden
// lines, frame and title block) and writing its SVG and DXF, side by side with the kernel's exact
// hidden-line removal of the same four views alone, body by body. Each round runs in a process of its
// own, so that no projection is found made by an earlier one; rounds alternate which goes first.
// Prints the medians per sheet and their ratio; fails past 1.5.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <HLRAlgo_Projector.hxx>
#include <HLRBRep_Algo.hxx>
#include <HLRBRep_HLRToShape.hxx>
#include "draft/drafting.h"
#include "draft/render.h"
#include "export/dxf.h"
#include "export/svg.h"
#include "geom/projection.h"
#include "harness.h"

namespace {

namespace fs = std::filesystem;

// The kernel alone: the four views of the solids, visible and hidden edges taken out as the kernel gives them.
void floorOf(const std::vector<TopoDS_Shape>& solids) {
    for (const char* view : {"FRONT", "TOP", "LEFT", "TFR-ISO"}) {
        Handle(HLRBRep_Algo) algo = new HLRBRep_Algo();
        for (const TopoDS_Shape& s : solids) algo->Add(s);
        algo->Projector(HLRAlgo_Projector(host::geom::viewAxes(view)));
        algo->Update();
        algo->Hide();
        HLRBRep_HLRToShape shapes(algo);
        const bool hidden = std::string(view) != "TFR-ISO";
        TopoDS_Shape v = shapes.VCompound(), o = shapes.OutLineVCompound();
        if (hidden) {
            TopoDS_Shape h = shapes.HCompound(), ho = shapes.OutLineHCompound();
        }
    }
}

struct Costs { double sheet = 0, floor = 0; size_t sheets = 0; };

// One round: a plant's A4 part sheets, each drawn and written, and each body's four views by the kernel.
Costs roundOf(int k) {
    bench::PlantShape shape;
    shape.bodies = 240;
    shape.distinctMarked = true;
    bench::openPlant(shape, "sheet");
    bench::batchThenDraw();
    host::Session& s = host::session();
    const fs::path out = (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) / "vorta-sheet-bench.dxf";
    Costs r;
    for (tag_t t : s.sheets(*s.display)) {
        host::Object& sheet = s.object(t);
        if (sheet.sheet->width != 210 || sheet.sheet->views.empty()) continue;
        std::vector<TopoDS_Shape> solids;
        for (host::Object* b : host::draft::shownBodies(s.object(sheet.sheet->views.front()))) solids.push_back(s.shapeOf(*b));
        auto drawn = [&] {
            return bench::seconds([&] {
                const host::draft::Drawing d = host::draft::drawSheet(sheet);
                if (host::exporter::svg(d).empty()) std::printf("nothing drawn\n");
                host::exporter::dxf(d, out.string());
            });
        };
        auto kernel = [&] { return bench::seconds([&] { floorOf(solids); }); };
        if ((k + r.sheets) % 2 == 0) {
            r.sheet += drawn();
            r.floor += kernel();
        } else {
            r.floor += kernel();
            r.sheet += drawn();
        }
        ++r.sheets;
    }
    fs::remove(out);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    bench::startModule();
    std::vector<double> sheet, floor, ratio;
    size_t sheets = 0;
    for (int k = 0; k < rounds; ++k) {
        Costs r;
        const bool ok = bench::inChild<Costs>([&] { return roundOf(k); }, r);
        if (!ok || r.sheets == 0) {
            std::printf("round %d: FAILED\n", k + 1);
            return 1;
        }
        sheets = r.sheets;
        sheet.push_back(r.sheet / r.sheets * 1000);
        floor.push_back(r.floor / r.sheets * 1000);
        ratio.push_back(r.sheet / r.floor);
        std::printf("round %d: %zu A4 part sheets, %.2f ms a sheet against the kernel's %.2f ms (x%.2f)\n", k + 1, r.sheets, sheet.back(),
                    floor.back(), ratio.back());
        std::fflush(stdout);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double m = median(ratio);
    std::printf("median of %d rounds of %zu sheets: a part sheet %.2f ms, the exact removal of its four views %.2f ms: x%.2f\n", rounds, sheets,
                median(sheet), median(floor), m);
    std::printf("%s\n", m <= 1.5 ? "within x1.5 of the floor" : "OUTSIDE x1.5 of the floor");
    return m <= 1.5 ? 0 : 1;
}
