/* Curves and edges. */
#ifndef UF_CURVE_H_INCLUDED
#define UF_CURVE_H_INCLUDED
#include "uf_defs.h"

/* The centre of a circular curve or edge. */
UF_EXTERN_C UFUNEXPORT int UF_CURVE_ask_centroid(tag_t curve_id, double centroid[3]);

#endif
