#include "linkremoval.h"

#include "platform/reparsepoints.h"

#include <string>

namespace appinstaller {
namespace platform {

bool removeLinksBelow(const QString &directory)
{
    const std::wstring path = directory.toStdWString();
    return removeReparsePointsBelow(path.c_str());
}

} // namespace platform
} // namespace appinstaller
