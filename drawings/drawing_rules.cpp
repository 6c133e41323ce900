#include "drawings/drawing_rules.hpp"
#include <algorithm>
#include <cmath>
#include "components/naming.hpp"

namespace drawing {

namespace {

void gapsAt(Layout& l, double scale, const SheetFit& s) {
    l.scale = scale;
    // With nothing measured the scale is not finite; the gaps are those of the scale drawn at.
    const double g = std::isfinite(scale) ? scale : 1.0;
    l.horizontalGap = (s.width - (l.x + l.y) * g) / 3;
    l.verticalGap = (kSheetHeight - (l.y + l.z) * g - s.bottomReserve - l.horizontalGap) / 2;
}

Rect around(Point c, double w, double h) { return {c.x - w / 2, c.y - h / 2, c.x + w / 2, c.y + h / 2}; }

bool overlap(const Rect& a, const Rect& b, double margin) {
    return a.x0 < b.x1 + margin && b.x0 < a.x1 + margin && a.y0 < b.y1 + margin && b.y0 < a.y1 + margin;
}

bool inside(const Rect& r, const Rect& frame, double margin) {
    return r.x0 >= frame.x0 + margin && r.x1 <= frame.x1 - margin && r.y0 >= frame.y0 + margin && r.y1 <= frame.y1 - margin;
}

}  // namespace

Layout fit(double x, double y, double z, const SheetFit& s) {
    Layout l;
    l.x = x;
    l.y = y;
    l.z = z;
    const double W = s.width, H = kSheetHeight;
    const double sx = W / (x + y), sy = H / (y + z);
    const double a = s.sideAllowance / sx, b = s.heightAllowance / sy;
    const double tx = W / (x + y + a), ty = H / (y + z + b);
    gapsAt(l, std::min(tx, ty) / 1.2, s);
    return l;
}

ViewRects viewRects(const Layout& l) {
    const double s = l.usable(), i = isoScale(s);
    const ViewPlaces p = places(l);
    ViewRects r;
    r.front = around(p.front, l.x * s, l.z * s);
    r.below = around(p.below, l.x * s, l.y * s);
    r.right = around(p.right, l.y * s, l.z * s);
    // An isometric view shows a box of x, y, z as (x + y) / sqrt 2 across and (x + y + 2z) / sqrt 6 up.
    r.iso = around(p.iso, (l.x + l.y) / std::sqrt(2.0) * i, (l.x + l.y + 2 * l.z) / std::sqrt(6.0) * i);
    return r;
}

bool clearOnSheet(const Layout& l, const SheetFit& sheet) {
    const ViewRects r = viewRects(l);
    const Rect all[] = {r.front, r.below, r.right, r.iso};
    for (const Rect& v : all)
        if (!inside(v, sheet.frame, kViewMargin) || overlap(v, sheet.titleBlock, kViewMargin)) return false;
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = i + 1; j < 4; ++j)
            if (overlap(all[i], all[j], kViewMargin)) return false;
    return true;
}

Layout fitOnSheet(double x, double y, double z, const SheetFit& sheet) {
    Layout l = fit(x, y, z, sheet);
    if (l.usable() != l.scale || clearOnSheet(l, sheet)) return l;
    // Views shrink towards the places the gaps give a scale of nothing, which are clear on both sheets:
    // halve the range of scales until the largest clear one is found to a millionth.
    double clear = 0, crowded = l.scale;
    Layout at = l;
    for (int i = 0; i < 40; ++i) {
        const double mid = (clear + crowded) / 2;
        gapsAt(at, mid, sheet);
        (clearOnSheet(at, sheet) ? clear : crowded) = mid;
    }
    gapsAt(l, clear, sheet);
    return l;
}

ViewPlaces places(const Layout& l) {
    const double s = l.usable(), gx = l.horizontalGap, gy = l.verticalGap;
    ViewPlaces p;
    p.front = {gx + l.x * s / 2, kSheetHeight - gy - l.z * s / 2};
    p.below = {p.front.x, gy + 55 + l.y * s / 2};
    p.right = {2 * gx + l.x * s + l.y * s / 2, p.front.y};
    p.iso = {p.right.x, p.below.y};
    return p;
}

void Extents::add(const double box[6]) {
    for (int i = 0; i < 3; ++i) {
        min[i] = any ? std::min(min[i], box[i]) : box[i];
        max[i] = any ? std::max(max[i], box[i + 3]) : box[i + 3];
    }
    any = true;
}

SheetName assemblySheet(const std::string& stem, const std::string& path) {
    SheetName n;
    n.path = path;
    n.stem = stem;
    std::string tail = naming::afterLastDash(stem), head = naming::beforeLastDash(stem);
    n.tail = naming::allDigits(tail) ? tail : std::string();
    n.name = naming::afterLastDash(head);
    n.sheet = n.tail + "-0组件-" + n.name;
    return n;
}

SheetName partSheet(const std::string& stem, const std::string& path) {
    SheetName n;
    n.path = path;
    n.stem = stem;
    if (naming::lastOf(stem, '-') == std::string::npos) return n;
    std::string last = naming::afterLastDash(stem), head = naming::beforeLastDash(stem);
    std::string middle = naming::afterLastDash(head), front = naming::beforeLastDash(head);
    if (naming::allDigits(middle)) {
        n.tail = middle + "-" + last;
        n.name = naming::afterLastDash(front);
        n.sheet = n.tail + "-" + n.name;
    } else {
        n.tail = last;
        n.name = middle;
        n.sheet = "000-" + last + "-" + middle;
    }
    return n;
}

bool assemblyDrawn(const std::string& stem) {
    if (naming::contains(stem, "装配") || naming::contains(stem, "数模")) return false;
    if (naming::lastOf(stem, '-') == std::string::npos) return false;
    return naming::allDigits(naming::afterLastDash(stem));
}

Marker markerOf(const std::string& t) {
    static const char* const markers[] = {"定义材料", "定义后图号", "定义数量", "定义总数", "定义图纸名称"};
    for (int m = kMaterial; m < kNoMarker; ++m)
        if (naming::contains(t, markers[m])) return static_cast<Marker>(m);
    return kNoMarker;
}

std::string titleCell(const std::string& t, const TitleValues& v, bool& changed) {
    Marker m = markerOf(t);
    changed = m != kNoMarker;
    switch (m) {
        case kMaterial: return v.material;
        case kNumber: return v.number;
        case kQuantity: return v.quantity;
        case kTotal: return v.total;
        case kName: return v.name;
        default: return t;
    }
}

std::string fromFirstDash(const std::string& number) {
    size_t p = naming::find(number, "-");
    return p == std::string::npos ? std::string() : number.substr(p);
}

std::string afterFirstDash(const std::string& number) {
    size_t p = naming::find(number, "-");
    return p == std::string::npos ? std::string() : number.substr(p + 1);
}

std::string layerNumber(const std::string& prefix, const std::string& tail, int k, bool assembly) {
    return assembly ? prefix + "-" + std::to_string(k) : prefix + "-" + tail + "-" + std::to_string(k);
}

std::string previousPrefix(const std::vector<std::string>& stems) {
    std::vector<std::string> heads;
    for (const std::string& s : stems) {
        size_t dash = naming::find(s, "-");
        if (dash != std::string::npos) heads.push_back(s.substr(0, dash));
    }
    int best = 0;
    std::string prefix;
    for (const std::string& h : heads) {
        int c = static_cast<int>(std::count(heads.begin(), heads.end(), h));
        if (c >= best) best = c, prefix = h;
    }
    if (stems.empty() || best * 10 < 6 * static_cast<int>(stems.size())) return "";
    return prefix;
}

std::string newStem(const std::string& stem, const std::string& prefix, const std::string& previous) {
    size_t dash = naming::find(stem, "-");
    std::string rest = stem;
    if (!previous.empty() && dash != std::string::npos && stem.substr(0, dash) == previous) rest = stem.substr(dash + 1);
    return prefix + "-" + rest;
}

}  // namespace drawing
