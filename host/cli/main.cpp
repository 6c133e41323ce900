// The `vorta` command: plays journals, builds model descriptions, dumps parts.
#include <dlfcn.h>
#include <unistd.h>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include "draft/render.h"
#include "export/bmp.h"
#include "export/svg.h"
#include "files/dump.h"
#include "files/partfile.h"
#include "geom/classify.h"
#include "geom/kernel.h"
#include "geom/step_assembly.h"
#include "journal/journal.h"
#include "model/calls.h"
#include "model/modeldesc.h"
#include "model/session.h"
#include "road/road.h"
#include "text.h"
#include "uf_object_types.h"

namespace fs = std::filesystem;

namespace {

const char* kUsage =
    "usage: vorta run JOB.vj [--base DIR] [--out DIR] [--module LIB]\n"
    "       vorta build MODEL.json [-o DIR] [--force]\n"
    "       vorta road MODEL.(json|step) -o DIR [--prefix P] [--name N] [--no-render] [--base DIR] [--module LIB]\n"
    "       vorta dump PART.prt\n"
    "       vorta stock MODEL.step\n"
    "       vorta render PART.prt -o DIR\n"
    "       vorta preview PART.prt -o PICTURE.bmp | vorta preview --icon welcome|folder|none -o PICTURE.bmp\n"
    "       vorta calls\n";

fs::path exeDir() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return fs::current_path();
    buf[n] = '\0';
    return fs::path(buf).parent_path();
}

void print(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Loads the module as the host does and calls its start-up entry.
bool loadModule(const std::string& path) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!h) {
        std::fprintf(stderr, "vorta: cannot load the module %s: %s\n", path.c_str(), dlerror());
        return false;
    }
    using Start = void (*)(char*, int*, int);
    auto start = reinterpret_cast<Start>(dlsym(h, "ufsta"));
    if (!start) {
        std::fprintf(stderr, "vorta: %s has no entry point ufsta\n", path.c_str());
        return false;
    }
    char param[1] = {0};
    int rc = 0;
    start(param, &rc, 0);
    std::fflush(stdout);
    return true;
}

int run(int argc, char** argv) {
    std::string out, job, base = (exeDir() / "base").string(), module = (exeDir() / "libvorta.so").string();
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--base" && i + 1 < argc) base = argv[++i];
        else if (a == "--module" && i + 1 < argc) module = argv[++i];
        else if (a == "--out" && i + 1 < argc) out = fs::absolute(argv[++i]).string();
        else if (job.empty()) job = a;
        else { std::fputs(kUsage, stderr); return 2; }
    }
    if (job.empty()) { std::fputs(kUsage, stderr); return 2; }
    host::Session& s = host::session();
    s.baseDir = fs::absolute(base).lexically_normal().string();
    s.transcript = print;
    if (!loadModule(module)) return 2;
    std::string failure;
    host::journal::Outcome o = host::journal::runFile(job, failure, out);
    if (o != host::journal::Outcome::Done) std::fprintf(stderr, "%s\n", failure.c_str());
    return static_cast<int>(o);
}

// The whole road, headless: progress on the terminal, then where everything is. Exit 0 when everything
// was delivered, 1 when the road ran to its end but something was not (the summary lists what), 2 when
// it could not run.
int road(int argc, char** argv) {
    host::road::Options o;
    std::string base = (exeDir() / "base").string(), module = (exeDir() / "libvorta.so").string();
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-o" && i + 1 < argc) o.out = fs::absolute(argv[++i]).lexically_normal().string();
        else if (a == "--prefix" && i + 1 < argc) o.prefix = argv[++i];
        else if (a == "--name" && i + 1 < argc) o.name = argv[++i];
        else if (a == "--base" && i + 1 < argc) base = argv[++i];
        else if (a == "--module" && i + 1 < argc) module = argv[++i];
        else if (a == "--no-render") o.render = false;
        else if (o.model.empty()) o.model = a;
        else { std::fputs(kUsage, stderr); return 2; }
    }
    if (o.model.empty() || o.out.empty()) { std::fputs(kUsage, stderr); return 2; }
    host::Session& s = host::session();
    s.baseDir = fs::absolute(base).lexically_normal().string();
    s.transcript = print;
    if (!loadModule(module)) return 2;
    const auto start = std::chrono::steady_clock::now();
    o.progress = [start](const std::string& line) {
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("[%6.1f s] %s\n", t, line.c_str());
        std::fflush(stdout);
    };
    try {
        host::road::Summary r = host::road::run(o);
        std::printf("\nbodies %zu (%zu specified in the model, %zu given attributes, %zu not classified; %zu to be made by a drawing), "
                    "component parts %zu, sheets %zu, BOM rows %zu, exported %zu, drawn %zu\n",
                    r.bodies, r.specified, r.attributed, r.unclassified.size(), r.marked, r.parts, r.sheets, r.rows, r.exported, r.rendered);
        std::string steps;
        for (const auto& st : r.steps) {
            char b[64];
            std::snprintf(b, sizeof b, "%s%s %.2f s", steps.empty() ? "" : ", ", st.name.c_str(), st.seconds);
            steps += b;
        }
        std::printf("time: %s; in all %.1f s\n", steps.c_str(), r.seconds);
        std::printf("top part: %s\nsheets:   %s\nworkbook: %s\nexports:  %s\nsummary:  %s\nlog:      %s\n", r.top.c_str(),
                    r.sheetsFolder.empty() ? "(not drawn)" : r.sheetsFolder.c_str(), r.workbook.c_str(), r.exports.c_str(),
                    (fs::path(o.out) / "road.json").c_str(), r.log.c_str());
        if (r.failures.empty()) return 0;
        std::printf("\nnot delivered (%zu):\n", r.failures.size());
        for (const auto& f : r.failures) std::printf("  %s\n", f.c_str());
        return 1;
    } catch (const host::modeldesc::ModelError& e) {
        std::fprintf(stderr, "%s:%d: %s\n", e.file.c_str(), e.line, e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorta road: %s\n", host::text::toUtf8Lossy(e.what()).c_str());
    } catch (const Standard_Failure& e) {
        std::fprintf(stderr, "vorta road: %s\n", host::geom::kernelMessage("go on", e).c_str());
    }
    return 2;
}

int build(int argc, char** argv) {
    std::string model, out;
    bool force = false;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-o" && i + 1 < argc) out = argv[++i];
        else if (a == "--force") force = true;
        else if (model.empty()) model = a;
        else { std::fputs(kUsage, stderr); return 2; }
    }
    if (model.empty()) { std::fputs(kUsage, stderr); return 2; }
    try {
        std::string top = host::modeldesc::build(model, out, force);
        std::printf("%s\n", top.c_str());
        return 0;
    } catch (const host::modeldesc::ModelError& e) {
        std::fprintf(stderr, "%s:%d: %s\n", e.file.c_str(), e.line, e.what());
        return 2;
    }
}

int dump(int argc, char** argv) {
    if (argc != 3) { std::fputs(kUsage, stderr); return 2; }
    try {
        host::Part& p = host::partfile::open(argv[2]);
        std::printf("%s\n", host::dump::part(p).dump(2).c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s:1: %s\n", argv[2], host::text::toUtf8Lossy(e.what()).c_str());
    } catch (const Standard_Failure& e) {
        std::fprintf(stderr, "%s:1: %s\n", argv[2], host::geom::kernelMessage("read it", e).c_str());
    }
    return 2;
}

// Each solid of a STEP file with the stock its shape tells, as the road would type it, or why none.
int stock(int argc, char** argv) {
    if (argc != 3) { std::fputs(kUsage, stderr); return 2; }
    try {
        const auto top = host::geom::readStepAssembly(argv[2]);
        std::vector<std::pair<std::string, const host::geom::StepAssembly*>> todo = {{top->name, top.get()}};
        std::set<const host::geom::StepAssembly*> seen;
        while (!todo.empty()) {
            const auto [path, a] = todo.back();
            todo.pop_back();
            if (!seen.insert(a).second) continue;
            for (const auto& b : a->bodies) {
                const host::geom::Told t = host::geom::tellStock(b.solid, b.name);
                const auto material = host::geom::materialNamed(b.name);
                std::printf("%s/%s\t%s\n", path.c_str(), b.name.c_str(),
                            material ? (material->name + ", not steel").c_str()
                            : t.category.empty() ? ("- " + t.reason).c_str() : (t.category + (t.drawing ? ", by a drawing" : "")).c_str());
            }
            for (const auto& c : a->children) todo.push_back({path + "/" + c.name, c.part.get()});
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s:1: %s\n", argv[2], e.what());
    }
    return 2;
}

// One SVG per drawing sheet, named after the sheet.
int render(int argc, char** argv) {
    std::string part, out;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-o" && i + 1 < argc) out = argv[++i];
        else if (part.empty()) part = a;
        else { std::fputs(kUsage, stderr); return 2; }
    }
    if (part.empty() || out.empty()) { std::fputs(kUsage, stderr); return 2; }
    try {
        host::Session& s = host::session();
        s.transcript = print;
        host::Part& p = host::partfile::open(part);
        host::exporter::writeSheets(p, out, [](const std::string& file) { std::printf("%s\n", file.c_str()); });
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s:1: %s\n", part.c_str(), host::text::toUtf8Lossy(e.what()).c_str());
    } catch (const Standard_Failure& e) {
        std::fprintf(stderr, "%s:1: %s\n", part.c_str(), host::geom::kernelMessage("draw it", e).c_str());
    }
    return 2;
}

// A picture of a part as the library shows it beside its file, or one of the library's fixed pictures.
int preview(int argc, char** argv) {
    std::string part, out, icon;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-o" && i + 1 < argc) out = argv[++i];
        else if (a == "--icon" && i + 1 < argc) icon = argv[++i];
        else if (part.empty()) part = a;
        else { std::fputs(kUsage, stderr); return 2; }
    }
    if ((part.empty() == icon.empty()) || out.empty()) { std::fputs(kUsage, stderr); return 2; }
    const int width = 160, height = 120;
    try {
        if (!icon.empty()) {
            host::exporter::icon(icon, width, height).save(out);
            return 0;
        }
        host::Session& s = host::session();
        host::Part& p = host::partfile::open(part);
        std::vector<TopoDS_Shape> solids;
        for (tag_t t : p.objects)
            if (host::Object* o = s.find(t); o && o->type == UF_solid_type && o->subtype == UF_solid_body_subtype && !o->blank)
                solids.push_back(s.shapeOf(*o));
        host::exporter::preview(solids, width, height).save(out);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s:1: %s\n", (part.empty() ? out : part).c_str(), host::text::toUtf8Lossy(e.what()).c_str());
    } catch (const Standard_Failure& e) {
        std::fprintf(stderr, "%s:1: %s\n", part.c_str(), host::geom::kernelMessage("draw it", e).c_str());
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) { std::fputs(kUsage, stderr); return 2; }
    std::string cmd = argv[1];
    if (cmd == "run") return run(argc, argv);
    if (cmd == "build") return build(argc, argv);
    if (cmd == "road") return road(argc, argv);
    if (cmd == "dump") return dump(argc, argv);
    if (cmd == "stock") return stock(argc, argv);
    if (cmd == "render") return render(argc, argv);
    if (cmd == "preview") return preview(argc, argv);
    if (cmd == "calls") {
        for (const auto& c : host::calls()) {
            std::string names;
            for (const auto& n : c.names) names += (names.empty() ? "" : ", ") + n;
            std::printf("%-13s %s: %s%s%s\n", c.state.c_str(), c.header.c_str(), names.c_str(), c.note.empty() ? "" : " -- ", c.note.c_str());
        }
        return 0;
    }
    std::fputs(kUsage, stderr);
    return 2;
}
