#include "testfiles.h"

#include <windows.h>

#include <algorithm>

std::wstring extendedPath(const std::wstring &path)
{
    return path.compare(0, 4, L"\\\\?\\") == 0 ? path : L"\\\\?\\" + path;
}

bool makeDirectory(const std::wstring &path)
{
    return CreateDirectoryW(extendedPath(path).c_str(), nullptr) != 0;
}

bool writeFile(const std::wstring &path, const std::string &content)
{
    const HANDLE file = CreateFileW(extendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) != 0
                    && written == content.size();
    CloseHandle(file);
    return ok;
}

bool exists(const std::wstring &path)
{
    return GetFileAttributesW(extendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool setAttributes(const std::wstring &path, unsigned long attributes)
{
    return SetFileAttributesW(extendedPath(path).c_str(), attributes) != 0;
}

namespace {

void listInto(const std::wstring &root, const std::wstring &relative, std::vector<std::wstring> &entries)
{
    const std::wstring directory = relative.empty() ? root : root + L"\\" + relative;
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((extendedPath(directory) + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        entries.push_back(path + L"|" + std::to_wstring(entry.dwFileAttributes));
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
            && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
            listInto(root, path, entries);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

} // namespace

std::vector<std::wstring> listTree(const std::wstring &directory)
{
    std::vector<std::wstring> entries;
    listInto(directory, std::wstring(), entries);
    std::sort(entries.begin(), entries.end());
    return entries;
}

bool hasReparsePointBelow(const std::wstring &directory)
{
    const std::vector<std::wstring> entries = listTree(directory);
    return std::any_of(entries.begin(), entries.end(), [](const std::wstring &entry) {
        const unsigned long attributes = std::stoul(entry.substr(entry.rfind(L'|') + 1));
        return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    });
}

std::string toAnsi(const std::wstring &text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &result[0], size, nullptr, nullptr);
    result.resize(static_cast<size_t>(size) - 1);
    return result;
}

std::wstring fromAnsi(const std::string &text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &result[0], size);
    result.resize(static_cast<size_t>(size) - 1);
    return result;
}

std::wstring ownExecutablePath()
{
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    path.resize(length);
    return path;
}

std::wstring fileNameOf(const std::wstring &path)
{
    return path.substr(path.find_last_of(L"\\/") + 1);
}

bool runsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
