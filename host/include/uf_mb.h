/* Menubar: action table and applications. */
#ifndef UF_MB_H_INCLUDED
#define UF_MB_H_INCLUDED
#include "uf_defs.h"

typedef void* UF_MB_widget_t;
typedef void* UF_MB_data_t;
typedef struct UF_MB_activated_button_s {
    int type;
    char* menubar_name;
    char* name;
} UF_MB_activated_button_t, *UF_MB_activated_button_p_t;

typedef enum {
    UF_MB_CB_CONTINUE = 0,
    UF_MB_CB_OVERRIDE_STANDARD = 1,
    UF_MB_CB_CANCEL = 2,
    UF_MB_CB_ERROR = 3
} UF_MB_cb_status_t;

typedef UF_MB_cb_status_t (*UF_MB_callback_t)(UF_MB_widget_t, UF_MB_data_t, UF_MB_activated_button_p_t);

typedef struct UF_MB_action_s {
    char* action_name;
    UF_MB_callback_t callback;
    UF_MB_data_t client_data;
} UF_MB_action_t, *UF_MB_action_p_t;

typedef void (*UF_MB_application_proc_t)(void);
typedef struct UF_MB_application_s {
    int id;
    char* name;
    UF_MB_application_proc_t init_proc;
    UF_MB_application_proc_t exit_proc;
    UF_MB_application_proc_t enter_proc;
    logical drawings_supported;
    logical design_in_context_supported;
    logical supports_undo;
} UF_MB_application_t, *UF_MB_application_p_t;

/* The table ends with a row whose action name is null. */
UF_EXTERN_C UFUNEXPORT int UF_MB_add_actions(UF_MB_action_t actions[]);
UF_EXTERN_C UFUNEXPORT int UF_MB_register_application(UF_MB_application_t* app_data);

#endif
