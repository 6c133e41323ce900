#include "files/partfile.h"
#include <algorithm>
#include <filesystem>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>
#include "text.h"
#include "uf_object_types.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace host::partfile {
namespace {

const char* kFormat = "vorta-part";
const int kVersion = 1;

std::string hex(const std::string& s) {
    static const char* d = "0123456789abcdef";
    std::string out;
    for (unsigned char c : s) { out += d[c >> 4]; out += d[c & 15]; }
    return out;
}

std::string unhex(const std::string& h) {
    if (h.size() % 2) throw std::runtime_error("odd hex text");
    std::string out;
    for (size_t i = 0; i < h.size(); i += 2) out += static_cast<char>(std::stoi(h.substr(i, 2), nullptr, 16));
    return out;
}

// A check of a solid's text: the kernel's reader can run on for a very long time over damaged text,
// so damage must be found before the text reaches it.
std::string check(const std::string& text) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return std::string(buf) + "-" + std::to_string(text.size());
}

json trsfToJson(const gp_Trsf& t) {
    json m = json::array();
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c) m.push_back(t.Value(r, c));
    return m;
}

gp_Trsf trsfFromJson(const json& m) {
    gp_Trsf t;
    if (!m.is_array() || m.size() != 12) throw std::runtime_error("a placement needs 12 numbers");
    std::vector<double> v;
    for (auto& x : m) v.push_back(x.get<double>());
    t.SetValues(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
    return t;
}

json displayToJson(int layer, int color, int blank, int translucency) {
    return {{"layer", layer}, {"color", color}, {"blank", blank}, {"translucency", translucency}};
}

json overrideToJson(const Override& ov) {
    json e = displayToJson(ov.layer, ov.color, ov.blank, ov.translucency);
    e["path"] = ov.path;
    e["proto"] = ov.protoPid;
    e["name"] = text(ov.name);
    e["attributes"] = attrsToJson(ov.attrs);
    return e;
}

// Files of components are kept relative to the part's folder when they lie under it, so that a
// folder of parts can be moved or copied as a whole.
std::string relativeFile(const std::string& file, const std::string& partPath) {
    fs::path dir = fs::path(partPath).parent_path();
    fs::path rel = fs::path(file).lexically_relative(dir);
    if (!rel.empty() && rel.native().rfind("..", 0) != 0) return rel.string();
    return file;
}

std::vector<std::string>& loadingStack() {
    static std::vector<std::string> s;
    return s;
}

}  // namespace

json text(const std::string& gbk) {
    try {
        return text::toUtf8(gbk);
    } catch (const std::exception&) {
        return json{{"gbk", hex(gbk)}};
    }
}

std::string text(const json& j) {
    if (j.is_string()) return text::toGbk(j.get<std::string>());
    if (j.is_object() && j.contains("gbk")) return unhex(j.at("gbk").get<std::string>());
    throw std::runtime_error("text expected");
}

json attrsToJson(const std::vector<Attr>& attrs) {
    json a = json::array();
    for (const Attr& x : attrs) {
        json e = {{"title", text(x.title)}, {"type", x.type}};
        if (x.type == 2 || x.type == 1) e["value"] = x.integer;
        else if (x.type == 3) e["value"] = x.real;
        else e["value"] = text(x.text);
        a.push_back(e);
    }
    return a;
}

std::vector<Attr> attrsFromJson(const json& j) {
    std::vector<Attr> out;
    for (auto& e : j) {
        Attr a;
        a.title = text(e.at("title"));
        a.type = e.at("type").get<int>();
        if (a.type == 2 || a.type == 1) a.integer = e.at("value").get<int>();
        else if (a.type == 3) a.real = e.at("value").get<double>();
        else a.text = text(e.at("value"));
        out.push_back(std::move(a));
    }
    return out;
}

Part& load(const std::string& pathIn) {
    std::string path = fs::absolute(pathIn).lexically_normal().string();
    Session& s = session();
    if (Part* p = s.partByPath(path)) return *p;
    auto& stack = loadingStack();
    for (auto& x : stack)
        if (x == path) fail(UF_err_operation_failed, "part " + path + " contains itself as a component");

    std::ifstream in(path, std::ios::binary);
    if (!in) fail(UF_err_file_not_found, "cannot open part file " + path);
    std::stringstream buf;
    buf << in.rdbuf();
    json j;
    try {
        j = json::parse(buf.str());
    } catch (const std::exception& e) {
        fail(UF_err_operation_failed, path + " is not a part file (" + e.what() + ")");
    }
    if (!j.is_object() || j.value("format", "") != kFormat)
        fail(UF_err_operation_failed, path + " is not a part file of this system");
    if (j.value("version", 0) != kVersion)
        fail(UF_err_operation_failed, path + " has part file version " + std::to_string(j.value("version", 0)) + ", which this host does not read");

    Part& p = s.newPart(path);
    stack.push_back(path);
    try {
        p.self()->attrs = attrsFromJson(j.value("attributes", json::array()));
        p.nextPid = j.value("nextPid", 1);
        if (j.contains("layers")) {
            auto& st = j.at("layers").at("status");
            for (size_t i = 0; i < st.size() && i + 1 < p.layerStatus.size(); ++i) p.layerStatus[i + 1] = st[i].get<int>();
            p.workLayer = j.at("layers").value("work", 1);
        }
        for (auto& e : j.value("objects", json::array())) {
            Object& o = s.create(p, e.at("type").get<int>(), e.at("subtype").get<int>());
            o.pid = e.at("pid").get<int>();
            o.name = text(e.value("name", json("")));
            o.layer = e.value("layer", 1);
            o.color = e.value("color", 87);
            o.blank = e.value("blank", 0);
            o.translucency = e.value("translucency", 0);
            o.attrs = attrsFromJson(e.value("attributes", json::array()));
            if (e.contains("brep")) {
                const std::string& brep = e.at("brep").get_ref<const std::string&>();
                if (e.value("check", "") != check(brep)) throw std::runtime_error("the solid of object " + std::to_string(o.pid) + " does not match its check");
                o.shape = geom::fromText(brep);
                o.density = e.value("density", 7.8);
            }
            p.nextPid = std::max(p.nextPid, o.pid + 1);
        }
        fs::path dir = fs::path(path).parent_path();
        for (auto& e : j.value("instances", json::array())) {
            Instance in;
            in.pid = e.at("pid").get<int>();
            fs::path f = fs::path(e.at("file").get<std::string>());
            in.file = (f.is_absolute() ? f : dir / f).lexically_normal().string();
            in.name = text(e.at("name"));
            in.transform = trsfFromJson(e.at("matrix"));
            p.instances.push_back(std::move(in));
            p.nextPid = std::max(p.nextPid, in.pid + 1);
        }
        for (auto& e : j.value("overrides", json::array())) {
            Override ov;
            ov.path = e.at("path").get<std::vector<int>>();
            ov.protoPid = e.at("proto").get<int>();
            ov.name = text(e.value("name", json("")));
            ov.layer = e.value("layer", 1);
            ov.color = e.value("color", 87);
            ov.blank = e.value("blank", 0);
            ov.translucency = e.value("translucency", 0);
            ov.attrs = attrsFromJson(e.value("attributes", json::array()));
            p.pendingOverrides.push_back(std::move(ov));
        }
        for (auto& e : j.value("sheets", json::array())) s.addSheet(p, text(e));
    } catch (const HostError&) {
        stack.pop_back();
        s.closePart(p);
        throw;
    } catch (const std::exception& e) {
        stack.pop_back();
        s.closePart(p);
        fail(UF_err_operation_failed, path + " is damaged: " + e.what());
    }
    stack.pop_back();
    p.modified = false;
    return p;
}

Part& open(const std::string& path) {
    bool fresh = !session().partByPath(fs::absolute(path).lexically_normal().string());
    Part& p = load(path);
    try {
        session().syncOccurrences(p);
    } catch (...) {
        if (fresh) session().closePart(p);
        throw;
    }
    p.modified = false;
    return p;
}

static json serialize(Part& p) {
    Session& s = session();
    json j;
    j["format"] = kFormat;
    j["version"] = kVersion;
    j["attributes"] = attrsToJson(p.self()->attrs);
    json st = json::array();
    for (size_t i = 1; i < p.layerStatus.size(); ++i) st.push_back(p.layerStatus[i]);
    j["layers"] = {{"work", p.workLayer}, {"status", st}};
    json objects = json::array(), overrides = json::array();
    for (tag_t t : p.objects) {
        Object* o = s.find(t);
        if (!o || o->root) continue;
        if (o->isOccurrence()) {
            overrides.push_back(overrideToJson(s.overrideOf(*o)));
            continue;
        }
        if (o->type != UF_solid_type) continue;
        if (!o->pid) o->pid = p.nextPid++;
        json e = displayToJson(o->layer, o->color, o->blank, o->translucency);
        e["pid"] = o->pid;
        e["type"] = o->type;
        e["subtype"] = o->subtype;
        e["name"] = text(o->name);
        e["attributes"] = attrsToJson(o->attrs);
        e["density"] = o->density;
        e["brep"] = geom::toText(o->shape);
        e["check"] = check(e["brep"].get_ref<const std::string&>());
        objects.push_back(e);
    }
    // Overrides of occurrences that were never built (component part missing) are kept as read.
    for (const Override& ov : p.pendingOverrides) overrides.push_back(overrideToJson(ov));
    json instances = json::array();
    for (const Instance& in : p.instances)
        instances.push_back({{"pid", in.pid}, {"file", relativeFile(in.file, p.path)}, {"name", text(in.name)}, {"matrix", trsfToJson(in.transform)}});
    json sheets = json::array();
    for (tag_t t : s.sheets(p)) sheets.push_back(text(s.object(t).name));
    j["nextPid"] = p.nextPid;
    j["objects"] = objects;
    j["instances"] = instances;
    j["overrides"] = overrides;
    j["sheets"] = sheets;
    return j;
}

void saveAs(Part& p, const std::string& newPath) {
    std::string path = fs::absolute(newPath).lexically_normal().string();
    std::string old = p.path;
    p.path = path;  // relative component files are written against the new folder
    json j;
    try {
        j = serialize(p);
    } catch (...) {
        p.path = old;
        throw;
    }
    std::string tmp = path + ".writing";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) { p.path = old; fail(UF_err_operation_failed, "cannot write " + path); }
        out << j.dump(1);
        if (!out.flush()) { p.path = old; fail(UF_err_operation_failed, "cannot write " + path); }
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) { fs::remove(tmp); p.path = old; fail(UF_err_operation_failed, "cannot write " + path + ": " + ec.message()); }
    p.modified = false;
}

void save(Part& p) { saveAs(p, p.path); }

static void saveTree(Part& p, bool components, std::vector<Part*>& done) {
    if (std::find(done.begin(), done.end(), &p) != done.end()) return;
    done.push_back(&p);
    if (components)
        for (const Instance& in : p.instances)
            if (Part* c = session().partByPath(in.file)) saveTree(*c, true, done);
    if (p.modified || !fs::exists(p.path) || &p == done.front()) save(p);
}

void saveTree(Part& p, bool components) {
    std::vector<Part*> done;
    saveTree(p, components, done);
}

}  // namespace host::partfile
