// Changes of colour, width and translucency applied to displayable objects.
#pragma once
#include <optional>
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
    // 0 (opaque) to 100 (invisible); Apply throws for anything else.
    void SetNewTranslucency(int translucency) { translucency_ = translucency; }
    void Apply(const std::vector<DisplayableObject*>& objects);
    // Releases the modification (as deleting it does).
    void Dispose() { delete this; }
private:
    bool allFaces_ = false, owningParts_ = false;
    int color_ = -1, width_ = -1;
    std::optional<int> translucency_;
};

class DisplayManager {
public:
    // The caller deletes (or disposes of) the modification.
    DisplayModification* NewDisplayModification() { return new DisplayModification(); }
};

}  // namespace NXOpen
