/* CRT folder listing and access test, over the stand-in's file system mapping. */
#ifndef VORTA_IO_H_INCLUDED
#define VORTA_IO_H_INCLUDED
#include "uf_defs.h"
#include <stdint.h>

#define _A_NORMAL 0x00
#define _A_RDONLY 0x01
#define _A_HIDDEN 0x02
#define _A_SYSTEM 0x04
#define _A_SUBDIR 0x10
#define _A_ARCH 0x20

struct _finddata64i32_t {
    unsigned attrib;
    long long time_create;
    long long time_access;
    long long time_write;
    uint32_t size;
    char name[260];
};

/* Lists "." and ".." first, as Windows does. Answers -1 when nothing matches. */
UF_EXTERN_C UFUNEXPORT intptr_t _findfirst64i32(const char* filespec, struct _finddata64i32_t* fileinfo);
UF_EXTERN_C UFUNEXPORT int _findnext64i32(intptr_t handle, struct _finddata64i32_t* fileinfo);
UF_EXTERN_C UFUNEXPORT int _findclose(intptr_t handle);
UF_EXTERN_C UFUNEXPORT int _access(const char* path, int mode);
/* rename of the CRT with Windows paths; declared here so that module code keeps calling rename(). */
UF_EXTERN_C UFUNEXPORT int vorta_rename(const char* old_name, const char* new_name);
#define rename vorta_rename

#endif
