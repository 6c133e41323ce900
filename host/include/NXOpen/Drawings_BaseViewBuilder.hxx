// Views of drawing sheets: base views of a loaded part's modelling view, made by a builder.
#pragma once
#include "ModelingView.hxx"
#include "TaggedObject.hxx"
#include "ugmath.hxx"
#include "View.hxx"

namespace NXOpen {

class Part;

namespace Drawings {

class DraftingView : public NXOpen::View {
protected:
    explicit DraftingView(tag_t tag) : NXOpen::View(tag) {}
    friend class NXOpen::NXObjectManager;
};

class BaseView : public DraftingView {
protected:
    explicit BaseView(tag_t tag) : DraftingView(tag) {}
    friend class NXOpen::NXObjectManager;
};

class BaseViewBuilder {
public:
    struct ViewStyleBaseBuilder {
        void SetPart(Part* part) { part_ = part; }
        void SetPartName(const NXString& name) { name_ = name; }
        Part* part_ = nullptr;
        NXString name_;
    };
    struct ViewStyleBuilder {
        ViewStyleBaseBuilder* ViewStyleBase() { return &base_; }
        ViewStyleBaseBuilder base_;
    };
    struct SelectModelingView {
        void SetSelectedView(ModelingView* view) { view_ = view; }
        ModelingView* view_ = nullptr;
    };
    struct ScaleBuilder {
        void SetNumerator(double n) { numerator_ = n; }
        void SetDenominator(double d) { denominator_ = d; }
        double numerator_ = 1, denominator_ = 1;
    };
    struct Point {
        void SetValue(TaggedObject*, View*, const Point3d& p) { at_ = p; }
        Point3d at_;
    };
    struct PlacementBuilder {
        Point* Placement() { return &point_; }
        Point point_;
    };
    ViewStyleBuilder* Style() { return &style_; }
    SelectModelingView* SelectModelView() { return &select_; }
    ScaleBuilder* Scale() { return &scale_; }
    PlacementBuilder* Placement() { return &placement_; }
    // Makes the view on the work part's current sheet; throws when the part, its view or the sheet is missing.
    NXObject* Commit();
    void Destroy() { delete this; }
private:
    friend class DraftingViewCollection;
    explicit BaseViewBuilder(tag_t part) : part_(part) {}
    tag_t part_;
    ViewStyleBuilder style_;
    SelectModelingView select_;
    ScaleBuilder scale_;
    PlacementBuilder placement_;
};

class DraftingViewCollection {
public:
    BaseViewBuilder* CreateBaseViewBuilder(BaseView* view);
private:
    friend class NXOpen::Part;
    explicit DraftingViewCollection(tag_t part) : part_(part) {}
    tag_t part_;
};

}  // namespace Drawings
}  // namespace NXOpen
