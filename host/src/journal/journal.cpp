#include "journal/journal.h"
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <cstdlib>
#include <sstream>
#include "draft/drafting.h"
#include "files/partfile.h"
#include "geom/kernel.h"
#include "geom/measure.h"
#include "files/paths.h"
#include "model/menu.h"
#include "model/modeldesc.h"
#include "model/session.h"
#include "text.h"
#include "uf_object_types.h"
#include "ui/tree.h"

namespace fs = std::filesystem;

namespace host::journal {
namespace {

// Statement, and its least and most argument counts (-1: any number).
const std::map<std::string, std::pair<int, int>> kArity = {
    {"base", {1, 1}}, {"build", {1, 2}}, {"open", {1, 1}}, {"work", {1, 1}}, {"menu", {1, 1}},
    {"set", {2, 2}}, {"pick", {1, -1}}, {"press", {1, 1}}, {"apply", {0, 0}}, {"ok", {0, 0}},
    {"cancel", {0, 0}}, {"choose", {1, -1}}, {"node", {2, 2}}, {"menuitem", {2, 2}}, {"save", {0, 1}}, {"expect", {1, -1}},
    {"background", {3, 3}}, {"close", {1, 1}},
};
const std::set<std::string> kDialogVerbs = {"set", "pick", "press", "apply", "ok", "cancel", "node", "menuitem"};
const std::map<std::string, std::pair<int, int>> kExpect = {
    {"message", {1, 1}}, {"block", {2, 2}}, {"attr", {3, 3}}, {"layer", {2, 2}}, {"color", {2, 2}},
    {"blank", {2, 2}}, {"translucency", {2, 2}}, {"file", {1, 1}}, {"nofile", {1, 1}}, {"sheets", {0, -1}},
    {"listing", {1, 1}}, {"background", {3, 3}}, {"parent", {2, 2}}, {"missing", {1, 1}},
    {"sheet", {3, 3}}, {"view", {4, 4}}, {"cell", {2, 2}}, {"box", {7, 7}},
};

std::string quote(const std::string& s) { return "\"" + s + "\""; }

std::string g(const std::string& utf8) { return text::toGbk(utf8); }

}  // namespace

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') { ++i; continue; }
        if (line[i] == '#') break;
        std::string w;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char c = line[i++];
                if (c == '"') { closed = true; break; }
                if (c == '\\') {
                    if (i >= line.size()) break;
                    char e = line[i++];
                    if (e == 'n') w += '\n';
                    else if (e == '"' || e == '\\') w += e;
                    else throw std::runtime_error(std::string("unknown escape \\") + e);
                } else {
                    w += c;
                }
            }
            if (!closed) throw std::runtime_error("a string is not closed");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') w += line[i++];
        }
        out.push_back(w);
    }
    return out;
}

std::vector<Statement> parse(const std::string& content, const std::string& file) {
    std::vector<Statement> out;
    // A byte-order mark some editors put first is no part of the first statement.
    const std::string bom = "\xEF\xBB\xBF";
    std::istringstream in(content.compare(0, bom.size(), bom) == 0 ? content.substr(bom.size()) : content);
    std::string raw;
    int n = 0;
    while (std::getline(in, raw)) {
        ++n;
        std::vector<std::string> w;
        try {
            w = words(raw);
        } catch (const std::exception& e) {
            throw JournalError(file, n, e.what());
        }
        if (w.empty()) continue;
        Statement s{n, w[0], {w.begin() + 1, w.end()}, raw};
        auto it = kArity.find(s.verb);
        if (it == kArity.end()) throw JournalError(file, n, "unknown statement " + quote(s.verb));
        int count = static_cast<int>(s.args.size());
        auto [lo, hi] = it->second;
        if (s.verb == "expect") {
            if (s.args.empty()) throw JournalError(file, n, "expect what? (message, block, attr, layer, color, blank, translucency, file, nofile, sheets, listing, background, parent, missing, sheet, view, cell, box)");
            auto e = kExpect.find(s.args[0]);
            if (e == kExpect.end()) throw JournalError(file, n, "unknown expectation " + quote(s.args[0]));
            lo = e->second.first + 1;
            hi = e->second.second < 0 ? -1 : e->second.second + 1;
        }
        if (count < lo || (hi >= 0 && count > hi))
            throw JournalError(file, n, s.verb + " takes " + (lo == hi ? std::to_string(lo) : std::to_string(lo) + (hi < 0 ? " or more" : " to " + std::to_string(hi))) +
                                             " arguments, not " + std::to_string(count));
        try {
            text::toGbk(raw);
        } catch (const std::exception&) {
            throw JournalError(file, n, "the line has text that is not UTF-8 or has no GBK form");
        }
        out.push_back(std::move(s));
    }
    return out;
}

Player::Player(std::string file, std::vector<Statement> statements)
    : file_(std::move(file)), dir_(fs::path(file_).parent_path().string()), st_(std::move(statements)) {}

void Player::stop(Outcome o, const Statement& s, const std::string& message) {
    if (stopped()) return;
    outcome_ = o;
    failure_ = file_ + ":" + std::to_string(s.line) + ": " + message;
}

std::string Player::path(const std::string& p) const {
    if (p == "$OUT" || p.rfind("$OUT/", 0) == 0) {
        if (out.empty()) {
            std::string tmpl = (fs::temp_directory_path() / "vorta-out-XXXXXX").string();
            if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a scratch folder");
            const_cast<Player*>(this)->out = tmpl;
            session().say("[out] " + tmpl);
        }
        fs::create_directories(out);
        return (fs::path(out) / p.substr(std::min<size_t>(p.size(), 5))).lexically_normal().string();
    }
    fs::path x(p);
    return (x.is_absolute() ? x : fs::path(dir_.empty() ? "." : dir_) / x).lexically_normal().string();
}

Outcome Player::run() {
    ui::setUser(this);
    while (pc_ < st_.size() && !stopped()) {
        const Statement& s = st_[pc_++];
        session().say("> " + s.source.substr(s.source.find_first_not_of(" \t")));
        try {
            if (!general(s)) topLevel(s);
        } catch (const JournalError& e) {
            stop(Outcome::Error, s, e.what());
        } catch (const ui::UserError& e) {
            stop(Outcome::Error, s, e.what());
        } catch (const HostError& e) {
            stop(Outcome::Error, s, text::toUtf8Lossy(e.what()));
        } catch (const modeldesc::ModelError& e) {
            stop(Outcome::Error, s, e.file + ":" + std::to_string(e.line) + ": " + e.what());
        } catch (const std::exception& e) {
            stop(Outcome::Error, s, text::toUtf8Lossy(e.what()));
        } catch (const Standard_Failure& e) {
            stop(Outcome::Error, s, geom::kernelMessage("do it", e));
        }
    }
    ui::setUser(nullptr);
    return outcome_;
}

void Player::topLevel(const Statement& s) {
    Session& ss = session();
    const auto& a = s.args;
    if (s.verb == "base") {
        ss.baseDir = fs::absolute(path(a[0])).lexically_normal().string();
    } else if (s.verb == "build") {
        // The scripted user asked for these files: older ones from an earlier run are replaced.
        std::string top = modeldesc::build(path(a[0]), a.size() > 1 ? path(a[1]) : "", true);
        Part& p = partfile::open(top);
        ss.display = ss.work = &p;
        ss.workOcc = p.rootOcc;
    } else if (s.verb == "open") {
        Part& p = partfile::open(path(a[0]));
        ss.display = ss.work = &p;
        ss.workOcc = p.rootOcc;
    } else if (s.verb == "work") {
        if (!ss.display) throw JournalError(file_, s.line, "no part is open");
        if (a[0] == "display") {
            ss.work = ss.display;
            ss.workOcc = ss.display->rootOcc;
        } else {
            Object& c = ss.object(ref(a[0]));
            if (c.type != UF_component_type) throw JournalError(file_, s.line, a[0] + " is not a component");
            ss.work = c.child;
            ss.workOcc = c.tag;
        }
    } else if (s.verb == "menu") {
        const Action* act = menu().find(g(a[0]));
        if (!act) throw JournalError(file_, s.line, "no menu action " + quote(a[0]));
        UF_MB_activated_button_t button{0, nullptr, const_cast<char*>(act->name.c_str())};
        act->callback(nullptr, act->clientData, &button);
    } else if (s.verb == "save") {
        if (!ss.display) throw JournalError(file_, s.line, "no part is open");
        if (!a.empty() && a[0] != "all") throw JournalError(file_, s.line, "save takes nothing or \"all\"");
        if (a.empty()) {
            partfile::saveTree(*ss.display, true);
        } else {
            for (auto& p : ss.parts())
                if (p->modified || p.get() == ss.display) partfile::save(*p);
        }
    } else if (s.verb == "close") {
        if (a[0] != "all") throw JournalError(file_, s.line, "close takes \"all\"");
        // Forget every part, as after closing them all without saving; the background stays.
        auto background = ss.colors;
        ss.reset();
        ss.colors = background;
    } else if (kDialogVerbs.count(s.verb)) {
        throw JournalError(file_, s.line, s.verb + " needs an open dialog");
    } else {
        throw JournalError(file_, s.line, "unknown statement " + quote(s.verb));
    }
}

bool Player::general(const Statement& s) {
    Session& ss = session();
    if (s.verb == "expect") {
        expect(s);
        return true;
    }
    if (s.verb == "choose") {
        if (s.args.size() == 1 && s.args[0] == "none") {
            choices_.push_back(std::nullopt);
        } else {
            // A sheet picked in the graphics window is its drawing-sheet view.
            std::vector<tag_t> picked = refs(s.args, 0);
            for (tag_t& t : picked)
                if (Object* o = ss.find(t); o && o->type == UF_drawing_type && o->sheet) t = o->sheet->sheetView;
            choices_.push_back(picked);
        }
        return true;
    }
    if (s.verb == "background") {
        for (int i = 0; i < 3; ++i) {
            double v = text::toNumber(s.args[i], "a colour value");
            if (v < 0 || v > 1) throw JournalError(file_, s.line, "colour values run from 0 to 1");
            ss.colors[0][i] = v;
        }
        return true;
    }
    return false;
}

void Player::drive(ui::Dialog& d) {
    open_.push_back(&d);
    while (d.open && !stopped() && pc_ < st_.size()) {
        const Statement& s = st_[pc_];
        bool dialogVerb = kDialogVerbs.count(s.verb) > 0;
        if (!dialogVerb && s.verb != "expect" && s.verb != "choose" && s.verb != "background") break;  // the user moves on: closes the dialog
        ++pc_;
        session().say("> " + s.source.substr(s.source.find_first_not_of(" \t")));
        try {
            if (!general(s)) inDialog(d, s);
        } catch (const JournalError& e) {
            stop(Outcome::Error, s, e.what());
        } catch (const ui::UserError& e) {
            stop(Outcome::Error, s, e.what());
        } catch (const std::exception& e) {
            stop(Outcome::Error, s, text::toUtf8Lossy(e.what()));
        } catch (const Standard_Failure& e) {
            stop(Outcome::Error, s, geom::kernelMessage("do it", e));
        }
    }
    // A dialog left open when the journal moves on or ends is closed as with its Close button.
    if (d.open) ui::pressCancel(d);
    open_.pop_back();
}

void Player::inDialog(ui::Dialog& d, const Statement& s) {
    const auto& a = s.args;
    // A value that starts with $OUT (a folder, say) names a place in the scratch folder.
    if (s.verb == "set") ui::setValue(d, g(a[0]), g(a[1].rfind("$OUT", 0) == 0 ? path(a[1]) : a[1]));
    else if (s.verb == "pick") ui::pick(d, g(a[0]), refs(a, 1));
    else if (s.verb == "press") ui::press(d, g(a[0]));
    else if (s.verb == "node") ui::selectNode(d, g(a[0]), a[1]);
    else if (s.verb == "menuitem") ui::chooseMenuItem(d, g(a[0]), a[1]);
    else if (s.verb == "apply") ui::pressApply(d);
    else if (s.verb == "ok") ui::pressOk(d);
    else if (s.verb == "cancel") ui::pressCancel(d);
    else throw JournalError(file_, s.line, s.verb + " is not provided by this host yet");
}

std::optional<std::vector<tag_t>> Player::chooseObjects(const std::string& title) {
    if (choices_.empty()) {
        session().say("[select] " + text::toUtf8Lossy(title) + ": no answer in the journal, cancelled");
        return std::nullopt;
    }
    auto c = choices_.front();
    choices_.erase(choices_.begin());
    return c;
}

std::vector<tag_t> Player::refs(const std::vector<std::string>& r, size_t from) {
    std::vector<tag_t> out;
    for (size_t i = from; i < r.size(); ++i) out.push_back(ref(r[i]));
    return out;
}

tag_t Player::ref(const std::string& r) {
    Session& s = session();
    const Statement& st = st_[pc_ - 1];
    if (!s.work) throw JournalError(file_, st.line, "no part is open");
    if (r == "part") return s.work->tag;
    auto component = [&](Part& in, tag_t parent, const std::string& name) -> Object* {
        for (tag_t t : in.objects)
            if (Object* o = s.find(t); o && o->type == UF_component_type && !o->root && o->instanceName == g(name) && (!parent || o->parent == parent))
                return o;
        return nullptr;
    };
    Part& top = s.display ? *s.display : *s.work;
    if (r.rfind("comp:", 0) == 0) {
        if (Object* c = component(top, 0, r.substr(5))) return c->tag;
        throw JournalError(file_, st.line, "no component " + quote(r.substr(5)));
    }
    if (r.rfind("sheet:", 0) == 0) {
        for (tag_t t : s.sheets(*s.work))
            if (s.object(t).name == g(r.substr(6))) return t;
        throw JournalError(file_, st.line, "no drawing sheet " + quote(r.substr(6)));
    }
    if (r.rfind("body:", 0) == 0) {
        // Bodies a command made have no name to go by: body:N is the work part's N-th body of its own in
        // creation order, body:last its newest, body:BLOCK(1) the body the feature of that name made.
        const std::string which = r.substr(5);
        if (which.empty() || which.find_first_not_of("0123456789") != std::string::npos) {
            if (which != "last") {
                for (tag_t t : s.work->objects)
                    if (Object* o = s.find(t); o && o->type == UF_feature_type && o->name == g(which) && s.find(o->featBody)) return o->featBody;
                throw JournalError(file_, st.line, "no feature " + quote(which) + " with a body in the work part");
            }
        }
        std::vector<tag_t> bodies;
        for (tag_t t : s.work->objects)
            if (Object* o = s.find(t); o && !o->isOccurrence() && o->type == UF_solid_type && o->subtype == UF_solid_body_subtype) bodies.push_back(t);
        if (which == "last") {
            if (!bodies.empty()) return bodies.back();
        } else {
            const int n = text::toInteger(which, "a body's number");
            if (n >= 1 && static_cast<size_t>(n) <= bodies.size()) return bodies[n - 1];
        }
        throw JournalError(file_, st.line, "no body " + which + " in the work part (it holds " + std::to_string(bodies.size()) + ")");
    }
    if (r.rfind("view:", 0) == 0) {
        // view:Front@7 names a view as the host does; view:FRONT@SHEET the first view of that model view on the sheet.
        const std::string name = g(r.substr(5));
        for (tag_t t : s.sheets(*s.work))
            for (tag_t v : s.object(t).sheet->views)
                if (Object* o = s.find(v); o && o->name == name) return v;
        const size_t at = name.find('@');
        if (at != std::string::npos) {
            const std::string modelView = draft::modelViewName(name.substr(0, at));
            for (tag_t t : s.sheets(*s.work))
                if (s.object(t).name == name.substr(at + 1))
                    for (tag_t v : s.object(t).sheet->views)
                        if (Object* o = s.find(v); o && o->view->modelView == modelView) return v;
        }
        throw JournalError(file_, st.line, "no drawing view " + quote(r.substr(5)));
    }
    size_t slash = r.rfind('/');
    if (slash != std::string::npos) {
        // comp/comp/.../body: components by instance name from the top, then a body by its prototype's name.
        std::istringstream in(r.substr(0, slash));
        std::string part;
        Object* c = nullptr;
        while (std::getline(in, part, '/')) {
            c = component(top, c ? c->tag : top.rootOcc, part);
            if (!c) throw JournalError(file_, st.line, "no component " + quote(part) + " in " + quote(r));
        }
        for (tag_t t : top.objects)
            if (Object* o = s.find(t); o && o->type == UF_solid_type && o->parent == c->tag)
                if (Object* proto = s.find(o->prototype); proto && proto->name == g(r.substr(slash + 1))) return t;
        throw JournalError(file_, st.line, "no body " + quote(r.substr(slash + 1)) + " in component " + quote(r.substr(0, slash)));
    }
    for (tag_t t : s.work->objects)
        if (Object* o = s.find(t); o && !o->isOccurrence() && o->name == g(r)) return t;
    throw JournalError(file_, st.line, "no object named " + quote(r) + " in the work part");
}

void Player::expect(const Statement& s) {
    Session& ss = session();
    const auto& a = s.args;
    const std::string& what = a[0];
    auto check = [&](const std::string& expected, const std::string& found) {
        if (expected != found) stop(Outcome::ExpectFailed, s, "expected " + what + " " + quote(expected) + ", found " + quote(found));
    };
    if (what == "message") {
        check(a[1], ss.lastMessage);
    } else if (what == "block") {
        if (open_.empty()) throw JournalError(file_, s.line, "expect block needs an open dialog");
        check(a[2], ui::blockText(*open_.back(), g(a[1])));
    } else if (what == "attr") {
        Object& o = ss.object(ref(a[1]));
        const Attr* at = o.findAttr(g(a[2]));
        std::string found = !at ? "" : at->type == 5 ? text::toUtf8Lossy(at->text) : at->type == 3 ? std::to_string(at->real) : std::to_string(at->integer);
        check(a[3], found);
    } else if (what == "layer" || what == "color" || what == "blank" || what == "translucency") {
        Object& o = ss.object(ref(a[1]));
        int v = what == "layer" ? o.layer : what == "color" ? o.color : what == "blank" ? o.blank : o.translucency;
        check(a[2], std::to_string(v));
    } else if (what == "file" || what == "nofile") {
        bool exists = fs::exists(path(a[1]));
        if (exists != (what == "file")) stop(Outcome::ExpectFailed, s, "expected " + path(a[1]) + (what == "file" ? " to exist" : " not to exist"));
    } else if (what == "sheets") {
        if (!ss.work) throw JournalError(file_, s.line, "no part is open");
        std::string expected, found;
        for (size_t i = 1; i < a.size(); ++i) expected += (i > 1 ? " " : "") + quote(a[i]);
        for (tag_t t : ss.sheets(*ss.work)) found += (found.empty() ? "" : " ") + quote(text::toUtf8Lossy(ss.object(t).name));
        if (expected != found) stop(Outcome::ExpectFailed, s, "expected sheets " + expected + ", found " + found);
    } else if (what == "listing") {
        for (auto& l : ss.listing)
            if (l == a[1]) return;
        stop(Outcome::ExpectFailed, s, "expected a listing line " + quote(a[1]) + ", found " + std::to_string(ss.listing.size()) + " other lines");
    } else if (what == "parent") {
        Object& c = ss.object(ref(a[1]));
        Object* p = ss.find(c.parent);
        check(a[2], p && !p->root ? text::toUtf8Lossy(p->instanceName) : "");
    } else if (what == "missing") {
        try {
            ref(a[1]);
        } catch (const JournalError&) {
            return;
        }
        stop(Outcome::ExpectFailed, s, "expected " + a[1] + " to be missing, but it is there");
    } else if (what == "sheet" || what == "view" || what == "cell") {
        expectDrawing(s);
    } else if (what == "box") {
        Object& o = ss.object(ref(a[1]));
        if (o.type != UF_solid_type || o.subtype != UF_solid_body_subtype) throw JournalError(file_, s.line, a[1] + " is not a body");
        const geom::Bnd b = geom::kernel("measure the box", [&] { return geom::bnd(ss.shapeOf(o)); });
        const double found[6] = {b.min.X(), b.min.Y(), b.min.Z(), b.max.X(), b.max.Y(), b.max.Z()};
        bool near = true;
        for (int i = 0; i < 6; ++i) near = near && std::fabs(text::toNumber(a[2 + i], "a box coordinate") - found[i]) <= 0.01;
        if (!near) {
            std::ostringstream f;
            for (int i = 0; i < 6; ++i) f << (i ? " " : "") << std::round(found[i] * 1000) / 1000 + 0.0;
            stop(Outcome::ExpectFailed, s, "expected the box of " + a[1] + " " + a[2] + " " + a[3] + " " + a[4] + " " + a[5] + " " + a[6] + " " + a[7] + ", found " + f.str());
        }
    } else if (what == "background") {
        for (int i = 0; i < 3; ++i)
            if (std::fabs(ss.colors[0][i] - text::toNumber(a[1 + i], "a colour value")) > 1e-9) {
                std::ostringstream f;
                f << ss.colors[0][0] << " " << ss.colors[0][1] << " " << ss.colors[0][2];
                stop(Outcome::ExpectFailed, s, "expected background " + a[1] + " " + a[2] + " " + a[3] + ", found " + f.str());
                return;
            }
    }
}

// expect sheet NAME scale S | expect sheet NAME number N | expect view MODELVIEW@SHEET at X Y | expect cell SHEET "TEXT", on the work part's sheets.
void Player::expectDrawing(const Statement& s) {
    Session& ss = session();
    const auto& a = s.args;
    auto sheetNamed = [&](const std::string& name) -> Object& {
        if (!ss.work) throw JournalError(file_, s.line, "no part is open");
        for (tag_t t : ss.sheets(*ss.work))
            if (ss.object(t).name == g(name)) return ss.object(t);
        throw JournalError(file_, s.line, "no drawing sheet " + quote(name));
    };
    auto near = [&](double expected, double found, double tolerance, const std::string& what) {
        if (std::fabs(expected - found) > tolerance) {
            std::ostringstream m;
            m << "expected " << what << " " << expected << ", found " << found;
            stop(Outcome::ExpectFailed, s, m.str());
        }
    };
    if (a[0] == "sheet") {
        if (a[2] != "scale" && a[2] != "number") throw JournalError(file_, s.line, "expect sheet NAME scale S | expect sheet NAME number N");
        Object& sh = sheetNamed(a[1]);
        if (a[2] == "scale") near(text::toNumber(a[3], "a scale"), sh.sheet->scale, 1e-4, "the scale of " + a[1]);
        else near(text::toNumber(a[3], "a number"), sh.sheet->number, 0, "the number of " + a[1]);
    } else if (a[0] == "view") {
        size_t at = a[1].find('@');
        if (at == std::string::npos || a[2] != "at") throw JournalError(file_, s.line, "expect view MODELVIEW@SHEET at X Y");
        Object& sh = sheetNamed(a[1].substr(at + 1));
        std::string modelView = draft::modelViewName(a[1].substr(0, at));
        Object* view = nullptr;
        for (tag_t t : sh.sheet->views)
            if (Object* v = ss.find(t); v && v->view->modelView == modelView && !view) view = v;
        if (!view) throw JournalError(file_, s.line, "no " + modelView + " view on sheet " + quote(a[1].substr(at + 1)));
        near(text::toNumber(a[3], "x"), view->view->x, 0.01, a[1] + " x");
        near(text::toNumber(a[4], "y"), view->view->y, 0.01, a[1] + " y");
    } else {
        Object& sh = sheetNamed(a[1]);
        for (tag_t t : sh.sheet->notes)
            if (Object* n = ss.find(t))
                for (auto& row : n->note->cells)
                    for (auto& c : row)
                        if (text::toUtf8Lossy(c) == a[2]) return;
        stop(Outcome::ExpectFailed, s, "expected a cell " + quote(a[2]) + " on sheet " + quote(a[1]));
    }
}

Outcome runFile(const std::string& file, std::string& failure, const std::string& out) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        failure = file + ":1: cannot read the journal";
        return Outcome::Error;
    }
    std::stringstream b;
    b << in.rdbuf();
    std::vector<Statement> st;
    try {
        st = parse(b.str(), file);
    } catch (const JournalError& e) {
        failure = e.file + ":" + std::to_string(e.line) + ": " + e.what();
        return Outcome::Error;
    }
    Player p(file, std::move(st));
    p.out = out;
    Outcome o = p.run();
    failure = p.failure();
    return o;
}

}  // namespace host::journal
