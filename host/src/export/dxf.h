// DXF of a sheet's drawing, for AutoCAD users: the same drawing the SVG render shows.
#pragma once
#include <string>
#include "draft/render.h"

namespace host::exporter {

// Writes the drawing as an AutoCAD 2000 DXF (AC1015) with its code page declared (ANSI_936: texts are
// GBK), layers FRAME, TITLE, VISIBLE and HIDDEN, hidden edges on a dashed linetype; lines, arcs and
// circles where the drawing has them. Written aside and renamed over `path`; throws when it cannot.
void dxf(const draft::Drawing& d, const std::string& path);

}  // namespace host::exporter
