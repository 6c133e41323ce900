// Drawing sheets of a part, made from templates.
#include "NXOpen/Drawings_DrawingSheet.hxx"
#include "NXOpen/NXException.hxx"
#include "api/common.h"
#include "draft/drafting.h"
#include "files/paths.h"
#include "text.h"

using namespace NXOpen;
using namespace host::api;

NXObject* Drawings::DrawingSheetBuilder::Commit() {
    host::Part& p = partOf(part_);
    std::string location = template_.GetText();
    if (location.empty()) throw NXException(3520060, "the sheet has no template");
    try {
        host::Object& sheet = host::draft::sheetFromTemplate(p, host::paths::toHost(location), location, name_.GetText());
        return static_cast<NXObject*>(NXObjectManager::Get(sheet.tag));
    } catch (const host::HostError& e) {
        throw NXException(3520061, e.what());
    }
}

Drawings::DrawingSheetBuilder* Drawings::DrawingSheetCollection::DrawingSheetBuilder(DrawingSheet* sheet) {
    partOf(part_);
    if (sheet) throw NXException(3520062, "editing a sheet through its builder is not provided by this host");
    return new Drawings::DrawingSheetBuilder(part_);
}

Drawings::DrawingSheetCollection::iterator Drawings::DrawingSheetCollection::begin() {
    snapshot_.clear();
    for (tag_t t : S().sheets(partOf(part_))) snapshot_.push_back(static_cast<DrawingSheet*>(NXObjectManager::Get(t)));
    return snapshot_.begin();
}

Drawings::DrawingSheetCollection::iterator Drawings::DrawingSheetCollection::end() { return snapshot_.end(); }
