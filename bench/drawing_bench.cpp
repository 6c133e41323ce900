// The drawing run in component mode and the render of every sheet, on generated plants of 1 000 and
// 2 000 bodies (50 and 100 components) after the component batch: each must grow linearly. Prints the
// medians on this machine, the ratios, and what one projection of a simple stock body costs.
#include <cstdio>
#include <cstdlib>
#include <vector>
#include "draft/render.h"
#include "export/svg.h"
#include "geom/projection.h"
#include "geom/stock.h"
#include "harness.h"

namespace {

struct Times { double drawing = 0, render = 0; size_t sheets = 0; };

Times run(int bodies) {
    Times t;
    t.drawing = bench::median(3, [&] {
        bench::openPlant({bodies}, "drawing");
        bench::pick("new_zujianV1", [](host::ui::Dialog& d) {
            host::ui::setValue(d, "enum0", "2");
            host::ui::pressApply(d);
        });
        return bench::seconds([] {
            bench::pick("drawing", [](host::ui::Dialog& d) {
                host::ui::setValue(d, "tuhao", "QEL-100");
                host::ui::pressApply(d);
            });
        });
    });
    host::Session& s = host::session();
    std::vector<tag_t> sheets = s.sheets(*s.display);
    t.sheets = sheets.size();
    t.render = bench::seconds([&] {
        size_t bytes = 0;
        for (tag_t sheet : sheets) bytes += host::exporter::svg(host::draft::drawSheet(s.object(sheet))).size();
        if (bytes == 0) std::printf("nothing rendered\n");
    });
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    bench::startModule();
    host::geom::Stock plate{"plate", {600, 200, 8}, {}, ""};
    TopoDS_Shape body = host::geom::makeStock(plate);
    double one = bench::median(5, [&] { return bench::seconds([&] { host::geom::project({body}, host::geom::viewAxes("FRONT"), true); }); });
    std::printf("projection of one plate: %.2f ms\n", one * 1000);
    Times a = run(n), b = run(2 * n);
    std::printf("drawing %5d bodies: %7.3f s, %zu sheets; render %7.3f s\n", n, a.drawing, a.sheets, a.render);
    std::printf("drawing %5d bodies: %7.3f s, %zu sheets; render %7.3f s\n", 2 * n, b.drawing, b.sheets, b.render);
    double rd = b.drawing / a.drawing, rr = b.render / a.render;
    std::printf("ratios for x2 bodies: drawing x%.2f, render x%.2f\n", rd, rr);
    bool ok = rd <= 2.2 && rr <= 2.2;
    std::printf("%s\n", ok ? "linear: within x2.2" : "NOT LINEAR: a doubling took more than x2.2");
    return ok ? 0 : 1;
}
