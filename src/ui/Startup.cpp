#include "ui/Startup.h"

#include <exception>

#include <QEvent>
#include <QTimer>

#include "ui/AboutFormSrc.h"
#include "ui/FindStatFormSrc.h"
#include "ui/GwApplication.h"
#include "ui/ItemLevelSrc.h"
#include "ui/LoadDropSrc.h"
#include "ui/MainForm.h"
#include "ui/ReportFormSrc.h"

namespace {

// For the probe: ends the event loop once the main window has first painted.
class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

std::unique_ptr<TMainForm> CreateApplicationWindows()
{
    auto mainForm = std::make_unique<TMainForm>();
    TMainForm* main = mainForm.get();
    // The other windows, in this order: report window, About box, item level dialog, saved-item
    // browser, slot finder dialog.
    main->ReportForm = new TReportForm(main);
    main->AboutForm = new TAboutForm(main);
    main->ItemLevelForm = new TItemLevelForm(main);
    main->ItemBrowser = new TItemBrowser(main);
    main->FindStatForm = new TFindStatForm(main);
    return mainForm;
}

int RunGemwright(int& argc, char** argv, StartupMode mode)
{
    GwApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gemwright"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.gemwright.Gemwright"));

    std::unique_ptr<TMainForm> mainForm;
    try {
        mainForm = CreateApplicationWindows();
    } catch (const std::exception& error) {
        GwApplication::ShowError(QString::fromLocal8Bit(error.what()));
        return 0;
    } catch (...) {
        GwApplication::ShowError(QStringLiteral("An unexpected error occurred."));
        return 0;
    }

    // The application ends when the main window has closed, even while the About box or the
    // report window is open; a close the player cancels ends nothing.
    QObject::connect(mainForm.get(), &TMainForm::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    FirstPaintWatcher watcher;
    if (mode == StartupMode::QuitWhenShown)
        mainForm->installEventFilter(&watcher);
    mainForm->show();
    return app.exec();
}
