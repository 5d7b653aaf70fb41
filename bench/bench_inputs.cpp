#include "bench_inputs.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

using namespace fixture;

namespace bench {

namespace {

CChunk Materials(std::initializer_list<const char *> p_names)
{
    CChunk t_block(id_Editor);
    for(const char *s_name : p_names)
        t_block.Add(Material(s_name));
    return t_block;
}

// The editor chunk with the materials, then the given objects.
TBytes File(std::initializer_list<const char *> p_materials, const std::vector<CChunk> &p_objects,
    const std::vector<CChunk> &p_nodes = {})
{
    CChunk t_editor = Materials(p_materials);
    for(const CChunk &r_object : p_objects)
        t_editor.Add(r_object);
    CChunk t_root(id_Main);
    t_root.Add(t_editor);
    if(!p_nodes.empty()) {
        CChunk t_keyframer(id_Keyframer);
        for(const CChunk &r_node : p_nodes)
            t_keyframer.Add(r_node);
        t_root.Add(t_keyframer);
    }
    return t_root.Bytes();
}

// A track of one key at frame 0 holding the values, as an exporter writes
// for an object that does not move.
CChunk OneKeyTrack(uint16_t n_id, std::initializer_list<float> p_values)
{
    CChunk t_chunk(n_id);
    t_chunk.U16(0).U32(0).U32(0).U16(1).U16(0);
    t_chunk.U16(0).U32(0).Floats(p_values);
    return t_chunk;
}

} // namespace

TBytes LargeGrid()
{
    const int n_columns = 256, n_vertices = 65535, n_faces = 65535;
    const float f_pi = 3.14159265f;
    std::vector<TPoint> p_points;
    for(int i = 0; i < n_vertices; ++i) {
        int n_col = i % n_columns, n_row = i / n_columns;
        float f_angle = 2 * f_pi * float(n_col % (n_columns - 1)) / float(n_columns - 1); // the last column is the seam
        p_points.push_back({10 * std::cos(f_angle), 10 * std::sin(f_angle), 0.1f * float(n_row)});
    }
    std::vector<TTriangle> p_faces;
    std::vector<uint16_t> p_groups[3];
    for(int n_row = 0; int(p_faces.size()) < n_faces; ++n_row) {
        for(int n_col = 0; n_col + 1 < n_columns && int(p_faces.size()) < n_faces; ++n_col) {
            uint16_t a = uint16_t(n_row * n_columns + n_col), b = uint16_t(a + 1), c = uint16_t(a + n_columns),
                     d = uint16_t(c + 1);
            if(d >= n_vertices)
                continue;
            for(const TTriangle &t : {TTriangle{a, b, d}, TTriangle{a, d, c}}) {
                if(int(p_faces.size()) == n_faces)
                    break;
                p_groups[(n_col / 32) % 3].push_back(uint16_t(p_faces.size()));
                p_faces.push_back(t);
            }
        }
    }
    CChunk t_mesh = MeshObject("grid", p_points, p_faces,
        {MaterialGroup("red", p_groups[0]), MaterialGroup("green", p_groups[1]), MaterialGroup("blue", p_groups[2])});
    return File({"red", "green", "blue"}, {t_mesh});
}

TBytes Sphere()
{
    const int n_segments = 200, n_rings = 121; // 200 * 120 + 2 vertices, 2 * 200 * 120 faces
    const float f_pi = 3.14159265f;
    std::vector<TPoint> p_points = {{0, 0, 1}};
    for(int r = 1; r < n_rings; ++r) {
        float f_theta = f_pi * float(r) / float(n_rings);
        for(int s = 0; s < n_segments; ++s) {
            float f_phi = 2 * f_pi * float(s) / float(n_segments);
            p_points.push_back(
                {std::sin(f_theta) * std::cos(f_phi), std::sin(f_theta) * std::sin(f_phi), std::cos(f_theta)});
        }
    }
    p_points.push_back({0, 0, -1});
    auto t_ring = [&](int r, int s) { return uint16_t(1 + (r - 1) * n_segments + (s % n_segments)); };
    std::vector<TTriangle> p_faces;
    uint16_t n_south = uint16_t(p_points.size() - 1);
    for(int s = 0; s < n_segments; ++s) {
        p_faces.push_back({0, t_ring(1, s), t_ring(1, s + 1)});
        p_faces.push_back({n_south, t_ring(n_rings - 1, s + 1), t_ring(n_rings - 1, s)});
    }
    for(int r = 1; r + 1 < n_rings; ++r) {
        for(int s = 0; s < n_segments; ++s) {
            p_faces.push_back({t_ring(r, s), t_ring(r + 1, s), t_ring(r + 1, s + 1)});
            p_faces.push_back({t_ring(r, s), t_ring(r + 1, s + 1), t_ring(r, s + 1)});
        }
    }
    return File({"chrome"}, {MeshObject("sphere", p_points, p_faces)});
}

TBytes BusyScene()
{
    std::vector<CChunk> p_objects, p_nodes;
    for(int i = 0; i < 200; ++i) {
        float x = float(i % 20) * 3, y = float(i / 20) * 3; // NOLINT(bugprone-integer-division): whole rows
        std::vector<TPoint> p_points = {{x, y, 0}, {x + 1, y, 0}, {x + 1, y + 1, 0}, {x, y + 1, 0}, {x, y, 1},
            {x + 1, y, 1}, {x + 1, y + 1, 1}, {x, y + 1, 1}};
        std::vector<TTriangle> p_faces = {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4}, {1, 2, 6},
            {1, 6, 5}, {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7}};
        std::string s_name = "box" + std::to_string(i);
        p_objects.push_back(
            MeshObject(s_name, p_points, p_faces, {MaterialGroup(i % 2 ? "odd" : "even", {0, 1, 2, 3, 4, 5})}));
        p_nodes.push_back(Node(id_ObjectNode, {NodeId(uint16_t(i)), NodeHeader(s_name, 0xFFFF)}));
    }
    for(int i = 0; i < 4; ++i)
        p_objects.push_back(LightObject("light" + std::to_string(i), {float(i) * 10, 5, 20}, {ColorF(1, 1, 1)}));
    for(int i = 0; i < 3; ++i) {
        std::string s_name = "camera" + std::to_string(i);
        p_objects.push_back(CameraObject(s_name, {0, -50, 20}, {30, 15, 0}, 0, 35));
        std::vector<TKey> p_path, p_aim;
        for(uint16_t k = 0; k < 100; ++k) {
            p_path.push_back({k, 0, {float(k), -50, 20}});
            p_aim.push_back({k, 0, {30, float(k) / 4, 0}});
        }
        p_nodes.push_back(
            Node(id_CameraNode, {NodeId(uint16_t(300 + i)), NodeHeader(s_name, 0xFFFF), PositionTrack(p_path)}));
        p_nodes.push_back(
            Node(id_TargetNode, {NodeId(uint16_t(400 + i)), NodeHeader(s_name, 0xFFFF), PositionTrack(p_aim)}));
    }
    return File({"even", "odd"}, p_objects, p_nodes);
}

TBytes ManyMeshes()
{
    // columns x rows of each mesh, largest first: one body, a few large
    // parts and many small ones, as a vehicle or a building is modelled
    const int p_shape[24][2] = {{140, 200}, {120, 100}, {96, 75}, {100, 50}, {64, 64}, {60, 60}, {60, 50}, {50, 50},
        {64, 32}, {60, 30}, {40, 40}, {48, 30}, {40, 32}, {40, 30}, {48, 24}, {44, 25}, {44, 24}, {32, 32}, {40, 25},
        {35, 28}, {32, 30}, {36, 26}, {40, 23}, {36, 25}};
    const char *const s_material[] = {"paint", "chrome", "glass", "rubber", "cloth", "steel"};
    const float f_pi = 3.14159265f;
    std::vector<CChunk> p_objects, p_nodes;
    for(int i = 0; i < 24; ++i) {
        const int n_columns = p_shape[i][0], n_rows = p_shape[i][1];
        // a third of the meshes are textured: a cylinder whose last column
        // repeats the first one's positions with other mapping coordinates,
        // as exporters split the seam; the others are closed tori
        const bool b_mapped = i % 3 == 2;
        const float f_angle = 0.3f * float(i), f_cos = std::cos(f_angle), f_sin = std::sin(f_angle);
        // NOLINTNEXTLINE(bugprone-integer-division): whole rows of six
        const TPoint p_origin = {float(i % 6) * 40, float(i / 6) * 40, float(i % 4) * 5};
        const float f_radius = 4 + float(n_columns) / 20, f_tube = 1 + float(n_rows) / 50;
        const int n_around = b_mapped ? n_columns - 1 : n_columns;
        std::vector<TPoint> p_points;
        std::vector<std::array<float, 2>> p_uvs;
        for(int r = 0; r < n_rows; ++r) {
            for(int c = 0; c < n_columns; ++c) {
                float f_u = 2 * f_pi * float(c % n_around) / float(n_around);
                float f_v = 2 * f_pi * float(r) / float(n_rows);
                float x, y, z;
                if(b_mapped) {
                    x = f_radius * std::cos(f_u), y = f_radius * std::sin(f_u), z = 0.2f * float(r);
                    p_uvs.push_back({float(c) / float(n_columns - 1), float(r) / float(n_rows - 1)});
                } else {
                    float f_ring = f_radius + f_tube * std::cos(f_v);
                    x = f_ring * std::cos(f_u), y = f_ring * std::sin(f_u), z = f_tube * std::sin(f_v);
                }
                // the file holds the vertices placed in the world, the local
                // matrix below says where the object's own frame is
                p_points.push_back(
                    {p_origin[0] + f_cos * x - f_sin * y, p_origin[1] + f_sin * x + f_cos * y, p_origin[2] + z});
            }
        }
        std::vector<TTriangle> p_faces;
        const int n_row_ends = b_mapped ? n_rows - 1 : n_rows, n_column_ends = b_mapped ? n_columns - 1 : n_columns;
        for(int r = 0; r < n_row_ends; ++r) {
            for(int c = 0; c < n_column_ends; ++c) {
                uint16_t a = uint16_t(r * n_columns + c), b = uint16_t(r * n_columns + (c + 1) % n_columns),
                         d = uint16_t((r + 1) % n_rows * n_columns + c),
                         e = uint16_t((r + 1) % n_rows * n_columns + (c + 1) % n_columns);
                p_faces.push_back({a, b, e});
                p_faces.push_back({a, e, d});
            }
        }
        // one to three materials per mesh, each over a band of rows, so that
        // each material is spread over several meshes
        const int n_groups = 1 + i % 3;
        CChunk t_face_list = FaceList(p_faces);
        for(int g = 0; g < n_groups; ++g) {
            std::vector<uint16_t> p_group;
            size_t n_first = p_faces.size() * size_t(g) / size_t(n_groups),
                   n_end = p_faces.size() * size_t(g + 1) / size_t(n_groups);
            for(size_t f = n_first; f < n_end; ++f)
                p_group.push_back(uint16_t(f));
            t_face_list.Add(MaterialGroup(s_material[(i + g) % 6], p_group));
        }
        CChunk t_tri(id_TriObject);
        t_tri.Add(VertexList(p_points));
        if(b_mapped)
            t_tri.Add(MappingCoords(p_uvs));
        t_tri.Add(LocalMatrix({f_cos, f_sin, 0, -f_sin, f_cos, 0, 0, 0, 1, p_origin[0], p_origin[1], p_origin[2]}));
        t_tri.Add(t_face_list);
        std::string s_name = "part" + std::to_string(i);
        p_objects.push_back(CChunk(id_NamedObject).Name(s_name).Add(t_tri));
        // the nodes in assemblies of four: the first of each its root
        uint16_t n_parent = i % 4 ? uint16_t(i - i % 4) : 0xFFFF;
        TPoint p_raised = {p_origin[0], p_origin[1], p_origin[2] + 10};
        p_nodes.push_back(Node(id_ObjectNode,
            {NodeId(uint16_t(i)), NodeHeader(s_name, n_parent), CChunk(id_Pivot).Floats({0, 0, 0}),
                PositionTrack({{0, 0, p_origin}, {100, 0, p_raised}}),
                OneKeyTrack(id_RotationTrack, {f_angle, 0, 0, 1}), OneKeyTrack(id_ScaleTrack, {1, 1, 1})}));
    }
    return File({"paint", "chrome", "glass", "rubber", "cloth", "steel"}, p_objects, p_nodes);
}

std::string MakeScratchDir(const std::string &r_s_prefix)
{
    std::filesystem::path t_dir = std::filesystem::temp_directory_path() / (r_s_prefix + std::to_string(getpid()));
    std::filesystem::create_directories(t_dir);
    return t_dir.string();
}

void WriteBytes(const std::string &r_s_path, const TBytes &r_bytes)
{
    FILE *p = std::fopen(r_s_path.c_str(), "wb");
    std::fwrite(r_bytes.data(), 1, r_bytes.size(), p);
    std::fclose(p);
}

std::vector<std::string> CorpusFiles(const std::string &r_s_corpus)
{
    std::vector<std::string> p_files;
    for(const std::filesystem::directory_entry &r_entry : std::filesystem::recursive_directory_iterator(r_s_corpus)) {
        std::string s_ext = r_entry.path().extension().string();
        if(r_entry.is_regular_file() && (s_ext == ".3ds" || s_ext == ".3DS"))
            p_files.push_back(r_entry.path().string());
    }
    std::sort(p_files.begin(), p_files.end());
    return p_files;
}

std::vector<TWrittenInput> WriteGeneratedInputs(const std::string &r_s_dir)
{
    struct TInput {
        const char *s_name, *s_file;
        TBytes (*p_make)();
    };
    std::vector<TWrittenInput> p_written;
    for(const TInput &r : {TInput{"grid 65535 v / 65535 f", "grid.3ds", LargeGrid},
            TInput{"24 meshes, 84792 v / 168152 f", "meshes.3ds", ManyMeshes},
            TInput{"sphere 24002 v / 48000 f", "sphere.3ds", Sphere},
            TInput{"200 meshes, lights, cameras", "200.3ds", BusyScene}}) {
        p_written.push_back(TWrittenInput{r.s_name, r_s_dir + "/" + r.s_file});
        WriteBytes(p_written.back().s_path, r.p_make());
    }
    return p_written;
}

} // namespace bench
