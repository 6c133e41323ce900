// Modelling views of a part ("Front", "Top", "Isometric", ...).
#pragma once
#include "TaggedObject.hxx"

namespace NXOpen {

class ModelingView : public NXObject {
protected:
    explicit ModelingView(tag_t tag) : NXObject(tag) {}
    friend class NXObjectManager;
};

class ModelingViewCollection {
public:
    // The view by its name, without regard to case ("Isometric" is TFR-ISO); throws when the part has none.
    ModelingView* FindObject(const NXString& name);
private:
    friend class Part;
    explicit ModelingViewCollection(tag_t part) : part_(part) {}
    tag_t part_;
};

}  // namespace NXOpen
