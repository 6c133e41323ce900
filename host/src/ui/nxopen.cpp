// The object interface over the stand-in's session.
#include <map>
#include <memory>
#include "NXOpen/Assemblies_Component.hxx"
#include "NXOpen/BlockStyler_BlockDialog.hxx"
#include "NXOpen/Face.hxx"
#include "NXOpen/Features_Feature.hxx"
#include "NXOpen/Assemblies_ComponentAssembly.hxx"
#include "NXOpen/ListingWindow.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/NXMessageBox.hxx"
#include "NXOpen/Part.hxx"
#include "NXOpen/Session.hxx"
#include "NXOpen/UI.hxx"
#include "files/paths.h"
#include "model/session.h"
#include "text.h"
#include "uf.h"
#include "uf_disp.h"
#include "uf_object_types.h"
#include "uf_ui.h"
#include "ui/dialog.h"

using namespace NXOpen;

namespace {

host::Object& obj(tag_t t) {
    host::Object* o = host::session().find(t);
    if (!o) throw NXException(3520001, "the object " + std::to_string(t) + " no longer exists");
    return *o;
}

}  // namespace

std::string NXString::GetUTF8Text() const { return host::text::toUtf8Lossy(text_); }

NXException NXException::Create(int code) {
    char m[MAX_LINE_BUFSIZE];
    UF_get_fail_message(code, m);
    return NXException(code, m);
}

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
        if (o->type == UF_solid_type && o->subtype == UF_solid_face_subtype) slot = std::make_unique<F>(tag);
        else if (o->type == UF_solid_type && o->subtype == UF_solid_edge_subtype) slot = std::make_unique<E>(tag);
        else if (o->type == UF_feature_type) slot = std::make_unique<Feat>(tag);
        else if (o->type == UF_solid_type) slot = std::make_unique<B>(tag);
        else if (o->type == UF_component_type) slot = std::make_unique<C>(tag);
        else if (o->type == UF_part_type) slot = std::make_unique<P>(tag);
        else slot = std::make_unique<D>(tag);
    }
    return slot.get();
}

NXString NXObject::Name() const { return obj(Tag()).name; }
void NXObject::SetName(const NXString& n) { obj(Tag()).name = n.GetText(); }
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
void DisplayableObject::Highlight() { obj(Tag()).highlight = true; }
void DisplayableObject::Unhighlight() { obj(Tag()).highlight = false; }
void DisplayableObject::RedisplayObject() {}

bool Body::IsSolidBody() const { return obj(Tag()).type == UF_solid_type; }

NXString Assemblies::Component::DisplayName() const { return obj(Tag()).instanceName; }
BasePart* Assemblies::Component::Prototype() const {
    host::Object& o = obj(Tag());
    return o.child ? static_cast<BasePart*>(NXObjectManager::Get(o.child->tag)) : nullptr;
}
Assemblies::Component* Assemblies::Component::Parent() const {
    host::Object& o = obj(Tag());
    host::Object* p = host::session().find(o.parent);
    return p && !p->root ? static_cast<Component*>(NXObjectManager::Get(p->tag)) : nullptr;
}
std::vector<Assemblies::Component*> Assemblies::Component::GetChildren() const {
    host::Object& o = obj(Tag());
    std::vector<Component*> out;
    for (tag_t t : o.part->objects)
        if (host::Object* c = host::session().find(t); c && c->type == UF_component_type && c->parent == o.tag)
            out.push_back(static_cast<Component*>(NXObjectManager::Get(t)));
    return out;
}

NXString BasePart::FullPath() const { return host::paths::toWindows(obj(Tag()).part->path); }
NXString BasePart::Leaf() const { return host::text::toGbk(obj(Tag()).part->leaf()); }
bool BasePart::IsModified() const { return obj(Tag()).part->modified; }

Part::~Part() {
    delete views_;
    delete features_;
    delete assembly_;
}
ViewCollection* Part::Views() {
    if (!views_) views_ = new ViewCollection(Tag());
    return views_;
}

void ViewCollection::Regenerate() {
    obj(part_);
    host::session().say("[view] regenerate");
}
View* ViewCollection::WorkView() { return nullptr; }

Part* PartCollection::Work() {
    host::Part* p = host::session().work;
    return p ? static_cast<Part*>(NXObjectManager::Get(p->tag)) : nullptr;
}
Part* PartCollection::Display() {
    host::Part* p = host::session().display;
    return p ? static_cast<Part*>(NXObjectManager::Get(p->tag)) : nullptr;
}
Session* Session::GetSession() {
    static Session s;
    return &s;
}
PartCollection* Session::Parts() {
    static PartCollection c;
    return &c;
}
ListingWindow* Session::ListingWindow() {
    static NXOpen::ListingWindow w;
    return &w;
}
NXString Session::GetEnvironmentVariableValue(const NXString& name) {
    char* v = nullptr;
    UF_initialize();
    UF_translate_variable(name.GetText(), &v);
    UF_terminate();
    return v ? v : "";
}

void ListingWindow::Open() {
    if (UF_UI_open_listing_window() != 0) throw NXException(3520003, "the listing window cannot be opened");
}
bool ListingWindow::IsOpen() { return host::session().listingOpen; }
void ListingWindow::WriteLine(const NXString& line) {
    if (!IsOpen()) Open();
    UF_UI_write_listing_window((std::string(line.GetText()) + "\n").c_str());
}
void ListingWindow::Close() { UF_UI_close_listing_window(); }

UI* UI::GetUI() {
    static UI ui;
    return &ui;
}

BlockStyler::BlockDialog* UI::CreateDialog(const NXString& name) {
    std::string path = host::ui::dialogFolder() + "/" + host::text::toUtf8Lossy(name.GetText());
    auto* d = new host::ui::Dialog(path);  // throws NXException for a missing or unreadable file
    ++host::ui::counters().created;
    return new BlockStyler::BlockDialog(d);
}

NXMessageBox* UI::NXMessageBox() {
    static NXOpen::NXMessageBox box;
    return &box;
}

int NXMessageBox::Show(const NXString& title, DialogType type, const NXString& message) {
    static const char* kinds[] = {"error", "warning", "information", "question"};
    host::Session& s = host::session();
    s.lastMessage = host::text::toUtf8Lossy(message.GetText());
    s.say("[message] " + host::text::toUtf8Lossy(title.GetText()) + " (" + kinds[type] + "): " + s.lastMessage);
    return 1;
}
