/* Modelling queries: bodies, faces, edges, boxes, distances, lists, features. */
#ifndef UF_MODL_H_INCLUDED
#define UF_MODL_H_INCLUDED
#include "uf_defs.h"

#define UF_MODL_SOLID_BODY 5601
#define UF_MODL_SHEET_BODY 5602

#define UF_MODL_PLANAR_FACE 22
#define UF_MODL_CYLINDRICAL_FACE 16
#define UF_MODL_CONICAL_FACE 17
#define UF_MODL_LINEAR_EDGE 3001
#define UF_MODL_CIRCULAR_EDGE 3002

/* How a new feature combines with the target solid. */
enum UF_FEATURE_SIGN_e {
    UF_NULLSIGN = 0,  /* a new body of its own */
    UF_POSITIVE = 1,  /* united with the target */
    UF_NEGATIVE = 2,  /* subtracted from the target */
    UF_UNSIGNED = 3   /* intersected with the target */
};
typedef enum UF_FEATURE_SIGN_e UF_FEATURE_SIGN;

typedef struct uf_list_s {
    tag_t eid;
    struct uf_list_s* next;
} uf_list_t, *uf_list_p_t;

UF_EXTERN_C UFUNEXPORT int UF_MODL_create_list(uf_list_p_t* list);
UF_EXTERN_C UFUNEXPORT int UF_MODL_put_list_item(uf_list_p_t list, tag_t obj_id);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_list_count(uf_list_p_t list, int* count);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_list_item(uf_list_p_t list, int index, tag_t* object);
UF_EXTERN_C UFUNEXPORT int UF_MODL_delete_list(uf_list_p_t* list);

UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_body_type(tag_t body, int* body_type);
/* The body's faces or edges in the kernel's order, as a list the caller deletes. */
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_body_faces(tag_t body, uf_list_p_t* face_list);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_body_edges(tag_t body, uf_list_p_t* edge_list);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_face_edges(tag_t face, uf_list_p_t* edge_list);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_face_type(tag_t face, int* type);
/* dir: the normal of a planar face (outward), the axis of a cylinder or cone. */
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_face_data(tag_t face, int* type, double point[3], double dir[3], double box[6],
                                                 double* radius, double* rad_data, int* norm_dir);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_edge_type(tag_t edge, int* edge_type);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_edge_verts(tag_t edge, double point1[3], double point2[3], int* vertex_count);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_edge_body(tag_t edge, tag_t* body);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_face_body(tag_t face, tag_t* body);
/* Axis-aligned box in absolute coordinates: min x, y, z, max x, y, z. */
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_bounding_box(tag_t object, double bounding_box[6]);
/* Exact box in a coordinate system (NULL_TAG: the work coordinate system): its corner, axes and extents. */
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_bounding_box_exact(tag_t object, tag_t csys_tag, double min_corner[3],
                                                          double directions[3][3], double distances[3]);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_minimum_dist(tag_t object1, tag_t object2, int guess1_given, double guess1[3],
                                                    int guess2_given, double guess2[3], double* min_dist, double pt_on_obj1[3],
                                                    double pt_on_obj2[3]);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_distance_tolerance(double* tolerance);
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_feat_body(tag_t feature, tag_t* body);
UF_EXTERN_C UFUNEXPORT int UF_MODL_update(void);

/* A cylinder feature of the work part: base centre `origin`, axis `direction`, height and diameter as
   expression texts. */
UF_EXTERN_C UFUNEXPORT int UF_MODL_create_cyl1(UF_FEATURE_SIGN sign, double origin[3], char* height, char* diam,
                                               double direction[3], tag_t* cyl_obj_id);

/* Mass properties of bodies. type 1: solids; units 3: grams and centimetres; density 0: each body's
   own. mass_props[2] is the mass, [1] the volume. accuracy 1 takes acc_value[0] as the accuracy. */
UF_EXTERN_C UFUNEXPORT int UF_MODL_ask_mass_props_3d(tag_t* objects, int num_objects, int type, int units, double density,
    int accuracy, double acc_value[11], double mass_props[47], double statistics[13]);

#endif
