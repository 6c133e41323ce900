// The component batch on generated plants of growing size: it must grow linearly. Prints the median
// time of each size on this machine and the ratio of each doubling; fails when a doubling costs more
// than 2.2 times. Sizes may be given on the command line (default 1000 2000 4000).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>
#include "files/partfile.h"
#include "model/menu.h"
#include "model/modeldesc.h"
#include "model/session.h"
#include "plant.h"
#include "uf.h"
#include "ui/dialog.h"

extern "C" void ufsta(char* param, int* retcode, int paramLen);

namespace {

namespace fs = std::filesystem;

// Picks batch mode and presses Apply, then closes the dialog.
struct BatchUser : host::ui::User {
    void drive(host::ui::Dialog& d) override {
        host::ui::setValue(d, "enum0", "2");
        host::ui::pressApply(d);
        if (d.open) host::ui::pressCancel(d);
    }
    std::optional<std::vector<tag_t>> chooseObjects(const std::string&) override { return std::nullopt; }
};

// Seconds the batch takes on a fresh plant of n bodies; the parts it made, through `parts`.
double batch(int n, const fs::path& base, size_t& parts) {
    host::Session& s = host::session();
    s.reset();
    // On a memory file system when there is one: the disk's own costs of making thousands of files
    // (which grow with the files deleted lately) are not the batch's.
    fs::path tmp = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path dir = tmp / ("vorta-batch-bench-" + std::to_string(n));
    fs::remove_all(dir);
    std::string model = bench::writePlant({n}, dir.string());
    host::Part& top = host::partfile::open(host::modeldesc::build(model, "", true));
    s.display = s.work = &top;
    s.workOcc = top.rootOcc;
    size_t before = s.parts().size();
    const host::Action* action = host::menu().find("new_zujianV1");
    auto start = std::chrono::steady_clock::now();
    action->callback(nullptr, action->clientData, nullptr);
    double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    parts = s.parts().size() - before;
    fs::remove_all(dir);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes = {1000, 2000, 4000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    }
    host::Session& s = host::session();
    s.baseDir = VORTA_BINARY_DIR "/base";
    s.transcript = [](const std::string&) {};
    char p[1] = {0};
    int rc = 0;
    ufsta(p, &rc, 0);
    BatchUser user;
    host::ui::setUser(&user);
    std::vector<double> times;
    bool ok = true;
    for (int n : sizes) {
        size_t parts = 0;
        // The median of three runs: one run of a fraction of a second is at the mercy of the machine.
        std::vector<double> runs;
        for (int r = 0; r < 3; ++r) runs.push_back(batch(n, s.baseDir, parts));
        std::sort(runs.begin(), runs.end());
        times.push_back(runs[1]);
        std::printf("batch %5d bodies: %7.3f s, %zu new parts", n, times.back(), parts);
        if (times.size() > 1) {
            double ratio = times.back() / times[times.size() - 2];
            std::printf(", x%.2f for x%.1f bodies", ratio, double(n) / sizes[times.size() - 2]);
            ok &= ratio <= 2.2 * (double(n) / sizes[times.size() - 2]) / 2;
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    host::ui::setUser(nullptr);
    std::printf("%s\n", ok ? "linear: every doubling within x2.2" : "NOT LINEAR: a doubling took more than x2.2");
    return ok ? 0 : 1;
}
