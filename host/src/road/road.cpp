#include "road/road.h"
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <stdexcept>
#include "draft/drafting.h"
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
            if (line.rfind("[import] ", 0) == 0 && line.find("left out") != std::string::npos) sum_.leftOut.push_back(line.substr(9));
            last_.push_back(line);
            if (last_.size() > 6) last_.pop_front();
        };
        struct Restore { Session& s; TranscriptSink t; ~Restore() { s.transcript = t; } } restore{s, transcript};
        const auto start = std::chrono::steady_clock::now();
        // Whatever happens, the summary says what was done: a road that stops leaves it too.
        auto finish = [&] {
            sum_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            closeLog();
            paths::writeWhole((fs::path(opt_.out) / "road.json").string(), sum_.toJson().dump(2) + "\n");
        };
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
            sum_.stopped = text::toUtf8Lossy(e.what());
            finish();
            throw;
        }
        for (const auto& f : sum_.failures) say("not delivered: " + f);
        finish();
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
        } catch (const Stopped& e) {
            throw std::runtime_error(name + ": " + e.what());
        } catch (const std::exception& e) {
            // The module's and the host's own errors speak GBK.
            throw std::runtime_error(name + ": " + text::toUtf8Lossy(e.what()));
        }
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        sum_.steps.push_back({name, t});
        char b[32];
        std::snprintf(b, sizeof b, "%.2f s", t);
        say(name + " done in " + b);
    }

    // A step the module reports only in its messages: what it said last, for the user.
    struct Stopped : std::runtime_error { using std::runtime_error::runtime_error; };   // UTF-8
    [[noreturn]] void failed(const std::string& what) {
        std::string said;
        for (const auto& l : last_) said += "\n  " + l;
        throw Stopped(what + (said.empty() ? "" : "; the module said:" + said));
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

    // Names a designer gives the bodies of a model received from elsewhere: the part's own name, made
    // unique where two shapes share one, since the bill of materials counts bodies of one name as one
    // part. A "-" becomes "_": component parts are named name-number, the number after the last "-".
    class Names {
    public:
        // Names the component commands read back from the parts' file names: a body of such a name
        // would not be made a part of its own, unless it is that part's own body.
        void reserve(const std::string& gbk, const Part* owner) { reserved_.emplace(gbk, owner); }

        std::string nameFor(std::string wanted, const Part& in, const TopoDS_Shape& shape, const geom::MassProps& mass) {
            const Shape me{geom::faceCount(shape), geom::edgeCount(shape), mass.volume, mass.area};
            // The name goes into file names too: nothing a file name cannot hold.
            wanted = g(paths::fileSafe(text::toUtf8Lossy(wanted), false));
            if (wanted.empty()) wanted = g(u8"零件");
            for (int k = 1;; ++k) {
                const std::string name = k == 1 ? wanted : wanted + "_" + std::to_string(k);
                auto r = reserved_.find(name);
                if (r != reserved_.end() && r->second != &in) continue;
                auto& shapes = used_[name];
                // Identical as the attribute command judges copies: counts equal, volumes and surfaces
                // within 5 mm3 and 5 mm2.
                if (shapes.empty() || std::any_of(shapes.begin(), shapes.end(), [&](const Shape& x) {
                        return x.faces == me.faces && x.edges == me.edges && std::abs(x.volume - me.volume) <= 5 && std::abs(x.area - me.area) <= 5;
                    })) {
                    if (shapes.empty()) shapes.push_back(me);
                    return name;
                }
            }
        }

        // A name the model gave: others keep clear of it.
        void take(const std::string& gbk, const TopoDS_Shape& shape, const geom::MassProps& mass) {
            used_[gbk].push_back({geom::faceCount(shape), geom::edgeCount(shape), mass.volume, mass.area});
        }

    private:
        struct Shape {
            int faces, edges;
            double volume, area;
        };
        std::map<std::string, std::vector<Shape>> used_;
        std::multimap<std::string, const Part*> reserved_;
    };

    // The part name the component commands read back from a part's file name: name-series-number and
    // name-number both give name.
    static std::string nameInStem(std::string stem) {
        auto digits = [](const std::string& t) { return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }); };
        auto afterLast = [](const std::string& t) { size_t p = t.rfind('-'); return p == std::string::npos ? t : t.substr(p + 1); };
        auto upToLast = [](const std::string& t) { size_t p = t.rfind('-'); return p == std::string::npos ? t : t.substr(0, p); };
        const std::string b = upToLast(stem), c = afterLast(b);
        return digits(c) ? afterLast(upToLast(b)) : c;
    }

    // What the shape of a body tells, once per solid and name: copies of one solid are told alike
    // wherever they lie.
    const geom::Told& tell(const TopoDS_Shape& shape, const std::string& name) {
        const auto key = std::make_pair(static_cast<const void*>(shape.TShape().get()), name);
        auto it = told_.find(key);
        if (it != told_.end()) return it->second;
        return told_.emplace(key, geom::tellStock(shape, name)).first->second;
    }
    std::map<std::pair<const void*, std::string>, geom::Told> told_;

    void list(const Part& p, const Object& b, const std::string& reason) {
        sum_.unclassified.push_back({p.leaf(), text::toUtf8Lossy(b.name.empty() ? attrGbk(b, "DB_PART_NAME") : b.name), reason});
    }
    static std::string attrGbk(const Object& o, const char* title) {
        const Attr* a = o.findAttr(title);
        return a && a->type == 5 ? a->text : "";
    }

    // The attribute dialog on every body, as a designer goes through a part: pick, say what stock it
    // is, name it, mark it for a drawing when its line in the bill of materials cannot say how to cut
    // it, Apply. Bodies identical to one written get its attributes with it and are not picked again.
    // A body no stock tells is named all the same, and listed; one the module fails on is listed, and
    // the rest go on.
    void attributes() {
        Session& s = session();
        const auto parts = partsOfTree();
        Names names;
        for (Part* p : parts)
            if (p != top_) names.reserve(text::toGbk(nameInStem(p->leaf())), bodiesOf(*p).size() == 1 ? p : nullptr);
        size_t total = 0;
        for (Part* p : parts)
            for (Object* b : bodiesOf(*p)) {
                ++total;
                if (!attrGbk(*b, "DB_PART_NAME").empty()) names.take(attrGbk(*b, "DB_PART_NAME"), b->shape, s.massOf(*b));
                if (!attrGbk(*b, "suling").empty()) hadSpec_.insert(b->tag);
                if (!attrGbk(*b, "DATE").empty()) hadDate_.insert(b->tag);
            }
        sum_.bodies = total;
        markAll_ = fewPartsByDrawing(parts);
        if (markAll_) say("fewer than two parts need a drawing: every part cut from stock gets one, so that the drawing command works by components");
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
                    if (++done % 100 == 0) say("attributes " + std::to_string(done) + "/" + std::to_string(total));
                    attribute(d, *p, *b, names);
                }
            });
        }
        display(*top_);
        // Back in the assembly, its occurrences show what their bodies now carry, as the host shows a
        // component's edits in the assembly that holds it.
        for (Part* p : parts)
            for (Object* b : bodiesOf(*p)) {
                sum_.marked += attrGbk(*b, "REMARK") == g(u8"按图制作");
                std::vector<Object*> todo = s.occurrencesOf(b->tag);
                while (!todo.empty()) {
                    Object* o = todo.back();
                    todo.pop_back();
                    if (o->attrs.size() == b->attrs.size() && std::equal(o->attrs.begin(), o->attrs.end(), b->attrs.begin(), sameAttr)) continue;
                    o->attrs = b->attrs;
                    if (o->part) o->part->modified = true;
                    for (Object* deeper : s.occurrencesOf(o->tag)) todo.push_back(deeper);
                }
            }
        say(std::to_string(sum_.bodies) + " bodies: " + std::to_string(sum_.specified) + " specified in the model, " +
            std::to_string(sum_.attributed) + " given attributes (" + std::to_string(sum_.marked) + " to be made by a drawing), " +
            std::to_string(sum_.unclassified.size()) + " of no stock the shape tells");
        for (const auto& u : sum_.unclassified) say("  not classified: " + u.part + ": " + u.body + ": " + u.reason);
        for (const auto& l : sum_.leftOut) say("  left out on import: " + l);
        saveAll();
    }

    // The drawing command draws by components only when at least two parts are made of one body each;
    // with fewer, it numbers bodies by layers, which a model from elsewhere does not use. Counts the
    // parts that will stand alone: single-body components, and the distinct shapes the component
    // command will make parts of.
    bool fewPartsByDrawing(const std::vector<Part*>& parts) {
        Session& s = session();
        size_t alone = 0;
        std::set<std::tuple<int, int, long long>> shapes;
        for (Part* p : parts) {
            const auto bodies = bodiesOf(*p);
            if (p == top_) continue;
            if (bodies.size() == 1) {
                ++alone;
                continue;
            }
            for (Object* b : bodies) {
                if (!attrGbk(*b, "suling").empty()) {
                    if (attrGbk(*b, "REMARK") == g(u8"按图制作")) shapes.insert({0, 0, -static_cast<long long>(b->tag)});
                    continue;
                }
                const std::string own = text::toUtf8Lossy(b->name.empty() ? attrGbk(*b, "DB_PART_NAME") : b->name);
                const TopoDS_Shape shape = s.shapeOf(*b);
                const geom::Told& told = tell(shape, own);
                if (told.category.empty() || !told.drawing || geom::materialNamed(own)) continue;
                // Copies the attribute command takes for one body are one part.
                shapes.insert({geom::faceCount(shape), geom::edgeCount(shape), std::llround(s.massOf(*b).volume / 10)});
            }
        }
        return alone + shapes.size() < 2;
    }
    bool markAll_ = false;

    static bool sameAttr(const Attr& a, const Attr& b) { return a.title == b.title && a.type == b.type && a.text == b.text; }

    // One body through the dialog that is open on its part.
    void attribute(ui::Dialog& d, Part& p, Object& b, Names& names) {
        Session& s = session();
        if (!attrGbk(b, "suling").empty()) {
            // Specified in the model, or written along with an identical body.
            if (hadSpec_.count(b.tag)) ++sum_.specified;
            else ++sum_.attributed;
            return;
        }
        const TopoDS_Shape shape = s.shapeOf(b);
        const std::string own = text::toUtf8Lossy(b.name.empty() ? attrGbk(b, "DB_PART_NAME") : b.name);
        const geom::Told& told = tell(shape, own);
        const auto material = geom::materialNamed(own);
        // A part of another material is no steel stock, whatever its shape.
        const std::string category = material ? "" : told.category;
        const std::string why = material ? material->name + " (" + own + "), not steel" : told.reason;
        if (!attrGbk(b, "DATE").empty() && !hadDate_.count(b.tag)) {
            // Named along with an identical body; no stock to tell.
            list(p, b, why);
            return;
        }
        const std::vector<Attr> before = b.attrs;
        const int errors = s.errorBoxes;
        ui::pick(d, "blockxuanzhe", {b.tag});
        ui::setValue(d, "blockgunge", g(category));
        // The category proposes material and remark; what the model gave stays.
        const std::string givenMaterial = attrGbk(b, "MATERIALS"), givenRemark = attrGbk(b, "REMARK");
        if (!givenMaterial.empty()) ui::setValue(d, "blockCaiLiao", givenMaterial);
        else if (material) ui::setValue(d, "blockCaiLiao", g(material->name));
        // A stock the dialog does not know (a channel, a beam) it proposes as its own material: the
        // designer types the steel grade instead.
        else if (!category.empty() && ui::blockText(d, "blockCaiLiao") == category) ui::setValue(d, "blockCaiLiao", "Q235");
        if (!givenRemark.empty()) ui::setValue(d, "blockbeizhu", givenRemark);
        if (ui::blockText(d, "blockPartName").empty()) {
            const std::string wanted = !b.name.empty() ? b.name : g(category.empty() ? u8"零件" : category.substr(0, category.find(',')));
            ui::setValue(d, "blockPartName", names.nameFor(wanted, p, shape, s.massOf(b)));
        }
        // What its line in the bill of materials cannot say, the shop cuts by a drawing. The component
        // command makes parts of the bodies of components only: one lying in the assembly itself is
        // drawn there.
        if (!category.empty() && (told.drawing || markAll_) && &p != top_ && givenRemark.empty() && ui::blockText(d, "blockPartNo").empty())
            ui::setValue(d, "blockbeizhu", g(u8"按图制作"));
        if (s.errorBoxes != errors) {
            refuse(p, b, "the attribute dialog could not measure it: " + s.lastMessage);
            return;
        }
        ui::pressApply(d);
        if (s.errorBoxes != errors || (!category.empty() && attrGbk(b, "suling").empty())) {
            // Never half a set: the body keeps what it had.
            b.attrs = before;
            refuse(p, b, "its attributes could not be written: " + (s.errorBoxes != errors ? s.lastMessage : std::string("the specification stayed empty")));
            return;
        }
        if (category.empty()) {
            list(p, b, why);
            return;
        }
        ++sum_.attributed;
    }

    void refuse(const Part& p, const Object& b, const std::string& why) {
        list(p, b, why);
        sum_.failures.push_back(p.leaf() + ": " + text::toUtf8Lossy(b.name) + ": " + why);
    }
    std::unordered_set<tag_t> hadSpec_, hadDate_;   // bodies the model gave a specification, a size record

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
        checkSheets();
    }

    // What a checker sends back: a sheet whose views show nothing, a body marked to be made by a
    // drawing that no sheet draws on its own.
    void checkSheets() {
        Session& s = session();
        std::set<std::string> drawn;   // names of the bodies a sheet draws alone
        for (tag_t t : s.sheets(*top_)) {
            Object* sheet = s.find(t);
            if (!sheet || !sheet->sheet) continue;
            std::set<std::string> shown;
            bool any = false;
            for (tag_t v : sheet->sheet->views)
                if (Object* view = s.find(v))
                    for (Object* b : draft::shownBodies(*view)) {
                        any = true;
                        shown.insert(attrGbk(*b, "DB_PART_NAME"));
                    }
            if (!any) sum_.failures.push_back("sheet " + text::toUtf8Lossy(sheet->name) + ": its views show nothing");
            if (shown.size() == 1) drawn.insert(*shown.begin());
        }
        const std::string marked = g(u8"按图制作");
        std::set<std::string> missing;
        for (const auto& p : s.parts())
            for (Object* b : bodiesOf(*p))
                if (attrGbk(*b, "REMARK") == marked && !drawn.count(attrGbk(*b, "DB_PART_NAME")) && missing.insert(attrGbk(*b, "DB_PART_NAME")).second)
                    sum_.failures.push_back(p->leaf() + ": " + text::toUtf8Lossy(attrGbk(*b, "DB_PART_NAME")) + ": marked to be made by a drawing, but no sheet draws it");
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
    nlohmann::json listed = nlohmann::json::array();
    for (const Listed& l : unclassified) listed.push_back({{"part", l.part}, {"body", l.body}, {"reason", l.reason}});
    nlohmann::json j = {{"top", top}, {"bodies", bodies}, {"specified", specified}, {"attributed", attributed},
                        {"unclassified", listed}, {"left_out", leftOut}, {"marked", marked}, {"parts", parts}, {"sheets", sheets}, {"rows", rows},
                        {"exported", exported}, {"rendered", rendered}, {"delivered", failures.empty() && stopped.empty()},
                        {"failures", failures}, {"workbook", workbook}, {"exports", exports}, {"sheets_folder", sheetsFolder},
                        {"log", log}, {"seconds", std::round(seconds * 1000) / 1000}, {"steps", steps}};
    if (!stopped.empty()) j["stopped"] = stopped;
    return j;
}

Summary run(const Options& options) { return Road(options).run(); }

}  // namespace host::road
