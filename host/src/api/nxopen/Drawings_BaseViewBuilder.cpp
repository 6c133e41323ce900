// Base views of drawing sheets.
#include "NXOpen/Drawings_BaseViewBuilder.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/Part.hxx"
#include "api/common.h"
#include "draft/drafting.h"

using namespace NXOpen;
using namespace host::api;

NXObject* Drawings::BaseViewBuilder::Commit() {
    host::Part& work = partOf(part_);
    host::Object* sheet = host::draft::currentSheet(work);
    if (!sheet) throw NXException(3520063, "the work part has no current drawing sheet");
    Part* drawn = style_.base_.part_;
    if (!drawn) throw NXException(3520064, "the base view has no part to draw");
    host::Part& p = partOf(live(drawn, "part").tag);
    ModelingView* mv = select_.view_;
    host::Object& view = live(mv, "modelling view");
    if (view.part != &p || view.view) throw NXException(3520065, "the modelling view is not one of the drawn part's");
    const double scale = scale_.numerator_ / scale_.denominator_;
    if (!(scale > 0 && scale < 1e6)) throw NXException(3520066, "a view's scale must be a positive number");
    host::draft::View v;
    v.kind = host::draft::ViewKind::Base;
    v.modelView = view.name;
    v.partFile = p.path;
    v.scale = scale;
    v.x = placement_.point_.at_.X;
    v.y = placement_.point_.at_.Y;
    host::Object& made = host::draft::newView(work, *sheet, v);
    return static_cast<NXObject*>(NXObjectManager::Get(made.tag));
}

Drawings::BaseViewBuilder* Drawings::DraftingViewCollection::CreateBaseViewBuilder(BaseView* view) {
    partOf(part_);
    if (view) throw NXException(3520062, "editing a view through its builder is not provided by this host");
    return new Drawings::BaseViewBuilder(part_);
}
