/*
 * A C99 program on the library, as a pipeline would write one: converts the
 * .3ds file named by the first argument to the header the command line
 * writes for it, into the file named by the second, and prints what it
 * read: the counts, object 0, its first vertex as the header prints it
 * (8 floats, GL_T2F_N3F_V3F) and its first face. A refused file prints
 * the rule and the message and exits with 1.
 */
#include <bake3ds/bake3ds.h>

#include <inttypes.h>
#include <stdio.h>
#include <stdlib.h>

/* The whole file at path, to release with free; NULL when it cannot be
 * read. */
static unsigned char *read_file(const char *path, size_t *size)
{
    FILE *file = fopen(path, "rb");
    unsigned char *data = NULL;
    size_t capacity = 0;
    int failed;
    *size = 0;
    if(!file)
        return NULL;
    do {
        if(*size == capacity) {
            unsigned char *more = realloc(data, capacity ? 2 * capacity : 65536);
            if(!more) {
                free(data);
                fclose(file);
                return NULL;
            }
            data = more;
            capacity = capacity ? 2 * capacity : 65536;
        }
        *size += fread(data + *size, 1, capacity - *size, file);
    } while(*size == capacity);
    failed = ferror(file);
    fclose(file);
    if(failed) {
        free(data);
        return NULL;
    }
    return data;
}

/* Says why the library refused the file, in the words scripts match. */
static int refused(const bake3ds_failure *failure)
{
    printf("refused: %s: %s\n", bake3ds_rule_name(failure->rule), failure->message);
    return 1;
}

int main(int argc, char **argv)
{
    bake3ds_failure failure;
    bake3ds_scene *scene;
    bake3ds_object object;
    unsigned char *data;
    size_t size = 0, header_size = 0;
    char *header = NULL;
    FILE *out;
    int written, i;

    if(argc != 3) {
        fprintf(stderr, "usage: convert INPUT.3ds OUTPUT.h\n");
        return 2;
    }
    scene = bake3ds_load_file(argv[1], NULL, &failure);
    if(!scene)
        return refused(&failure);
    printf("%zu objects, %zu lights, %zu materials, %zu cameras\n", bake3ds_object_count(scene),
        bake3ds_light_count(scene), bake3ds_material_count(scene), bake3ds_camera_count(scene));

    /* the header of the command line: the file's bytes under the name it
     * was given */
    data = read_file(argv[1], &size);
    if(!data) {
        perror(argv[1]);
        bake3ds_scene_free(scene);
        return 1;
    }
    if(!bake3ds_convert(data, size, argv[1], NULL, &header, &header_size, &failure)) {
        free(data);
        bake3ds_scene_free(scene);
        return refused(&failure);
    }
    free(data);
    out = fopen(argv[2], "wb");
    written = out && fwrite(header, 1, header_size, out) == header_size;
    if(out && fclose(out) != 0)
        written = 0;
    bake3ds_free(header);
    if(!written) {
        perror(argv[2]);
        bake3ds_scene_free(scene);
        return 1;
    }

    if(!bake3ds_get_object(scene, 0, &object) || object.vertex_count < 1 || object.face_count < 1) {
        printf("no object 0 with a face\n");
        bake3ds_scene_free(scene);
        return 1;
    }
    printf("object 0 '%s': %" PRId32 " vertices, %" PRId32 " faces, %" PRId32 " material ranges\n", object.name,
        object.vertex_count, object.face_count, object.material_range_count);
    printf("\t");
    for(i = 0; i < 8; ++i)
        printf("%ff%s", object.vertices[i], i < 7 ? ", " : "\n");
    printf("\t%" PRIu32 ", %" PRIu32 ", %" PRIu32 "\n", object.indices[0], object.indices[1], object.indices[2]);
    bake3ds_scene_free(scene);
    /* a pipeline reads this output: a write that failed fails the run */
    return fflush(stdout) == 0 && !ferror(stdout) ? 0 : 1;
}
