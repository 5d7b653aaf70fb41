#ifndef BAKE3DS_WRITER_HEADER_VALUES_H
#define BAKE3DS_WRITER_HEADER_VALUES_H

// Values as the generated header holds them, where they differ from the
// scene's records: the writer prints these, and the library's views give
// the same.

namespace bake3ds {

// A mesh's parent as the object table writes it: the file's 16-bit value
// read as signed, so 65535 (no parent) is -1.
inline int SignedParent(int n_parent)
{
    int n_low = n_parent & 0xFFFF;
    return n_low >= 0x8000 ? n_low - 0x10000 : n_low;
}

} // namespace bake3ds

#endif
