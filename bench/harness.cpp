#include "harness.h"
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <vector>
#include "files/partfile.h"
#include "model/menu.h"
#include "model/modeldesc.h"
#include "road/scripted_user.h"

extern "C" void ufsta(char* param, int* retcode, int paramLen);

namespace bench {
namespace {

namespace fs = std::filesystem;

host::road::ScriptedUser& user() {
    static host::road::ScriptedUser u;
    return u;
}

}  // namespace

void startModule() {
    host::Session& s = host::session();
    s.baseDir = VORTA_BINARY_DIR "/base";
    s.transcript = [](const std::string&) {};
    char p[1] = {0};
    int rc = 0;
    ufsta(p, &rc, 0);
    user();
}

void pick(const std::string& action, std::function<void(host::ui::Dialog&)> onDialog) {
    user().pick(action, std::move(onDialog));
}

void batchThenDraw() {
    pick("new_zujianV1", [](host::ui::Dialog& d) {
        host::ui::setValue(d, "enum0", "2");
        host::ui::pressApply(d);
    });
    pick("drawing", [](host::ui::Dialog& d) {
        host::ui::setValue(d, "tuhao", "QEL-100");
        host::ui::pressApply(d);
    });
}

bool inChild(const std::function<void(void* out)>& f, void* out, size_t size) {
    int fd[2];
    if (pipe(fd) != 0) return false;
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        close(fd[0]);
        std::vector<char> record(size);
        f(record.data());
        _exit(write(fd[1], record.data(), size) == static_cast<ssize_t>(size) ? 0 : 1);
    }
    close(fd[1]);
    const bool ok = read(fd[0], out, size) == static_cast<ssize_t>(size);
    close(fd[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return ok;
}

host::Part& openPlant(const PlantShape& shape, const std::string& name) {
    host::Session& s = host::session();
    s.reset();
    fs::path tmp = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path dir = tmp / ("vorta-bench-" + name + "-" + std::to_string(shape.bodies));
    fs::remove_all(dir);
    std::string model = writePlant(shape, dir.string());
    host::Part& top = host::partfile::open(host::modeldesc::build(model, "", true));
    s.display = s.work = &top;
    s.workOcc = top.rootOcc;
    return top;
}

double seconds(const std::function<void()>& f) {
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(int runs, const std::function<double()>& f) {
    std::vector<double> v;
    for (int i = 0; i < runs; ++i) v.push_back(f());
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace bench
