// The component batch on generated plants of growing size: it must grow linearly. Prints the median
// time of each size on this machine and the ratio of each doubling; fails when a doubling costs more
// than 2.2 times. Sizes may be given on the command line (default 1000 2000 4000).
#include <cstdio>
#include <cstdlib>
#include <vector>
#include "harness.h"

int main(int argc, char** argv) {
    std::vector<int> sizes = {1000, 2000, 4000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    }
    bench::startModule();
    std::vector<double> times;
    bool ok = true;
    for (int n : sizes) {
        size_t parts = 0;
        times.push_back(bench::median(3, [&] {
            bench::openPlant({n}, "batch");
            size_t before = host::session().parts().size();
            double t = bench::seconds([] {
                bench::pick("new_zujianV1", [](host::ui::Dialog& d) {
                    host::ui::setValue(d, "enum0", "2");
                    host::ui::pressApply(d);
                });
            });
            parts = host::session().parts().size() - before;
            return t;
        }));
        std::printf("batch %5d bodies: %7.3f s, %zu new parts", n, times.back(), parts);
        if (times.size() > 1) {
            double ratio = times.back() / times[times.size() - 2], grow = double(n) / sizes[times.size() - 2];
            std::printf(", x%.2f for x%.1f bodies", ratio, grow);
            ok &= ratio <= 2.2 * grow / 2;
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    std::printf("%s\n", ok ? "linear: every doubling within x2.2" : "NOT LINEAR: a doubling took more than x2.2");
    return ok ? 0 : 1;
}
