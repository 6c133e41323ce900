// Modelling views of a part ("Front", "Top", "Isometric", ...).
#pragma once
#include "View.hxx"

namespace NXOpen {

class ModelingView : public View {
protected:
    explicit ModelingView(tag_t tag) : View(tag) {}
    friend class NXObjectManager;
};

class ModelingViewCollection {
public:
    // The view by its name, without regard to case ("Isometric" is TFR-ISO); throws when the part has none.
    ModelingView* FindObject(const NXString& name);
    // The view the user works in.
    ModelingView* WorkView();
private:
    friend class Part;
    explicit ModelingViewCollection(tag_t part) : part_(part) {}
    tag_t part_;
};

}  // namespace NXOpen
