#include "ccommandbutton.h"

namespace VexiloControl {

CCommandButton::CCommandButton(QWidget *parent)
    : CPushButton(parent)
{
}

CCommandButton::~CCommandButton() = default;

} // namespace VexiloControl
