/* The modelling kernel's tags of host objects. */
#ifndef UF_PS_H_INCLUDED
#define UF_PS_H_INCLUDED
#include "uf_defs.h"

/* An occurrence answers its prototype's kernel body. */
UF_EXTERN_C UFUNEXPORT int UF_PS_ask_ps_tag_of_object(tag_t object, tag_t* ps_tag);

#endif
