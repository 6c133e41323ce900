#include "export/bmp.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include "files/paths.h"
#include "geom/projection.h"

namespace host::exporter {

Picture::Picture(int width, int height) : w_(width), h_(height), gray_(static_cast<size_t>(width) * height, 255) {
    if (width < 8 || height < 8 || width > 4096 || height > 4096) throw std::runtime_error("a picture is 8 to 4096 pixels each way");
}

void Picture::line(double x1, double y1, double x2, double y2) {
    const double steps = std::max({std::abs(x2 - x1), std::abs(y2 - y1), 1.0});
    if (!std::isfinite(steps) || steps > 1e5) return;
    for (int i = 0; i <= static_cast<int>(std::ceil(steps)); ++i) {
        const double t = i / std::ceil(steps);
        const int x = static_cast<int>(std::lround(x1 + (x2 - x1) * t)), y = static_cast<int>(std::lround(y1 + (y2 - y1) * t));
        if (x >= 0 && y >= 0 && x < w_ && y < h_) gray_[static_cast<size_t>(y) * w_ + x] = 0;
    }
}

void Picture::save(const std::string& path) const {
    // Rows bottom up, each padded to four bytes, as the format has it.
    const uint32_t row = (3 * static_cast<uint32_t>(w_) + 3) / 4 * 4, data = row * h_;
    std::vector<unsigned char> out(54 + data, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, 54 + data);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w_));
    put32(22, static_cast<uint32_t>(h_));
    out[26] = 1;
    out[28] = 24;
    put32(34, data);
    put32(38, 2835);
    put32(42, 2835);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const unsigned char g = gray_[static_cast<size_t>(h_ - 1 - y) * w_ + x];
            const size_t at = 54 + static_cast<size_t>(y) * row + 3 * x;
            out[at] = out[at + 1] = out[at + 2] = g;
        }
    paths::writeWhole(path, std::string_view(reinterpret_cast<const char*>(out.data()), out.size()));
}

Picture preview(const std::vector<TopoDS_Shape>& solids, int width, int height) {
    Picture pic(width, height);
    const geom::Projection p = geom::project(solids, geom::viewAxes("TFR-ISO"), false);
    if (p.empty()) return pic;
    const double margin = 0.08 * std::min(width, height);
    const double k = std::min((width - 2 * margin) / std::max(p.xmax - p.xmin, 1e-9), (height - 2 * margin) / std::max(p.ymax - p.ymin, 1e-9));
    const double cx = (p.xmin + p.xmax) / 2, cy = (p.ymin + p.ymax) / 2;
    auto X = [&](double x) { return width / 2.0 + (x - cx) * k; };
    auto Y = [&](double y) { return height / 2.0 - (y - cy) * k; };
    for (const geom::Curve2d& c : p.curves) {
        if (!c.visible) continue;
        if (c.kind == geom::Curve2d::Arc || c.kind == geom::Curve2d::Circle) {
            const double a1 = c.kind == geom::Curve2d::Circle ? 0 : c.a1;
            double sweep = c.kind == geom::Curve2d::Circle ? 360 : std::fmod(c.a2 - c.a1 + 720, 360);
            const int n = std::max(4, static_cast<int>(sweep / 5));
            for (int i = 0; i < n; ++i) {
                const double u = (a1 + sweep * i / n) * M_PI / 180, v = (a1 + sweep * (i + 1) / n) * M_PI / 180;
                pic.line(X(c.cx + c.r * std::cos(u)), Y(c.cy + c.r * std::sin(u)), X(c.cx + c.r * std::cos(v)), Y(c.cy + c.r * std::sin(v)));
            }
        } else {
            for (size_t i = 0; i + 3 < c.xy.size(); i += 2) pic.line(X(c.xy[i]), Y(c.xy[i + 1]), X(c.xy[i + 2]), Y(c.xy[i + 3]));
        }
    }
    return pic;
}

Picture icon(const std::string& kind, int width, int height) {
    Picture pic(width, height);
    const double w = width - 1, h = height - 1;
    auto box = [&](double x1, double y1, double x2, double y2) {
        pic.line(x1, y1, x2, y1);
        pic.line(x2, y1, x2, y2);
        pic.line(x2, y2, x1, y2);
        pic.line(x1, y2, x1, y1);
    };
    if (kind == "folder") {
        // A folder with its tab.
        box(0.2 * w, 0.35 * h, 0.8 * w, 0.8 * h);
        pic.line(0.2 * w, 0.35 * h, 0.25 * w, 0.25 * h);
        pic.line(0.25 * w, 0.25 * h, 0.45 * w, 0.25 * h);
        pic.line(0.45 * w, 0.25 * h, 0.5 * w, 0.35 * h);
    } else if (kind == "none") {
        // An empty frame, crossed: there is no picture of this part.
        box(0.1 * w, 0.1 * h, 0.9 * w, 0.9 * h);
        pic.line(0.1 * w, 0.1 * h, 0.9 * w, 0.9 * h);
        pic.line(0.9 * w, 0.1 * h, 0.1 * w, 0.9 * h);
    } else if (kind == "welcome") {
        // A cube seen from the corner, the library's mark.
        const double cx = 0.5 * w, cy = 0.5 * h, r = 0.3 * std::min(w, h);
        const double a = r * std::cos(M_PI / 6), b = r / 2;
        pic.line(cx, cy, cx, cy + r);
        pic.line(cx, cy, cx - a, cy - b);
        pic.line(cx, cy, cx + a, cy - b);
        pic.line(cx - a, cy - b, cx, cy - r);
        pic.line(cx + a, cy - b, cx, cy - r);
        pic.line(cx - a, cy - b, cx - a, cy + b);
        pic.line(cx + a, cy - b, cx + a, cy + b);
        pic.line(cx - a, cy + b, cx, cy + r);
        pic.line(cx + a, cy + b, cx, cy + r);
    } else {
        throw std::runtime_error("no picture " + kind + " (welcome, folder, none)");
    }
    return pic;
}

}  // namespace host::exporter
