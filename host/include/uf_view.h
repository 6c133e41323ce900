/* Views of the work part. */
#ifndef UF_VIEW_H_INCLUDED
#define UF_VIEW_H_INCLUDED
#include "uf_defs.h"

UF_EXTERN_C UFUNEXPORT int UF_VIEW_ask_work_view(tag_t* view_tag);
UF_EXTERN_C UFUNEXPORT int UF_VIEW_fit_view(tag_t view_tag, double fraction);
UF_EXTERN_C UFUNEXPORT int UF_VIEW_ask_tag_of_view_name(const char* view_name, tag_t* view_tag);
#define UF_VIEW_VISIBLE_OBJECTS 1
/* The objects a view shows, one after the other; NULL_TAG view: the current sheet while drafting. */
UF_EXTERN_C UFUNEXPORT int UF_VIEW_cycle_objects(tag_t view_tag, int type, tag_t* object);
/* Erases an object from a member view by name; the view no longer shows it. */
UF_EXTERN_C UFUNEXPORT int uc6400(const char* view_name, tag_t object);
/* Layer visibility of a view by name: option 2 gives it a mask of its own, mask[i] for layer i + 1, 1 visible. */
UF_EXTERN_C UFUNEXPORT int uc6447(const char* view_name, int option, int* layer_mask);

#endif
