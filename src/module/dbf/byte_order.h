#pragma once
// Little- and big-endian integers at a byte pointer, for the file layouts.

#include <cstdint>
#include <cstring>

namespace ll::dbf {

inline uint32_t loadLe16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8;
}

inline uint32_t loadLe32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

inline uint32_t loadBe16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[1]) | uint32_t(b[0]) << 8;
}

inline uint32_t loadBe32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[3]) | uint32_t(b[2]) << 8 | uint32_t(b[1]) << 16 | uint32_t(b[0]) << 24;
}

inline uint64_t loadLe64(const char* p)
{
    return uint64_t(loadLe32(p)) | uint64_t(loadLe32(p + 4)) << 32;
}

inline void storeLe16(char* p, uint32_t v)
{
    p[0] = char(v & 0xFF);
    p[1] = char((v >> 8) & 0xFF);
}

inline void storeLe32(char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

inline void storeBe16(char* p, uint32_t v)
{
    p[0] = char((v >> 8) & 0xFF);
    p[1] = char(v & 0xFF);
}

inline void storeBe32(char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (24 - 8 * i)) & 0xFF);
}

inline void storeLe64(char* p, uint64_t v)
{
    storeLe32(p, uint32_t(v));
    storeLe32(p + 4, uint32_t(v >> 32));
}

} // namespace ll::dbf
