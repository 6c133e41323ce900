#include "draft/ahead.h"
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <set>
#include "draft/render.h"
#include "model/session.h"

namespace host::draft::ahead {
namespace {

// What goes through the pipe: frames of a 32-bit length and a payload, which is a projection ('P',
// its cache key and curves) or the end of a sheet ('S', its tag).
void put(std::string& out, const void* p, size_t n) { out.append(static_cast<const char*>(p), n); }
void putU32(std::string& out, uint32_t v) { put(out, &v, sizeof v); }
void putD(std::string& out, double v) { put(out, &v, sizeof v); }

void frame(std::string& out, const std::string& payload) {
    putU32(out, static_cast<uint32_t>(payload.size()));
    out += payload;
}

std::string projectionFrame(const std::string& key, const geom::Projection& p) {
    std::string b = "P";
    putU32(b, static_cast<uint32_t>(key.size()));
    b += key;
    for (double v : {p.xmin, p.ymin, p.xmax, p.ymax}) putD(b, v);
    b += static_cast<char>(p.faceted);
    putU32(b, static_cast<uint32_t>(p.curves.size()));
    for (const geom::Curve2d& c : p.curves) {
        b += static_cast<char>(c.kind);
        b += static_cast<char>(c.visible);
        putU32(b, static_cast<uint32_t>(c.xy.size()));
        for (double v : c.xy) putD(b, v);
        for (double v : {c.cx, c.cy, c.r, c.a1, c.a2}) putD(b, v);
    }
    return b;
}

// Reads a payload back; false when it is cut short, which only a broken helper sends.
struct Reader {
    const char* at;
    const char* end;
    bool ok = true;
    template <class T>
    T get() {
        T v{};
        if (end - at < static_cast<std::ptrdiff_t>(sizeof v)) { ok = false; return v; }
        std::memcpy(&v, at, sizeof v);
        at += sizeof v;
        return v;
    }
    std::string bytes(size_t n) {
        if (static_cast<size_t>(end - at) < n) { ok = false; return {}; }
        std::string s(at, n);
        at += n;
        return s;
    }
};

struct Helper {
    pid_t pid = -1;
    int fd = -1;
    std::set<tag_t> taken, back;   // sheets the helper draws, and those whose projections came
    std::string inbox;             // bytes read and not yet a whole frame
    bool failed = false;           // a helper broke: none is started again
    ~Helper() { end(true); }

    // Ends the helper: killed when `kill`, else waited for. One that did not end well marks `failed`.
    void end(bool kill) {
        if (fd >= 0) close(fd);
        fd = -1;
        if (pid > 0) {
            if (kill) ::kill(pid, SIGKILL);
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
            if (!kill && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) failed = true;
        }
        pid = -1;
        taken.clear();
        back.clear();
        inbox.clear();
    }

    // Takes in whole frames; false on a frame that does not read.
    bool unpack() {
        size_t used = 0;
        while (inbox.size() - used >= 4) {
            uint32_t n;
            std::memcpy(&n, inbox.data() + used, 4);
            if (inbox.size() - used - 4 < n) break;
            Reader r{inbox.data() + used + 4, inbox.data() + used + 4 + n};
            used += 4 + n;
            const char type = r.get<char>();
            if (type == 'S') {
                back.insert(r.get<tag_t>());
            } else if (type == 'P') {
                std::string key = r.bytes(r.get<uint32_t>());
                geom::Projection p;
                p.xmin = r.get<double>(), p.ymin = r.get<double>(), p.xmax = r.get<double>(), p.ymax = r.get<double>();
                p.faceted = r.get<char>() != 0;
                for (uint32_t i = 0, curves = r.get<uint32_t>(); r.ok && i < curves; ++i) {
                    geom::Curve2d c;
                    c.kind = static_cast<geom::Curve2d::Kind>(r.get<char>());
                    c.visible = r.get<char>() != 0;
                    for (uint32_t k = 0, n2 = r.get<uint32_t>(); r.ok && k < n2; ++k) c.xy.push_back(r.get<double>());
                    c.cx = r.get<double>(), c.cy = r.get<double>(), c.r = r.get<double>(), c.a1 = r.get<double>(), c.a2 = r.get<double>();
                    p.curves.push_back(std::move(c));
                }
                if (!r.ok) return false;
                keep(std::move(key), std::move(p));
            } else {
                return false;
            }
            if (!r.ok) return false;
        }
        inbox.erase(0, used);
        return true;
    }

    // Reads what the helper sent: waiting for more when `wait`, else only what is there. Ends the
    // helper when it is done or broken.
    void pump(bool wait) {
        while (fd >= 0) {
            pollfd p{fd, POLLIN, 0};
            const int ready = poll(&p, 1, wait ? -1 : 0);
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) return;
            char buf[1 << 16];
            const ssize_t n = read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) { end(false); return; }
            inbox.append(buf, static_cast<size_t>(n));
            if (!unpack()) {
                end(true);
                failed = true;
                return;
            }
            if (wait) return;
        }
    }
};

Helper helper;
std::string* outbox = nullptr;   // in a helper: the frames of the sheet being drawn

bool sendAll(int fd, const std::string& b) {
    for (size_t at = 0; at < b.size();) {
        const ssize_t n = write(fd, b.data() + at, b.size() - at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += static_cast<size_t>(n);
    }
    return true;
}

[[noreturn]] void helperMain(int fd, const std::vector<Object*>& sheets) {
    // Nothing of the parent's is flushed or torn down here: _exit leaves its buffers and files alone.
    std::string out;
    outbox = &out;
    for (Object* sheet : sheets) {
        try {
            drawSheet(*sheet);
        } catch (...) {
            // The parent draws the sheet again and reports what failed.
        }
        std::string end = "S";
        put(end, &sheet->tag, sizeof sheet->tag);
        frame(out, end);
        if (!sendAll(fd, out)) _exit(1);
        out.clear();
    }
    _exit(0);
}

}  // namespace

void start(const std::vector<Object*>& sheets) {
    if (outbox) return;   // a helper starts no helper
    helper.end(true);
    // What broke a helper once, a crash in the kernel or no memory for a copy, would break the next.
    if (helper.failed) return;
    // On one core a helper would only take turns with this process.
    cpu_set_t cpus;
    if (sched_getaffinity(0, sizeof cpus, &cpus) != 0 || CPU_COUNT(&cpus) < 2) return;
    std::vector<Object*> taken;
    for (size_t i = 1; i < sheets.size(); i += 2) taken.push_back(sheets[i]);
    if (taken.empty()) return;
    int fd[2];
    if (pipe2(fd, O_CLOEXEC) != 0) return;   // a program started later keeps no end of it open
    // Room for the projections of a few sheets, so that the helper seldom waits to be read.
    fcntl(fd[1], F_SETPIPE_SZ, 1 << 20);
    const pid_t pid = fork();
    if (pid < 0) {
        close(fd[0]);
        close(fd[1]);
        return;
    }
    if (pid == 0) {
        close(fd[0]);
        helper.pid = -1;   // the copy of the parent's helper is not this process's to end
        helper.fd = -1;
        signal(SIGPIPE, SIG_DFL);   // a parent that is gone ends the helper
        session().transcript = nullptr;   // what the helper meets, this process says when it meets it
        helperMain(fd[1], taken);
    }
    close(fd[1]);
    helper.pid = pid;
    helper.fd = fd[0];
    for (Object* o : taken) helper.taken.insert(o->tag);
}

void awaitSheet(tag_t sheet) {
    if (outbox) return;
    if (helper.fd < 0) return;
    while (helper.fd >= 0 && helper.taken.count(sheet) && !helper.back.count(sheet)) helper.pump(true);
    helper.pump(false);
}

bool running() {
    if (helper.fd >= 0) helper.pump(false);
    return helper.fd >= 0;
}

int helperProcess() { return helper.pid; }

void made(const std::string& key, const geom::Projection& p) {
    if (outbox) frame(*outbox, projectionFrame(key, p));
}

}  // namespace host::draft::ahead
