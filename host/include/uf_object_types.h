/* Object types and subtypes as the host numbers them. */
#ifndef UF_OBJECT_TYPES_H_INCLUDED
#define UF_OBJECT_TYPES_H_INCLUDED

#define UF_part_type 2
#define UF_group_type 15
#define UF_line_type 3
#define UF_circle_type 5
#define UF_coordinate_system_type 45
#define UF_drawing_type 62
#define UF_component_type 63
#define UF_part_occurrence_subtype 1
#define UF_view_type 60
#define UF_solid_type 70
#define UF_solid_body_subtype 0
#define UF_solid_face_subtype 2
#define UF_solid_edge_subtype 3
#define UF_solid_body_type 70
#define UF_tabular_note_type 165
#define UF_parts_list_subtype 11
#define UF_feature_type 205
#define UF_faceted_model_type 139

#endif
