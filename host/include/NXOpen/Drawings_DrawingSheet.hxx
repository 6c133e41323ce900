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

class DrawingSheetBuilder {
public:
    // A template part whose first sheet gives size, frame and title block (a Windows path).
    void SetMetricSheetTemplateLocation(const NXString& location) { template_ = location; }
    void SetName(const NXString& name) { name_ = name; }
    // Makes the sheet in the part and makes it current; throws when the template cannot be read.
    NXObject* Commit();
    void Destroy() { delete this; }
private:
    friend class DrawingSheetCollection;
    explicit DrawingSheetBuilder(tag_t part) : part_(part) {}
    tag_t part_;
    NXString template_, name_;
};

class DrawingSheetCollection {
public:
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
