// Colour and width changes of displayable objects.
#include "NXOpen/DisplayModification.hxx"
#include "model/session.h"
#include "uf_object_types.h"

using namespace host;

void NXOpen::DisplayModification::Apply(const std::vector<DisplayableObject*>& objects) {
    host::Session& s = session();
    for (auto* d : objects) {
        if (!d) continue;
        Object& o = s.object(d->Tag());
        if (color_ >= 0) o.color = color_;
        if (width_ >= 0) o.width = width_;
        if (o.part) o.part->modified = true;
        if (allFaces_ && o.type == UF_solid_type && o.subtype == UF_solid_body_subtype) {
            for (tag_t t : s.topology(o).faceTags)
                if (Object* f = s.find(t); f && color_ >= 0) f->color = color_;
        }
    }
}
