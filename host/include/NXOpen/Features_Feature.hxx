// Features of a part.
#pragma once
#include <vector>
#include "TaggedObject.hxx"

namespace NXOpen {
class Part;
namespace Features {
namespace SheetMetal { class SheetmetalManager; }
class RemoveParametersBuilder;

class Feature : public NXObject {
public:
    NXString FeatureType() const;
    std::vector<Body*> GetBodies() const;
protected:
    explicit Feature(tag_t tag) : NXObject(tag) {}
    friend class NXOpen::NXObjectManager;
};

class FeatureCollection {
public:
    SheetMetal::SheetmetalManager* SheetmetalManager();
    RemoveParametersBuilder* CreateRemoveParametersBuilder();
private:
    friend class NXOpen::Part;
    explicit FeatureCollection(tag_t part) : part_(part) {}
    ~FeatureCollection();
    tag_t part_;
    SheetMetal::SheetmetalManager* manager_ = nullptr;
};

}  // namespace Features
}  // namespace NXOpen
