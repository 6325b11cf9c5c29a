#include "panel_process.h"

#include "app/control_ids.h"
#include "support/window_search.h"
#include "util/codepage.h"

namespace {

std::wstring classOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

std::wstring captionOf(HWND window) {
    wchar_t caption[32] = {};
    GetWindowTextW(window, caption, 32);
    return caption;
}

}  // namespace

std::string testProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string folder = fromWide(path, length < MAX_PATH ? length : 0);
    return folder.substr(0, folder.find_last_of('\\'));
}

PanelProcess::~PanelProcess() {
    if (process_ && waitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

namespace {

// The program copied into `folder`; its path, or "" when the copy failed.
std::wstring copyProgramInto(const std::wstring& folder) {
    const std::wstring executable = folder + L"\\marrowpad.exe";
    const bool copied = CopyFileW(toWide(testProgramFolder() + "\\marrowpad.exe").c_str(), executable.c_str(),
                                  FALSE) != FALSE;
    return copied ? executable : std::wstring();
}

constexpr char kUtf8CodePage[] =
    "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>";

struct Manifest {
    std::string text;
    WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
};

BOOL CALLBACK takeLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
    reinterpret_cast<Manifest*>(found)->language = language;
    return FALSE;
}

// The application manifest the executable carries, if any, and its language.
Manifest manifestOf(const std::wstring& executable) {
    Manifest manifest;
    HMODULE image = LoadLibraryExW(executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image) return manifest;
    EnumResourceLanguagesW(image, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), takeLanguage,
                           reinterpret_cast<LONG_PTR>(&manifest));
    if (HRSRC found = FindResourceExW(image, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), manifest.language)) {
        const void* data = LockResource(LoadResource(image, found));
        if (data) manifest.text.assign(static_cast<const char*>(data), SizeofResource(image, found));
    }
    FreeLibrary(image);
    return manifest;
}

// The executable's manifest with the UTF-8 code page declared in its windows settings (a manifest of its
// own when it has none).
bool declareUtf8CodePage(const std::wstring& executable) {
    Manifest manifest = manifestOf(executable);
    std::string& text = manifest.text;
    const std::size_t settingsEnd = text.find("</windowsSettings>");
    const std::size_t assemblyEnd = text.find("</assembly>");
    if (settingsEnd != std::string::npos) {
        text.insert(settingsEnd, kUtf8CodePage);
    } else if (assemblyEnd != std::string::npos) {
        text.insert(assemblyEnd, std::string("<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">"
                                             "<windowsSettings>") +
                                     kUtf8CodePage + "</windowsSettings></application>");
    } else {
        text = std::string(
                   "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                   "<assembly manifestVersion=\"1.0\" xmlns=\"urn:schemas-microsoft-com:asm.v1\">"
                   "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\"><windowsSettings>") +
               kUtf8CodePage + "</windowsSettings></application></assembly>";
    }
    HANDLE update = BeginUpdateResourceW(executable.c_str(), FALSE);
    if (!update) return false;
    const bool updated = UpdateResourceW(update, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), manifest.language,
                                         text.data(), static_cast<DWORD>(text.size())) != FALSE;
    return EndUpdateResourceW(update, !updated) != FALSE && updated &&
           manifestOf(executable).text.find(kUtf8CodePage) != std::string::npos;
}

}  // namespace

bool PanelProcess::start() {
    const std::wstring executable = copyProgramInto(toWide(folder_.path()));
    return !executable.empty() && launch(executable);
}

bool PanelProcess::startInFolder(const std::wstring& name) {
    const std::wstring folder = toWide(folder_.path()) + L"\\" + name;
    if (!CreateDirectoryW(folder.c_str(), nullptr)) return false;
    const std::wstring executable = copyProgramInto(folder);
    return !executable.empty() && launch(executable);
}

bool PanelProcess::startWithUtf8CodePage() {
    const std::wstring executable = copyProgramInto(toWide(folder_.path()));
    return !executable.empty() && declareUtf8CodePage(executable) && launch(executable);
}

bool PanelProcess::startBeside(const PanelProcess& first) {
    return launch(toWide(first.folder_ / "marrowpad.exe"));
}

bool PanelProcess::launch(const std::wstring& executable) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + executable + L"\"";
    // Started from the test's folder: the panel makes its own folder current.
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        toWide(testProgramFolder()).c_str(), &startup, &started)) {
        return false;
    }
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;

    const bool shown = waitUntil(
        [&] {
            window_ = testwindows::findTopLevel([&](HWND window) {
                return testwindows::processOf(window) == processId_ && classOf(window) == L"Quorvel" &&
                       captionOf(window) == L"Marrowpad" && IsWindowVisible(window);
            });
            return window_ != nullptr;
        },
        15000);
    // Let the set-up that follows the window's creation finish before the test looks.
    return shown && SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr) != 0;
}

HWND PanelProcess::control(int id) const {
    if (HWND direct = GetDlgItem(window_, id)) return direct;
    for (int group : {control_ids::remarkGroup, control_ids::quickReplyGroup}) {
        if (HWND inside = GetDlgItem(GetDlgItem(window_, group), id)) return inside;
    }
    return nullptr;
}

DWORD PanelProcess::waitForExit(DWORD milliseconds) const {
    if (WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

HWND PanelProcess::visiblePopupMenu() const {
    const DWORD panelThread = GetWindowThreadProcessId(window_, nullptr);
    return testwindows::findTopLevel([&](HWND window) {
        return classOf(window) == L"#32768" && IsWindowVisible(window) &&
               GetWindowThreadProcessId(window, nullptr) == panelThread;
    });
}
