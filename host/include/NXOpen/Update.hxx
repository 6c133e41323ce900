// The update manager: objects to delete when an update runs.
#pragma once
#include "TaggedObject.hxx"

namespace NXOpen {

class Update {
public:
    void AddToDeleteList(TaggedObject* object);
    // Deletes what is on the list (a feature takes its body with it); answers the number of errors.
    int DoUpdate(int undoMark);
};

}  // namespace NXOpen
