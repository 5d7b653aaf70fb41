/* The library as a C program calls it: this file is compiled as C99 with
 * the project's warnings as errors, so that <bake3ds/bake3ds.h> is shown to
 * be C; the C++ test compares what these calls give with its own. */

#include <bake3ds/bake3ds.h>
#include <stdlib.h>
#include <string.h>

#include "test_library_c.h"

typedef struct c_text {
    char *p_text;
    size_t n_size, n_capacity;
} c_text;

/* A sink that keeps what it is given. */
static int Append(void *p_user, const char *p_text, size_t n_size)
{
    c_text *p_out = (c_text *)p_user;
    if(p_out->n_capacity - p_out->n_size < n_size) {
        size_t n_capacity = 2 * (p_out->n_size + n_size);
        char *p_grown = (char *)realloc(p_out->p_text, n_capacity);
        if(!p_grown)
            return 0;
        p_out->p_text = p_grown;
        p_out->n_capacity = n_capacity;
    }
    memcpy(p_out->p_text + p_out->n_size, p_text, n_size);
    p_out->n_size += n_size;
    return 1;
}

char *CHeaderThroughSink(const void *p_data, size_t n_size, const char *s_input_path, size_t *p_header_size,
    int *p_rule, size_t *p_vertex_total)
{
    bake3ds_options t_options;
    bake3ds_failure t_failure;
    bake3ds_scene *p_scene;
    char *s_header_path, *s_class;
    c_text t_out = {NULL, 0, 0};
    size_t i;
    int b_written;

    memset(&t_options, 0, sizeof(t_options));
    t_options.size = sizeof(t_options);
    p_scene = bake3ds_load(p_data, n_size, &t_options, &t_failure);
    *p_rule = (int)t_failure.rule;
    *p_vertex_total = 0;
    if(!p_scene)
        return NULL;
    for(i = 0; i < bake3ds_object_count(p_scene); ++i) {
        bake3ds_object t_object;
        if(bake3ds_get_object(p_scene, i, &t_object))
            *p_vertex_total += (size_t)t_object.vertex_count;
    }
    s_header_path = bake3ds_header_path_for(s_input_path);
    s_class = s_header_path ? bake3ds_class_name_for(s_header_path) : NULL;
    b_written = s_class && bake3ds_write_header(p_scene, s_class, s_input_path, Append, &t_out);
    bake3ds_free(s_class);
    bake3ds_free(s_header_path);
    bake3ds_scene_free(p_scene);
    if(!b_written) {
        free(t_out.p_text);
        return NULL;
    }
    *p_header_size = t_out.n_size;
    return t_out.p_text ? t_out.p_text : (char *)malloc(1);
}
