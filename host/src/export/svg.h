// SVG of a sheet's drawing: what a person looks at.
#pragma once
#include <functional>
#include <string>
#include "draft/render.h"

namespace host {
struct Part;
}

namespace host::exporter {

// The same drawing gives the same bytes.
std::string svg(const draft::Drawing& d);

// One SVG per drawing sheet of `part` into `folder`, named after the sheet, each written aside and
// renamed into place; `written` hears each file as it lands. Throws std::runtime_error when a file
// cannot be written.
void writeSheets(Part& part, const std::string& folder, const std::function<void(const std::string&)>& written);

}  // namespace host::exporter
