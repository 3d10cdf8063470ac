#include "ui/GwApplication.h"

#include <exception>

#include <QMessageBox>
#include <QVariant>

namespace {

// Kept on the application object so that it lives exactly as long as the application does.
constexpr const char* TitleProperty = "gemwrightTitle";

} // namespace

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
    QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Abort);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}

QString GwApplication::Title()
{
    const QCoreApplication* app = QCoreApplication::instance();
    const QString title = app != nullptr ? app->property(TitleProperty).toString() : QString();
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

void GwApplication::SetTitle(const QString& title)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->setProperty(TitleProperty, title);
}
