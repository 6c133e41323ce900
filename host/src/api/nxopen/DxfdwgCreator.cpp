// Export of a drawing sheet for AutoCAD users, from the drawing the SVG render shows.
#include <algorithm>
#include <filesystem>
#include "NXOpen/DxfdwgCreator.hxx"
#include "NXOpen/NXException.hxx"
#include "api/common.h"
#include "draft/render.h"
#include "export/dxf.h"
#include "files/partfile.h"
#include "files/paths.h"
#include "text.h"

using namespace NXOpen;

void DxfdwgCreator::Commit() {
    host::Session& s = host::session();
    const std::string input = std::filesystem::absolute(host::paths::toHost(input_.GetText())).lexically_normal().string();
    host::Part* p = s.partByPath(input);
    try {
        if (!p) p = &host::partfile::open(input);
    } catch (const host::HostError& e) {
        throw NXException(3520070, e.what());
    }
    host::Object* sheet = s.sheetNamed(*p, sheets_.GetText());
    if (!sheet) throw NXException(3520071, "the part has no drawing sheet " + std::string(sheets_.GetText()));
    // An export goes sheet by sheet: once a second sheet of a part follows, the part's sheets still to
    // be projected are drawn ahead, and again whenever the helper is done before the batch is.
    static std::pair<host::Part*, tag_t> last{nullptr, NULL_TAG};
    if (last.first == p && last.second != sheet->tag && !host::draft::drawingAhead() && !host::draft::projected(*sheet)) {
        std::vector<host::Object*> rest;
        const std::vector<tag_t> all = s.sheets(*p);
        for (auto it = std::find(all.begin(), all.end(), sheet->tag); it != all.end(); ++it) rest.push_back(&s.object(*it));
        host::draft::drawAhead(rest);
    }
    last = {p, sheet->tag};
    // No DWG writer exists here: the sheet goes into a DXF beside the name asked for.
    std::filesystem::path out = host::paths::toHost(output_.GetText());
    out.replace_extension(".dxf");
    try {
        host::exporter::dxf(host::draft::drawSheet(*sheet), out.string());
    } catch (const std::exception& e) {
        throw NXException(3520072, host::text::toGbkLossy(e.what()));
    }
    s.say("[export] " + out.string());
}
