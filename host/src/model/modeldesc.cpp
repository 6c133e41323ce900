#include "model/modeldesc.h"
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <nlohmann/json.hpp>
#include "files/partfile.h"
#include "geom/stock.h"
#include "model/session.h"
#include "text.h"
#include "uf_object_types.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace host::modeldesc {
namespace {

struct Source {
    std::string path;
    std::string content;
    // The line of the first place `needle` occurs in the file, to point the user at an element.
    int lineOf(const std::string& needle) const {
        size_t at = needle.empty() ? std::string::npos : content.find(needle);
        if (at == std::string::npos) return 1;
        return 1 + static_cast<int>(std::count(content.begin(), content.begin() + at, '\n'));
    }
};

class Builder {
public:
    explicit Builder(std::string outDir) : outDir_(std::move(outDir)) {}

    std::string buildFile(const std::string& modelPath) {
        Source src = read(modelPath);
        json j = parse(src);
        return buildPart(j, src, fs::path(modelPath).parent_path());
    }

    void finish() {
        Session& s = session();
        // Attributes of a component's bodies are carried by their occurrences too, as the attribute
        // command leaves them, unless the body says they stay on the prototype.
        for (Part* p : built_) {
            if (p->instances.empty()) continue;
            s.syncOccurrences(*p);
            for (tag_t t : p->objects) {
                Object* o = s.find(t);
                if (!o || o->type != UF_solid_type || !o->isOccurrence()) continue;
                Object* proto = s.find(o->prototype);
                while (proto && proto->isOccurrence()) proto = s.find(proto->prototype);
                if (proto) o->attrs = prototypeOnly_.count(proto->tag) ? std::vector<Attr>() : proto->attrs;
            }
        }
        for (Part* p : built_) partfile::save(*p);
        for (Part* p : built_) s.closePart(*p);
    }

private:
    std::string outDir_;
    std::vector<Part*> built_;
    std::map<std::string, std::string> done_;  // description identity -> part file
    std::set<tag_t> prototypeOnly_;

    static Source read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw ModelError(path, 1, "cannot read the model description");
        std::stringstream b;
        b << in.rdbuf();
        return {path, b.str()};
    }

    static json parse(const Source& src) {
        try {
            return json::parse(src.content);
        } catch (const json::parse_error& e) {
            size_t at = std::min<size_t>(e.byte, src.content.size());
            int line = 1 + static_cast<int>(std::count(src.content.begin(), src.content.begin() + at, '\n'));
            std::string what = e.what();
            size_t cut = what.find(": ", what.find("parse_error"));
            throw ModelError(src.path, line, "not valid JSON: " + (cut == std::string::npos ? what : what.substr(cut + 2)));
        }
    }

    static std::vector<double> numbers(const json& j, const char* key, size_t count, std::vector<double> fallback) {
        if (!j.contains(key)) return fallback;
        const json& a = j.at(key);
        if (!a.is_array() || a.size() != count) throw std::runtime_error(std::string(key) + " needs " + std::to_string(count) + " numbers");
        std::vector<double> v;
        for (auto& x : a) v.push_back(x.get<double>());
        return v;
    }

    static gp_Trsf placement(const json& j) {
        auto at = numbers(j, "at", 3, {0, 0, 0});
        auto x = numbers(j, "x", 3, {1, 0, 0});
        auto z = numbers(j, "z", 3, {0, 0, 1});
        return geom::placement(at.data(), x.data(), z.data());
    }

    static std::vector<Attr> attributes(const json& j) {
        std::vector<Attr> out;
        if (!j.contains("attributes")) return out;
        for (auto& [k, v] : j.at("attributes").items()) {
            Attr a;
            a.title = text::toGbk(k);
            a.type = 5;
            a.text = text::toGbk(v.is_string() ? v.get<std::string>() : v.dump());
            out.push_back(a);
        }
        return out;
    }

    geom::Stock stock(const json& b, const fs::path& dir) {
        geom::Stock st;
        st.kind = b.at("stock").get<std::string>();
        if (st.kind == "bent_plate") {
            const json& s = b.at("size");
            st.bent.flanges = s.at("flanges").get<std::vector<double>>();
            st.bent.angles = s.value("angles", std::vector<double>());
            st.bent.t = s.at("t").get<double>();
            st.bent.r = s.value("r", 0.0);
            st.bent.w = s.at("w").get<double>();
        } else if (st.kind == "step") {
            std::string f = b.contains("file") ? b.at("file").get<std::string>() : b.at("size").get<std::string>();
            st.stepFile = (dir / f).string();
        } else {
            st.size = b.at("size").get<std::vector<double>>();
        }
        return st;
    }

    std::string buildPart(const json& j, const Source& src, const fs::path& dir) {
        Session& s = session();
        if (!j.is_object()) throw ModelError(src.path, 1, "a model description is a JSON object");
        if (!j.contains("file") || !j.at("file").is_string()) throw ModelError(src.path, 1, "the model names no \"file\" for its part");
        std::string file = j.at("file").get<std::string>();
        fs::path out = fs::absolute(fs::path(outDir_.empty() ? dir.string() : outDir_) / file).lexically_normal();
        std::string key = out.string();
        if (done_.count(key)) return done_[key];
        fs::create_directories(out.parent_path());
        Part& p = s.newPart(out.string());
        built_.push_back(&p);
        done_[key] = out.string();
        p.self()->attrs = attributes(j);

        int index = 0;
        for (auto& b : j.value("bodies", json::array())) {
            std::string name = b.value("name", "");
            try {
                Object& o = s.create(p, UF_solid_type, UF_solid_body_subtype);
                o.pid = p.nextPid++;
                o.name = text::toGbk(name);
                TopoDS_Shape local = geom::makeStock(stock(b, dir));
                o.shape = local.Moved(TopLoc_Location(placement(b)));
                o.density = b.value("density", 7.8);
                if (o.density <= 0) throw std::runtime_error("density must be positive");
                o.layer = b.value("layer", 1);
                if (o.layer < 1 || o.layer > 256) throw std::runtime_error("layer runs from 1 to 256");
                o.color = b.value("color", 87);
                o.blank = b.value("blank", false) ? 1 : 0;
                o.translucency = b.value("translucency", 0);
                o.attrs = attributes(b);
                if (b.value("prototype_only", false)) prototypeOnly_.insert(o.tag);
            } catch (const ModelError&) {
                throw;
            } catch (const std::exception& e) {
                throw ModelError(src.path, src.lineOf(name.empty() ? std::string() : "\"" + name + "\""),
                                 "body " + (name.empty() ? "#" + std::to_string(index + 1) : name) + ": " + e.what());
            }
            ++index;
        }
        for (auto& c : j.value("components", json::array())) {
            std::string label = c.value("name", c.value("file", ""));
            try {
                std::string childPath;
                const json& part = c.at("part");
                if (part.is_string()) {
                    childPath = buildFile((dir / part.get<std::string>()).string());
                } else {
                    json desc = part;
                    if (!desc.contains("file")) desc["file"] = c.at("file");
                    childPath = buildPart(desc, src, dir);
                }
                Instance in;
                in.pid = p.nextPid++;
                in.file = childPath;
                in.name = text::toGbk(c.value("name", fs::path(childPath).stem().string()));
                in.transform = placement(c);
                p.instances.push_back(in);
            } catch (const ModelError&) {
                throw;
            } catch (const std::exception& e) {
                throw ModelError(src.path, src.lineOf("\"" + label + "\""), "component " + label + ": " + e.what());
            }
        }
        for (auto& sh : j.value("sheets", json::array())) s.addSheet(p, text::toGbk(sh.get<std::string>()));
        return out.string();
    }
};

}  // namespace

std::string build(const std::string& modelPath, const std::string& outDir) {
    Builder b(outDir);
    std::string top;
    try {
        top = b.buildFile(modelPath);
        b.finish();
    } catch (const ModelError&) {
        throw;
    } catch (const std::exception& e) {
        throw ModelError(modelPath, 1, e.what());
    }
    return top;
}

}  // namespace host::modeldesc
