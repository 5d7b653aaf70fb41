#ifndef BAKE3DS_TESTS_TEST_LIBRARY_C_H
#define BAKE3DS_TESTS_TEST_LIBRARY_C_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The header for the bytes as a C program writes it: loaded with options
 * of its own size, the class named as the command line names it, written
 * through a C sink; in *p_rule the load's rule and in *p_vertex_total the
 * vertices of its objects' views. NULL when the load or the writing fails;
 * else to release with free(), its length in *p_header_size. */
char *CHeaderThroughSink(const void *p_data, size_t n_size, const char *s_input_path, size_t *p_header_size,
    int *p_rule, size_t *p_vertex_total);

#ifdef __cplusplus
}
#endif

#endif
