// Objects given to a builder.
#pragma once
#include <vector>
#include "TaggedObject.hxx"

namespace NXOpen {

class SelectNXObjectList {
public:
    bool Add(NXObject* object) {
        if (!object) return false;
        objects_.push_back(object);
        return true;
    }
    bool Add(const std::vector<NXObject*>& objects) {
        for (auto* o : objects) Add(o);
        return true;
    }
    void Clear() { objects_.clear(); }
    std::vector<NXObject*> GetArray() const { return objects_; }
private:
    std::vector<NXObject*> objects_;
};

}  // namespace NXOpen
