// Faces and edges of bodies.
#pragma once
#include "TaggedObject.hxx"

namespace NXOpen {

class Face : public DisplayableObject {
protected:
    explicit Face(tag_t tag) : DisplayableObject(tag) {}
    friend class NXObjectManager;
};

class Edge : public DisplayableObject {
protected:
    explicit Edge(tag_t tag) : DisplayableObject(tag) {}
    friend class NXObjectManager;
};

}  // namespace NXOpen
