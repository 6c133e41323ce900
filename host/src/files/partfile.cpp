#include "files/partfile.h"
#include <algorithm>
#include <climits>
#include <set>
#include <filesystem>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>
#include "files/fields.h"
#include "files/paths.h"
#include "files/sheetjson.h"
#include "geom/kernel.h"
#include "text.h"
#include "uf_attr.h"
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
    if (h.size() % 2) throw std::runtime_error("hex text of odd length");
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        throw std::runtime_error("hex text holds a character that is no hex digit");
    };
    std::string out;
    for (size_t i = 0; i < h.size(); i += 2) out += static_cast<char>(digit(h[i]) * 16 + digit(h[i + 1]));
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
    std::vector<double> v = fields::numbers(m, "a placement");
    if (v.size() != 12) throw std::runtime_error("a placement needs 12 numbers");
    return geom::rigidMotion(v.data());
}

// Object ids of a part file; far beyond what any part holds, and far from the top of their type.
const long long kMaxPid = 1000000000;

// Name, display state and attributes of an object or of what an assembly says of an occurrence.
template <class T>
void readLook(const json& e, T& x) {
    x.name = text(fields::find(e, "name") ? e.at("name") : json(""));
    x.layer = fields::integer(e, "layer", 1, 256, 1);
    x.color = fields::integer(e, "color", 0, 216, 87);
    x.blank = fields::integer(e, "blank", 0, 1, 0);
    x.translucency = fields::integer(e, "translucency", 0, 100, 0);
    x.attrs = attrsFromJson(fields::arrayField(e, "attributes"));
}

int pidOf(const json& e, const char* key) { return static_cast<int>(fields::integer(fields::need(e, key), std::string("\"") + key + "\"", 1, kMaxPid)); }

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

std::vector<std::string>& loadingStack() {
    static std::vector<std::string> s;
    return s;
}

}  // namespace

std::string solidCheck(const std::string& brep) { return check(brep); }

json text(const std::string& gbk) {
    try {
        return text::toUtf8(gbk);
    } catch (const std::exception&) {
        return json{{"gbk", hex(gbk)}};
    }
}

std::string text(const json& j) {
    if (j.is_string()) return text::toGbk(j.get<std::string>());
    if (const json* h = fields::find(j, "gbk")) return unhex(fields::string(*h, "\"gbk\""));
    throw std::runtime_error("a text was expected");
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
    for (auto& e : fields::array(j, std::string("\"attributes\""))) {
        Attr a;
        a.title = text(fields::need(e, "title"));
        if (a.title.empty()) throw std::runtime_error("an attribute has no title");
        a.type = static_cast<int>(fields::integer(fields::need(e, "type"), "an attribute's \"type\"", UF_ATTR_bool, UF_ATTR_string));
        const json& v = fields::need(e, "value");
        if (a.type == UF_ATTR_integer || a.type == UF_ATTR_bool) a.integer = static_cast<int>(fields::integer(v, "an attribute's value", INT_MIN, INT_MAX));
        else if (a.type == UF_ATTR_real) a.real = fields::number(v, "an attribute's value");
        else if (a.type == UF_ATTR_string) a.text = text(v);
        else throw std::runtime_error("attribute type " + std::to_string(a.type) + " is not kept in part files");
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
    } catch (const json::parse_error& e) {
        fail(UF_err_operation_failed, path + " is not a part file (not valid JSON at byte " + std::to_string(e.byte) + ")");
    } catch (const json::exception&) {
        fail(UF_err_operation_failed, path + " is not a part file (a number is too large)");
    }
    const json* format = fields::find(j, "format");
    if (!format || *format != kFormat) fail(UF_err_operation_failed, path + " is not a part file of this system");
    const json* version = fields::find(j, "version");
    if (!version || *version != kVersion)
        fail(UF_err_operation_failed, path + " has part file version " + (version ? version->dump() : std::string("(none)")) + ", which this host does not read");

    Part& p = s.newPart(path);
    stack.push_back(path);
    try {
        p.self()->attrs = attrsFromJson(fields::arrayField(j, "attributes"));
        p.nextPid = static_cast<int>(fields::integer(fields::need(j, "nextPid"), "\"nextPid\"", 1, kMaxPid));
        if (const json* layers = fields::find(j, "layers")) {
            std::vector<long long> st = fields::integers(fields::need(*layers, "status"), "layer \"status\"", 0, 3);
            if (st.size() + 1 != p.layerStatus.size()) throw std::runtime_error("layer \"status\" needs " + std::to_string(p.layerStatus.size() - 1) + " values");
            for (size_t i = 0; i < st.size(); ++i) p.layerStatus[i + 1] = static_cast<int>(st[i]);
            p.workLayer = fields::integer(*layers, "work", 1, 256, 1);
        }
        std::set<int> pids;
        auto newPid = [&](int pid) {
            if (!pids.insert(pid).second) throw std::runtime_error("object id " + std::to_string(pid) + " is used twice");
            p.nextPid = std::max(p.nextPid, pid + 1);
        };
        // Texts with a good check are tried in a process of their own before this one reads them.
        std::vector<const std::string*> solids;
        for (auto& e : fields::arrayField(j, "objects"))
            if (const json* b = fields::find(e, "brep"); b && b->is_string() && fields::string(e, "check", "") == check(b->get_ref<const std::string&>()))
                solids.push_back(&b->get_ref<const std::string&>());
        if (!geom::readsSafely(solids)) throw std::runtime_error("a solid's text makes the geometric kernel's reader fail");
        for (auto& e : fields::arrayField(j, "objects")) {
            int type = fields::integer(e, "type", 0, INT_MAX, -1), subtype = fields::integer(e, "subtype", 0, INT_MAX, -1);
            // The file holds solid bodies; anything else in its place is damage, not a kind to guess at.
            if (type != UF_solid_type || subtype != UF_solid_body_subtype)
                throw std::runtime_error("an object of type " + std::to_string(type) + "/" + std::to_string(subtype) + " is no solid body");
            int pid = pidOf(e, "pid");
            newPid(pid);
            const json& solid = fields::need(e, "brep");
            if (!solid.is_string()) throw std::runtime_error("the solid of object " + std::to_string(pid) + " is no text");
            const std::string& brep = solid.get_ref<const std::string&>();
            if (fields::string(e, "check", "") != check(brep)) throw std::runtime_error("the solid of object " + std::to_string(pid) + " does not match its check");
            Object& o = s.create(p, type, subtype);
            o.pid = pid;
            readLook(e, o);
            o.density = fields::number(e, "density", 7.8);
            if (!(o.density > 0)) throw std::runtime_error("object " + std::to_string(pid) + " has a density that is not positive");
            o.shape = geom::fromText(brep);
        }
        fs::path dir = fs::path(path).parent_path();
        for (auto& e : fields::arrayField(j, "instances")) {
            Instance in;
            in.pid = pidOf(e, "pid");
            newPid(in.pid);
            fs::path f = fs::path(fields::string(fields::need(e, "file"), "a component's \"file\""));
            if (f.empty()) throw std::runtime_error("a component names no file");
            in.file = (f.is_absolute() ? f : dir / f).lexically_normal().string();
            in.name = text(fields::need(e, "name"));
            in.transform = trsfFromJson(fields::need(e, "matrix"));
            p.instances.push_back(std::move(in));
        }
        for (auto& e : fields::arrayField(j, "overrides")) {
            Override ov;
            for (long long x : fields::integers(fields::need(e, "path"), "an override's \"path\"", 1, kMaxPid)) ov.path.push_back(static_cast<int>(x));
            if (ov.path.size() > kMaxAssemblyDepth) throw std::runtime_error("an override's \"path\" is deeper than any assembly");
            ov.protoPid = static_cast<int>(fields::integer(fields::need(e, "proto"), "an override's \"proto\"", 0, kMaxPid));
            readLook(e, ov);
            p.keepOverride(std::move(ov));
        }
        for (auto& e : fields::arrayField(j, "sheets")) draft::makeSheet(p, sheetjson::fromJson(e, dir));
        // A part opens on its first sheet, as the host shows a drawing.
        p.currentSheet = p.sheets.empty() ? 0 : p.sheets.front();
    } catch (const HostError&) {
        stack.pop_back();
        s.closePart(p);
        throw;
    } catch (const std::exception& e) {
        stack.pop_back();
        s.closePart(p);
        fail(UF_err_operation_failed, path + " is damaged: " + e.what());
    } catch (const Standard_Failure& e) {
        stack.pop_back();
        s.closePart(p);
        fail(UF_err_operation_failed, path + " is damaged: " + geom::kernelMessage("read it", e));
    }
    stack.pop_back();
    p.modified = false;
    return p;
}

Part& open(const std::string& path) {
    Session& s = session();
    std::set<const Part*> before;
    for (auto& x : s.parts()) before.insert(x.get());
    Part& p = load(path);
    try {
        s.syncOccurrences(p);
    } catch (...) {
        // A refused open leaves nothing behind: neither the part nor the components it loaded.
        std::vector<Part*> loaded;
        for (auto& x : s.parts())
            if (!before.count(x.get())) loaded.push_back(x.get());
        for (Part* x : loaded) s.closePart(*x);
        throw;
    }
    for (const std::string& note : p.missing) session().say("[open] " + p.leaf() + ": component not loaded, kept as the file says: " + note);
    p.modified = false;
    return p;
}

// The part as its file at `path` holds it.
static json serialize(Part& p, const std::string& path) {
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
    for (const auto& kept : p.pendingOverrides) overrides.push_back(overrideToJson(kept.second));
    json instances = json::array();
    for (const Instance& in : p.instances)
        instances.push_back({{"pid", in.pid}, {"file", paths::relativeFile(in.file, path)}, {"name", text(in.name)}, {"matrix", trsfToJson(in.transform)}});
    json sheets = json::array();
    for (tag_t t : s.sheets(p)) sheets.push_back(sheetjson::toJson(s.object(t), path));
    j["nextPid"] = p.nextPid;
    j["objects"] = objects;
    j["instances"] = instances;
    j["overrides"] = overrides;
    j["sheets"] = sheets;
    return j;
}

void saveAs(Part& p, const std::string& newPath) {
    std::string path = fs::absolute(newPath).lexically_normal().string();
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    if (fs::is_directory(st)) fail(UF_err_operation_failed, "cannot save " + path + ": a folder of that name is in the way");
    // A read-only file stays as it is, as on the real host; nothing is written in its place.
    if (fs::exists(st) && (st.permissions() & fs::perms::owner_write) == fs::perms::none)
        fail(UF_err_operation_failed, "cannot save " + path + ": the file is read-only");
    json j = serialize(p, path);
    // The new file is written aside and renamed over the old one only once it is whole.
    std::string tmp = path + ".writing";
    auto failWith = [&](const std::string& why) {
        fs::remove(tmp, ec);
        fail(UF_err_operation_failed, "cannot save " + path + ": " + why);
    };
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) failWith("the file cannot be made there");
        out << j.dump(1);
        out.close();
        if (!out) failWith("writing it failed (is the disk full?)");
    }
    fs::rename(tmp, path, ec);
    if (ec) failWith(ec.message());
    if (!fs::is_regular_file(path, ec)) failWith("it is not there after writing");
    // What was written must read back, before anyone deletes what it replaces.
    {
        std::ifstream back(path, std::ios::binary);
        std::stringstream b;
        b << back.rdbuf();
        if (!json::accept(b.str())) fail(UF_err_operation_failed, "cannot save " + path + ": the file does not read back");
    }
    if (p.path != path) {
        // Saved under a new name, the part is that file now, and assemblies that show it name it so.
        const std::string old = p.path;
        session().movePart(p, path);
        Session& s = session();
        for (auto& other : s.parts()) {
            for (Instance& in : other->instances)
                if (in.file == old) {
                    in.file = path;
                    other->modified = true;
                }
            // Drawings of the part follow it too.
            for (tag_t sheet : s.sheets(*other))
                for (tag_t v : s.object(sheet).sheet->views)
                    if (Object* view = s.find(v); view && view->view->partFile == old) {
                        view->view->partFile = path;
                        other->modified = true;
                    }
        }
    }
    p.modified = false;
}

void save(Part& p) { saveAs(p, p.path); }

static void saveTree(Part& p, bool components, std::vector<Part*>& done) {
    if (std::find(done.begin(), done.end(), &p) != done.end()) return;
    done.push_back(&p);
    // A component that was never written is written first, with or without `components`: a parent must
    // never name a part file that does not exist.
    for (const Instance& in : p.instances)
        if (Part* c = session().partByPath(in.file); c && (components || !fs::exists(c->path))) saveTree(*c, components, done);
    if (p.modified || !fs::exists(p.path) || &p == done.front()) save(p);
}

void saveTree(Part& p, bool components) {
    std::vector<Part*> done;
    saveTree(p, components, done);
}

}  // namespace host::partfile
