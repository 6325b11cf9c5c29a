// The built marrowpad.exe files read from outside, the way Windows and its tools read them: the manifest
// through an activation context (as the loader does at start-up), the version through the version API (as
// Explorer's properties do), the icon group, and the DLLs the import table names. The 32-bit program
// cannot run here, but its file can be read: it is mapped as an image resource.
// Then the main window's class: it carries the icon, at the sizes the system asks for.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/main_window.h"
#include "app/res/resource_ids.h"
#include "marrowpad_version.h"
#include "panel_process.h"
#include "support/temp_files.h"

namespace {

// Resource types by number (the RT_ names are narrow strings in this build).
constexpr int kIconType = 3;
constexpr int kIconGroupType = 14;
constexpr int kManifestType = 24;

struct Executable {
    const char* build;
    std::string path;
};

// Test names and failure messages show the build.
void PrintTo(const Executable& executable, std::ostream* out) {
    *out << executable.build;
}

// Both builds of the program, beside each other as scripts/test.sh lays them out: this test's own
// (x86_64) and the shipped 32-bit one.
std::vector<Executable> executables() {
    return {{"x86_64", testProgramFolder() + "\\marrowpad.exe"},
            {"i686", testProgramFolder() + "\\..\\..\\i686\\bin\\marrowpad.exe"}};
}

std::wstring wide(const std::string& text) {
    std::wstring result(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           result.data(), static_cast<int>(result.size()));
    result.resize(std::max(length, 0));
    return result;
}

std::wstring wide(const char* ascii) {
    return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}

// The executable mapped for reading its resources and headers, not for running.
class MappedImage {
public:
    explicit MappedImage(const std::string& path)
        : module_(LoadLibraryExW(wide(path).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~MappedImage() {
        if (module_) FreeLibrary(module_);
    }
    MappedImage(const MappedImage&) = delete;
    MappedImage& operator=(const MappedImage&) = delete;

    HMODULE module() const { return module_; }

    // A resource's bytes; empty when there is none.
    std::string resource(int type, int id) const {
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
        HGLOBAL loaded = found ? LoadResource(module_, found) : nullptr;
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (!bytes) return {};
        return std::string(static_cast<const char*>(bytes), SizeofResource(module_, found));
    }

    // The DLL names of the import table, upper case. An image resource mapping lays the sections out at
    // their addresses, so the table is read at its relative addresses; the low bits of the handle only
    // mark the kind of mapping.
    std::set<std::string> importedDlls() const {
        const auto* base =
            reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module_) & ~ULONG_PTR{3});
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY imports =
            nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                ? reinterpret_cast<const IMAGE_NT_HEADERS64*>(nt)
                      ->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT]
                : nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        std::set<std::string> names;
        if (imports.VirtualAddress == 0) return names;
        for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name != 0; ++entry) {
            std::string name(reinterpret_cast<const char*>(base + entry->Name));
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return toupper(c); });
            names.insert(name);
        }
        return names;
    }

private:
    HMODULE module_;
};

// The activation context the loader builds from the program's manifest at start-up.
class ManifestContext {
public:
    explicit ManifestContext(const std::string& path) {
        const std::wstring source = wide(path);
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = source.c_str();
        request.lpResourceName = MAKEINTRESOURCEW(1);
        context_ = CreateActCtxW(&request);
    }
    ~ManifestContext() {
        if (valid()) ReleaseActCtx(context_);
    }
    ManifestContext(const ManifestContext&) = delete;
    ManifestContext& operator=(const ManifestContext&) = delete;

    bool valid() const { return context_ != INVALID_HANDLE_VALUE; }

    // A windowsSettings value as Windows looks it up: by namespace and name. Empty when not set.
    std::wstring setting(const wchar_t* space, const wchar_t* name) const {
        wchar_t value[128] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context_, space, name, value, ARRAYSIZE(value), &written)) return {};
        return value;
    }

    // The requested run level, or ACTCTX_RUN_LEVEL_UNSPECIFIED.
    ACTCTX_REQUESTED_RUN_LEVEL runLevel() const {
        ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
        if (!QueryActCtxW(0, context_, nullptr, RunlevelInformationInActivationContext, &level, sizeof level,
                          nullptr)) {
            return ACTCTX_RUN_LEVEL_UNSPECIFIED;
        }
        return level.RunLevel;
    }

    // The operating systems named as supported, as GUID texts in lower case.
    std::set<std::string> supportedOs() const {
        SIZE_T needed = 0;
        QueryActCtxW(0, context_, nullptr, CompatibilityInformationInActivationContext, nullptr, 0, &needed);
        std::vector<BYTE> buffer(needed);
        std::set<std::string> ids;
        if (needed < sizeof(DWORD) ||
            !QueryActCtxW(0, context_, nullptr, CompatibilityInformationInActivationContext, buffer.data(),
                          buffer.size(), nullptr)) {
            return ids;
        }
        // Newer systems add the maxversiontested value to each element: element size and the offset of the
        // first element follow from the size of the answer.
        const DWORD count = *reinterpret_cast<const DWORD*>(buffer.data());
        size_t offset = 4, stride = 20;                                      // {GUID, type}
        if (count > 0 && needed == 8 + count * 32) offset = 8, stride = 32;  // {GUID, type, version}
        if (count > 0 && needed != offset + count * stride) return ids;
        for (DWORD i = 0; i < count; ++i) {
            const BYTE* element = buffer.data() + offset + i * stride;
            GUID id;
            memcpy(&id, element, sizeof id);
            DWORD type;
            memcpy(&type, element + sizeof id, sizeof type);
            if (type != ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) continue;
            char text[40];
            snprintf(text, sizeof text, "{%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
                     static_cast<unsigned long>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1],
                     id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
            ids.insert(text);
        }
        return ids;
    }

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
};

// The start tag and the content of the first element `name` in an XML text; empty when absent.
struct XmlElement {
    std::string tag;
    std::string content;
};
XmlElement element(const std::string& xml, const std::string& name) {
    for (size_t at = xml.find("<" + name); at != std::string::npos; at = xml.find("<" + name, at + 1)) {
        const char next = xml[at + 1 + name.size()];
        if (next != ' ' && next != '>' && next != '/' && next != '\n') continue;
        const size_t tagEnd = xml.find('>', at);
        if (tagEnd == std::string::npos) break;
        XmlElement found{xml.substr(at, tagEnd + 1 - at), {}};
        if (xml[tagEnd - 1] != '/') {
            const size_t close = xml.find("</" + name + ">", tagEnd);
            if (close != std::string::npos) found.content = xml.substr(tagEnd + 1, close - tagEnd - 1);
        }
        return found;
    }
    return {};
}

const std::string kVersion = MARROWPAD_VERSION_TEXT;

class ResourcesTest : public testing::TestWithParam<Executable> {
protected:
    void SetUp() override {
        ASSERT_NE(GetFileAttributesW(wide(GetParam().path).c_str()), INVALID_FILE_ATTRIBUTES)
            << GetParam().path << " is missing: build the " << GetParam().build << " configuration first";
    }
};

TEST_P(ResourcesTest, ManifestAsTheLoaderReadsIt) {
    MappedImage image(GetParam().path);
    ASSERT_NE(image.module(), nullptr);
    const std::string manifest = image.resource(kManifestType, 1);
    ASSERT_FALSE(manifest.empty());
    EXPECT_EQ(manifest.rfind("<?xml", 0), 0u) << "the XML declaration must come first";
    EXPECT_TRUE(element(manifest, "activeCodePage").tag.empty())
        << "the program converts its GBK text itself";
    EXPECT_NE(element(manifest, "assemblyIdentity").tag.find("version=\"" + kVersion + ".0\""),
              std::string::npos);

    const XmlElement dependency = element(manifest, "dependentAssembly");
    EXPECT_NE(dependency.content.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
    EXPECT_NE(dependency.content.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(dependency.content.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);

    // A manifest the loader cannot read stops the program before its first line ("side-by-side
    // configuration is incorrect"); and settings in a wrong namespace are silently ignored.
    ManifestContext context(GetParam().path);
    ASSERT_TRUE(context.valid()) << "error " << GetLastError();
    EXPECT_EQ(context.setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
              L"true/pm");
    EXPECT_EQ(context.setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(context.runLevel(), ACTCTX_RUN_LEVEL_AS_INVOKER);
    const std::set<std::string> windows7To11{
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    EXPECT_EQ(context.supportedOs(), windows7To11);
}

TEST_P(ResourcesTest, VersionAsExplorerShowsIt) {
    const std::wstring path = wide(GetParam().path);
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(MARROWPAD_VERSION_MINOR, MARROWPAD_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, MARROWPAD_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    // Readers find the string table through the first Translation entry.
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);
    wchar_t table[64];
    swprintf(table, ARRAYSIZE(table), L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);

    const struct {
        const char* name;
        std::string expected;
    } fields[] = {
        {"FileDescription", "Marrowpad"}, {"ProductName", "Marrowpad"},          {"FileVersion", kVersion},
        {"ProductVersion", kVersion},     {"OriginalFilename", "marrowpad.exe"},
    };
    for (const auto& field : fields) {
        wchar_t* value = nullptr;
        const std::wstring key = table + wide(field.name);
        ASSERT_TRUE(VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
            << field.name;
        EXPECT_EQ(std::wstring(value), wide(field.expected)) << field.name;
    }
}

TEST_P(ResourcesTest, IconGroupHoldsEverySize) {
    MappedImage image(GetParam().path);
    ASSERT_NE(image.module(), nullptr);
    const std::string group = image.resource(kIconGroupType, IDI_MARROWPAD);
    // GRPICONDIR: reserved, type 1, count; then 14-byte entries: width, height (0 for 256), colours,
    // reserved, planes, bit count, bytes, icon id.
    ASSERT_GE(group.size(), 6u);
    const auto* bytes = reinterpret_cast<const BYTE*>(group.data());
    const auto word = [&](size_t at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); };
    ASSERT_EQ(word(2), 1u);
    const unsigned count = word(4);
    ASSERT_EQ(group.size(), 6 + 14 * count);
    std::set<int> sizes;
    for (unsigned i = 0; i < count; ++i) {
        const BYTE* entry = bytes + 6 + 14 * i;
        const int size = entry[0] == 0 ? 256 : entry[0];
        EXPECT_EQ(entry[0], entry[1]) << "square";
        EXPECT_EQ(word(6 + 14 * i + 6), 32u) << size << " px: 32 bits with alpha";
        // Each image decodes into an icon of its size (the 256 px one is PNG data).
        const std::string data = image.resource(kIconType, static_cast<int>(word(6 + 14 * i + 12)));
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(data.data())),
                                              static_cast<DWORD>(data.size()), TRUE, 0x00030000, size, size,
                                              LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << size << " px";
        ICONINFO info{};
        BITMAP bitmap{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
        sizes.insert(size);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}

TEST_P(ResourcesTest, ImportsTheCommonControls) {
    MappedImage image(GetParam().path);
    ASSERT_NE(image.module(), nullptr);
    const std::set<std::string> dlls = image.importedDlls();
    EXPECT_TRUE(dlls.count("USER32.DLL")) << "the import table was not found where expected";
    // Windows registers the list view class only in a process that loaded comctl32.
    EXPECT_TRUE(dlls.count("COMCTL32.DLL"));
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, ResourcesTest, testing::ValuesIn(executables()),
                         [](const testing::TestParamInfo<Executable>& tested) { return tested.param.build; });

// The icon as `size` pixels on white, top-down rows of 0x00RRGGBB.
std::vector<std::uint32_t> pixelsOf(HICON icon, int size) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size;
    format.bmiHeader.biHeight = -size;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all{0, 0, size, size};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + size * size);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (auto& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

int widthOf(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// The title bar and the taskbar show the window class's icons: the program's own, at the system's two icon
// sizes. Read inside this process (Wine answers no class icons of another process's window), whose
// executable carries the same icon resource as marrowpad.exe.
TEST(MainWindowClass, CarriesTheProgramsIconAtTheSystemSizes) {
    testfiles::TempDir dataFolder;
    createGlobals();
    MainWindow window([](int) {}, dataFolder.path());
    ASSERT_TRUE(window.create(GetModuleHandleW(nullptr)));
    const struct {
        int index;
        int size;
    } icons[] = {{GCLP_HICON, GetSystemMetrics(SM_CXICON)}, {GCLP_HICONSM, GetSystemMetrics(SM_CXSMICON)}};
    for (const auto& icon : icons) {
        auto* shown = reinterpret_cast<HICON>(GetClassLongPtrW(window.handle(), icon.index));
        ASSERT_NE(shown, nullptr) << icon.size << " px";
        EXPECT_EQ(widthOf(shown), icon.size);
        HICON own = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MARROWPAD),
                                                  IMAGE_ICON, icon.size, icon.size, 0));
        ASSERT_NE(own, nullptr);
        EXPECT_EQ(pixelsOf(shown, icon.size), pixelsOf(own, icon.size)) << icon.size << " px";
        DestroyIcon(own);
    }
    DestroyWindow(window.handle());
    releaseGlobals();
}

}  // namespace
