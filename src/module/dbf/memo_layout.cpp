#include "memo_layout.h"

#include <algorithm>

#include "byte_order.h"

namespace ll::dbf {

uint32_t newMemoBlockSize(MemoKind kind, int64_t requested)
{
    if (kind == MemoKind::Dbt3)
        return kDbt3BlockSize;
    if (requested < kMinMemoBlockSize || requested > kMaxMemoBlockSize)
        return 512;
    return uint32_t(requested);
}

uint32_t headerBlockCount(uint32_t blockSize)
{
    return std::max<uint32_t>(1, (512 + blockSize - 1) / blockSize);
}

void encodeNextFree(MemoKind kind, uint32_t nextFree, char out[4])
{
    if (kind == MemoKind::Fpt)
        storeBe32(out, nextFree);
    else
        storeLe32(out, nextFree);
}

std::string encodeMemoHeader(MemoKind kind, uint32_t blockSize, uint32_t nextFree, std::string_view tableName)
{
    std::string bytes(size_t(headerBlockCount(blockSize)) * blockSize, '\0');
    char* p = bytes.data();
    encodeNextFree(kind, nextFree, p);
    switch (kind) {
    case MemoKind::Dbt3:
        storeLe32(p + 4, blockSize);
        p[16] = 0x03;
        break;
    case MemoKind::Dbt4:
        storeLe32(p + 4, blockSize);
        for (size_t i = 0; i < 8 && i < tableName.size(); ++i) {
            char c = tableName[i];
            p[8 + i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : (static_cast<unsigned char>(c) < 0x80 ? c : '_');
        }
        storeLe16(p + 20, blockSize);
        break;
    case MemoKind::Fpt:
        storeBe16(p + 6, blockSize);
        break;
    case MemoKind::Smt:
        storeLe32(p + 4, blockSize);
        break;
    case MemoKind::None:
        break;
    }
    return bytes;
}

std::optional<MemoHeader> parseMemoHeader(MemoKind kind, std::string_view bytes)
{
    if (bytes.size() < 24)
        return std::nullopt;
    const char* p = bytes.data();
    MemoHeader header {};
    switch (kind) {
    case MemoKind::Dbt3:
        header = {kDbt3BlockSize, loadLe32(p)};
        break;
    case MemoKind::Dbt4: {
        uint32_t size = loadLe16(p + 20);
        if (size == 0)
            size = loadLe32(p + 4);
        if (size == 0 || size > kMaxForeignBlockSize)
            size = 512;
        header = {size, loadLe32(p)};
        break;
    }
    case MemoKind::Fpt: {
        uint32_t size = loadBe16(p + 6);
        if (size == 0)
            size = loadBe32(p + 4);
        header = {size, loadBe32(p)};
        break;
    }
    case MemoKind::Smt:
        header = {loadLe32(p + 4), loadLe32(p)};
        break;
    case MemoKind::None:
        return std::nullopt;
    }
    if (header.blockSize == 0 || header.blockSize > kMaxForeignBlockSize)
        return std::nullopt;
    return header;
}

size_t memoPrefix(MemoKind kind, uint64_t textLength, char out[8])
{
    switch (kind) {
    case MemoKind::Dbt4:
        out[0] = char(0xFF);
        out[1] = char(0xFF);
        out[2] = 0x08;
        out[3] = 0x00;
        storeLe32(out + 4, uint32_t(textLength + 8));
        return 8;
    case MemoKind::Fpt:
        storeBe32(out, 1);
        storeBe32(out + 4, uint32_t(textLength));
        return 8;
    default:
        return 0;
    }
}

size_t memoSuffix(MemoKind kind, char out[2])
{
    if (kind != MemoKind::Dbt3)
        return 0;
    out[0] = 0x1A;
    out[1] = 0x1A;
    return 2;
}

} // namespace ll::dbf
