#include "upperwidget.h"

namespace appinstaller {

UpperWidget::UpperWidget(QWidget *parent)
    : QWidget(parent)
{
    ui.setupUi(this);
    connect(ui.m_pTopTitleWidget, &CustomTitleWidget::signalClose, this, &UpperWidget::signalClose);
}

UpperWidget::~UpperWidget() = default;

} // namespace appinstaller
