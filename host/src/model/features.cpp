// Features: sheet-metal conversion and flat solids, the delete list, display modifications.
#include <cstdlib>
#include <TopoDS.hxx>
#include "NXOpen/DisplayModification.hxx"
#include "NXOpen/Features_SheetMetal.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/Part.hxx"
#include "NXOpen/Session.hxx"
#include "NXOpen/Update.hxx"
#include "api/common.h"
#include "geom/measure.h"
#include "model/guard.h"
#include "text.h"
#include "uf_object_types.h"

using namespace host;
using host::api::newFeature;
using host::api::deleteFeature;
using NXOpen::NXException;
namespace SM = NXOpen::Features::SheetMetal;

namespace {

Part& partOf(tag_t partTag) {
    host::Part* p = session().partByTag(partTag);
    if (!p) throw NXException(3520030, "the part is no longer loaded");
    return *p;
}

Object& faceOf(NXOpen::Face* face) {
    if (!face) throw NXException(3520031, "no face was given");
    Object* f = session().find(face->Tag());
    if (!f) throw NXException(3520031, "the face no longer exists");
    return *f;
}

}  // namespace

void NXOpen::Expression::SetRightHandSide(const NXString& rhs) {
    char* end = nullptr;
    double v = std::strtod(rhs.GetText(), &end);
    if (end == rhs.GetText() || *end) throw NXException(3520032, std::string("not a number: ") + rhs.GetText());
    rhs_ = rhs.GetText();
    value_ = v;
}

NXOpen::Features::FeatureCollection* NXOpen::Part::Features() {
    if (!features_) features_ = new NXOpen::Features::FeatureCollection(Tag());
    return features_;
}

NXOpen::Features::FeatureCollection::~FeatureCollection() { delete manager_; }

SM::SheetmetalManager* NXOpen::Features::FeatureCollection::SheetmetalManager() {
    if (!manager_) manager_ = new SM::SheetmetalManager(part_);
    return manager_;
}

NXOpen::NXString NXOpen::Features::Feature::FeatureType() const { return session().object(Tag()).feature; }

std::vector<NXOpen::Body*> NXOpen::Features::Feature::GetBodies() const {
    std::vector<NXOpen::Body*> out;
    if (auto* b = dynamic_cast<NXOpen::Body*>(NXObjectManager::Get(session().object(Tag()).featBody))) out.push_back(b);
    return out;
}

SM::ConvertToSheetmetalBuilder* SM::SheetmetalManager::CreateConvertToSheetmetalFeatureBuilder(Feature*) {
    return new ConvertToSheetmetalBuilder(part_);
}

SM::FlatSolidBuilder* SM::SheetmetalManager::CreateFlatSolidFeatureBuilder(Feature*) { return new FlatSolidBuilder(part_); }

bool SM::ConvertToSheetmetalBuilder::ValidateBuilderData() {
    faceOf(face_);
    return true;
}

NXOpen::Features::Feature* SM::ConvertToSheetmetalBuilder::CommitFeature() {
    host::Session& s = session();
    Object& f = faceOf(face_);
    Object& body = s.object(f.owner);
    try {
        geom::sheetOf(s.shapeOf(body), TopoDS::Face(s.subShape(f)));
    } catch (const std::exception& e) {
        throw NXException(3520033, std::string("Convert to Sheet Metal: ") + e.what());
    }
    Object& feat = newFeature(partOf(part_), "SB_CONVERT_TO_SHEETMETAL", body.tag, f.tag);
    feat.featBody = NULL_TAG;  // the body itself is kept as it is
    return static_cast<Feature*>(NXObjectManager::Get(feat.tag));
}

NXOpen::NXObject* SM::ConvertToSheetmetalBuilder::Commit() { return CommitFeature(); }

NXOpen::Features::Feature* SM::FlatSolidBuilder::CommitFeature() {
    host::Session& s = session();
    Object& f = faceOf(face_);
    Object& body = s.object(f.owner);
    TopoDS_Shape flat;
    try {
        flat = geom::unfold(s.shapeOf(body), TopoDS::Face(s.subShape(f)));
    } catch (const std::exception& e) {
        throw NXException(3520034, std::string("Flat Solid: ") + e.what());
    }
    host::Part& p = partOf(part_);
    Object& out = s.create(p, UF_solid_type, UF_solid_body_subtype);
    out.shape = flat;
    out.density = body.density;
    out.layer = body.layer;
    out.color = body.color;
    Object& feat = newFeature(p, "FLAT_SOLID", body.tag, f.tag);
    feat.featBody = out.tag;
    return static_cast<Feature*>(NXObjectManager::Get(feat.tag));
}

NXOpen::NXObject* SM::FlatSolidBuilder::Commit() { return CommitFeature(); }

/* Undo marks and the delete list */

NXOpen::Session::UndoMarkId NXOpen::Session::SetUndoMark(MarkVisibility, const NXString& name) {
    host::Session& s = session();
    int id = s.nextUndoMark++;
    s.undoMarks.push_back({id, name.GetText()});
    return id;
}

void NXOpen::Session::DeleteUndoMark(UndoMarkId mark, const char*) {
    auto& marks = session().undoMarks;
    for (auto it = marks.begin(); it != marks.end(); ++it)
        if (it->first == mark) { marks.erase(it); return; }
    throw NXException(3520035, "no undo mark " + std::to_string(mark));
}

NXOpen::Update* NXOpen::Session::UpdateManager() {
    static NXOpen::Update u;
    return &u;
}

NXOpen::DisplayManager* NXOpen::Session::DisplayManager() {
    static NXOpen::DisplayManager m;
    return &m;
}

void NXOpen::Session::CleanUpFacetedFacesAndEdges() {}

void NXOpen::Update::AddToDeleteList(TaggedObject* object) {
    if (object) session().deleteList.push_back(object->Tag());
}

int NXOpen::Update::DoUpdate(int mark) {
    host::Session& s = session();
    bool known = false;
    for (auto& m : s.undoMarks) known |= m.first == mark;
    if (!known) throw NXException(3520035, "no undo mark " + std::to_string(mark));
    int errors = 0;
    for (tag_t t : s.deleteList) {
        Object* o = s.find(t);
        if (!o) { ++errors; continue; }
        if (o->type == UF_feature_type) deleteFeature(*o);
        else s.kill(*o);
    }
    s.deleteList.clear();
    return errors;
}

void NXOpen::DisplayModification::Apply(const std::vector<DisplayableObject*>& objects) {
    host::Session& s = session();
    for (auto* d : objects) {
        if (!d) continue;
        Object& o = s.object(d->Tag());
        if (color_ >= 0) o.color = color_;
        if (width_ >= 0) o.width = width_;
        if (o.part) o.part->modified = true;
        if (allFaces_ && o.type == UF_solid_type && o.subtype == UF_solid_body_subtype) {
            for (tag_t t : s.topology(o).faceTags)
                if (Object* f = s.find(t); f && color_ >= 0) f->color = color_;
        }
    }
}
