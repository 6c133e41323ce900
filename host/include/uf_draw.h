/* Drawing sheets of the work part. */
#ifndef UF_DRAW_H_INCLUDED
#define UF_DRAW_H_INCLUDED
#include "uf_defs.h"

/* The sheets in creation order, as the host's allocation (UF_free). */
UF_EXTERN_C UFUNEXPORT int UF_DRAW_ask_drawings(int* num_drawings, tag_t** drawing_tags);
UF_EXTERN_C UFUNEXPORT int UF_DRAW_ask_current_drawing(tag_t* drawing_tag);

#endif
