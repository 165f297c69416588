#include "background_gdi_count.h"

#include <winternl.h>

#include <cstdint>

namespace {

// One entry of the GDI handle table that the process's PEB points to, as
// Wine lays it out; the entry is the same at both widths.
#pragma pack(push, 8)
struct HandleEntry {
    std::uint64_t object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    std::uint64_t user_pointer;
};
#pragma pack(pop)
static_assert(sizeof(HandleEntry) == 24);

constexpr int HANDLE_COUNT = 0x10000;
// PEB.GdiSharedHandleTable
#ifdef _WIN64
constexpr size_t PEB_GDI_TABLE_OFFSET = 0xF8;
#else
constexpr size_t PEB_GDI_TABLE_OFFSET = 0x94;
#endif

const HandleEntry* handle_table()
{
    auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    return *reinterpret_cast<const HandleEntry* const*>(peb + PEB_GDI_TABLE_OFFSET);
}

}  // namespace

GdiCount count_gdi_objects()
{
    GdiCount count;
    const HandleEntry* table = handle_table();
    if (table == nullptr) return count;
    for (int index = 0; index < HANDLE_COUNT; ++index) {
        if (table[index].type == 0) continue;
        auto handle = reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(index | (table[index].unique << 16)));
        const DWORD type = GetObjectType(handle);
        if (type == 0) continue;
        ++count.total;
        if (type <= OBJ_COLORSPACE) ++count.by_type[type];
    }
    return count;
}
