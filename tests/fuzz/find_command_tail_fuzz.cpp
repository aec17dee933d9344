// libFuzzer target for FindCommandTail, under every kind of lead-byte set the
// scan can be given. The input's first byte picks the code page (its value
// modulo 8, so '0' to '7' in a corpus file name them in this order):
//
//   0-4  932, 936, 949, 950, 1361: the fixed tables
//   5    a code page outside them, described by GetCPInfo as double-byte,
//        with its LeadByte array taken from the next 12 input bytes
//   6    the same code page, but GetCPInfo fails
//   7    a single-byte code page, whose description still lists the next
//        12 input bytes as lead bytes (they must be ignored)
//
// The rest of the input is the command line, in a buffer of exactly its size
// with a NUL added, so AddressSanitizer sees any read past that NUL.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fake_win32.h"
#include "find_command_tail.h"

namespace {

constexpr UINT kFixedCodePages[] = {932, 936, 949, 950, 1361};
// Not in the fixed tables, so its lead bytes come from GetCPInfo.
constexpr UINT kDescribedCodePage = 20932;
constexpr UINT kSingleByteCodePage = 1252;

// Fills LeadByte from the input, as far as it goes; returns the bytes used.
size_t TakeLeadBytes(CPINFO& info, const uint8_t* data, size_t size) {
    const size_t used = size < MAX_LEADBYTES ? size : MAX_LEADBYTES;
    for (size_t i = 0; i < MAX_LEADBYTES; ++i) info.LeadByte[i] = i < used ? data[i] : 0;
    return used;
}

// Sets the fake platform's code page from the input's first bytes and
// returns how many bytes that took.
size_t ChooseCodePage(const uint8_t* data, size_t size) {
    fake::Reset();
    if (size == 0) return 0;
    fake::State& platform = fake::Platform();
    const unsigned choice = data[0] % 8u;
    if (choice < 5) {
        platform.acp = kFixedCodePages[choice];
        return 1;
    }
    switch (choice) {
    case 5:
        platform.acp = kDescribedCodePage;
        platform.cpInfo.MaxCharSize = 2;
        return 1 + TakeLeadBytes(platform.cpInfo, data + 1, size - 1);
    case 6:
        platform.acp = kDescribedCodePage;
        platform.cpInfoSucceeds = false;
        return 1;
    default:
        platform.acp = kSingleByteCodePage;
        platform.cpInfo.MaxCharSize = 1;
        return 1 + TakeLeadBytes(platform.cpInfo, data + 1, size - 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t header = ChooseCodePage(data, size);
    const size_t length = size - header;

    std::vector<char> line(length + 1);
    if (length > 0) std::memcpy(line.data(), data + header, length);
    line[length] = '\0';

    // The line ends at its first NUL, which may come before the buffer's end.
    const auto start = reinterpret_cast<std::uintptr_t>(line.data());
    const auto nul = start + std::strlen(line.data());
    const char* tail = FindCommandTail(line.data());
    const auto at = reinterpret_cast<std::uintptr_t>(tail);

    // The tail lies inside the line, its NUL included, and never starts on a
    // blank: those after the name are all skipped.
    if (at < start || at > nul) __builtin_trap();
    const auto first = static_cast<unsigned char>(*tail);
    if (first != '\0' && first <= ' ') __builtin_trap();
    return 0;
}
