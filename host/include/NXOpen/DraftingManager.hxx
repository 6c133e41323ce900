// The drafting application of a part.
#pragma once
#include "../uf_defs.h"

namespace NXOpen {

class DraftingManager {
public:
    void SetTemplateInstantiationIsComplete(bool complete);
private:
    friend class Part;
    explicit DraftingManager(tag_t part) : part_(part) {}
    tag_t part_;
};

}  // namespace NXOpen
