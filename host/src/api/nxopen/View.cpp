// Drawing views' dependent display, and the colour table by names.
#include "NXOpen/View.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/Part.hxx"
#include "api/common.h"
#include "draft/drafting.h"
#include "text.h"

using namespace NXOpen;
using namespace host::api;

namespace {

// Runs a drafting edit; the host's refusal becomes the exception the object interface throws.
template <class F>
void edit(F&& f) {
    try {
        f();
    } catch (const host::HostError& e) {
        throw NXException(3520071, e.what());
    }
}

}  // namespace

View::~View() { delete dependent_; }

ViewDependentDisplayManager* View::DependentDisplay() {
    drawingView(Tag());
    if (!dependent_) dependent_ = new ViewDependentDisplayManager(Tag());
    return dependent_;
}

void ViewDependentDisplayManager::ApplyShadeEdit(NXColor* color, PartialShading, TranslucencyOption option, int translucency,
                                                 const std::vector<Body*>& bodies) {
    host::Object& v = drawingView(view_);
    if (!color) throw NXException(3520072, "a shade edit needs a colour");
    // All bodies are checked before any is shaded: an edit is made whole or not at all.
    std::vector<host::Object*> objects;
    for (Body* b : bodies) objects.push_back(&live(b, "body"));
    edit([&] {
        for (host::Object* b : objects) host::draft::shadeInView(v, *b, color->Index(), option == TranslucencyOptionOn ? translucency : 0);
    });
}

namespace {

host::Object& modelingView(tag_t t) {
    host::Object* o = host::session().find(t);
    if (!o || o->view) throw NXException(3520095, "a drawing view has no rendering style of its own here");
    return *o;
}

}  // namespace

View::RenderingStyleType View::RenderingStyle() const { return static_cast<RenderingStyleType>(modelingView(Tag()).renderingStyle); }

void View::SetRenderingStyle(RenderingStyleType style) {
    if (style < RenderingStyleTypeShadedWithEdges || style > RenderingStyleTypePartiallyShaded)
        throw NXException(3520095, "no rendering style " + std::to_string(static_cast<int>(style)));
    modelingView(Tag()).renderingStyle = style;
}

void ViewDependentDisplayManager::RemoveAllEdits() { host::draft::removeEdits(drawingView(view_)); }

ColorManager::~ColorManager() {
    for (NXColor* c : found_) delete c;
}

NXColor* ColorManager::Find(const NXString& name) {
    int number = host::Session::colorNamed(name.GetText());
    if (number < 0) throw NXException(3520073, "the colour table has no colour \"" + std::string(name.GetText()) + "\"");
    for (NXColor* c : found_)
        if (c->Index() == number) return c;
    found_.push_back(new NXColor(number));
    return found_.back();
}

ColorManager* BasePart::Colors() {
    partOf(Tag());
    if (!colors_) colors_ = new ColorManager();
    return colors_;
}

BasePart::~BasePart() { delete colors_; }
