// Sheet metal: conversion of a bent plate on a base face, and its flat solid.
#include <TopoDS.hxx>
#include "NXOpen/Features_SheetMetal.hxx"
#include "NXOpen/NXException.hxx"
#include "api/common.h"
#include "geom/kernel.h"
#include "geom/measure.h"
#include "uf_object_types.h"

using namespace host;
using host::api::newFeature;
using NXOpen::NXException;
namespace SM = NXOpen::Features::SheetMetal;

namespace {

// Not api::partOf: sheet metal fails with its own code.
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
        geom::kernel("convert the body to sheet metal", [&] { geom::sheetOf(s.shapeOf(body), TopoDS::Face(s.subShape(f))); });
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
        flat = geom::kernel("lay the body flat", [&] { return geom::unfold(s.shapeOf(body), TopoDS::Face(s.subShape(f))); });
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
    s.setFeatureBody(feat, out.tag);
    return static_cast<Feature*>(NXObjectManager::Get(feat.tag));
}

NXOpen::NXObject* SM::FlatSolidBuilder::Commit() { return CommitFeature(); }
