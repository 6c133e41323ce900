// Small pictures as 24-bit BMP files: previews of parts drawn from their own geometry, and the
// library's fixed pictures.
#pragma once
#include <string>
#include <vector>
#include <TopoDS_Shape.hxx>

namespace host::exporter {

// A picture of lines on white.
class Picture {
public:
    Picture(int width, int height);
    void line(double x1, double y1, double x2, double y2);   // pixels, y down
    // Written aside and renamed over `path`; throws std::runtime_error when it cannot be written.
    void save(const std::string& path) const;
    int width() const { return w_; }
    int height() const { return h_; }
private:
    int w_, h_;
    std::vector<unsigned char> gray_;   // 255 white, 0 black
};

// The solids seen from the isometric direction, their visible edges fitted into the picture.
Picture preview(const std::vector<TopoDS_Shape>& solids, int width, int height);
// The library's fixed pictures: "welcome", "folder" and "none" (a part without a picture).
Picture icon(const std::string& kind, int width, int height);

}  // namespace host::exporter
