/* CRT folder creation over the stand-in's file system mapping. */
#ifndef VORTA_DIRECT_H_INCLUDED
#define VORTA_DIRECT_H_INCLUDED
#include "uf_defs.h"

UF_EXTERN_C UFUNEXPORT int _mkdir(const char* dirname);

#endif
