/* Session bracket, messages, environment and run-time libraries of the procedural interface. */
#ifndef UF_H_INCLUDED
#define UF_H_INCLUDED
#include "uf_defs.h"

typedef void (*UF_load_f_p_t)(void);

UF_EXTERN_C UFUNEXPORT int UF_initialize(void);
UF_EXTERN_C UFUNEXPORT int UF_terminate(void);
UF_EXTERN_C UFUNEXPORT logical UF_is_initialized(void);
UF_EXTERN_C UFUNEXPORT int UF_get_fail_message(int fail_code, char message[MAX_LINE_BUFSIZE]);
/* The translation points to host storage: do not free it. */
UF_EXTERN_C UFUNEXPORT int UF_translate_variable(const char* variable, char** translation);
UF_EXTERN_C UFUNEXPORT void UF_free(void* data);
UF_EXTERN_C UFUNEXPORT void UF_free_string_array(int n_strings, char** string_array);
UF_EXTERN_C UFUNEXPORT int UF_print_syslog(char* message, logical flush);
UF_EXTERN_C UFUNEXPORT int UF_load_library(char* library_name, char* symbol_name, UF_load_f_p_t* function_ptr);
UF_EXTERN_C UFUNEXPORT int UF_unload_library(char* library_name);
UF_EXTERN_C UFUNEXPORT int UF_ask_application_module(char module_id[MAX_LINE_BUFSIZE]);

/* The user's request to stop a long command. */
UF_EXTERN_C UFUNEXPORT int UF_ABORT_enable_abort(void);
UF_EXTERN_C UFUNEXPORT int UF_ABORT_disable_abort(void);
UF_EXTERN_C UFUNEXPORT int UF_ABORT_clear_abort(void);
UF_EXTERN_C UFUNEXPORT int UF_ABORT_ask_flag_status(logical* abort_flag);

#endif
