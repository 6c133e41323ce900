/* Basic types of the host's procedural interface. */
#ifndef UF_DEFS_H_INCLUDED
#define UF_DEFS_H_INCLUDED

#include <stddef.h>

#ifdef __cplusplus
#define UF_EXTERN_C extern "C"
#else
#define UF_EXTERN_C extern
#endif
#define UFUNEXPORT __attribute__((visibility("default")))

typedef unsigned int tag_t;
typedef tag_t* tag_p_t;
typedef int logical;

#define NULL_TAG ((tag_t)0)
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define MAX_LINE_BUFSIZE 133
#define MAX_FSPEC_BUFSIZE 257
#define MAX_ENTITY_NAME_BUFSIZE 31
#define UF_OBJ_NAME_BUFSIZE MAX_ENTITY_NAME_BUFSIZE
#define UF_CFI_MAX_PATH_NAME_SIZE 256

/* Statuses of the stand-in that have no other home. */
#define UF_err_program_not_initialized 1
#define UF_err_bad_parameter_number_1 3
#define UF_err_bad_parameter_number_2 4
#define UF_err_bad_parameter_number_3 5
#define UF_err_bad_parameter_number_4 6
#define UF_err_bad_parameter_number_5 11
#define UF_err_invalid_tag 7
#define UF_err_operation_failed 8
#define UF_err_file_not_found 9
#define UF_err_not_provided 10

#endif
