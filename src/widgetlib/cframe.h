#ifndef VEXILOCONTROL_CFRAME_H
#define VEXILOCONTROL_CFRAME_H

#include "vexilocontrol_global.h"

#include <QFrame>

namespace VexiloControl {

// The library's plain frame; its own meta-object lets style sheets select it and its
// subclasses by class name.
class VEXILOCONTROL_EXPORT CFrame : public QFrame
{
    Q_OBJECT

public:
    explicit CFrame(QWidget *parent = nullptr);
    ~CFrame() override;
};

} // namespace VexiloControl

#endif
