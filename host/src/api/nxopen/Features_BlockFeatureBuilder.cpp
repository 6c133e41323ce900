// Block features: a box of the kernel placed at a corner along two directions, made new or
// changed in place.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <TopLoc_Location.hxx>
#include <gp_Vec.hxx>
#include "NXOpen/Features_BlockFeatureBuilder.hxx"
#include "NXOpen/NXException.hxx"
#include "api/common.h"
#include "geom/kernel.h"
#include "geom/stock.h"
#include "uf_object_types.h"

using namespace host;
using namespace host::api;
using NXOpen::NXException;
using NXOpen::Features::BlockFeatureBuilder;

namespace {

const int kRefused = 3520092;

[[noreturn]] void refuse(const std::string& why) { throw NXException(kRefused, "Block: " + why); }

std::string num(double v) {
    std::ostringstream o;
    o.precision(12);
    o << v;
    return o.str();
}

// An edge length from its expression text: a number of millimetres that a solid can have.
double edgeLength(const NXOpen::NXString& expression, const char* what) {
    const std::string text = expression.GetText();
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(start, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end == start || *end || errno == ERANGE || !std::isfinite(v)) refuse(std::string("the ") + what + " \"" + text + "\" is not a number");
    if (v <= 0) refuse(std::string("the ") + what + " must be positive, not " + num(v));
    if (v < geom::kTolerance) refuse(std::string("the ") + what + " " + num(v) + " mm is below the modelling tolerance of " + num(geom::kTolerance) + " mm");
    if (v > geom::kPlantExtent) refuse(std::string("the ") + what + " " + num(v) + " mm is larger than any plant (" + num(geom::kPlantExtent) + " mm)");
    return v;
}

Object& blockFeature(tag_t t) {
    Object* f = session().find(t);
    if (!f) throw NXException(3520093, "the block feature no longer exists");
    if (f->type != UF_feature_type || f->feature != "BLOCK") throw NXException(3520093, "the feature " + f->name + " is no block");
    return *f;
}

// The feature's name as the host shows it: BLOCK(n), n counting the part's features.
std::string blockName(host::Part& p) {
    int n = 0;
    for (tag_t t : p.objects)
        if (Object* o = session().findAny(t); o && o->type == UF_feature_type) ++n;
    return "BLOCK(" + std::to_string(n + 1) + ")";
}

}  // namespace

NXOpen::Features::BlockFeatureBuilder* NXOpen::Features::FeatureCollection::CreateBlockFeatureBuilder(Feature* block) {
    partOf(part_);
    if (block) blockFeature(block->Tag());
    return new BlockFeatureBuilder(part_, block ? block->Tag() : NULL_TAG);
}

NXOpen::Features::Feature* BlockFeatureBuilder::CommitFeature() {
    Session& s = session();
    host::Part& p = partOf(part_);
    if (type_ != TypesOriginAndEdgeLengths) refuse("only a block from a corner and three edge lengths is made here");
    const double l = edgeLength(length_, "length"), w = edgeLength(width_, "width"), h = edgeLength(height_, "height");

    // The directions as the host squares them: x as given, y made square to x within their plane.
    gp_Vec x(x_.X, x_.Y, x_.Z), y(y_.X, y_.Y, y_.Z);
    const double lx = x.Magnitude(), ly = y.Magnitude();
    if (!std::isfinite(lx) || !std::isfinite(ly) || lx < 1e-12 || ly < 1e-12) refuse("the x and y directions must be non-zero");
    x /= lx;
    y /= ly;
    y -= x * y.Dot(x);
    if (y.Magnitude() < 1e-9) refuse("the x and y directions are parallel");
    const gp_Vec z = x.Crossed(y);
    const double at[3] = {origin_.X, origin_.Y, origin_.Z}, xs[3] = {x.X(), x.Y(), x.Z()}, zs[3] = {z.X(), z.Y(), z.Z()};

    TopoDS_Shape shape;
    try {
        gp_Trsf place = geom::placement(at, xs, zs);
        shape = geom::makeStock({"block", {l, w, h}, {}, ""}).Moved(TopLoc_Location(place));
    } catch (const std::exception& e) {
        refuse(e.what());
    }

    Object* feature = feature_ ? &blockFeature(feature_) : nullptr;
    Object* body = feature ? s.find(feature->featBody) : nullptr;
    if (!body) {
        body = &s.create(p, UF_solid_type, UF_solid_body_subtype);
        body->layer = p.workLayer;
    }
    body->shape = shape;
    s.changed(*body);
    for (Object* occurrence : s.occurrencesOf(body->tag)) s.changed(*occurrence);
    touch(*body);
    if (!feature) {
        std::string name = blockName(p);
        feature = &newFeature(p, "BLOCK", NULL_TAG, NULL_TAG);
        feature->name = name;
    }
    if (feature->featBody != body->tag) s.setFeatureBody(*feature, body->tag);
    return static_cast<Feature*>(NXObjectManager::Get(feature->tag));
}
