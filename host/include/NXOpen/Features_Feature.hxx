// Features of a part.
#pragma once
#include <vector>
#include "TaggedObject.hxx"

namespace NXOpen {
class Part;
namespace Features {
namespace SheetMetal { class SheetmetalManager; }
class RemoveParametersBuilder;
class BlockFeatureBuilder;

class Feature : public NXObject {
public:
    NXString FeatureType() const;
    std::vector<Body*> GetBodies() const;
protected:
    explicit Feature(tag_t tag) : NXObject(tag) {}
    friend class NXOpen::NXObjectManager;
};

// A feature that makes bodies.
class BodyFeature : public Feature {
protected:
    explicit BodyFeature(tag_t tag) : Feature(tag) {}
    friend class NXOpen::NXObjectManager;
};

// A rectangular block: a corner, two axes and three edge lengths.
class Block : public BodyFeature {
protected:
    explicit Block(tag_t tag) : BodyFeature(tag) {}
    friend class NXOpen::NXObjectManager;
};

class FeatureCollection {
public:
    SheetMetal::SheetmetalManager* SheetmetalManager();
    RemoveParametersBuilder* CreateRemoveParametersBuilder();
    // A builder of a new block (null), or one that edits this block feature; throws for any other feature.
    BlockFeatureBuilder* CreateBlockFeatureBuilder(Feature* block);
private:
    friend class NXOpen::Part;
    explicit FeatureCollection(tag_t part) : part_(part) {}
    ~FeatureCollection();
    tag_t part_;
    SheetMetal::SheetmetalManager* manager_ = nullptr;
};

}  // namespace Features
}  // namespace NXOpen
