// Parts of the session and their collections.
#pragma once
#include "TaggedObject.hxx"

namespace NXOpen {

class View;
namespace Features { class FeatureCollection; }
class ViewCollection {
public:
    void Regenerate();
    View* WorkView();
private:
    friend class Part;
    explicit ViewCollection(tag_t part) : part_(part) {}
    tag_t part_;
};

class BasePart : public NXObject {
public:
    NXString FullPath() const;
    NXString Leaf() const;
    bool IsModified() const;
protected:
    explicit BasePart(tag_t tag) : NXObject(tag) {}
    friend class NXObjectManager;
};

class Part : public BasePart {
public:
    ~Part() override;
    ViewCollection* Views();
    NXOpen::Features::FeatureCollection* Features();
protected:
    explicit Part(tag_t tag) : BasePart(tag) {}
    friend class NXObjectManager;
private:
    ViewCollection* views_ = nullptr;
    NXOpen::Features::FeatureCollection* features_ = nullptr;
};

class PartCollection {
public:
    Part* Work();
    Part* Display();
    BasePart* FindObject(const NXString& name);
};

}  // namespace NXOpen
