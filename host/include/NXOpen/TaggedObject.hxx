// Objects of the object interface, each standing for one host tag. The host owns them.
#pragma once
#include "../uf_defs.h"
#include "NXString.hxx"

namespace NXOpen {

class TaggedObject {
public:
    virtual ~TaggedObject();
    tag_t Tag() const { return tag_; }
    tag_t GetTag() const { return tag_; }
protected:
    explicit TaggedObject(tag_t tag) : tag_(tag) {}
private:
    tag_t tag_;
    friend class NXObjectManager;
};

class NXObject : public TaggedObject {
public:
    NXString Name() const;
    void SetName(const NXString& name);
    // The host's journal name: "COMPONENT <name> 1" for a component, the object's name otherwise.
    NXString JournalIdentifier() const;
    bool IsOccurrence() const;
    NXObject* Prototype() const;
    NXObject* OwningPart() const;
protected:
    explicit NXObject(tag_t tag) : TaggedObject(tag) {}
    friend class NXObjectManager;
};

class DisplayableObject : public NXObject {
public:
    int Color() const;
    void SetColor(int color);
    int Layer() const;
    void SetLayer(int layer);
    bool IsBlanked() const;
    void Blank();
    void Unblank();
    void Highlight();
    void Unhighlight();
    void RedisplayObject();
protected:
    explicit DisplayableObject(tag_t tag) : NXObject(tag) {}
    friend class NXObjectManager;
};

class Body : public DisplayableObject {
public:
    bool IsSolidBody() const;
protected:
    explicit Body(tag_t tag) : DisplayableObject(tag) {}
    friend class NXObjectManager;
};

// The object of a tag, of its kind (Body, Assemblies::Component, Part, ...); null for a null or dead tag.
class NXObjectManager {
public:
    static TaggedObject* Get(tag_t tag);
};

}  // namespace NXOpen
