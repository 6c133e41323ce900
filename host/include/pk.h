/* The modelling kernel's interface, as far as the host offers it: mass properties, faces and edges of
   bodies. Lengths are metres, masses kilograms. */
#ifndef PK_H_INCLUDED
#define PK_H_INCLUDED
#include "uf_defs.h"

typedef int PK_ERROR_code_t;
typedef int PK_ENTITY_t;
typedef PK_ENTITY_t PK_TOPOL_t;
typedef PK_ENTITY_t PK_BODY_t;
typedef PK_ENTITY_t PK_FACE_t;
typedef PK_ENTITY_t PK_EDGE_t;
typedef int PK_LOGICAL_t;

#define PK_ENTITY_null 0
#define PK_ERROR_no_errors 0
#define PK_ERROR_bad_entity 1001
#define PK_ERROR_wrong_entity 1002
#define PK_ERROR_unexpected 1003  /* the stand-in's own: the kernel could not do what was asked */

typedef enum { PK_mass_no_c = 0, PK_mass_mass_c = 1 } PK_mass_t;
typedef enum { PK_mass_c_of_g_no_c = 0, PK_mass_c_of_g_yes_c = 1 } PK_mass_c_of_g_t;
typedef enum { PK_mass_m_of_i_no_c = 0, PK_mass_m_of_i_yes_c = 1 } PK_mass_m_of_i_t;
typedef enum { PK_mass_periphery_no_c = 0, PK_mass_periphery_yes_c = 1 } PK_mass_periphery_t;

typedef struct PK_TOPOL_eval_mass_props_o_s {
    int o_t_version;
    PK_mass_t mass;
    PK_mass_c_of_g_t c_of_g;
    PK_mass_m_of_i_t m_of_i;
    PK_mass_periphery_t periphery;
} PK_TOPOL_eval_mass_props_o_t;

#define PK_TOPOL_eval_mass_props_o_m(options)                                                                 \
    ((options).o_t_version = 1, (options).mass = PK_mass_mass_c, (options).c_of_g = PK_mass_c_of_g_no_c, \
     (options).m_of_i = PK_mass_m_of_i_no_c, (options).periphery = PK_mass_periphery_no_c)

/* amount: the volume of bodies or the area of faces; mass: of bodies, by their density. */
UF_EXTERN_C UFUNEXPORT PK_ERROR_code_t PK_TOPOL_eval_mass_props(int n_topols, const PK_TOPOL_t topols[], double accuracy,
                                                                const PK_TOPOL_eval_mass_props_o_t* options, double* amount,
                                                                double* mass, double c_of_g[3], double m_of_i[9], double* periphery);
/* Arrays are the kernel's allocation, freed with PK_MEMORY_free. */
UF_EXTERN_C UFUNEXPORT PK_ERROR_code_t PK_BODY_ask_faces(PK_BODY_t body, int* n_faces, PK_FACE_t** faces);
UF_EXTERN_C UFUNEXPORT PK_ERROR_code_t PK_BODY_ask_edges(PK_BODY_t body, int* n_edges, PK_EDGE_t** edges);
UF_EXTERN_C UFUNEXPORT PK_ERROR_code_t PK_MEMORY_free(void* pointer);

#endif
