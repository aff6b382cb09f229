#include "checks.h"
#include "testfiles.h"
#include "winetests.h"

#include "platform/reparsepoints.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using appinstaller::platform::removeReparsePointsBelow;

namespace {

std::wstring withForwardSlashes(std::wstring path)
{
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

// Three 100-character levels take every path below them past MAX_PATH.
std::wstring deepDirectoryBelow(const std::wstring &directory)
{
    return directory + L"\\" + std::wstring(100, L'a') + L"\\" + std::wstring(100, L'b') + L"\\"
           + std::wstring(100, L'c');
}

bool makeDeepDirectory(const std::wstring &directory)
{
    const std::wstring a = directory + L"\\" + std::wstring(100, L'a');
    const std::wstring b = a + L"\\" + std::wstring(100, L'b');
    return makeDirectory(a) && makeDirectory(b) && makeDirectory(deepDirectoryBelow(directory));
}

// Everything a product directory holds apart from links: nested and empty folders,
// read-only, hidden and system entries, and paths past MAX_PATH.
bool makePlainTree(const std::wstring &root)
{
    return makeDirectory(root) && writeFile(root + L"\\top.txt", "top")
           && makeDirectory(root + L"\\empty") && makeDirectory(root + L"\\sub")
           && writeFile(root + L"\\sub\\inner.txt", "inner")
           && writeFile(root + L"\\sub\\readonly.txt", "read-only")
           && setAttributes(root + L"\\sub\\readonly.txt", FILE_ATTRIBUTE_READONLY)
           && writeFile(root + L"\\sub\\hidden.txt", "hidden")
           && setAttributes(root + L"\\sub\\hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)
           && makeDirectory(root + L"\\sub\\readonly-folder")
           && writeFile(root + L"\\sub\\readonly-folder\\kept.txt", "kept")
           && setAttributes(root + L"\\sub\\readonly-folder", FILE_ATTRIBUTE_READONLY)
           && makeDeepDirectory(root) && writeFile(deepDirectoryBelow(root) + L"\\deep.txt", "deep");
}

void testPlainTree(Checks &checks, const std::wstring &scratch)
{
    const std::wstring root = scratch + L"\\plain";
    checks.expect(makePlainTree(root), "a tree without links is made, reaching past MAX_PATH");
    const std::vector<std::wstring> before = listTree(root);

    struct Spelling
    {
        const char *what;
        std::wstring path;
    };
    const Spelling spellings[] = {
        {"with backslashes", root},
        {"with forward slashes", withForwardSlashes(root)},
        {"with a trailing separator", root + L"\\"},
        {"in the \\\\?\\ form", L"\\\\?\\" + root},
        {"relative to the current directory", L"plain"},
    };
    SetCurrentDirectoryW(scratch.c_str());
    for (const Spelling &spelling : spellings) {
        const bool result = removeReparsePointsBelow(spelling.path.c_str());
        checks.expect(result && listTree(root) == before,
                      std::string("a tree without links, named ") + spelling.what
                          + ", is reported free of links and left exactly as it was");
    }

    checks.expect(removeReparsePointsBelow((scratch + L"\\missing").c_str()),
                  "a directory that does not exist has no link below it");
    checks.expect(removeReparsePointsBelow((root + L"\\top.txt").c_str()) && exists(root + L"\\top.txt"),
                  "a file has no link below it and stays");
    checks.expect(!removeReparsePointsBelow(nullptr) && !removeReparsePointsBelow(L""),
                  "no directory at all is not a walk that succeeded");
}

struct MountPointBuffer
{
    DWORD tag;
    WORD dataLength;
    WORD reserved;
    WORD substituteOffset;
    WORD substituteLength;
    WORD printOffset;
    WORD printLength;
    WCHAR paths[2048];
};

const DWORD kMountPointHeaderBytes = 8;
const DWORD kMountPointOffsetsBytes = 8;

// A junction, made the way mklink /J makes one: an empty directory given a
// mount-point reparse point. Returns 0, or the error that stopped it.
DWORD makeJunction(const std::wstring &link, const std::wstring &target)
{
    if (!makeDirectory(link))
        return GetLastError();
    const HANDLE directory = CreateFileW(extendedPath(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (directory == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        RemoveDirectoryW(extendedPath(link).c_str());
        return error;
    }
    const std::wstring substitute = L"\\??\\" + target;
    MountPointBuffer buffer = {};
    const size_t substituteBytes = substitute.size() * sizeof(WCHAR);
    const size_t printBytes = target.size() * sizeof(WCHAR);
    buffer.tag = IO_REPARSE_TAG_MOUNT_POINT;
    buffer.substituteOffset = 0;
    buffer.substituteLength = static_cast<WORD>(substituteBytes);
    buffer.printOffset = static_cast<WORD>(substituteBytes + sizeof(WCHAR));
    buffer.printLength = static_cast<WORD>(printBytes);
    std::memcpy(buffer.paths, substitute.c_str(), substituteBytes + sizeof(WCHAR));
    std::memcpy(reinterpret_cast<char *>(buffer.paths) + buffer.printOffset, target.c_str(), printBytes + sizeof(WCHAR));
    buffer.dataLength = static_cast<WORD>(kMountPointOffsetsBytes + substituteBytes + printBytes + 2 * sizeof(WCHAR));

    DWORD returned = 0;
    const bool made = DeviceIoControl(directory, FSCTL_SET_REPARSE_POINT, &buffer,
                                      kMountPointHeaderBytes + buffer.dataLength, nullptr, 0, &returned, nullptr)
                      != 0;
    const DWORD error = made ? 0 : GetLastError();
    CloseHandle(directory);
    if (!made)
        RemoveDirectoryW(extendedPath(link).c_str());
    return error;
}

bool isReparsePoint(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(extendedPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The read-only attribute of the link itself, not of the folder it points to.
bool makeLinkReadOnly(const std::wstring &link)
{
    const HANDLE handle = CreateFileW(extendedPath(link).c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0,
                                      nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    FILE_BASIC_INFO info = {};
    bool made = false;
    if (GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof(info))) {
        info.FileAttributes |= FILE_ATTRIBUTE_READONLY;
        made = SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof(info)) != 0;
    }
    CloseHandle(handle);
    return made;
}

// A user's folder that a link inside the product directory points at. A link inside
// it back to itself shows any descent: the walk would remove that link.
bool makeOutsideFolder(const std::wstring &outside)
{
    return makeDirectory(outside) && writeFile(outside + L"\\keep.txt", "the user's")
           && makeDirectory(outside + L"\\nested") && writeFile(outside + L"\\nested\\deep.txt", "the user's too");
}

void testJunctions(Checks &checks, const std::wstring &scratch)
{
    const std::wstring base = scratch + L"\\junctions";
    const std::wstring outside = base + L"\\outside";
    const std::wstring tree = base + L"\\tree";
    checks.expect(makeDirectory(base) && makeOutsideFolder(outside) && makeDirectory(tree)
                      && writeFile(tree + L"\\own.txt", "the product's") && makeDirectory(tree + L"\\sub"),
                  "a product tree and a user's folder are made for junctions");

    const DWORD error = makeJunction(tree + L"\\sub\\to-outside", outside);
    if (error != 0 || !isReparsePoint(tree + L"\\sub\\to-outside")) {
        checks.skip("junctions: this system cannot make one (error " + std::to_string(error) + ")");
        return;
    }
    const bool made = makeJunction(outside + L"\\nested\\loop", outside) == 0
                      && makeJunction(tree + L"\\read-only-junction", outside) == 0
                      && makeLinkReadOnly(tree + L"\\read-only-junction") && makeDeepDirectory(tree)
                      && makeJunction(deepDirectoryBelow(tree) + L"\\deep-junction", outside) == 0;
    checks.expect(made, "junctions are made: in the tree, read-only, past MAX_PATH, and in the user's folder");
    const std::vector<std::wstring> outsideBefore = listTree(outside);

    checks.expect(removeReparsePointsBelow(tree.c_str()), "every junction below the tree is reported removed");
    checks.expect(!exists(tree + L"\\sub\\to-outside") && !exists(tree + L"\\read-only-junction")
                      && !exists(deepDirectoryBelow(tree) + L"\\deep-junction"),
                  "the junctions, the read-only one and the one past MAX_PATH included, are gone");
    checks.expect(listTree(outside) == outsideBefore,
                  "the user's folder, with the junction inside it, is exactly as it was");
    checks.expect(exists(tree + L"\\own.txt") && exists(deepDirectoryBelow(tree)),
                  "the tree's own files and folders stay for the removal that follows");
}

void testSymbolicLinks(Checks &checks, const std::wstring &scratch)
{
    const std::wstring base = scratch + L"\\symlinks";
    const std::wstring outside = base + L"\\outside";
    const std::wstring tree = base + L"\\tree";
    checks.expect(makeDirectory(base) && makeOutsideFolder(outside) && makeDirectory(tree)
                      && writeFile(tree + L"\\own.txt", "the product's"),
                  "a product tree and a user's folder are made for symbolic links");

    const DWORD unprivileged = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    const std::wstring folderLink = tree + L"\\folder-link";
    const std::wstring fileLink = tree + L"\\file-link.txt";
    CreateSymbolicLinkW(folderLink.c_str(), outside.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | unprivileged);
    CreateSymbolicLinkW(fileLink.c_str(), (outside + L"\\keep.txt").c_str(), unprivileged);
    if (!isReparsePoint(folderLink) || !isReparsePoint(fileLink)) {
        checks.skip("symbolic links: this system makes none here (error " + std::to_string(GetLastError()) + ")");
        return;
    }
    const std::vector<std::wstring> outsideBefore = listTree(outside);
    checks.expect(removeReparsePointsBelow(tree.c_str()), "both symbolic links are reported removed");
    checks.expect(!exists(folderLink) && !exists(fileLink), "the folder and the file symbolic link are gone");
    checks.expect(listTree(outside) == outsideBefore, "what they pointed to is exactly as it was");
    checks.expect(exists(tree + L"\\own.txt"), "the tree's own file stays");
}

// Wine cannot make a junction or a symbolic link, but presents a Unix symbolic link to
// a folder as a directory reparse point, so these trees (laid out by the test's
// wrapper) let the walk meet real reparse points. Wine refuses to remove such a link
// as a link (it would work through it: a link to an empty folder takes that folder
// with it), so here the walk must find each link, report that it stays, and never
// descend: the folder each link points to holds such a link to an empty folder, and a
// descent would cost that folder.
void testUnixLinks(Checks &checks, const std::wstring &scratch)
{
    if (!runsUnderWine()) {
        checks.skip("Unix symbolic links: only Wine presents them as reparse points");
        return;
    }
    const std::wstring base = scratch + L"\\unix-links";
    const std::wstring outside = base + L"\\outside";
    const std::wstring tree = base + L"\\tree";
    const std::wstring deep = base + L"\\deep";
    checks.expect(isReparsePoint(tree + L"\\sub\\to-outside") && isReparsePoint(outside + L"\\nested\\bait-link")
                      && isReparsePoint(deepDirectoryBelow(deep) + L"\\deep-link"),
                  "Wine presents the Unix links of the prepared trees as reparse points");
    const std::vector<std::wstring> outsideBefore = listTree(outside);

    struct Walk
    {
        const char *what;
        std::wstring path;
        std::wstring root;
    };
    const Walk walks[] = {
        {"a link one level down", tree, tree},
        {"a link one level down, the tree named with forward slashes", withForwardSlashes(tree), tree},
        {"a link past MAX_PATH", deep, deep},
        {"a link past MAX_PATH, the tree named relatively", L"unix-links\\deep", deep},
    };
    SetCurrentDirectoryW(scratch.c_str());
    for (const Walk &walk : walks) {
        const bool result = removeReparsePointsBelow(walk.path.c_str());
        checks.expect(result == !hasReparsePointBelow(walk.root),
                      std::string("the walk reports whether a link is left, for ") + walk.what);
        checks.expect(listTree(outside) == outsideBefore && exists(outside + L"\\bait"),
                      std::string("the linked folder is left as it was, for ") + walk.what);
    }
    checks.expect(exists(tree + L"\\own.txt") && exists(tree + L"\\sub"), "the tree's own entries stay");

    checks.expect(!removeReparsePointsBelow((tree + L"\\sub\\to-outside").c_str()),
                  "a directory that is itself a link is not walked and is reported as a link that stays");
    checks.expect(listTree(outside) == outsideBefore && exists(outside + L"\\bait"),
                  "the folder that directory points to is left as it was");
}

} // namespace

void testReparsePoints(Checks &checks, const std::wstring &scratch)
{
    testPlainTree(checks, scratch);
    testJunctions(checks, scratch);
    testSymbolicLinks(checks, scratch);
    testUnixLinks(checks, scratch);
}
