// Views, and what a drawing view shows of single bodies unlike the rest (view-dependent edits).
#pragma once
#include <vector>
#include "TaggedObject.hxx"

namespace NXOpen {

class NXColor;

class ViewDependentDisplayManager {
public:
    enum PartialShading { PartialShadingNone = 0, PartialShadingOn = 1 };
    enum TranslucencyOption { TranslucencyOptionOff = 0, TranslucencyOptionAsIs = 1, TranslucencyOptionOn = 2 };
    // Shades the bodies in this view in the colour, at the translucency (0 to 100) when the option is on.
    // Throws when a body is not one the view draws.
    void ApplyShadeEdit(NXColor* color, PartialShading partialShading, TranslucencyOption translucencyOption, int translucency,
                        const std::vector<Body*>& bodies);
    // Undoes every erase and shade edit of this view.
    void RemoveAllEdits();
private:
    friend class View;
    explicit ViewDependentDisplayManager(tag_t view) : view_(view) {}
    tag_t view_;
};

class View : public DisplayableObject {
public:
    enum RenderingStyleType {
        RenderingStyleTypeShadedWithEdges = 0,
        RenderingStyleTypeShaded,
        RenderingStyleTypeWireframeWithDimEdges,
        RenderingStyleTypeWireframeWithHiddenEdges,
        RenderingStyleTypeWireframeWithoutHiddenEdges,
        RenderingStyleTypeStudio,
        RenderingStyleTypeFaceAnalysis,
        RenderingStyleTypePartiallyShaded
    };
    ~View() override;
    // Drawing views only; throws for a modelling view.
    ViewDependentDisplayManager* DependentDisplay();
    // How a modelling view draws the part's bodies; throws for a drawing view.
    RenderingStyleType RenderingStyle() const;
    void SetRenderingStyle(RenderingStyleType renderingStyle);
protected:
    explicit View(tag_t tag) : DisplayableObject(tag) {}
    friend class NXObjectManager;
private:
    ViewDependentDisplayManager* dependent_ = nullptr;
};

// A colour of a part's colour table.
class NXColor {
public:
    // The colour's number in the table.
    int Index() const { return number_; }
private:
    friend class ColorManager;
    explicit NXColor(int number) : number_(number) {}
    int number_;
};

class ColorManager {
public:
    // The colour of that name in the table ("Cyan", "Red", ...); throws when the table has none.
    NXColor* Find(const NXString& name);
    ~ColorManager();
private:
    friend class BasePart;
    ColorManager() = default;
    std::vector<NXColor*> found_;
};

}  // namespace NXOpen
