#include "ui/dialog.h"
#include "ui/tree.h"
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <pugixml.hpp>
#include "NXOpen/NXException.hxx"
#include "NXOpen/TaggedObject.hxx"
#include "files/paths.h"
#include "model/session.h"
#include "text.h"

using NXOpen::NXException;
namespace BS = NXOpen::BlockStyler;

namespace host::ui {
namespace {

User* g_user = nullptr;

[[noreturn]] void propertyError(const Block& b, const std::string& name, const std::string& what) {
    throw NXException(3520016, "block " + b.id + ": property " + name + " " + what);
}

std::vector<Property> defaults(const std::string& kind) {
    std::vector<Property> p = {{"Label", std::string()}, {"Show", true}, {"Enable", true}};
    auto add = [&](const char* n, Value v) { p.push_back({n, std::move(v)}); };
    if (kind == "StringBlock") add("Value", std::string());
    else if (kind == "Toggle") add("Value", false);
    else if (kind == "Enumeration") add("Value", 0);
    else if (kind == "SelectObject") {
        add("SelectedObjects", std::vector<tag_t>());
        add("SelectionFilter", Filter());
        add("MaximumScope", 0);
    } else if (kind == "ObjectColorPicker") add("Value", std::vector<int>{1});
    else if (kind == "FolderSelection") add("Path", std::string());
    else if (kind == "DoubleBlock" || kind == "ExpressionBlock") add("Value", 0.0);
    else if (kind == "LinearDimension") {
        add("Value", 0.0);
        add("ShowHandle", false);
        add("HandleOrigin", std::array<double, 3>{0, 0, 0});
        add("HandleOrientation", std::array<double, 3>{1, 0, 0});
    }
    else if (kind == "SpecifyPoint") add("Point", std::array<double, 3>{0, 0, 0});
    else if (kind == "SpecifyOrientation") {
        add("Origin", std::array<double, 3>{0, 0, 0});
        add("XAxis", std::array<double, 3>{1, 0, 0});
        add("YAxis", std::array<double, 3>{0, 1, 0});
        add("ZAxis", std::array<double, 3>{0, 0, 1});
    } else if (kind == "DrawingArea") add("Image", std::string());
    return p;
}

std::unique_ptr<BS::UIBlock> makeUi(Block* b);

std::array<double, 3> triple(const std::string& s, const std::string& what) {
    std::istringstream in(s);
    std::array<double, 3> v{};
    std::string rest;
    if (!(in >> v[0] >> v[1] >> v[2]) || (in >> rest) || !std::isfinite(v[0] + v[1] + v[2]))
        throw std::runtime_error(what + " needs three numbers: " + s);
    return v;
}

Value parseValue(const std::string& type, const std::string& raw, const Value* current) {
    if (type == "string") return text::toGbk(raw);
    if (type == "logical") return raw == "true" || raw == "1";
    if (type == "integer") {
        int v = text::toInteger(raw, "an integer property");
        if (current && std::holds_alternative<std::vector<int>>(*current)) return std::vector<int>{v};
        if (current && std::holds_alternative<double>(*current)) return static_cast<double>(v);
        return v;
    }
    if (type == "double") return text::toNumber(raw, "a double property");
    if (type == "strings") {
        std::vector<std::string> out;
        std::string item;
        std::istringstream in(raw);
        while (std::getline(in, item, '|')) out.push_back(text::toGbk(item));
        return out;
    }
    if (type == "point" || type == "vector") return triple(raw, type);
    throw std::runtime_error("unknown property type " + type);
}

// Dialogs nest a group or two; deeper nesting is a damaged file.
const int kMaxGroupDepth = 16;

void readBlocks(Dialog& d, pugi::xml_node node, Block* parent, int depth = 0) {
    if (depth > kMaxGroupDepth) throw std::runtime_error("blocks nest deeper than " + std::to_string(kMaxGroupDepth) + " groups");
    for (pugi::xml_node n : node.children("block")) {
        auto b = std::make_unique<Block>();
        b->id = text::toGbk(n.attribute("id").as_string());
        b->kind = n.attribute("kind").as_string();
        b->label = text::toGbk(n.attribute("label").as_string());
        if (b->id.empty()) throw std::runtime_error("a block without id");
        if (d.find(b->id)) throw std::runtime_error("two blocks with id " + text::toUtf8Lossy(b->id));
        b->props = defaults(b->kind);
        b->set("Label", b->label);
        for (pugi::xml_node m : n.children("member")) b->members.push_back(text::toGbk(m.text().as_string()));
        for (pugi::xml_node p : n.children("property")) {
            std::string name = p.attribute("name").as_string();
            Property* cur = b->find(name);
            Value v = parseValue(p.attribute("type").as_string(), p.text().as_string(), cur ? &cur->value : nullptr);
            if (cur) cur->value = v;
            else b->props.push_back({name, v});
        }
        b->parent = parent;
        b->ui = makeUi(b.get());
        if (!b->ui) throw std::runtime_error("unknown block kind " + b->kind);
        Block* raw = b.get();
        if (parent) parent->children.push_back(raw);
        d.blocks.push_back(std::move(b));
        readBlocks(d, n, raw, depth + 1);
    }
}

template <class T>
std::unique_ptr<BS::UIBlock> mk(Block* b) {
    struct Made : T { explicit Made(Block* x) : T(x) {} };
    return std::make_unique<Made>(b);
}

std::unique_ptr<BS::UIBlock> makeUi(Block* b) {
    const std::string& k = b->kind;
    if (k == "Group") return mk<BS::Group>(b);
    if (k == "Separator") return mk<BS::Separator>(b);
    if (k == "Button") return mk<BS::Button>(b);
    if (k == "Label") return mk<BS::Label>(b);
    if (k == "DrawingArea") return mk<BS::DrawingArea>(b);
    if (k == "StringBlock") return mk<BS::StringBlock>(b);
    if (k == "Toggle") return mk<BS::Toggle>(b);
    if (k == "Enumeration") return mk<BS::Enumeration>(b);
    if (k == "SelectObject") return mk<BS::SelectObject>(b);
    if (k == "ObjectColorPicker") return mk<BS::ObjectColorPicker>(b);
    if (k == "FolderSelection") return mk<BS::FolderSelection>(b);
    if (k == "DoubleBlock") return mk<BS::DoubleBlock>(b);
    if (k == "LinearDimension") return mk<BS::LinearDimension>(b);
    if (k == "ExpressionBlock") return mk<BS::ExpressionBlock>(b);
    if (k == "SpecifyPoint") return mk<BS::SpecifyPoint>(b);
    if (k == "SpecifyOrientation") return mk<BS::SpecifyOrientation>(b);
    if (k == "Tree") return mk<BS::Tree>(b);
    return nullptr;
}

Block& blockOf(Dialog& d, const std::string& id) {
    Block* b = d.find(id);
    if (!b) throw UserError("the dialog has no block " + text::toUtf8Lossy(id));
    return *b;
}

void changed(Dialog& d, Block& b) {
    if (d.update) d.update(b.ui.get());
}

std::string number(double v) {
    std::ostringstream o;
    o << v;
    return o.str();
}

}  // namespace

Property* Block::find(const std::string& name) {
    for (auto& p : props)
        if (p.name == name) return &p;
    return nullptr;
}

Value& Block::get(const std::string& name) {
    Property* p = find(name);
    if (!p) propertyError(*this, name, "does not exist on a " + kind);
    return p->value;
}

void Block::set(const std::string& name, Value v) {
    Value& cur = get(name);
    if (cur.index() != v.index()) propertyError(*this, name, "is of another type");
    cur = std::move(v);
}

bool Block::shown() const {
    for (const Block* b = this; b; b = b->parent) {
        auto* self = const_cast<Block*>(b);
        if (!std::get<bool>(self->get("Show"))) return false;
    }
    return true;
}

Dialog::Dialog(const std::string& path) : file(path) {
    pugi::xml_document doc;
    if (!std::filesystem::exists(path)) throw NXException(3520017, "Dialog file not found: " + paths::toWindows(path));
    pugi::xml_parse_result r = doc.load_file(path.c_str());
    if (!r) throw NXException(3520018, "Dialog file " + paths::toWindows(path) + " cannot be read: " + r.description());
    pugi::xml_node root = doc.child("dialog");
    if (!root) throw NXException(3520018, "Dialog file " + paths::toWindows(path) + " is not a dialog");
    try {
        title = text::toGbk(root.attribute("title").as_string());
        std::istringstream in(root.attribute("buttons").as_string("ok apply cancel"));
        std::string b;
        while (in >> b) buttons.push_back(b);
        readBlocks(*this, root, nullptr);
    } catch (const NXException&) {
        throw;
    } catch (const std::exception& e) {
        throw NXException(3520018, "Dialog file " + paths::toWindows(path) + " is damaged: " + e.what());
    }
    struct Top : BS::CompositeBlock { explicit Top(Block* x) : BS::CompositeBlock(x) {} };
    top = std::make_unique<Top>(nullptr);
}

Block* Dialog::find(const std::string& id) {
    for (auto& b : blocks)
        if (b->id == id) return b.get();
    return nullptr;
}

bool Dialog::hasButton(const std::string& b) const {
    for (auto& x : buttons)
        if (x == b) return true;
    return false;
}

void setUser(User* u) { g_user = u; }
User* user() { return g_user; }

Counters& counters() {
    static Counters c;
    return c;
}

std::string dialogFolder() { return session().baseDir + "/application"; }

void setValue(Dialog& d, const std::string& id, const std::string& v) {
    Block& b = blockOf(d, id);
    const std::string& k = b.kind;
    try {
        if (k == "StringBlock") b.set("Value", v);
        else if (k == "Toggle") {
            if (v == "on" || v == "true" || v == "1") b.set("Value", true);
            else if (v == "off" || v == "false" || v == "0") b.set("Value", false);
            else throw UserError("a toggle takes on or off, not " + text::toUtf8Lossy(v));
        } else if (k == "Enumeration") {
            int index = -1;
            for (size_t i = 0; i < b.members.size(); ++i)
                if (b.members[i] == v) index = static_cast<int>(i);
            if (index < 0) {
                char* end = nullptr;
                long n = std::strtol(v.c_str(), &end, 10);
                if (v.empty() || *end) throw UserError("enumeration " + text::toUtf8Lossy(id) + " has no member " + text::toUtf8Lossy(v));
                index = static_cast<int>(n);
            }
            if (index < 0 || (!b.members.empty() && index >= static_cast<int>(b.members.size())))
                throw UserError("enumeration " + text::toUtf8Lossy(id) + " has no member " + std::to_string(index));
            b.set("Value", index);
        } else if (k == "DoubleBlock" || k == "LinearDimension" || k == "ExpressionBlock") {
            char* end = nullptr;
            double n = std::strtod(v.c_str(), &end);
            if (v.empty() || *end || !std::isfinite(n)) throw UserError("block " + text::toUtf8Lossy(id) + " takes a number, not " + text::toUtf8Lossy(v));
            b.set("Value", n);
        } else if (k == "FolderSelection") {
            // A user may clear the field: an empty folder is no folder, not the working one.
            b.set("Path", v.empty() ? std::string() : paths::toWindows(text::toUtf8(v)));
        } else if (k == "ObjectColorPicker") {
            int c = text::toInteger(v, "a colour");
            if (c < 0 || c > 216) throw UserError("a colour runs from 0 to 216, not " + v);
            b.set("Value", std::vector<int>{c});
        } else if (k == "SpecifyPoint") {
            b.set("Point", triple(v, "a point"));
        } else if (k == "SpecifyOrientation") {
            std::istringstream in(v);
            std::array<double, 9> n{};
            std::string rest;
            for (double& x : n)
                if (!(in >> x) || !std::isfinite(x)) throw UserError("an orientation takes nine numbers: origin, x axis, y axis");
            if (in >> rest) throw UserError("an orientation takes nine numbers: origin, x axis, y axis");
            // The manipulator's axes are a unit right-handed frame whatever the user typed: x as given,
            // y made square to it; axes that span no plane are no orientation.
            std::array<double, 3> x = {n[3], n[4], n[5]}, y = {n[6], n[7], n[8]};
            auto dot = [](const std::array<double, 3>& a, const std::array<double, 3>& c) { return a[0] * c[0] + a[1] * c[1] + a[2] * c[2]; };
            auto unit = [&](std::array<double, 3>& a) {
                const double l = std::sqrt(dot(a, a));
                if (!(l > 1e-9) || !std::isfinite(l)) return false;
                for (double& c : a) c /= l;
                return true;
            };
            bool ok = unit(x) && unit(y);
            if (ok) {
                const double d = dot(x, y);
                for (int i = 0; i < 3; ++i) y[i] -= d * x[i];
                ok = unit(y);
            }
            if (!ok) throw UserError("an orientation needs an x axis and a y axis that span a plane");
            std::array<double, 3> z = {x[1] * y[2] - x[2] * y[1], x[2] * y[0] - x[0] * y[2], x[0] * y[1] - x[1] * y[0]};
            b.set("Origin", std::array<double, 3>{n[0], n[1], n[2]});
            b.set("XAxis", x);
            b.set("YAxis", y);
            b.set("ZAxis", z);
        } else {
            throw UserError("block " + text::toUtf8Lossy(id) + " (" + k + ") takes no value");
        }
    } catch (const UserError&) {
        throw;
    } catch (const std::exception& e) {
        throw UserError("block " + text::toUtf8Lossy(id) + ": " + e.what());
    }
    changed(d, b);
}

void pick(Dialog& d, const std::string& id, const std::vector<tag_t>& objects) {
    Block& b = blockOf(d, id);
    if (b.kind != "SelectObject") throw UserError("block " + text::toUtf8Lossy(id) + " is a " + b.kind + ", not a selection");
    const Filter& f = std::get<Filter>(b.get("SelectionFilter"));
    std::vector<tag_t> chosen;
    for (tag_t t : objects) {
        Object& o = session().object(t);
        bool typeOk = f.masks.empty();
        for (auto& m : f.masks)
            if (m[0] == o.type && (m[1] == o.subtype || m[1] == 0)) typeOk = true;
        auto* nx = NXOpen::NXObjectManager::Get(t);
        if (!typeOk || (d.filter && d.filter(b.ui.get(), nx) == 0)) {
            session().say("[pick] " + text::toUtf8Lossy(o.name.empty() ? std::to_string(t) : o.name) + " cannot be picked here");
            continue;
        }
        chosen.push_back(t);
    }
    b.set("SelectedObjects", chosen);
    changed(d, b);
}

void press(Dialog& d, const std::string& id) {
    Block& b = blockOf(d, id);
    if (b.kind != "Button") throw UserError("block " + text::toUtf8Lossy(id) + " is a " + b.kind + ", not a button");
    if (!b.shown() || !std::get<bool>(b.get("Enable"))) throw UserError("button " + text::toUtf8Lossy(id) + " is not available now");
    changed(d, b);
}

void pressApply(Dialog& d) {
    if (!d.hasButton("apply")) throw UserError("the dialog has no Apply button");
    if (d.apply) d.apply();
}

void pressOk(Dialog& d) {
    if (!d.hasButton("ok")) throw UserError("the dialog has no OK button");
    int r = d.ok ? d.ok() : 0;
    if (r == 0) d.open = false;
}

void pressCancel(Dialog& d) {
    if (d.cancel) d.cancel();
    d.open = false;
}

std::string pictureName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return text::toUtf8Lossy(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string blockText(Dialog& d, const std::string& id) {
    Block& b = blockOf(d, id);
    const std::string& k = b.kind;
    if (k == "StringBlock") return text::toUtf8Lossy(std::get<std::string>(b.get("Value")));
    if (k == "Toggle") return std::get<bool>(b.get("Value")) ? "on" : "off";
    if (k == "Enumeration") return std::to_string(std::get<int>(b.get("Value")));
    if (k == "DoubleBlock" || k == "LinearDimension" || k == "ExpressionBlock") return number(std::get<double>(b.get("Value")));
    if (k == "FolderSelection") return text::toUtf8Lossy(std::get<std::string>(b.get("Path")));
    if (k == "Tree") return treeText(b);
    if (k == "DrawingArea") return pictureName(std::get<std::string>(b.get("Image")));
    if (k == "SpecifyPoint") {
        auto& p = std::get<std::array<double, 3>>(b.get("Point"));
        return number(p[0]) + " " + number(p[1]) + " " + number(p[2]);
    }
    if (k == "ObjectColorPicker") {
        auto& v = std::get<std::vector<int>>(b.get("Value"));
        return v.empty() ? "" : std::to_string(v[0]);
    }
    if (k == "SelectObject") {
        std::string out;
        for (tag_t t : std::get<std::vector<tag_t>>(b.get("SelectedObjects"))) {
            Object* o = session().find(t);
            if (!out.empty()) out += ",";
            out += o ? text::toUtf8Lossy(o->name) : "?";
        }
        return out;
    }
    return text::toUtf8Lossy(std::get<std::string>(b.get("Label")));
}

}  // namespace host::ui
