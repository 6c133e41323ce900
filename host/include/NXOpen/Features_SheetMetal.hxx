// Sheet metal: a solid converted to sheet metal on a base face, and its flat solid.
// The host converts a solid of constant thickness bent along parallel lines; any other body
// makes Commit throw.
#pragma once
#include "Expression.hxx"
#include "Face.hxx"
#include "Features_Feature.hxx"

namespace NXOpen {
namespace Features {
namespace SheetMetal {

class ConvertToSheetmetalBuilder {
public:
    void SetApplicationContext(int context) { context_ = context; }
    void SetBaseFace(NXOpen::Face* face) { face_ = face; }
    void SetBendReliefType(int type) { relief_ = type; }
    void SetKeepZeroBendRadius(bool keep) { keepZero_ = keep; }
    // Throws when the base face is missing.
    bool ValidateBuilderData();
    NXObject* Commit();
    Feature* CommitFeature();
    void Destroy() { delete this; }
private:
    friend class SheetmetalManager;
    explicit ConvertToSheetmetalBuilder(tag_t part) : part_(part) {}
    tag_t part_;
    NXOpen::Face* face_ = nullptr;
    int context_ = 0, relief_ = 0;
    bool keepZero_ = false;
};

class FlatSolidBuilder {
public:
    void SetApplicationContext(int context) { context_ = context; }
    NXOpen::Expression* OuterCornerTreatmentValue() { return &outer_; }
    void SetInnerCornerTreatmentType(int type) { inner_ = type; }
    void SetStationaryFace(NXOpen::Face* face) { face_ = face; }
    NXObject* Commit();
    Feature* CommitFeature();
    void Destroy() { delete this; }
private:
    friend class SheetmetalManager;
    explicit FlatSolidBuilder(tag_t part) : part_(part) {}
    tag_t part_;
    NXOpen::Face* face_ = nullptr;
    NXOpen::Expression outer_;
    int context_ = 0, inner_ = 0;
};

class SheetmetalManager {
public:
    ConvertToSheetmetalBuilder* CreateConvertToSheetmetalFeatureBuilder(Feature* feature);
    FlatSolidBuilder* CreateFlatSolidFeatureBuilder(Feature* feature);
private:
    friend class NXOpen::Features::FeatureCollection;
    explicit SheetmetalManager(tag_t part) : part_(part) {}
    tag_t part_;
};

}  // namespace SheetMetal
}  // namespace Features
}  // namespace NXOpen
