#include "platform/reparsepoints.h"

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace appinstaller {
namespace platform {

namespace {

bool startsWith(const std::wstring &text, const wchar_t *prefix)
{
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

// The absolute form with the "\\?\" prefix, so that neither the walk nor the removals
// stop at MAX_PATH the way Qt's own removal does not either. Such paths are taken
// literally by the system, which is why they are made absolute and cleaned first.
// A trailing separator is dropped: it would make the system resolve a link that the
// path itself names instead of looking at the link.
std::wstring extendedLengthPath(const wchar_t *path)
{
    const DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path, size, &full[0], nullptr);
    if (length == 0 || length >= size)
        return {};
    full.resize(length);

    if (!startsWith(full, L"\\\\?\\") && !startsWith(full, L"\\\\.\\")) {
        if (startsWith(full, L"\\\\"))
            full.replace(0, 2, L"\\\\?\\UNC\\");
        else
            full.insert(0, L"\\\\?\\");
    }
    while (full.size() > 1 && full.back() == L'\\')
        full.pop_back();
    if (full.back() == L':')
        full.push_back(L'\\');
    return full;
}

std::wstring childPath(const std::wstring &directory, const wchar_t *name)
{
    return directory.back() == L'\\' ? directory + name : directory + L'\\' + name;
}

bool isDotOrDotDot(const wchar_t *name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool isNotThere(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool removeEntry(const std::wstring &path, DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? RemoveDirectoryW(path.c_str()) != 0
                                                        : DeleteFileW(path.c_str()) != 0;
}

// Opening with FILE_FLAG_OPEN_REPARSE_POINT changes the attributes of the link
// itself; SetFileAttributesW on the path could reach the folder it points to.
bool clearReadOnlyOfLink(const std::wstring &path)
{
    const HANDLE link = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (link == INVALID_HANDLE_VALUE)
        return false;
    FILE_BASIC_INFO info = {};
    bool cleared = false;
    if (GetFileInformationByHandleEx(link, FileBasicInfo, &info, sizeof(info))) {
        info.FileAttributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
        if (info.FileAttributes == 0)
            info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        cleared = SetFileInformationByHandle(link, FileBasicInfo, &info, sizeof(info)) != 0;
    }
    CloseHandle(link);
    return cleared;
}

// A read-only link refuses removal, and a link left in place is exactly what the
// recursive removal afterwards would follow.
bool removeLink(const std::wstring &path, DWORD attributes)
{
    if (removeEntry(path, attributes))
        return true;
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0 || GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    return clearReadOnlyOfLink(path) && removeEntry(path, attributes);
}

} // namespace

bool removeReparsePointsBelow(const wchar_t *directory)
{
    if (directory == nullptr || directory[0] == L'\0')
        return false;
    const std::wstring top = extendedLengthPath(directory);
    if (top.empty())
        return false;

    const DWORD topAttributes = GetFileAttributesW(top.c_str());
    if (topAttributes == INVALID_FILE_ATTRIBUTES)
        return isNotThere(GetLastError());
    if ((topAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return false;
    if ((topAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return true;

    // An explicit list rather than recursion: the depth is bounded only by the
    // 32767-unit path limit, far beyond what the stack takes.
    std::vector<std::wstring> pending{top};
    bool complete = true;
    while (!pending.empty()) {
        const std::wstring current = std::move(pending.back());
        pending.pop_back();

        WIN32_FIND_DATAW entry;
        const HANDLE find = FindFirstFileW(childPath(current, L"*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) {
            if (!isNotThere(GetLastError()))
                complete = false;
            continue;
        }
        do {
            if (isDotOrDotDot(entry.cFileName))
                continue;
            const std::wstring path = childPath(current, entry.cFileName);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                if (!removeLink(path, entry.dwFileAttributes))
                    complete = false;
            } else if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                pending.push_back(path);
            }
        } while (FindNextFileW(find, &entry));
        if (GetLastError() != ERROR_NO_MORE_FILES)
            complete = false;
        FindClose(find);
    }
    return complete;
}

} // namespace platform
} // namespace appinstaller
