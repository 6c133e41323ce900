/* Views of the work part. */
#ifndef UF_VIEW_H_INCLUDED
#define UF_VIEW_H_INCLUDED
#include "uf_defs.h"

UF_EXTERN_C UFUNEXPORT int UF_VIEW_ask_work_view(tag_t* view_tag);
UF_EXTERN_C UFUNEXPORT int UF_VIEW_fit_view(tag_t view_tag, double fraction);
UF_EXTERN_C UFUNEXPORT int UF_VIEW_ask_tag_of_view_name(const char* view_name, tag_t* view_tag);
UF_EXTERN_C UFUNEXPORT int UF_VIEW_cycle_objects(tag_t view_tag, int type, tag_t* object);

#endif
