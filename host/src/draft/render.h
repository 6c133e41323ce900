// One drawing of a sheet in sheet millimetres (origin lower left, y up): what the SVG render and the
// DXF export both write, so that neither computes a projection of its own.
#pragma once
#include <string>
#include <vector>

namespace host {
struct Object;
}

namespace host::draft {

struct Drawing {
    double width = 0, height = 0;
    // Layers named for what they hold: FRAME, TITLE (grid and texts of notes), VISIBLE and HIDDEN edges.
    // rgb: 0xRRGGBB for an edge drawn in a colour of its own (a body shaded in its view), -1 by layer.
    struct Path { std::vector<double> xy; std::string layer; bool hidden = false; int rgb = -1; };
    struct Arc { double cx = 0, cy = 0, r = 0, a1 = 0, a2 = 360; bool full = false; std::string layer; bool hidden = false; int rgb = -1; };
    struct Text { double x = 0, y = 0, height = 3.5; std::string utf8, layer; };
    std::vector<Path> paths;
    std::vector<Arc> arcs;
    std::vector<Text> texts;
};

// The sheet's frame, its notes with their texts, and each view's hidden-line projection at its scale,
// centred where the view stands. Orthographic views show hidden edges (layer HIDDEN), the isometric
// view only visible ones, unless the view's hidden-line font says otherwise (0: none, else dashed).
// Bodies erased from a view are not drawn; a shaded body's edges are drawn once more in its colour
// over the rest, seen through what is in front of it as a translucent shade is. Projections of the
// same bodies in the same direction are made once.
Drawing drawSheet(Object& sheet);

// A batch about to draw `sheets` one by one: every other one is drawn ahead in a second process, so
// that the batch takes both of a machine's cores.
void drawAhead(const std::vector<Object*>& sheets);
// Whether a helper is still drawing ahead; whether every view of a sheet is projected already.
bool drawingAhead();
bool projected(Object& sheet);

}  // namespace host::draft
