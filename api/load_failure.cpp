#include "api/load_failure.h"

namespace bake3ds {

Limits::Limits()
    : element_base(n_element_allowance), record_base(n_record_allowance), work_per_byte(n_work_factor),
      walk_level_limit(n_max_walk_level)
{
}

TLoadOptions t_LoadOptions(const Limits &r_limits)
{
    TLoadOptions t;
    t.n_element_base = r_limits.element_base;
    t.n_record_base = r_limits.record_base;
    t.n_work_per_byte = r_limits.work_per_byte;
    t.n_walk_level_limit = r_limits.walk_level_limit;
    return t;
}

LoadFailure t_LoadFailure(const TLoadError &r_error)
{
    LoadFailure t;
    t.rule = p_s_RuleId(r_error.n_rule);
    t.chunk = r_error.n_chunk_id;
    t.offset = r_error.n_offset;
    t.path = r_error.p_path;
    t.file_size = r_error.n_file_size;
    t.limit = r_error.n_limit;
    t.needed = r_error.n_needed;
    t.face = r_error.n_face;
    t.name = r_error.s_name;
    t.system_reason = r_error.s_system_reason;
    t.message = r_error.s_message;
    return t;
}

void FailAllocation(LoadFailure *p_failure) noexcept
{
    if(!p_failure)
        return;
    // clearing frees memory, it never asks for any
    p_failure->rule = p_s_RuleId(rule_AllocationFailed);
    p_failure->chunk = -1;
    p_failure->offset = -1;
    p_failure->path.clear();
    p_failure->limit = p_failure->needed = 0;
    p_failure->face = -1;
    p_failure->name.clear();
    p_failure->system_reason.clear();
    p_failure->message.clear();
    try {
        TLoadError t_error;
        t_error.n_rule = rule_AllocationFailed;
        ComposeMessage(t_error);
        p_failure->message.swap(t_error.s_message);
    } catch(...) {
        // no memory for the message either: the rule says it
    }
}

} // namespace bake3ds
