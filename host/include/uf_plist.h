/* Parts lists of drawing sheets. */
#ifndef UF_PLIST_H_INCLUDED
#define UF_PLIST_H_INCLUDED
#include "uf_defs.h"

UF_EXTERN_C UFUNEXPORT int UF_PLIST_update_all_plists(void);
/* Adds an object to a parts list (165/11); `level` 0 is the list itself. Shown at the next update. */
UF_EXTERN_C UFUNEXPORT int UF_PLIST_add_object(tag_t plist, int level, tag_t object);
/* Rewrites the list's rows from its objects' attributes: number, name, quantity, material. */
UF_EXTERN_C UFUNEXPORT int UF_PLIST_update(tag_t plist);

#endif
