#ifndef BAKE3DS_READER_LOADER_STATE_H
#define BAKE3DS_READER_LOADER_STATE_H

// What the chunk handlers share during one load: the input, the pass, the
// scene being filled and the state carried from chunk to chunk. It is one
// object per load rather than process-wide, so loads can run side by side.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "reader/input.h"
#include "reader/load_failure.h"
#include "reader/load_options.h"
#include "scene/scene.h"

namespace bake3ds {

enum TNodeKind {
    node_Object = 0,          // before any node, and at an object node
    node_Target = 2,          // a camera target node has begun
    node_Camera = 3,          // a camera node has begun
    node_ObjectHeaderRead = 4 // the fill pass handled a header as node_Object
};

// The first record of each name among those the fill pass has named so far,
// for one kind of record: the lookups by name in constant time.
class CNameIndex {
public:
    void Add(const std::string &r_s_name, int n_index) { m_p_index.emplace(r_s_name, n_index); }

    // The index of the first record named exactly s_name, or -1.
    int Find(const char *s_name) const
    {
        auto p_found = m_p_index.find(s_name);
        return p_found == m_p_index.end() ? -1 : p_found->second;
    }

private:
    std::unordered_map<std::string, int> m_p_index;
};

struct TChunkStats;

// Where a chunk stands: its id, its first byte, and the ids of the chunks
// enclosing it, outermost first.
struct TChunkSite {
    int n_id = -1;
    int64_t n_offset = -1;
    std::vector<uint16_t> p_path;
};

struct TLoader {
    CInput t_in;
    C3dsScene *p_scene;
    bool b_counting = true;

    char s_name[64] = {};      // current name: last named object or material
    char s_node_name[64] = {}; // name from the last key-frame node header

    int n_cur_mesh = -1;  // none until the fill pass takes a mesh
    int n_cur_light = -1; // none until the fill pass takes a light
    int n_fill_mesh = 0, n_fill_light = 0, n_fill_camera = 0, n_fill_material = 0;

    // key-frame state; kept from the counting pass into the fill pass
    TNodeKind n_node_kind = node_Object;
    int n_node_id = 0;
    int n_track_target = 0;
    int n_key_counter = 0;

    int n_walk_level = 0;       // level of the walk that met the current chunk; 0 outside the walks
    int n_walk_level_limit = 0; // a walk at this level or deeper fails
    // The ends of the walks open, the outermost first: the walk at level n
    // ends at p_walk_end[n - 1]. On the heap, whatever the file nests.
    std::vector<int64_t> p_walk_end;

    // The bytes of arrays the counting pass met lists for, as far as their
    // chunks hold them: the size of the scene's arena.
    size_t n_array_bytes = 0;

    // Where the first failure is recorded; null when only the status is
    // wanted, and then nothing below is kept and a failure costs nothing.
    bake3ds_failure *p_error = nullptr;
    // The chunk met at each walk level, as far as the current chunk: kept
    // only while p_error or p_stats is set, for the place of a failure and
    // for what a report says encloses a chunk.
    std::vector<TChunkSite> p_open;
    // Per mesh, the place of the face list that gave it its faces: kept only
    // while p_error is set, for a corner found out of range after the walk.
    std::vector<TChunkSite> p_face_list_site;

    // The chunks the counting walk visits are tallied here when it is set.
    TChunkStats *p_stats = nullptr;

    CNameIndex t_mesh_names, t_light_names, t_camera_names, t_material_names;

    int64_t n_elements_held = 0;
    int64_t n_element_limit = 0;
    int64_t n_work_done = 0;
    int64_t n_work_limit = 0;
    int64_t n_records_counted = 0;
    int64_t n_record_limit = 0;

    // The limits come from the options, resolved (ResolvedOptions), and
    // the input's size.
    TLoader(const uint8_t *p_data, size_t n_size, C3dsScene &r_scene, const bake3ds_options &r_options)
        : t_in(p_data, n_size), p_scene(&r_scene), n_walk_level_limit(int(r_options.nesting_limit) + 1),
          n_element_limit(r_options.element_base + int64_t(n_size / 4)),
          n_work_limit(2 * r_options.element_base + r_options.work_per_byte * int64_t(n_size)),
          n_record_limit(r_options.record_base + int64_t(n_size / 6))
    {}

    TMesh *CurMesh() { return n_cur_mesh < 0 ? nullptr : &p_scene->p_object[size_t(n_cur_mesh)]; }
    // The id of the chunk that encloses the chunk being handled, -1 at the
    // top of the file or when p_open is not kept.
    int EnclosingId() const
    {
        size_t n_parent = size_t(n_walk_level) - 1;
        return n_walk_level >= 2 && n_parent < p_open.size() ? p_open[n_parent].n_id : -1;
    }

    TSceneLight *CurLight() { return n_cur_light < 0 ? nullptr : &p_scene->p_light[size_t(n_cur_light)]; }

    // Counting pass: counts one more record of a kind, r_n_index 0. Fill
    // pass: r_n_index is the index of the next record of the kind to fill.
    // False when the fill pass meets more records than the counting pass
    // counted, or when the load would count more records than it may hold.
    // s_kind names the kind for the failure's record.
    bool TakeRecord(int &r_n_count, int &r_n_fill, const char *s_kind, int &r_n_index)
    {
        r_n_index = 0;
        if(b_counting) {
            if(++n_records_counted > n_record_limit)
                return Fail(BAKE3DS_RULE_RECORD_BOUND, n_record_limit, n_records_counted);
            ++r_n_count;
            return true;
        }
        if(r_n_fill >= r_n_count)
            return FailFill(s_kind, r_n_count, r_n_fill + 1);
        r_n_index = r_n_fill++;
        return true;
    }

    // TakeRecord for a record named after the current name: in the fill
    // pass r_p_record is the record taken, named and entered in the name
    // index; in the counting pass it is null. False as for TakeRecord.
    template <class TRecord>
    bool TakeNamed(std::vector<TRecord> &r_records, int &r_n_count, int &r_n_fill, CNameIndex &r_names,
        TRecord *&r_p_record, const char *s_kind)
    {
        r_p_record = nullptr;
        int n_index;
        if(!TakeRecord(r_n_count, r_n_fill, s_kind, n_index))
            return false;
        if(!b_counting) {
            r_p_record = &r_records[size_t(n_index)];
            r_p_record->s_name = s_name;
            r_names.Add(s_name, n_index);
        }
        return true;
    }

    // Counting pass: a list of n elements, n_file_bytes each in the file and
    // n_bytes_each in memory, whose data starts at the input's position
    // inside a chunk ending at n_end. The arena gets room for as many as the
    // chunk holds within the file, so that a list claiming more than its
    // chunk holds takes no more of it than the file's size allows (the fill
    // pass allocates the rest on its own).
    void NoteArray(int64_t n_end, int n, int n_file_bytes, size_t n_bytes_each)
    {
        int64_t n_stop = n_end < t_in.Size() ? n_end : t_in.Size();
        int64_t n_held = n_stop > t_in.Pos() ? (n_stop - t_in.Pos()) / n_file_bytes : 0;
        if(n_held > n)
            n_held = n;
        n_array_bytes += CSceneArena::Rounded(size_t(n_held) * n_bytes_each);
    }

    // Accounts for an array of n_new elements that replaces one of
    // n_replaced; false, accounting nothing, when the load would then hold
    // more than it may: the caller treats that as an allocation failure.
    bool Reserve(int64_t n_replaced, int64_t n_new)
    {
        int64_t n_held = n_elements_held - n_replaced + n_new;
        if(n_held > n_element_limit)
            return Fail(BAKE3DS_RULE_ELEMENT_BOUND, n_element_limit, n_held);
        n_elements_held = n_held;
        return true;
    }

    // Accounts for n units of work; false once the load has done more than
    // it may, and the caller fails the load. Work is for the handlers and
    // records the failure at the chunk being handled; the walker records its
    // own.
    bool Spend(int64_t n)
    {
        n_work_done += n;
        return n_work_done <= n_work_limit;
    }
    bool Work(int64_t n) { return Spend(n) || Fail(BAKE3DS_RULE_WORK_BOUND, n_work_limit, n_work_done); }

    // The walker is at level n_level on the known chunk n_id at n_start: kept
    // for the place of a failure inside it.
    void Enter(int n_level, uint16_t n_id, int64_t n_start)
    {
        if(p_open.size() <= size_t(n_level))
            p_open.resize(size_t(n_level) + 1);
        p_open[size_t(n_level)].n_id = n_id;
        p_open[size_t(n_level)].n_offset = n_start;
    }

    // Record, when p_error is set and holds no failure yet, the failure
    // n_rule with the bound's figures (the most allowed, what was needed),
    // and return false. Fail places it at the chunk being handled;
    // FailAt at the chunk n_id (-1 for none) starting at n_start, inside
    // the chunks open at the levels below n_level.
    bool Fail(bake3ds_rule n_rule, int64_t n_limit = 0, int64_t n_needed = 0);
    bool FailAt(bake3ds_rule n_rule, int n_level, int n_id, int64_t n_start, int64_t n_limit = 0, int64_t n_needed = 0);
    // A name cut off by the end of the file, s_read what was read of it.
    bool FailName(const char *s_read);
    // The fill pass's s_kind record n_met when the counting pass counted n_count.
    bool FailFill(const char *s_kind, int64_t n_count, int64_t n_met);
    // The walk at n_level may not run: too deep.
    bool FailNesting(int n_level);
    // The walk at n_level has done too much work before the chunk at n_start.
    bool FailWork(int n_level, int64_t n_start);
    // An allocation failed: in the chunk being handled when a walk runs
    // (Fail). Never throws.
    void FailAllocation() noexcept;
    // Keeps the place of the face list being handled for the current mesh.
    void NoteFaceList();
    // Records the first corner of any mesh not below its vertex count and
    // returns false; true when every corner is in range.
    bool CheckCorners();
};

// Handles one chunk: true to go on, false to stop the load.
typedef bool (*THandler)(TLoader &r_ld, int64_t n_end);

} // namespace bake3ds

#endif
