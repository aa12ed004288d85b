#pragma once
// Where the XML parser gets its bytes: a part inflated chunk by chunk. The
// parser only sees this interface, so the inflating can move to another
// thread (a source that hands over chunks filled elsewhere) without the
// parser changing.

#include <cstddef>

#include "module/xl/load.h"

namespace ll::xl::xlsx {

class ChunkSource {
public:
    virtual ~ChunkSource() = default;
    // Fills up to capacity bytes at into and sets got; got == 0 means the
    // end of the part. Returns false on failure, with error set.
    virtual bool read(char* into, size_t capacity, size_t& got, LoadError& error) = 0;
};

} // namespace ll::xl::xlsx
