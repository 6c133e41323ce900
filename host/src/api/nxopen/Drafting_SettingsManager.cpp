// The view style of drawing views, edited through settings builders.
#include "NXOpen/Drafting_SettingsManager.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/Part.hxx"
#include "api/common.h"
#include "draft/drafting.h"

using namespace NXOpen;
using namespace host::api;

Drafting::SettingsManager* Part::SettingsManager() {
    if (!settings_) settings_ = new Drafting::SettingsManager(Tag());
    return settings_;
}

Drawings::EditViewSettingsBuilder* Drafting::SettingsManager::CreateDrawingEditViewSettingsBuilder(const std::vector<DisplayableObject*>& views) {
    host::Part& p = partOf(part_);
    std::vector<tag_t> tags;
    for (DisplayableObject* d : views) {
        host::Object& v = drawingView(live(d, "view").tag);
        if (v.part != &p) throw NXException(3520074, "the view is on another part's sheet");
        tags.push_back(v.tag);
    }
    if (tags.empty()) throw NXException(3520075, "no view to edit the settings of");
    return new Drawings::EditViewSettingsBuilder(std::move(tags));
}

void Drafting::SettingsManager::ProcessForMultipleObjectsSettings(const std::vector<BaseEditSettingsBuilder*>& builders) {
    partOf(part_);
    for (BaseEditSettingsBuilder* b : builders)
        if (!b) throw NXException(3520076, "no settings builder");
}

NXObject* Drawings::EditViewSettingsBuilder::Commit() {
    std::vector<host::Object*> views;
    for (tag_t t : views_) views.push_back(&drawingView(t));
    const int style = style_.shading_.style_, font = style_.hidden_.font_;
    if (style < -1 || style > 2) throw NXException(3520077, "no shading rendering style " + std::to_string(style));
    if (font < -1 || font > 2) throw NXException(3520077, "no hidden-line font " + std::to_string(font));
    for (host::Object* v : views) {
        if (style >= 0) v->view->renderingStyle = style;
        if (font >= 0) v->view->hiddenLineFont = font;
        v->view->outOfDate = true;
        touch(*v);
    }
    return static_cast<NXObject*>(NXObjectManager::Get(views_.front()));
}
