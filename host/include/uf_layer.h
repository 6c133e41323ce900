/* Layers of the work part. */
#ifndef UF_LAYER_H_INCLUDED
#define UF_LAYER_H_INCLUDED
#include "uf_defs.h"

#define UF_LAYER_WORK_LAYER 0
#define UF_LAYER_ACTIVE_LAYER 1
#define UF_LAYER_REFERENCE_LAYER 2
#define UF_LAYER_INACTIVE_LAYER 3
#define UF_LAYER_MIN_LAYER 1
#define UF_LAYER_MAX_LAYER 256

UF_EXTERN_C UFUNEXPORT int UF_LAYER_set_status(int layer, int status);
UF_EXTERN_C UFUNEXPORT int UF_LAYER_ask_status(int layer, int* status);
UF_EXTERN_C UFUNEXPORT int UF_LAYER_ask_work_layer(int* layer);
/* Every layer but the work layer; status 4 hides them (inactive). */
UF_EXTERN_C UFUNEXPORT int UF_LAYER_set_all_but_work(int status);

#endif
