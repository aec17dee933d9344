// The shipped 32-bit program, read as a file through the Win32 APIs: these
// machines cannot execute 32-bit code, but they can read its resources and
// headers as Windows would.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "harness.h"

namespace {

constexpr WORD kItalian = MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN);
static_assert(kItalian == 1040);

class ShippedFileTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        path_ = e2e::ShippedProgramPath();
        std::ifstream file(path_, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(file), {});
    }

    void SetUp() override { ASSERT_FALSE(bytes_.empty()) << "cannot read " << path_; }

    template <typename T>
    const T* At(size_t offset) const {
        if (offset + sizeof(T) > bytes_.size()) {
            ADD_FAILURE() << "offset " << offset << " is outside the file";
            return nullptr;
        }
        return reinterpret_cast<const T*>(bytes_.data() + offset);
    }

    const IMAGE_NT_HEADERS32* Headers() const {
        const auto* dos = At<IMAGE_DOS_HEADER>(0);
        if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
        const auto* nt = At<IMAGE_NT_HEADERS32>(static_cast<size_t>(dos->e_lfanew));
        return nt != nullptr && nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
    }

    // File offset of an RVA, through the section table.
    size_t OffsetOf(DWORD rva) const {
        const IMAGE_NT_HEADERS32* nt = Headers();
        const auto* section = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
            reinterpret_cast<const char*>(&nt->OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader);
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
            if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->SizeOfRawData)
                return rva - section->VirtualAddress + section->PointerToRawData;
        }
        ADD_FAILURE() << "RVA " << rva << " is in no section";
        return bytes_.size();
    }

    std::string QueryString(const std::vector<char>& info, const std::string& name) const {
        char* value = nullptr;
        UINT length = 0;
        const std::string key = "\\StringFileInfo\\041004B0\\" + name;
        if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
            return "<missing>";
        return std::string(value, length > 0 ? length - 1 : 0);
    }

    static std::string path_;
    static std::vector<char> bytes_;
};

std::string ShippedFileTest::path_;
std::vector<char> ShippedFileTest::bytes_;

TEST_F(ShippedFileTest, IsA32BitGuiProgramWithAslrAndDep) {
    const IMAGE_NT_HEADERS32* nt = Headers();
    ASSERT_NE(nt, nullptr);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
    EXPECT_FALSE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);
    EXPECT_TRUE(nt->OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(nt->OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
    // ASLR can only move an image that keeps its relocations.
    EXPECT_FALSE(nt->FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED);
    EXPECT_GT(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
}

TEST_F(ShippedFileTest, ImportsOnlyFromKernel32AndUser32) {
    const IMAGE_NT_HEADERS32* nt = Headers();
    ASSERT_NE(nt, nullptr);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_GT(imports.Size, 0u);
    std::set<std::string> dlls;
    for (size_t offset = OffsetOf(imports.VirtualAddress);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(offset);
        ASSERT_NE(descriptor, nullptr);
        if (descriptor->Name == 0) break;
        std::string name(bytes_.data() + OffsetOf(descriptor->Name));
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        dlls.insert(name);
    }
    EXPECT_EQ(dlls, (std::set<std::string>{"KERNEL32.DLL", "USER32.DLL"}));
    // Nothing loaded later behind the loader's back either.
    EXPECT_EQ(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].Size, 0u);
}

TEST_F(ShippedFileTest, VersionRecordHoldsTheseValues) {
    const DWORD size = GetFileVersionInfoSizeA(path_.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path_.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 0x00040004u);
    EXPECT_EQ(fixed->dwFileType, 1u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0410);
    EXPECT_EQ(translation[1], 0x04B0);

    EXPECT_EQ(QueryString(info, "FileDescription"), "appuntex");
    EXPECT_EQ(QueryString(info, "InternalName"), "appuntex");
    EXPECT_EQ(QueryString(info, "ProductName"), " appuntex");
    EXPECT_EQ(QueryString(info, "OriginalFilename"), "appuntex.exe");
    EXPECT_EQ(QueryString(info, "FileVersion"), "1. 0. 0. 0");
    EXPECT_EQ(QueryString(info, "ProductVersion"), "1. 0. 0. 0");
    EXPECT_THAT(QueryString(info, "CompanyName"), testing::HasSubstr("appuntex"));
    EXPECT_THAT(QueryString(info, "LegalCopyright"), testing::HasSubstr("appuntex"));
}

class ResourceTest : public ShippedFileTest {
protected:
    void SetUp() override {
        ShippedFileTest::SetUp();
        module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "error " << GetLastError();
    }
    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
    }

    std::string Resource(LPCSTR type, LPCSTR name, WORD language) const {
        HRSRC found = FindResourceExA(module_, type, name, language);
        if (found == nullptr) return "";
        HGLOBAL loaded = LoadResource(module_, found);
        return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved, type, count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

TEST_F(ResourceTest, IconGroup103HoldsOne32x32SixteenColourImageWithMask) {
    const std::string group = Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(103), kItalian);
    ASSERT_EQ(group.size(), sizeof(IconGroup));
    const auto* dir = reinterpret_cast<const IconGroup*>(group.data());
    EXPECT_EQ(dir->type, 1);
    ASSERT_EQ(dir->count, 1);
    const IconGroupEntry& entry = dir->entries[0];
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.colors, 16);
    EXPECT_EQ(entry.bitCount, 4);

    const std::string image = Resource(RT_ICON, MAKEINTRESOURCEA(entry.id), kItalian);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(header->biWidth, 32);
    EXPECT_EQ(header->biHeight, 64);  // the colour image and the mask
    EXPECT_EQ(header->biBitCount, 4);
    // Header, 16 palette entries, 32 rows of 16 colour bytes and of 4 mask bytes.
    EXPECT_EQ(image.size(), 40u + 16 * 4 + 32 * 16 + 32 * 4);
    EXPECT_EQ(entry.bytes, image.size());

    // The mask leaves the corners see-through and the paper solid.
    const auto* mask = reinterpret_cast<const BYTE*>(image.data()) + 40 + 64 + 512;
    EXPECT_EQ(mask[31 * 4 + 3] & 0x01, 0x01) << "top-right corner should be transparent";
    EXPECT_EQ(mask[16 * 4 + 2] & 0x80, 0x00) << "the middle should be opaque";

    // Windows can make an icon of it.
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<char*>(image.data())),
                                          static_cast<DWORD>(image.size()), TRUE, 0x00030000, 32, 32, 0);
    EXPECT_NE(icon, nullptr);
    if (icon != nullptr) DestroyIcon(icon);
}

TEST_F(ResourceTest, EveryResourceIsItalian) {
    std::vector<WORD> languages;
    EnumResourceTypesA(
        module_,
        [](HMODULE module, LPSTR type, LONG_PTR found) -> BOOL {
            EnumResourceNamesA(
                module, type,
                [](HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found) -> BOOL {
                    EnumResourceLanguagesA(
                        module, type, name,
                        [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) -> BOOL {
                            reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
                            return TRUE;
                        },
                        found);
                    return TRUE;
                },
                found);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages));
    // The icon image, its group and the version record; nothing else.
    EXPECT_EQ(languages.size(), 3u);
    EXPECT_THAT(languages, testing::Each(kItalian));
}

}  // namespace
