// Objects of the object interface over the session's objects, one for each tag.
#include <map>
#include <memory>
#include "NXOpen/Assemblies_Component.hxx"
#include "NXOpen/Face.hxx"
#include "NXOpen/Features_Feature.hxx"
#include "NXOpen/Drawings_BaseViewBuilder.hxx"
#include "NXOpen/Drawings_DrawingSheet.hxx"
#include "NXOpen/ModelingView.hxx"
#include "NXOpen/Part.hxx"
#include "api/common.h"
#include "uf_object_types.h"

using namespace NXOpen;
using namespace host::api;

TaggedObject::~TaggedObject() = default;

TaggedObject* NXObjectManager::Get(tag_t tag) {
    static std::map<tag_t, std::unique_ptr<TaggedObject>> cache;
    host::Object* o = host::session().find(tag);
    if (!o) return nullptr;
    auto& slot = cache[tag];
    if (!slot) {
        struct B : Body { explicit B(tag_t t) : Body(t) {} };
        struct C : Assemblies::Component { explicit C(tag_t t) : Assemblies::Component(t) {} };
        struct P : Part { explicit P(tag_t t) : Part(t) {} };
        struct D : DisplayableObject { explicit D(tag_t t) : DisplayableObject(t) {} };
        struct F : Face { explicit F(tag_t t) : Face(t) {} };
        struct E : Edge { explicit E(tag_t t) : Edge(t) {} };
        struct Feat : Features::Feature { explicit Feat(tag_t t) : Features::Feature(t) {} };
        struct Blk : Features::Block { explicit Blk(tag_t t) : Features::Block(t) {} };
        struct Sh : Drawings::DrawingSheet { explicit Sh(tag_t t) : Drawings::DrawingSheet(t) {} };
        struct MV : ModelingView { explicit MV(tag_t t) : ModelingView(t) {} };
        struct BV : Drawings::BaseView { explicit BV(tag_t t) : Drawings::BaseView(t) {} };
        if (o->type == UF_solid_type && o->subtype == UF_solid_face_subtype) slot = std::make_unique<F>(tag);
        else if (o->type == UF_solid_type && o->subtype == UF_solid_edge_subtype) slot = std::make_unique<E>(tag);
        else if (o->type == UF_feature_type && o->feature == "BLOCK") slot = std::make_unique<Blk>(tag);
        else if (o->type == UF_feature_type) slot = std::make_unique<Feat>(tag);
        else if (o->type == UF_solid_type) slot = std::make_unique<B>(tag);
        else if (o->type == UF_component_type) slot = std::make_unique<C>(tag);
        else if (o->type == UF_part_type) slot = std::make_unique<P>(tag);
        else if (o->type == UF_drawing_type) slot = std::make_unique<Sh>(tag);
        else if (o->type == UF_view_type && o->view) slot = std::make_unique<BV>(tag);
        else if (o->type == UF_view_type) slot = std::make_unique<MV>(tag);
        else slot = std::make_unique<D>(tag);
    }
    return slot.get();
}

NXString NXObject::Name() const { return obj(Tag()).name; }
void NXObject::SetName(const NXString& n) {
    host::Object& o = obj(Tag());
    const std::string before = o.name;
    o.name = n.GetText();
    if (o.type == UF_drawing_type) host::session().sheetRenamed(o, before);
}
NXString NXObject::JournalIdentifier() const {
    host::Object& o = obj(Tag());
    if (o.type == UF_component_type) return "COMPONENT " + o.instanceName + " 1";
    if (o.type == UF_part_type) return o.part->leaf();
    return o.name.empty() ? std::to_string(o.tag) : o.name;
}
bool NXObject::IsOccurrence() const { return obj(Tag()).isOccurrence(); }
NXObject* NXObject::Prototype() const {
    host::Object& o = obj(Tag());
    return static_cast<NXObject*>(NXObjectManager::Get(o.isOccurrence() ? o.prototype : o.tag));
}
NXObject* NXObject::OwningPart() const {
    host::Object& o = obj(Tag());
    return o.part ? static_cast<NXObject*>(NXObjectManager::Get(o.part->tag)) : nullptr;
}

int DisplayableObject::Color() const { return obj(Tag()).color; }
void DisplayableObject::SetColor(int c) { obj(Tag()).color = c; }
int DisplayableObject::Layer() const { return obj(Tag()).layer; }
void DisplayableObject::SetLayer(int l) { obj(Tag()).layer = l; }
bool DisplayableObject::IsBlanked() const { return obj(Tag()).blank != 0; }
void DisplayableObject::Blank() { obj(Tag()).blank = 1; }
void DisplayableObject::Unblank() { obj(Tag()).blank = 0; }
void DisplayableObject::Highlight() { host::session().setHighlight(obj(Tag()), true); }
void DisplayableObject::Unhighlight() { host::session().setHighlight(obj(Tag()), false); }
void DisplayableObject::RedisplayObject() {}

bool Body::IsSolidBody() const { return obj(Tag()).type == UF_solid_type; }
