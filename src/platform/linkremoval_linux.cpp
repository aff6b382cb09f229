#include "linkremoval.h"

namespace appinstaller {
namespace platform {

void removeLinksBelow(const QString &)
{
}

} // namespace platform
} // namespace appinstaller
