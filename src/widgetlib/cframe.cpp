#include "cframe.h"

namespace VexiloControl {

CFrame::CFrame(QWidget *parent)
    : QFrame(parent)
{
}

CFrame::~CFrame() = default;

} // namespace VexiloControl
