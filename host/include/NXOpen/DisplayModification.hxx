// Changes of colour and width applied to displayable objects.
#pragma once
#include <vector>
#include "TaggedObject.hxx"

namespace NXOpen {

class DisplayModification {
public:
    void SetApplyToAllFaces(bool all) { allFaces_ = all; }
    void SetApplyToOwningParts(bool owning) { owningParts_ = owning; }
    void SetNewColor(int color) { color_ = color; }
    // Widths run from 0 (normal) to 9.
    void SetNewWidth(int width) { width_ = width; }
    void Apply(const std::vector<DisplayableObject*>& objects);
private:
    bool allFaces_ = false, owningParts_ = false;
    int color_ = -1, width_ = -1;
};

class DisplayManager {
public:
    // The caller deletes the modification.
    DisplayModification* NewDisplayModification() { return new DisplayModification(); }
};

}  // namespace NXOpen
