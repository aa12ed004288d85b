#pragma once
// A read-only view of bytes with little-endian readers that check bounds.
// Both file layers (compound file and BIFF records) read through it, so an
// offset past the end yields false or zero instead of a stray read.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ll::xl::xls {

struct ByteView {
    const uint8_t* data = nullptr;
    size_t size = 0;

    ByteView() = default;
    ByteView(const uint8_t* d, size_t n) : data(d), size(n) {}

    bool empty() const { return size == 0; }
    bool has(size_t offset, size_t count) const { return offset <= size && count <= size - offset; }

    // The bytes [offset, offset + count), cut to what exists.
    ByteView sub(size_t offset, size_t count) const
    {
        if (offset >= size)
            return {};
        return {data + offset, count < size - offset ? count : size - offset};
    }

    // Callers check has() first; these read without checking.
    uint8_t u8(size_t offset) const { return data[offset]; }
    uint16_t u16(size_t offset) const { return uint16_t(data[offset] | (data[offset + 1] << 8)); }
    uint32_t u32(size_t offset) const
    {
        return uint32_t(data[offset]) | (uint32_t(data[offset + 1]) << 8) | (uint32_t(data[offset + 2]) << 16) |
               (uint32_t(data[offset + 3]) << 24);
    }
    uint64_t u64(size_t offset) const { return uint64_t(u32(offset)) | (uint64_t(u32(offset + 4)) << 32); }
    double f64(size_t offset) const
    {
        uint64_t bits = u64(offset);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
};

} // namespace ll::xl::xls
