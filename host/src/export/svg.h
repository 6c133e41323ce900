// SVG of a sheet's drawing: what a person looks at.
#pragma once
#include <string>
#include "draft/render.h"

namespace host::exporter {

// The same drawing gives the same bytes.
std::string svg(const draft::Drawing& d);

}  // namespace host::exporter
