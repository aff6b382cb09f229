#include "checks.h"
#include "winetests.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

// The layout of an icon group resource: a header, then one entry per image.
#pragma pack(push, 2)
struct IconGroupHeader
{
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry
{
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

const WORD kIconGroupType = 1;
const WORD kIconImages = 11;

const void *resourceData(HRSRC resource, DWORD *size)
{
    if (resource == nullptr)
        return nullptr;
    const HGLOBAL loaded = LoadResource(nullptr, resource);
    *size = SizeofResource(nullptr, resource);
    return loaded != nullptr ? LockResource(loaded) : nullptr;
}

void testIconGroup(Checks &checks)
{
    DWORD size = 0;
    const auto *header = static_cast<const IconGroupHeader *>(
        resourceData(FindResourceW(nullptr, L"IDI_ICON1", RT_GROUP_ICON), &size));
    checks.expect(header != nullptr, "the icon group IDI_ICON1 is in the executable");
    if (header == nullptr)
        return;
    checks.expect(header->type == kIconGroupType && header->count == kIconImages,
                  "IDI_ICON1 groups eleven icon images");
    checks.expect(size >= sizeof(IconGroupHeader) + header->count * sizeof(IconGroupEntry),
                  "the icon group holds an entry for each of its images");
    if (size < sizeof(IconGroupHeader) + header->count * sizeof(IconGroupEntry))
        return;

    const auto *entries = reinterpret_cast<const IconGroupEntry *>(header + 1);
    bool imagesPresent = true;
    for (WORD index = 0; index < header->count; ++index) {
        DWORD imageSize = 0;
        const void *image = resourceData(FindResourceW(nullptr, MAKEINTRESOURCEW(entries[index].id),
                                                       RT_ICON), &imageSize);
        imagesPresent = imagesPresent && image != nullptr && imageSize == entries[index].bytes;
    }
    checks.expect(imagesPresent, "every image of the icon group is in the executable with its full size");

    const HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"IDI_ICON1", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    checks.expect(icon != nullptr, "the system loads IDI_ICON1 as a 32-pixel icon");
    if (icon != nullptr)
        DestroyIcon(icon);
}

void testManifest(Checks &checks)
{
    DWORD size = 0;
    const auto *manifest = static_cast<const char *>(
        resourceData(FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST), &size));
    checks.expect(manifest != nullptr, "the manifest is resource 1 of type RT_MANIFEST");
    if (manifest == nullptr)
        return;
    const std::string text(manifest, size);
    checks.expect(text.find("<requestedExecutionLevel level=\"asInvoker\"") != std::string::npos,
                  "the manifest requests the asInvoker execution level");
}

} // namespace

// The executable's resources as compiled from the program's own resource script.
void testResources(Checks &checks)
{
    testIconGroup(checks);
    testManifest(checks);
}
