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
    if (sheet_) {
        host::Object* o = host::session().find(sheet_);
        if (!o || !o->sheet) throw NXException(3520063, "the sheet being edited is gone");
        int number = o->sheet->number;
        if (numberSet_) {
            std::string n = number_.GetText();
            bool digits = !n.empty() && n.size() <= 6 && n.find_first_not_of("0123456789") == std::string::npos;
            if (!digits) throw NXException(3520064, "a sheet number is a whole number, not \"" + n + "\"");
            number = std::stoi(n);
        }
        double scale = o->sheet->scale;
        if (scaleSet_) {
            if (!(numerator_ > 0 && denominator_ > 0 && numerator_ < 1e6 && denominator_ < 1e6))
                throw NXException(3520065, "a scale's numerator and denominator must be positive");
            scale = numerator_ / denominator_;
        }
        o->sheet->number = number;
        o->sheet->scale = scale;
        touch(*o);
        return static_cast<NXObject*>(NXObjectManager::Get(sheet_));
    }
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
    host::Part& p = partOf(part_);
    if (sheet) {
        host::Object* o = host::session().find(sheet->Tag());
        if (!o || !o->sheet || o->part != &p) throw NXException(3520062, "not a drawing sheet of this part");
        return new Drawings::DrawingSheetBuilder(part_, sheet->Tag());
    }
    return new Drawings::DrawingSheetBuilder(part_, NULL_TAG);
}

Drawings::DrawingSheetCollection::iterator Drawings::DrawingSheetCollection::begin() {
    snapshot_.clear();
    for (tag_t t : S().sheets(partOf(part_))) snapshot_.push_back(static_cast<DrawingSheet*>(NXObjectManager::Get(t)));
    return snapshot_.begin();
}

Drawings::DrawingSheetCollection::iterator Drawings::DrawingSheetCollection::end() { return snapshot_.end(); }
