/* WAVE links: bodies of other parts brought into the work part. */
#ifndef UF_WAVE_H_INCLUDED
#define UF_WAVE_H_INCLUDED
#include "uf_defs.h"

UF_EXTERN_C UFUNEXPORT int UF_WAVE_create_linked_body(tag_t body, tag_t xform, tag_t object_in_part, logical at_timestamp,
                                                      tag_t* linked_feature);

#endif
