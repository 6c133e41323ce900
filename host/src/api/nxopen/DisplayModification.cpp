// Colour, width and translucency changes of displayable objects.
#include <string>
#include "NXOpen/DisplayModification.hxx"
#include "NXOpen/NXException.hxx"
#include "model/session.h"
#include "uf_object_types.h"

using namespace host;

void NXOpen::DisplayModification::Apply(const std::vector<DisplayableObject*>& objects) {
    if (translucency_ && (*translucency_ < 0 || *translucency_ > 100))
        throw NXException(3520091, "translucency runs from 0 to 100, not " + std::to_string(*translucency_));
    host::Session& s = session();
    for (auto* d : objects) {
        if (!d) continue;
        Object& o = s.object(d->Tag());
        if (color_ >= 0) o.color = color_;
        if (width_ >= 0) o.width = width_;
        if (translucency_) o.translucency = *translucency_;
        if (o.part) o.part->modified = true;
        if (allFaces_ && o.type == UF_solid_type && o.subtype == UF_solid_body_subtype) {
            for (tag_t t : s.topology(o).faceTags)
                if (Object* f = s.find(t)) {
                    if (color_ >= 0) f->color = color_;
                    if (translucency_) f->translucency = *translucency_;
                }
        }
    }
}
