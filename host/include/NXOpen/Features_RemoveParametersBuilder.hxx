// Remove parameters: linked bodies become plain bodies.
#pragma once
#include "SelectObjectList.hxx"
#include "TaggedObject.hxx"

namespace NXOpen {
namespace Features {

class RemoveParametersBuilder {
public:
    SelectNXObjectList* Objects() { return &objects_; }
    NXObject* Commit();
    void Destroy() { delete this; }
private:
    friend class FeatureCollection;
    RemoveParametersBuilder() = default;
    SelectNXObjectList objects_;
};

}  // namespace Features
}  // namespace NXOpen
