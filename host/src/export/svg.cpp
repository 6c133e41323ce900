#include "export/svg.h"
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include "files/paths.h"
#include "model/session.h"
#include "text.h"

namespace host::exporter {
namespace {

std::string num(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.3f", std::abs(v) < 5e-4 ? 0.0 : v);
    std::string s = b;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::string escape(const std::string& t) {
    std::string out;
    for (char c : t) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

std::string stroke(const std::string& layer, bool hidden, int rgb) {
    std::string colour = "#000";
    if (rgb >= 0) {
        char c[8];
        std::snprintf(c, sizeof c, "#%06x", rgb & 0xffffff);
        colour = c;
    }
    const std::string s = " stroke=\"" + colour + "\"";
    if (hidden) return s + R"( stroke-width="0.18" stroke-dasharray="1.5 0.8")";
    if (layer == "VISIBLE") return s + R"( stroke-width="0.35")";
    if (layer == "FRAME") return s + R"( stroke-width="0.5")";
    return s + R"( stroke-width="0.25")";
}

}  // namespace

std::string svg(const draft::Drawing& d) {
    std::string o;
    o += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    o += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(d.width) + "mm\" height=\"" + num(d.height) + "mm\" viewBox=\"0 0 " +
         num(d.width) + " " + num(d.height) + "\">\n";
    o += "<rect width=\"" + num(d.width) + "\" height=\"" + num(d.height) + "\" fill=\"#fff\"/>\n";
    // Sheet coordinates have y up: one flip for all the geometry; texts are placed upright below.
    o += "<g transform=\"translate(0 " + num(d.height) + ") scale(1 -1)\" fill=\"none\" stroke-linecap=\"round\">\n";
    for (const auto& p : d.paths) {
        if (p.xy.size() < 4) continue;
        if (p.xy.size() == 4) {
            o += "<line x1=\"" + num(p.xy[0]) + "\" y1=\"" + num(p.xy[1]) + "\" x2=\"" + num(p.xy[2]) + "\" y2=\"" + num(p.xy[3]) + "\"" +
                 stroke(p.layer, p.hidden, p.rgb) + "/>\n";
            continue;
        }
        o += "<polyline points=\"";
        for (size_t i = 0; i + 1 < p.xy.size(); i += 2) o += (i ? " " : "") + num(p.xy[i]) + "," + num(p.xy[i + 1]);
        o += std::string("\"") + stroke(p.layer, p.hidden, p.rgb) + "/>\n";
    }
    for (const auto& a : d.arcs) {
        if (a.full) {
            o += "<circle cx=\"" + num(a.cx) + "\" cy=\"" + num(a.cy) + "\" r=\"" + num(a.r) + "\"" + stroke(a.layer, a.hidden, a.rgb) + "/>\n";
            continue;
        }
        double a1 = a.a1 * M_PI / 180, a2 = a.a2 * M_PI / 180;
        double sweep = std::fmod(a.a2 - a.a1 + 720, 360);
        o += "<path d=\"M " + num(a.cx + a.r * std::cos(a1)) + " " + num(a.cy + a.r * std::sin(a1)) + " A " + num(a.r) + " " + num(a.r) +
             " 0 " + (sweep > 180 ? "1" : "0") + " 1 " + num(a.cx + a.r * std::cos(a2)) + " " + num(a.cy + a.r * std::sin(a2)) + "\"" +
             stroke(a.layer, a.hidden, a.rgb) + "/>\n";
    }
    o += "</g>\n";
    o += "<g font-family=\"Noto Sans CJK SC, WenQuanYi Zen Hei, sans-serif\" text-anchor=\"middle\" dominant-baseline=\"central\" fill=\"#000\">\n";
    for (const auto& t : d.texts)
        o += "<text x=\"" + num(t.x) + "\" y=\"" + num(d.height - t.y) + "\" font-size=\"" + num(t.height) + "\">" + escape(t.utf8) + "</text>\n";
    o += "</g>\n</svg>\n";
    return o;
}

void writeSheets(Part& part, const std::string& folder, const std::function<void(const std::string&)>& written) {
    namespace fs = std::filesystem;
    Session& s = session();
    fs::create_directories(folder);
    std::vector<Object*> sheets;
    for (tag_t t : s.sheets(part)) sheets.push_back(&s.object(t));
    draft::drawAhead(sheets);
    for (Object* o : sheets) {
        Object& sheet = *o;
        std::string name = text::toUtf8Lossy(sheet.name);
        for (char& c : name)
            if (c == '/' || c == '\\') c = '_';
        const std::string file = (fs::path(folder) / (name + ".svg")).string();
        paths::writeWhole(file, svg(draft::drawSheet(sheet)));
        if (written) written(file);
    }
}

}  // namespace host::exporter
