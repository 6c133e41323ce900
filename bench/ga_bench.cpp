// The general arrangement of a generated plant (5 000 bodies by default): its four views drawn from
// nothing made before, every body's own projection and the bodies hiding each other, in a process of
// its own for each of three rounds. Prints the medians; fails past 10 s.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "draft/render.h"
#include "harness.h"
#include "text.h"

namespace {

struct Costs { double seconds = 0; size_t bodies = 0, curves = 0; };

Costs draw(int bodies) {
    bench::openPlant({bodies}, "ga");
    bench::batchThenDraw();  // as the road draws it
    host::Session& s = host::session();
    Costs c;
    c.bodies = static_cast<size_t>(bodies);
    for (tag_t t : s.sheets(*s.display)) {
        host::Object& sheet = s.object(t);
        if (host::text::toUtf8(sheet.name).find(u8"总图") == std::string::npos) continue;
        c.seconds = bench::seconds([&] { c.curves = host::draft::drawSheet(sheet).paths.size(); });
    }
    return c;
}

}  // namespace

int main(int argc, char** argv) {
    const int bodies = argc > 1 ? std::atoi(argv[1]) : 5000;
    bench::startModule();
    std::vector<double> times;
    for (int k = 0; k < 3; ++k) {
        Costs c;
        const bool ok = bench::inChild<Costs>([&] { return draw(bodies); }, c);
        if (!ok || c.seconds == 0) {
            std::printf("round %d: FAILED (no general arrangement drawn)\n", k + 1);
            return 1;
        }
        times.push_back(c.seconds);
        std::printf("round %d: general arrangement of %zu bodies, four views: %.2f s, %zu lines\n", k + 1, c.bodies, c.seconds, c.curves);
        std::fflush(stdout);
    }
    std::sort(times.begin(), times.end());
    std::printf("median %.2f s: %s\n", times[1], times[1] <= 10 ? "within 10 s" : "PAST 10 s");
    return times[1] <= 10 ? 0 : 1;
}
