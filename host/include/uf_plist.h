/* Parts lists of drawing sheets. */
#ifndef UF_PLIST_H_INCLUDED
#define UF_PLIST_H_INCLUDED
#include "uf_defs.h"

UF_EXTERN_C UFUNEXPORT int UF_PLIST_update_all_plists(void);

#endif
