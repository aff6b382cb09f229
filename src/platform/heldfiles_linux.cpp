#include "heldfiles.h"

namespace appinstaller {
namespace platform {

QStringList filesHeldByThisProcess()
{
    return QStringList();
}

} // namespace platform
} // namespace appinstaller
