#include "road/road.h"
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include "export/svg.h"
#include "files/partfile.h"
#include "files/paths.h"
#include "geom/classify.h"
#include "geom/kernel.h"
#include "kf/xlsx.h"
#include "model/modeldesc.h"
#include "model/session.h"
#include "road/scripted_user.h"
#include "text.h"
#include "uf_object_types.h"

namespace fs = std::filesystem;

namespace host::road {
namespace {

std::string g(const std::string& utf8) { return text::toGbk(utf8); }

std::string attr(const Object& o, const char* title) {
    const Attr* a = o.findAttr(title);
    return a && a->type == 5 ? text::toUtf8Lossy(a->text) : "";
}

class Road {
public:
    explicit Road(const Options& o) : opt_(o) {}

    Summary run() {
        Session& s = session();
        fs::create_directories(opt_.out);
        // The log too is written aside and renamed into place: a road cut off keeps the last whole log.
        sum_.log = (fs::path(opt_.out) / "road.log").string();
        log_.open(sum_.log + ".writing", std::ios::trunc);
        auto transcript = s.transcript;
        s.transcript = [this](const std::string& line) {
            log_ << line << '\n';
            last_.push_back(line);
            if (last_.size() > 6) last_.pop_front();
        };
        struct Restore { Session& s; TranscriptSink t; ~Restore() { s.transcript = t; } } restore{s, transcript};
        const auto start = std::chrono::steady_clock::now();
        try {
            step("model", [&] { model(); });
            step("attributes", [&] { attributes(); });
            step("components", [&] { components(); });
            step("drawing", [&] { drawing(); });
            step("bom", [&] { bom(); });
            step("export", [&] { exportSheets(); });
            if (opt_.render) step("render", [&] { render(); });
        } catch (const std::exception& e) {
            log_ << "[road] failed: " << e.what() << '\n';
            closeLog();
            throw;
        }
        sum_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        closeLog();
        paths::writeWhole((fs::path(opt_.out) / "road.json").string(), sum_.toJson().dump(2) + "\n");
        return sum_;
    }

private:
    Options opt_;
    Summary sum_;
    ScriptedUser user_;
    std::ofstream log_;
    std::deque<std::string> last_;   // the module's latest messages, to say why a step failed
    Part* top_ = nullptr;

    void closeLog() {
        log_.close();
        std::error_code ec;
        fs::rename(sum_.log + ".writing", sum_.log, ec);
    }

    void say(const std::string& line) {
        log_ << "[road] " << line << '\n';
        if (opt_.progress) opt_.progress(line);
    }

    template <class F>
    void step(const std::string& name, F&& f) {
        say(name + " ...");
        const auto start = std::chrono::steady_clock::now();
        try {
            geom::kernel(name, f);
        } catch (const modeldesc::ModelError&) {
            throw;
        } catch (const std::exception& e) {
            throw std::runtime_error(name + ": " + text::toUtf8Lossy(e.what()));
        }
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        sum_.steps.push_back({name, t});
        char b[32];
        std::snprintf(b, sizeof b, "%.2f s", t);
        say(name + " done in " + b);
    }

    // A step the module reports only in its messages: what it said last, for the user.
    [[noreturn]] void failed(const std::string& what) {
        std::string said;
        for (const auto& l : last_) said += "\n  " + l;
        throw std::runtime_error(what + (said.empty() ? "" : "; the module said:" + said));
    }

    void saveAll() {
        Session& s = session();
        for (auto& p : s.parts())
            if (p->modified || p.get() == s.display) partfile::save(*p);
    }

    void workOn(Part& p, tag_t occ) {
        Session& s = session();
        s.work = &p;
        s.workOcc = occ;
    }

    // A part on its own, as a designer opens a component's file to work on it.
    void display(Part& p) {
        session().display = &p;
        workOn(p, p.rootOcc);
    }

    void model() {
        Session& s = session();
        // The model stays open as built, as it does for the designer who built it.
        sum_.top = modeldesc::build(opt_.model, opt_.out, true, true);
        top_ = &partfile::open(sum_.top);
        s.display = top_;
        workOn(*top_, top_->rootOcc);
        const std::string stem = fs::path(sum_.top).stem().string();
        if (opt_.prefix.empty()) opt_.prefix = attr(*top_->self(), "DB_PART_NO");
        if (opt_.prefix.empty()) opt_.prefix = stem;
        if (opt_.name.empty()) opt_.name = attr(*top_->self(), "DB_PART_NAME");
        if (opt_.name.empty()) opt_.name = stem;
        say(std::to_string(s.parts().size()) + " parts open from " + sum_.top);
    }

    // Every part of the tree once: the top first, then in tree order.
    std::vector<Part*> partsOfTree() {
        Session& s = session();
        std::vector<Part*> out = {top_};
        std::set<Part*> seen = {top_};
        for (tag_t t : top_->objects)
            if (Object* o = s.find(t); o && o->type == UF_component_type && !o->root && o->child && seen.insert(o->child).second)
                out.push_back(o->child);
        return out;
    }

    static std::vector<Object*> bodiesOf(Part& p) {
        Session& s = session();
        std::vector<Object*> out;
        for (tag_t t : p.objects)
            if (Object* o = s.find(t); o && !o->isOccurrence() && o->type == UF_solid_type && o->subtype == UF_solid_body_subtype) out.push_back(o);
        return out;
    }

    // The attribute dialog on every body, as a designer goes through a part: pick, say what stock it
    // is, name it when it has no name, Apply. Bodies identical to one written get its attributes with
    // it and are not picked again.
    void attributes() {
        Session& s = session();
        const auto parts = partsOfTree();
        // Bodies written along with an identical one count as written: what counts is which bodies
        // lacked a specification before and have one after.
        std::vector<Object*> open;
        for (Part* p : parts)
            for (Object* b : bodiesOf(*p)) {
                ++sum_.bodies;
                if (attr(*b, "suling").empty()) open.push_back(b);
            }
        size_t done = 0;
        for (Part* p : parts) {
            const std::vector<Object*> bodies = bodiesOf(*p);
            if (bodies.empty()) continue;
            // The attribute dialog works in the displayed part and looks for copies of the picked body
            // among all its bodies: each part is displayed on its own, so that a plant costs the sum
            // of its parts and not their square.
            display(*p);
            user_.pick("attrV2", [&](ui::Dialog& d) {
                for (Object* b : bodies) {
                    if (++done % 100 == 0) say("attributes " + std::to_string(done) + "/" + std::to_string(sum_.bodies));
                    if (!attr(*b, "suling").empty()) continue;
                    const std::string category = geom::stockCategory(s.shapeOf(*b));
                    if (category.empty()) {
                        sum_.unclassified.push_back(p->leaf() + ": " + (b->name.empty() ? "#" + std::to_string(b->tag) : text::toUtf8Lossy(b->name)));
                        continue;
                    }
                    ui::pick(d, "blockxuanzhe", {b->tag});
                    ui::setValue(d, "blockgunge", g(category));
                    // The category proposes material and remark; what the designer wrote there stays.
                    for (auto [title, block] : {std::pair{"MATERIALS", "blockCaiLiao"}, std::pair{"REMARK", "blockbeizhu"}})
                        if (const Attr* a = b->findAttr(title); a && a->type == 5 && !a->text.empty()) ui::setValue(d, block, a->text);
                    if (ui::blockText(d, "blockPartName").empty())
                        ui::setValue(d, "blockPartName", b->name.empty() ? g(category.substr(0, category.find(','))) : b->name);
                    // Bent sheet goes to the press brake by a drawing, numbered or not.
                    if (category.find(",") != std::string::npos && ui::blockText(d, "blockPartNo").empty())
                        ui::setValue(d, "blockbeizhu", g(u8"按图制作"));
                    ui::pressApply(d);
                    if (attr(*b, "suling").empty()) failed("the attributes of " + text::toUtf8Lossy(b->name) + " in " + p->leaf() + " were not written");
                }
            });
        }
        display(*top_);
        // Back in the assembly, its occurrences show what their bodies now carry, as the host shows a
        // component's edits in the assembly that holds it.
        for (Object* b : open) {
            if (attr(*b, "suling").empty()) continue;
            ++sum_.attributed;
            std::vector<Object*> todo = s.occurrencesOf(b->tag);
            while (!todo.empty()) {
                Object* o = todo.back();
                todo.pop_back();
                o->attrs = b->attrs;
                if (o->part) o->part->modified = true;
                for (Object* deeper : s.occurrencesOf(o->tag)) todo.push_back(deeper);
            }
        }
        say(std::to_string(sum_.bodies) + " bodies, " + std::to_string(sum_.attributed) + " given attributes, " + std::to_string(sum_.unclassified.size()) + " of no stock the shape tells");
        for (const auto& u : sum_.unclassified) say("  not classified: " + u);
        saveAll();
    }

    void components() {
        Session& s = session();
        workOn(*top_, top_->rootOcc);
        const size_t before = s.parts().size();
        user_.pick("new_zujianV1", [](ui::Dialog& d) {
            ui::setValue(d, "enum0", "2");
            ui::pressApply(d);
        });
        sum_.parts = s.parts().size() - before;
        saveAll();
        say(std::to_string(sum_.parts) + " component parts");
    }

    void drawing() {
        Session& s = session();
        workOn(*top_, top_->rootOcc);
        user_.pick("drawing", [&](ui::Dialog& d) {
            ui::setValue(d, "tuhao", g(opt_.prefix));
            ui::setValue(d, "ming", g(opt_.name));
            ui::pressApply(d);
        });
        sum_.sheets = s.sheets(*top_).size();
        if (sum_.sheets == 0) failed("the drawing command made no sheet");
        saveAll();
        say(std::to_string(sum_.sheets) + " sheets");
    }

    void bom() {
        workOn(*top_, top_->rootOcc);
        const fs::path folder = fs::path(opt_.out) / "bom";
        fs::create_directories(folder);
        sum_.workbook = (folder / (top_->leaf() + ".xlsx")).string();
        const auto before = fs::exists(sum_.workbook) ? fs::last_write_time(sum_.workbook) : fs::file_time_type::min();
        user_.pick("bom_shuchu", [&](ui::Dialog& d) {
            ui::setValue(d, "enum0", "1");
            ui::setValue(d, "filepath", g(folder.string() + "/"));
            ui::setValue(d, "toggle0", "on");
            ui::pressApply(d);
        });
        if (!fs::exists(sum_.workbook) || fs::last_write_time(sum_.workbook) == before) failed("the bill of materials was not written to " + sum_.workbook);
        // Rows under the template's three header rows that carry a serial number.
        sum_.rows = static_cast<size_t>(xlsx::Workbook(sum_.workbook).rowsWithValue(1, 4));
        say(std::to_string(sum_.rows) + " rows in " + sum_.workbook);
    }

    void exportSheets() {
        workOn(*top_, top_->rootOcc);
        sum_.exports = (fs::path(opt_.out) / (top_->leaf() + u8"CAD工程图")).string();
        user_.selection = std::nullopt;   // nothing picked: every sheet
        user_.pick("2D");
        sum_.exported = 0;
        if (fs::is_directory(sum_.exports))
            for (const auto& e : fs::directory_iterator(sum_.exports))
                if (e.path().extension() == ".dxf") ++sum_.exported;
        if (sum_.exported < sum_.sheets) failed(std::to_string(sum_.sheets - sum_.exported) + " sheets were not exported into " + sum_.exports);
        say(std::to_string(sum_.exported) + " sheets exported into " + sum_.exports);
    }

    void render() {
        sum_.sheetsFolder = (fs::path(opt_.out) / "sheets").string();
        exporter::writeSheets(*top_, sum_.sheetsFolder, [&](const std::string&) {
            if (++sum_.rendered % 50 == 0) say("render " + std::to_string(sum_.rendered) + "/" + std::to_string(sum_.sheets));
        });
        say(std::to_string(sum_.rendered) + " sheets drawn into " + sum_.sheetsFolder);
    }
};

}  // namespace

nlohmann::json Summary::toJson() const {
    nlohmann::json steps = nlohmann::json::object();
    for (const Step& s : this->steps) steps[s.name] = std::round(s.seconds * 1000) / 1000;
    return {{"top", top}, {"bodies", bodies}, {"attributed", attributed}, {"unclassified", unclassified},
            {"parts", parts}, {"sheets", sheets}, {"rows", rows}, {"exported", exported}, {"rendered", rendered},
            {"workbook", workbook}, {"exports", exports}, {"sheets_folder", sheetsFolder}, {"log", log},
            {"seconds", std::round(seconds * 1000) / 1000}, {"steps", steps}};
}

Summary run(const Options& options) { return Road(options).run(); }

}  // namespace host::road
