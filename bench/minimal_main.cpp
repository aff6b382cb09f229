// The least a Qt Widgets program does to ask a yes-or-no question: the same Qt,
// the same platform plugin, one standard message box, nothing else. What the
// uninstaller costs beyond this is its own.

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMessageBox question(QMessageBox::Question, QObject::tr("Confirm"),
                         QObject::tr("Do you want to remove the product and all of its components?"),
                         QMessageBox::Ok | QMessageBox::Cancel);
    return question.exec() == QMessageBox::Ok ? 0 : 1;
}
