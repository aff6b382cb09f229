#include "linkremoval.h"

namespace appinstaller {
namespace platform {

bool removeLinksBelow(const QString &)
{
    return true;
}

} // namespace platform
} // namespace appinstaller
