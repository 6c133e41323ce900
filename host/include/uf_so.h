/* Smart objects: transforms between assembly contexts. */
#ifndef UF_SO_H_INCLUDED
#define UF_SO_H_INCLUDED
#include "uf_defs.h"

/* A transform that carries objects of from_part_occ's part into to_part_occ's context. */
UF_EXTERN_C UFUNEXPORT int UF_SO_create_xform_assy_ctxt(tag_t object_in_part, tag_t from_part_occ, tag_t to_part_occ, tag_t* xform);

#endif
