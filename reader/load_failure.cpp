#include "reader/load_failure.h"

#include <cstring>

namespace bake3ds {

namespace {

const char *const p_rule_name[] = {
    "none",
    "zero_length_chunk",
    "name_cut_off",
    "corner_out_of_range",
    "element_bound",
    "record_bound",
    "work_bound",
    "nesting_limit",
    "fill_exceeds_count",
    "not_regular_file",
    "unreadable",
    "allocation_failed",
};
const int n_rule_count = int(sizeof(p_rule_name) / sizeof(p_rule_name[0]));

// Text appended to a record's fixed array, cut where the array ends.
class CFixedText {
public:
    template <size_t N>
    explicit CFixedText(char (&r_p_text)[N]) : m_p_text(r_p_text), m_n_room(N - 1)
    {
        m_p_text[0] = 0;
    }

    CFixedText &operator<<(const char *s_text) { return Put(s_text, std::strlen(s_text)); }

    CFixedText &operator<<(int64_t n)
    {
        char p_digits[24];
        size_t n_len = 0;
        uint64_t n_abs = n < 0 ? uint64_t(0) - uint64_t(n) : uint64_t(n);
        do {
            p_digits[sizeof(p_digits) - 1 - n_len++] = char('0' + n_abs % 10);
            n_abs /= 10;
        } while(n_abs);
        if(n < 0)
            p_digits[sizeof(p_digits) - 1 - n_len++] = '-';
        return Put(p_digits + sizeof(p_digits) - n_len, n_len);
    }

    // The name quoted and escaped.
    CFixedText &Quoted(const char *s_name)
    {
        char p_quoted[4 * BAKE3DS_NAME_SIZE + 2];
        size_t n = std::strlen(s_name);
        if(n >= BAKE3DS_NAME_SIZE)
            n = BAKE3DS_NAME_SIZE - 1;
        size_t n_len = WriteQuotedName(s_name, n, p_quoted);
        return Put(p_quoted, n_len);
    }

    CFixedText &ChunkId(int n_id)
    {
        char p_id[8];
        size_t n_len = WriteChunkIdText(n_id, p_id);
        return Put(p_id, n_len);
    }

private:
    CFixedText &Put(const char *p_text, size_t n)
    {
        size_t n_fit = n < m_n_room - m_n_used ? n : m_n_room - m_n_used;
        std::memcpy(m_p_text + m_n_used, p_text, n_fit);
        m_n_used += n_fit;
        m_p_text[m_n_used] = 0;
        return *this;
    }

    char *m_p_text;
    size_t m_n_room, m_n_used = 0;
};

// "chunk 0x4120 at offset 40"
void Chunk(CFixedText &r_s, const bake3ds_failure &r_failure)
{
    r_s << "chunk ";
    r_s.ChunkId(r_failure.chunk) << " at offset " << r_failure.offset;
}

// " (chunk 0x4120 at offset 40)", or nothing when no chunk is involved.
void Where(CFixedText &r_s, const bake3ds_failure &r_failure)
{
    if(r_failure.chunk < 0)
        return;
    r_s << " (";
    Chunk(r_s, r_failure);
    r_s << ")";
}

void ForFileOf(CFixedText &r_s, const bake3ds_failure &r_failure)
{
    r_s << "the most a file of " << r_failure.file_size << " bytes allows";
}

} // namespace

const char *RuleName(bake3ds_rule n_rule)
{
    return n_rule >= 0 && n_rule < n_rule_count ? p_rule_name[n_rule] : "none";
}

void ClearFailure(bake3ds_failure &r_failure, int64_t n_file_size)
{
    std::memset(&r_failure, 0, sizeof(r_failure));
    r_failure.rule = BAKE3DS_RULE_NONE;
    r_failure.chunk = -1;
    r_failure.offset = -1;
    r_failure.file_size = n_file_size;
}

void FailAllocation(bake3ds_failure *p_failure) noexcept
{
    if(!p_failure)
        return;
    ClearFailure(*p_failure, p_failure->file_size);
    p_failure->rule = BAKE3DS_RULE_ALLOCATION_FAILED;
    ComposeMessage(*p_failure);
}

size_t WriteChunkIdText(int n_id, char *p_text) noexcept
{
    static const char p_hex[] = "0123456789ABCDEF";
    unsigned n = unsigned(n_id) & 0xFFFFu;
    p_text[0] = '0';
    p_text[1] = 'x';
    for(int k = 0; k < 4; ++k)
        p_text[2 + k] = p_hex[(n >> (12 - 4 * k)) & 0xF];
    p_text[6] = 0;
    return 6;
}

std::string ChunkIdText(int n_id)
{
    char p_text[8];
    return std::string(p_text, WriteChunkIdText(n_id, p_text));
}

size_t WriteQuotedName(const char *s_name, size_t n, char *p_dest) noexcept
{
    static const char p_hex[] = "0123456789ABCDEF";
    char *p = p_dest;
    *p++ = '"';
    for(size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(s_name[i]);
        if(c == '"' || c == '\\') {
            *p++ = '\\';
            *p++ = char(c);
        } else if(c >= 0x20 && c <= 0x7E)
            *p++ = char(c);
        else {
            *p++ = '\\';
            *p++ = 'x';
            *p++ = p_hex[c >> 4];
            *p++ = p_hex[c & 0xF];
        }
    }
    *p++ = '"';
    return size_t(p - p_dest);
}

std::string QuotedName(const std::string &r_s_name)
{
    std::string s(4 * r_s_name.size() + 2, '\0');
    s.resize(WriteQuotedName(r_s_name.data(), r_s_name.size(), &s[0]));
    return s;
}

void ComposeMessage(bake3ds_failure &r_failure) noexcept
{
    const bake3ds_failure &e = r_failure;
    CFixedText s(r_failure.message);
    switch(e.rule) {
    case BAKE3DS_RULE_NONE:
        break;
    case BAKE3DS_RULE_ZERO_LENGTH_CHUNK:
        s << "a chunk of length 0";
        Where(s, e);
        break;
    case BAKE3DS_RULE_NAME_CUT_OFF:
        s << "a name cut off by the end of the file after " << int64_t(std::strlen(e.name_read)) << " characters, ";
        s.Quoted(e.name_read);
        Where(s, e);
        break;
    case BAKE3DS_RULE_CORNER_OUT_OF_RANGE:
        s << "face corner " << e.corner << " at or beyond vertex count " << e.vertex_count << " in mesh ";
        s.Quoted(e.mesh) << " (face " << e.face << " of the face list";
        if(e.chunk >= 0) {
            s << ", ";
            Chunk(s, e);
        }
        s << ")";
        break;
    case BAKE3DS_RULE_ELEMENT_BOUND:
        s << "the element bound: " << e.needed << " vertices, faces and track keys to hold, more than " << e.limit
          << ", ";
        ForFileOf(s, e);
        Where(s, e);
        break;
    case BAKE3DS_RULE_RECORD_BOUND:
        s << "the record bound: more than " << e.limit << " meshes, lights, cameras and materials, ";
        ForFileOf(s, e);
        Where(s, e);
        break;
    case BAKE3DS_RULE_WORK_BOUND:
        s << "the work bound: more than " << e.limit << " units of work (chunks visited and elements read), ";
        ForFileOf(s, e);
        Where(s, e);
        break;
    case BAKE3DS_RULE_NESTING_LIMIT:
        s << "the nesting limit: a walk " << e.needed << " levels deep, more than " << e.limit;
        Where(s, e);
        break;
    case BAKE3DS_RULE_FILL_EXCEEDS_COUNT:
        s << "the fill pass met more records than the counting pass counted: " << e.kind << " " << e.met << " of "
          << e.counted;
        Where(s, e);
        break;
    case BAKE3DS_RULE_NOT_REGULAR_FILE:
        s << "not a regular file";
        break;
    case BAKE3DS_RULE_UNREADABLE:
        s << "not readable";
        if(e.system_reason[0])
            s << ": " << e.system_reason;
        break;
    case BAKE3DS_RULE_ALLOCATION_FAILED:
        s << "memory could not be allocated";
        Where(s, e);
        break;
    }
}

} // namespace bake3ds
