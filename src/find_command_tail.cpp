#include "find_command_tail.h"

#include <windows.h>

namespace {

// Lead-byte ranges as (first, last) pairs, inclusive, the list ending at the
// first pair that holds a zero byte: the layout of CPINFO::LeadByte.
using LeadByteRanges = BYTE[MAX_LEADBYTES];

struct KnownCodePage {
    UINT codePage;
    BYTE ranges[6];
};

// Double-byte code pages whose lead bytes are known without asking the system.
constexpr KnownCodePage kKnownCodePages[] = {
    {932, {0x81, 0x9F, 0xE0, 0xFC}},
    {936, {0x81, 0xFE}},
    {949, {0x81, 0xFE}},
    {950, {0x81, 0xFE}},
    {1361, {0x81, 0xD3, 0xD8, 0xDE, 0xE0, 0xF9}},
};

void LoadLeadByteRanges(LeadByteRanges ranges) {
    for (int i = 0; i < MAX_LEADBYTES; ++i) ranges[i] = 0;

    const UINT codePage = GetACP();
    for (const KnownCodePage& known : kKnownCodePages) {
        if (known.codePage == codePage) {
            for (int i = 0; i < static_cast<int>(sizeof known.ranges); ++i) ranges[i] = known.ranges[i];
            return;
        }
    }

    CPINFO info;
    if (GetCPInfo(codePage, &info) && info.MaxCharSize > 1) {
        for (int i = 0; i < MAX_LEADBYTES; ++i) ranges[i] = info.LeadByte[i];
    }
}

bool IsLeadByte(const LeadByteRanges ranges, BYTE byte) {
    for (int i = 0; i + 1 < MAX_LEADBYTES; i += 2) {
        if (ranges[i] == 0 || ranges[i + 1] == 0) return false;
        if (byte >= ranges[i] && byte <= ranges[i + 1]) return true;
    }
    return false;
}

}  // namespace

const char* FindCommandTail(const char* commandLine) {
    const BYTE* p = reinterpret_cast<const BYTE*>(commandLine);

    if (*p == '"') {
        // Lead bytes only matter inside a quoted name, so only then is the
        // code page looked at.
        LeadByteRanges leadBytes;
        LoadLeadByteRanges(leadBytes);
        ++p;
        while (*p != '"' && *p != '\0') {
            // A lead byte takes the next byte with it, even a quote; but a
            // lead byte right before the NUL must not carry the scan past it.
            if (IsLeadByte(leadBytes, *p) && p[1] != '\0') ++p;
            ++p;
        }
        if (*p == '"') ++p;
    } else {
        while (*p > ' ') ++p;
    }

    while (*p != '\0' && *p <= ' ') ++p;
    return reinterpret_cast<const char*>(p);
}
