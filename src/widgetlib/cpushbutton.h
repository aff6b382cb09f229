#ifndef VEXILOCONTROL_CPUSHBUTTON_H
#define VEXILOCONTROL_CPUSHBUTTON_H

#include "vexilocontrol_global.h"

#include <QPointer>
#include <QPushButton>

namespace VexiloControl {

// A push button whose hover and pressed states are exposed as the dynamic properties
// "hovered" and "pressed", so that style sheets can select them as
// VexiloControl--CPushButton[hovered="true"] and [pressed="true"].
class VEXILOCONTROL_EXPORT CPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CPushButton(QWidget *parent = nullptr);
    ~CPushButton() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setLookState(const char *name, bool on);
    void watchWindow();

    QPointer<QWidget> m_watchedWindow;
};

} // namespace VexiloControl

#endif
