#include "model/modeldesc.h"
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <nlohmann/json.hpp>
#include "files/fields.h"
#include "files/sheetjson.h"
#include "files/partfile.h"
#include "files/paths.h"
#include "geom/classify.h"
#include "geom/kernel.h"
#include "geom/step_assembly.h"
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
    Builder(std::string outDir, bool replace) : outDir_(std::move(outDir)), replace_(replace) {}

    std::string buildFile(const std::string& modelPath, const std::string& file = "") {
        if (isStep(modelPath)) return buildStep(modelPath, file);
        Source src = read(modelPath);
        json j = parse(src);
        return buildPart(j, src, fs::path(modelPath).parent_path());
    }

    void finish(bool keepOpen) {
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
        if (!keepOpen)
            for (Part* p : built_) s.closePart(*p);
    }

private:
    std::string outDir_;
    bool replace_;
    std::vector<std::string> building_;        // parts being built, outermost first
    std::vector<Part*> built_;
    std::map<std::string, std::string> done_;  // description identity -> part file
    std::set<tag_t> prototypeOnly_;
    std::map<std::string, std::string> stepParts_;   // STEP file and part file asked for -> part made
    int stepNumber_ = 100;                     // last number given to an imported assembly
    std::set<std::string> stepNames_;          // names given to imported assemblies

    static bool isStep(const std::string& path) {
        std::string ext = fs::path(path).extension().string();
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return ext == ".step" || ext == ".stp";
    }

    // Imported assemblies become parts named after their products, name-number as the component
    // commands name parts: a "-" in a product's name becomes "_", since the number follows the last
    // "-"; two products of one name get distinct names, and every assembly of one file its own number.
    // A plant's own file numbers its components as its designer did, so the parts of a STEP file placed
    // in it are numbered from 101 on, clear of them; a STEP file read alone numbers from 1.
    std::string stepFileName(const std::string& product) {
        std::string name = paths::fileSafe(product, false);
        if (name.empty()) name = "step";
        std::string unique = name;
        for (int k = 2; !stepNames_.insert(unique).second; ++k) unique = name + "_" + std::to_string(k);
        return unique + "-" + std::to_string(++stepNumber_) + ".prt";
    }

    std::string buildStep(const std::string& path, const std::string& file) {
        // One STEP file placed several times is one part, read and named once.
        const std::string once = fs::absolute(path).lexically_normal().string() + '|' + file;
        if (stepParts_.count(once)) return stepParts_[once];
        const bool alone = building_.empty();
        if (alone) stepNumber_ = 0;
        std::shared_ptr<geom::StepAssembly> top;
        try {
            top = geom::readStepAssembly(path);
        } catch (const std::exception& e) {
            throw ModelError(path, 1, e.what());
        }
        std::string name = file;
        if (alone && name.empty()) {
            // Read alone, the file's top product is the assembly the designer opens; the parts lying loose
            // in it are welded together as one numbered component of it, which the component and drawing
            // commands work on as on any other. One loose part is that part.
            const std::string stem = paths::fileSafe(top->name, true);
            name = (stem.empty() ? "step" : stem) + ".prt";
            if (!top->bodies.empty()) {
                auto own = std::make_shared<geom::StepAssembly>();
                own->name = top->bodies.size() == 1 && !top->bodies.front().name.empty() ? top->bodies.front().name : top->name;
                own->bodies = std::move(top->bodies);
                top->bodies.clear();
                top->children.insert(top->children.begin(), geom::StepChild{own->name, gp_Trsf(), own});
            }
        } else if (name.empty()) {
            name = stepFileName(top->name);
        }
        const std::string out = fs::absolute(fs::path(outDir_.empty() ? fs::path(path).parent_path().string() : outDir_) / name).lexically_normal().string();
        if (done_.count(out)) return done_[out];
        std::map<const geom::StepAssembly*, std::string> files;
        return stepParts_[once] = buildStepPart(*top, name, path, files);
    }

    std::string buildStepPart(const geom::StepAssembly& a, const std::string& file, const std::string& source,
                              std::map<const geom::StepAssembly*, std::string>& files) {
        Session& s = session();
        fs::path out = fs::absolute(fs::path(outDir_.empty() ? fs::path(source).parent_path().string() : outDir_) / file).lexically_normal();
        if (building_.size() >= kMaxAssemblyDepth) throw ModelError(source, 1, "assemblies nest deeper than " + std::to_string(kMaxAssemblyDepth) + " levels");
        if (done_.count(out.string()) || (!replace_ && fs::exists(out)))
            throw ModelError(source, 1, out.string() + (done_.count(out.string()) ? " is made twice" : " exists already; --force replaces it"));
        fs::create_directories(out.parent_path());
        building_.push_back(out.string());
        struct Pop { std::vector<std::string>& v; ~Pop() { v.pop_back(); } } pop{building_};
        Part& p = s.newPart(out.string());
        built_.push_back(&p);
        done_[out.string()] = out.string();
        files[&a] = out.string();
        for (const auto& [product, volume] : a.leftOut) {
            char what[64];
            std::snprintf(what, sizeof what, "%.3g mm3", volume);
            s.say("[import] " + out.stem().string() + ": " + product + ": a solid of " + what + ", below the modelling tolerance, left out");
        }
        for (const geom::StepBody& b : a.bodies) {
            Object& o = s.create(p, UF_solid_type, UF_solid_body_subtype);
            o.name = text::toGbkLossy(b.name);
            o.shape = b.solid;
            // STEP files rarely carry a material; a part named after one it is made of weighs as that.
            const auto material = geom::materialNamed(b.name);
            o.density = material ? material->density : 7.8;
        }
        for (const geom::StepChild& c : a.children) {
            auto it = files.find(c.part.get());
            std::string childPath = it != files.end() ? it->second : buildStepPart(*c.part, stepFileName(c.part->name), source, files);
            Instance in;
            in.pid = p.nextPid++;
            in.file = childPath;
            in.name = text::toGbkLossy(fs::path(childPath).stem().string());
            in.transform = c.at;
            p.instances.push_back(in);
        }
        p.currentSheet = 0;
        return out.string();
    }

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
        } catch (const json::exception&) {
            // The reader's other refusal: a number too large for any type it has.
            throw ModelError(src.path, 1, "not valid JSON: a number is too large");
        }
    }

    static std::vector<double> numbers(const json& j, const char* key, size_t count, std::vector<double> fallback) {
        const json* a = fields::find(j, key);
        if (!a) return fallback;
        std::vector<double> v = fields::numbers(*a, std::string("\"") + key + "\"");
        if (v.size() != count) throw std::runtime_error(std::string("\"") + key + "\" needs " + std::to_string(count) + " numbers");
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
        const json* all = fields::find(j, "attributes");
        if (!all) return out;
        for (auto& [k, v] : fields::object(*all, "\"attributes\"").items()) {
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
        st.kind = fields::string(fields::need(b, "stock"), "\"stock\"");
        if (st.kind == "bent_plate") {
            const json& s = fields::object(fields::need(b, "size"), "\"size\" of a bent_plate");
            st.bent.flanges = fields::numbers(fields::need(s, "flanges"), "\"flanges\"");
            if (const json* a = fields::find(s, "angles")) st.bent.angles = fields::numbers(*a, "\"angles\"");
            st.bent.t = fields::number(fields::need(s, "t"), "\"t\"");
            st.bent.r = fields::number(s, "r", 0.0);
            st.bent.w = fields::number(fields::need(s, "w"), "\"w\"");
        } else if (st.kind == "step") {
            const json* f = fields::find(b, "file");
            if (!f) f = fields::find(b, "size");
            if (!f) throw std::runtime_error("a step body names its STEP file in \"file\"");
            st.stepFile = (dir / fields::string(*f, "\"file\"")).string();
        } else {
            st.size = fields::numbers(fields::need(b, "size"), "\"size\"");
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
        if (std::find(building_.begin(), building_.end(), key) != building_.end())
            throw ModelError(src.path, src.lineOf("\"" + file + "\""), "part " + file + " contains itself as a component");
        if (done_.count(key)) return done_[key];
        if (building_.size() >= kMaxAssemblyDepth)
            throw ModelError(src.path, src.lineOf("\"" + file + "\""), "components nest deeper than " + std::to_string(kMaxAssemblyDepth) +
                                                                       " levels, which no plant does");
        if (!replace_ && fs::exists(out))
            throw ModelError(src.path, src.lineOf("\"" + file + "\""), out.string() + " exists already; --force replaces it");
        std::error_code ec;
        fs::create_directories(out.parent_path(), ec);
        if (ec) throw ModelError(src.path, 1, "cannot make the folder " + out.parent_path().string() + ": " + ec.message());
        building_.push_back(key);
        struct Pop { std::vector<std::string>& v; ~Pop() { v.pop_back(); } } pop{building_};
        Part& p = s.newPart(out.string());
        built_.push_back(&p);
        done_[key] = out.string();
        p.self()->attrs = attributes(j);

        int index = 0;
        for (auto& b : fields::arrayField(j, "bodies")) {
            std::string name;
            try {
                fields::object(b, "a body");
                name = fields::string(b, "name", "");
                Object& o = s.create(p, UF_solid_type, UF_solid_body_subtype);
                o.name = text::toGbk(name);
                TopoDS_Shape local = geom::makeStock(stock(b, dir));
                o.shape = local.Moved(TopLoc_Location(placement(b)));
                // Densities of real materials: from foams to the heaviest metals.
                o.density = fields::number(b, "density", 7.8);
                if (!(o.density >= 0.01 && o.density <= 25))
                    throw std::runtime_error("\"density\" must be from 0.01 to 25 g/cm3, not " + fields::show(o.density));
                o.layer = fields::integer(b, "layer", 1, 256, 1);
                o.color = fields::integer(b, "color", 0, 216, 87);
                o.blank = fields::boolean(b, "blank", false) ? 1 : 0;
                o.translucency = fields::integer(b, "translucency", 0, 100, 0);
                o.attrs = attributes(b);
                if (fields::boolean(b, "prototype_only", false)) prototypeOnly_.insert(o.tag);
            } catch (const ModelError&) {
                throw;
            } catch (const std::exception& e) {
                throw ModelError(src.path, src.lineOf(name.empty() ? std::string() : "\"" + name + "\""),
                                 "body " + (name.empty() ? "#" + std::to_string(index + 1) : name) + ": " + e.what());
            }
            ++index;
        }
        for (auto& c : fields::arrayField(j, "components")) {
            std::string label;
            try {
                fields::object(c, "a component");
                label = fields::string(c, "name", fields::string(c, "file", ""));
                std::string childPath;
                const json& part = fields::need(c, "part");
                if (part.is_string()) {
                    childPath = buildFile((dir / part.get<std::string>()).string(), fields::string(c, "file", ""));
                } else {
                    json desc = fields::object(part, "\"part\"");
                    if (!desc.contains("file")) desc["file"] = fields::string(fields::need(c, "file"), "\"file\"");
                    childPath = buildPart(desc, src, dir);
                }
                Instance in;
                in.pid = p.nextPid++;
                in.file = childPath;
                in.name = text::toGbk(fields::string(c, "name", fs::path(childPath).stem().string()));
                in.transform = placement(c);
                p.instances.push_back(in);
            } catch (const ModelError&) {
                throw;
            } catch (const std::exception& e) {
                throw ModelError(src.path, src.lineOf("\"" + label + "\""), "component " + label + ": " + e.what());
            }
        }
        try {
            // A sheet is a name, or a whole sheet as part files keep it (templates are described so).
            for (auto& sh : fields::arrayField(j, "sheets")) {
                if (sh.is_string()) s.addSheet(p, text::toGbk(sh.get<std::string>()));
                else draft::makeSheet(p, sheetjson::fromJson(sh, dir));
            }
            p.currentSheet = 0;
        } catch (const std::exception& e) {
            throw ModelError(src.path, src.lineOf("\"sheets\""), e.what());
        }
        return out.string();
    }
};

}  // namespace

std::string build(const std::string& modelPath, const std::string& outDir, bool replace, bool keepOpen) {
    Builder b(outDir, replace);
    std::string top;
    try {
        top = b.buildFile(modelPath);
        b.finish(keepOpen);
    } catch (const ModelError&) {
        throw;
    } catch (const std::exception& e) {
        throw ModelError(modelPath, 1, e.what());
    } catch (const Standard_Failure& e) {
        throw ModelError(modelPath, 1, geom::kernelMessage("build the model", e));
    }
    return top;
}

}  // namespace host::modeldesc
