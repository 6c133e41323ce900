// The block feature builder: a rectangular block from a corner, the directions of its x and y
// edges and the three edge lengths as expression texts.
// Committing a builder made for an existing block changes that feature's body in place (same
// feature, same body). A length that is not a positive number of millimetres, or directions
// that span no plane, make the commit throw and change nothing.
#pragma once
#include "Features_Feature.hxx"
#include "ugmath.hxx"

namespace NXOpen {
namespace Features {

class BlockFeatureBuilder {
public:
    enum Types { TypesOriginAndEdgeLengths = 0, TypesTwoPointsAndHeight, TypesTwoDiagonalPoints };
    Types Type() const { return type_; }
    void SetType(Types type) { type_ = type; }
    Point3d Origin() const { return origin_; }
    void SetOrigin(const Point3d& origin) { origin_ = origin; }
    void SetOrientation(const Vector3d& xDirection, const Vector3d& yDirection) {
        x_ = xDirection;
        y_ = yDirection;
    }
    void SetLength(const NXString& length) { length_ = length; }
    void SetWidth(const NXString& width) { width_ = width; }
    void SetHeight(const NXString& height) { height_ = height; }
    Feature* CommitFeature();
    NXObject* Commit() { return CommitFeature(); }
    void Destroy() { delete this; }
private:
    friend class FeatureCollection;
    BlockFeatureBuilder(tag_t part, tag_t feature) : part_(part), feature_(feature) {}
    tag_t part_, feature_;
    Types type_ = TypesOriginAndEdgeLengths;
    Point3d origin_;
    Vector3d x_{1, 0, 0}, y_{0, 1, 0};
    NXString length_ = "100", width_ = "100", height_ = "100";
};

}  // namespace Features
}  // namespace NXOpen
