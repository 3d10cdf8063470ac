#include "ui/GwApplication.h"

#include <exception>

#include <QMessageBox>

GwApplication::GwApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GwApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowError(tr("An unexpected error occurred."));
    }
    return false;
}

void GwApplication::ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Abort);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}
