// Drawing sheets of a part, and the builder that makes one from a template.
#pragma once
#include <vector>
#include "TaggedObject.hxx"

namespace NXOpen {
class Part;
namespace Drawings {

class DrawingSheet : public NXObject {
protected:
    explicit DrawingSheet(tag_t tag) : NXObject(tag) {}
    friend class NXOpen::NXObjectManager;
};

// Makes a new sheet from a template, or edits a sheet's number and scale.
class DrawingSheetBuilder {
public:
    // A template part whose first sheet gives size, frame and title block (a Windows path).
    void SetMetricSheetTemplateLocation(const NXString& location) { template_ = location; }
    void SetName(const NXString& name) { name_ = name; }
    // The sheet's number, a whole number written as text; the secondary number is taken and not kept.
    void SetNumber(const NXString& number) { number_ = number; numberSet_ = true; }
    void SetSecondaryNumber(const NXString& number) { secondary_ = number; }
    // 3 is a custom scale, given by numerator and denominator. The stand-in's sheets are metric:
    // the choice is taken, and the numerator and denominator alone give the scale.
    void SetStandardEnglishScale(int scale) { english_ = scale; }
    void SetScaleNumerator(double n) { numerator_ = n; scaleSet_ = true; }
    void SetScaleDenominator(double d) { denominator_ = d; scaleSet_ = true; }
    // A new sheet is made in the part and made current; throws when the template cannot be read.
    // An edited sheet takes what was set; throws for a number that is no whole number or a scale
    // that is not positive, and then changes nothing.
    NXObject* Commit();
    void Destroy() { delete this; }
private:
    friend class DrawingSheetCollection;
    DrawingSheetBuilder(tag_t part, tag_t sheet) : part_(part), sheet_(sheet) {}
    tag_t part_, sheet_;
    NXString template_, name_, number_, secondary_;
    bool numberSet_ = false, scaleSet_ = false;
    int english_ = 0;
    double numerator_ = 1, denominator_ = 1;
};

class DrawingSheetCollection {
public:
    // A builder for a new sheet (null) or for editing that sheet of the part.
    NXOpen::Drawings::DrawingSheetBuilder* DrawingSheetBuilder(DrawingSheet* sheet);
    // The part's sheets in creation order.
    typedef std::vector<DrawingSheet*>::iterator iterator;
    iterator begin();
    iterator end();
private:
    friend class NXOpen::Part;
    explicit DrawingSheetCollection(tag_t part) : part_(part) {}
    tag_t part_;
    std::vector<DrawingSheet*> snapshot_;
};

}  // namespace Drawings
}  // namespace NXOpen
