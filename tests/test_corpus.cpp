// The real files of the shared corpus: their meshes agree with an
// independent reader. That each gives its expected header, messages and exit
// status is tests/expected_outcomes.sh's comparison, which the cross builds
// share.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "api/library.h"
#include "fixture/sample_scene.h"
#include "test_support.h"

using namespace bake3ds;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::string FileName(const std::string &r_s_path)
{
    return fs::path(r_s_path).filename().string();
}

#define SKIP_WITHOUT_CORPUS()                                                                                          \
    if(CorpusFiles().empty())                                                                                          \
    GTEST_SKIP() << "the corpus folder ../shared/corpus is absent: nothing to check"

// One mesh as both readers see it: name, counts, and the file's x, y, z of
// its first and last point.
struct TMeshSummary {
    std::string s_name;
    int n_vertex_num = 0, n_face_num = 0;
    std::array<double, 3> p_first = {}, p_last = {};
};

std::ostream &operator<<(std::ostream &r_os, const TMeshSummary &r)
{
    return r_os << "'" << r.s_name << "' " << r.n_vertex_num << "/" << r.n_face_num << " [" << r.p_first[0] << " "
                << r.p_first[1] << " " << r.p_first[2] << "] [" << r.p_last[0] << " " << r.p_last[1] << " "
                << r.p_last[2] << "]";
}

// A point as "%f" writes it and read back, as the other reader prints it.
std::array<double, 3> Printed(double x, double y, double z)
{
    char p_text[256];
    std::snprintf(p_text, sizeof(p_text), "%f %f %f", x, y, z);
    std::array<double, 3> p;
    std::sscanf(p_text, "%lf %lf %lf", &p[0], &p[1], &p[2]);
    return p;
}

// The other reader mirrors the points of a mesh whose matrix has a negative
// determinant across the plane x = 0 of the mesh's own frame (the matrix
// maps that frame to the file's: world = local * R + t, rows of R first).
std::array<double, 3> MirroredInOwnFrame(const float *p_m, const std::array<double, 3> &p_world)
{
    double R[3][3], t[3];
    for(int i = 0; i < 3; ++i) {
        for(int j = 0; j < 3; ++j)
            R[i][j] = p_m[4 * i + j];
        t[i] = p_m[12 + i];
    }
    double d = R[0][0] * (R[1][1] * R[2][2] - R[1][2] * R[2][1]) - R[0][1] * (R[1][0] * R[2][2] - R[1][2] * R[2][0]) +
        R[0][2] * (R[1][0] * R[2][1] - R[1][1] * R[2][0]);
    // inverse of R by cofactors
    double I[3][3];
    for(int i = 0; i < 3; ++i) {
        for(int j = 0; j < 3; ++j) {
            int a = (j + 1) % 3, b = (j + 2) % 3, c = (i + 1) % 3, e = (i + 2) % 3;
            I[i][j] = (R[a][c] * R[b][e] - R[a][e] * R[b][c]) / d;
        }
    }
    double q[3] = {p_world[0] - t[0], p_world[1] - t[1], p_world[2] - t[2]}, l[3];
    for(int j = 0; j < 3; ++j)
        l[j] = q[0] * I[0][j] + q[1] * I[1][j] + q[2] * I[2][j];
    l[0] = -l[0];
    std::array<double, 3> p;
    for(int j = 0; j < 3; ++j)
        p[j] = l[0] * R[0][j] + l[1] * R[1][j] + l[2] * R[2][j] + t[j];
    return p;
}

double Determinant(const float *p_m)
{
    return double(p_m[0]) * (double(p_m[5]) * p_m[10] - double(p_m[6]) * p_m[9]) -
        double(p_m[1]) * (double(p_m[4]) * p_m[10] - double(p_m[6]) * p_m[8]) +
        double(p_m[2]) * (double(p_m[4]) * p_m[9] - double(p_m[5]) * p_m[8]);
}

// Our meshes as the other reader should list them: stored positions turned
// back to the file's x, y, z, mirrored where it mirrors them. The flag says
// whether the points went through that arithmetic and can only be close.
std::vector<std::pair<TMeshSummary, bool>> OurMeshes(const C3dsScene &r_scene)
{
    std::vector<std::pair<TMeshSummary, bool>> meshes;
    for(const TMesh &m : r_scene.p_object) {
        TMeshSummary t;
        t.s_name = m.s_name;
        t.n_vertex_num = m.n_vertex_num;
        t.n_face_num = m.n_face_num;
        bool b_mirrored = Determinant(m.p_transform) < 0;
        if(!m.p_vertex.empty()) {
            const float *p = m.p_vertex.front().p_position, *q = m.p_vertex.back().p_position;
            t.p_first = {p[0], p[2], p[1]};
            t.p_last = {q[0], q[2], q[1]};
            if(b_mirrored) {
                t.p_first = MirroredInOwnFrame(m.p_transform, t.p_first);
                t.p_last = MirroredInOwnFrame(m.p_transform, t.p_last);
            } else {
                t.p_first = Printed(t.p_first[0], t.p_first[1], t.p_first[2]);
                t.p_last = Printed(t.p_last[0], t.p_last[1], t.p_last[2]);
            }
        }
        meshes.push_back({t, b_mirrored});
    }
    return meshes;
}

// The meshes as 3dsdump -t lists them: a line "  NAME vertices=N faces=M",
// later "  point list:" and one line of three numbers per point.
std::vector<TMeshSummary> DumpedMeshes(const std::string &r_s_dump)
{
    std::vector<TMeshSummary> meshes;
    std::istringstream t_in(r_s_dump);
    std::string s_line;
    bool b_points = false;
    int n_point = 0;
    while(std::getline(t_in, s_line)) {
        size_t n_at = s_line.rfind(" vertices=");
        if(s_line.compare(0, 2, "  ") == 0 && s_line.compare(0, 3, "   ") != 0 && n_at != std::string::npos &&
            s_line.find(" faces=", n_at) != std::string::npos) {
            TMeshSummary t;
            t.s_name = s_line.substr(2, n_at - 2);
            std::sscanf(s_line.c_str() + n_at, " vertices=%d faces=%d", &t.n_vertex_num, &t.n_face_num);
            meshes.push_back(t);
            b_points = false;
        } else if(s_line == "  point list:") {
            b_points = true;
            n_point = 0;
        } else if(b_points && s_line.compare(0, 4, "    ") == 0 && !meshes.empty()) {
            std::array<double, 3> p;
            std::sscanf(s_line.c_str(), "%lf %lf %lf", &p[0], &p[1], &p[2]);
            if(n_point == 0)
                meshes.back().p_first = p;
            if(++n_point == meshes.back().n_vertex_num)
                meshes.back().p_last = p;
        } else
            b_points = false;
    }
    return meshes;
}

bool Agree(const TMeshSummary &r_ours, bool b_close, const TMeshSummary &r_theirs)
{
    if(r_ours.s_name != r_theirs.s_name || r_ours.n_vertex_num != r_theirs.n_vertex_num ||
        r_ours.n_face_num != r_theirs.n_face_num)
        return false;
    for(int i = 0; i < 3; ++i) {
        for(const auto &p : {std::make_pair(r_ours.p_first[i], r_theirs.p_first[i]),
                std::make_pair(r_ours.p_last[i], r_theirs.p_last[i])}) {
            double f_allowed = b_close ? 2e-5 * std::max(1.0, std::fabs(p.second)) : 0;
            if(std::fabs(p.first - p.second) > f_allowed)
                return false;
        }
    }
    return true;
}

// Empty when every mesh of ours pairs off with one of theirs (a multiset
// comparison: the other reader lists meshes in its own order); else what
// did not pair.
std::string Unpaired(std::vector<std::pair<TMeshSummary, bool>> ours, std::vector<TMeshSummary> theirs)
{
    std::ostringstream t_out;
    for(const auto &r_mine : ours) {
        auto p_match = std::find_if(theirs.begin(), theirs.end(),
            [&](const TMeshSummary &r) { return Agree(r_mine.first, r_mine.second, r); });
        if(p_match == theirs.end())
            t_out << "  ours only: " << r_mine.first << "\n";
        else
            theirs.erase(p_match);
    }
    for(const TMeshSummary &r : theirs)
        t_out << "  theirs only: " << r << "\n";
    return t_out.str();
}

// The test command installs it where it is missing and the machine allows.
bool Have3dsdump()
{
    return HaveProgram("3dsdump");
}

} // namespace

TEST(Corpus, MeshesAgreeWithAnIndependentReader)
{
    SKIP_WITHOUT_CORPUS();
    if(!Have3dsdump())
        GTEST_SKIP() << "3dsdump (Debian lib3ds-dev) is not installed and could not be installed";
    int n_meshes = 0;
    for(const std::string &r_s_file : CorpusFiles()) {
        std::string s_name = FileName(r_s_file);
        TLoadedScene p_scene = LoadFile(r_s_file);
        ASSERT_TRUE(p_scene) << s_name;
        TRunResult t_dump = RunProgram({"3dsdump", "-t", r_s_file});
        std::vector<std::pair<TMeshSummary, bool>> ours = OurMeshes(p_scene->t_records);
        if(t_dump.n_status != 0) {
            // the other reader refuses files without any chunk at all
            EXPECT_EQ(fs::file_size(r_s_file), 0u) << s_name << ": 3dsdump failed: " << t_dump.s_out;
            EXPECT_TRUE(ours.empty()) << s_name;
            continue;
        }
        EXPECT_EQ(Unpaired(ours, DumpedMeshes(t_dump.s_out)), "") << s_name;
        n_meshes += int(ours.size());
    }
    EXPECT_GT(n_meshes, 500);
}
