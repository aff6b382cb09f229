#ifndef VEXILOCONTROL_CCOMMANDBUTTON_H
#define VEXILOCONTROL_CCOMMANDBUTTON_H

#include "cpushbutton.h"
#include "vexilocontrol_global.h"

namespace VexiloControl {

// The primary action of a window. Its red look comes from the library's style sheet,
// which selects it by class name (VexiloControl--CCommandButton).
class VEXILOCONTROL_EXPORT CCommandButton : public CPushButton
{
    Q_OBJECT

public:
    explicit CCommandButton(QWidget *parent = nullptr);
    ~CCommandButton() override;
};

} // namespace VexiloControl

#endif
