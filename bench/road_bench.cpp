// The whole road (`vorta road`) on generated plants of 1 000, 2 000 and 5 000 bodies, each in a process
// of its own so that its peak memory is its own: the time of every step, the ratio of each step
// between a size and the next, and the peak resident memory of the road and of its helpers. Fails
// when 5 000 bodies take more than 60 s, or a step grows more than 2.2 times per doubling. Then the
// attribute pick on a part of 10 000 bodies, which must answer within 100 ms. Each size runs three
// times and is judged on its medians; sizes and runs may be given on the command line.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>
#include "files/partfile.h"
#include "harness.h"
#include "road/road.h"
#include "uf_object_types.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

fs::path scratch() { return fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path(); }

// One road in a child process: its summary and peak memory come back through a pipe.
json roadOf(int bodies) {
    int fd[2];
    if (pipe(fd) != 0) std::exit(2);
    pid_t pid = fork();
    if (pid == 0) {
        close(fd[0]);
        json out;
        try {
            const fs::path dir = scratch() / ("vorta-road-bench-" + std::to_string(bodies));
            fs::remove_all(dir);
            host::road::Options o;
            bench::PlantShape shape;
            shape.bodies = bodies;
            shape.distinctMarked = true;
            o.model = bench::writePlant(shape, (dir / "model").string());
            o.out = (dir / "out").string();
            host::road::Summary r = host::road::run(o);
            rusage u{};
            getrusage(RUSAGE_SELF, &u);
            out = r.toJson();
            out["peak_mib"] = u.ru_maxrss / 1024.0;
            // The processes that drew sheets ahead: their resident peak counts the pages they share
            // with the road, copied only when written.
            rusage c{};
            getrusage(RUSAGE_CHILDREN, &c);
            out["helper_peak_mib"] = c.ru_maxrss / 1024.0;
            if (!std::getenv("VORTA_BENCH_KEEP")) fs::remove_all(dir);
        } catch (const std::exception& e) {
            out = {{"error", e.what()}};
        }
        std::string text = out.dump();
        for (size_t at = 0; at < text.size();) {
            ssize_t n = write(fd[1], text.data() + at, text.size() - at);
            if (n <= 0) break;
            at += static_cast<size_t>(n);
        }
        _exit(0);
    }
    close(fd[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = read(fd[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
    close(fd[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return text.empty() ? json{{"error", "the road's process died"}} : json::parse(text);
}

// The attribute dialog's answer to a pick of one body in a part of n bodies.
double pickOn(int n) {
    host::Session& s = host::session();
    host::Part& top = bench::openPlant({n, n, n + 1}, "pick");
    host::Object* comp = nullptr;
    for (tag_t t : top.objects)
        if (host::Object* o = s.find(t); o && o->type == UF_component_type && !o->root) comp = o;
    s.work = comp->child;
    s.workOcc = comp->tag;
    std::vector<tag_t> bodies;
    for (tag_t t : comp->child->objects)
        if (host::Object* o = s.find(t); o && o->type == UF_solid_type) bodies.push_back(t);
    std::vector<double> times;
    bench::pick("attrV2", [&](host::ui::Dialog& d) {
        for (int i = 0; i < 7; ++i)
            times.push_back(bench::seconds([&] { host::ui::pick(d, "blockxuanzhe", {bodies[bodies.size() / 7 * i]}); }));
    });
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The median of each number of the runs of one size: time of each step, in all, and peak memory.
json medianOf(const std::vector<json>& runs) {
    auto median = [&](const std::function<double(const json&)>& of) {
        std::vector<double> v;
        for (const json& r : runs) v.push_back(of(r));
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    json m = runs.front();
    for (const char* k : {"seconds", "peak_mib", "helper_peak_mib"}) m[k] = median([&](const json& r) { return r[k].get<double>(); });
    for (auto& [step, t] : runs.front()["steps"].items()) {
        const std::string name = step;
        m["steps"][name] = median([&](const json& r) { return r["steps"][name].get<double>(); });
    }
    return m;
}

void print(const char* what, int n, const json& r) {
    std::printf("%s %5d bodies: %6.1f s, peak %4.0f MiB, helper %4.0f MiB (%zu parts, %zu sheets, %zu rows) --", what, n,
                r["seconds"].get<double>(), r["peak_mib"].get<double>(), r["helper_peak_mib"].get<double>(), r["parts"].get<size_t>(),
                r["sheets"].get<size_t>(), r["rows"].get<size_t>());
    for (auto& [step, t] : r["steps"].items()) std::printf(" %s %.2f", step.c_str(), t.get<double>());
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

// vorta_road_bench [--runs R] [N...]: R rounds of every size (3 by default); ratios and targets are
// judged on the medians, since a single run on a shared machine strays either way.
int main(int argc, char** argv) {
    std::vector<int> sizes;
    int runsPerSize = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc) runsPerSize = std::max(1, std::atoi(argv[++i]));
        else sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty()) sizes = {1000, 2000, 5000};
    bench::startModule();
    bool ok = true;
    // Rounds of every size in turn, so that a machine slower for a while slows every size alike.
    std::vector<std::vector<json>> runs(sizes.size());
    for (int k = 0; k < runsPerSize; ++k)
        for (size_t i = 0; i < sizes.size(); ++i) {
            json r = roadOf(sizes[i]);
            if (r.contains("error")) {
                std::printf("road %d bodies: FAILED: %s\n", sizes[i], r["error"].get<std::string>().c_str());
                return 1;
            }
            print("run   ", sizes[i], r);
            runs[i].push_back(r);
        }
    std::vector<json> medians;
    for (size_t i = 0; i < sizes.size(); ++i) {
        const int n = sizes[i];
        const json r = medianOf(runs[i]);
        print("median", n, r);
        if (!medians.empty()) {
            const json& p = medians.back();
            const double grow = double(n) / sizes[i - 1];
            std::printf("        x%.1f bodies:", grow);
            for (auto& [step, t] : r["steps"].items()) {
                const double before = p["steps"][step].get<double>();
                // Steps under half a second are noise on a shared machine, not growth.
                const double ratio = before > 0.5 ? t.get<double>() / before : 0;
                const bool linear = ratio <= 2.2 * grow / 2;
                ok &= linear || before <= 0.5;
                std::printf(" %s x%.2f%s", step.c_str(), ratio, linear ? "" : "!");
            }
            std::printf(", peak memory x%.2f\n", r["peak_mib"].get<double>() / p["peak_mib"].get<double>());
        }
        if (n == 5000 && r["seconds"].get<double>() > 60) ok = false;
        medians.push_back(r);
    }
    const double pick = pickOn(10000);
    std::printf("attribute pick in a part of 10000 bodies: %.1f ms\n", pick * 1000);
    ok &= pick <= 0.1;
    std::printf("%s\n", ok ? "within the targets: 5000 bodies in 60 s, every step linear, pick within 100 ms" : "OUTSIDE A TARGET (marked !)");
    return ok ? 0 : 1;
}
