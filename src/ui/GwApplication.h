// The application object. An error that escapes an event handler is shown in a message box and
// the event loop goes on, so that one failed action never takes the player's work with it.
#pragma once

#include <QApplication>

class GwApplication : public QApplication {
    Q_OBJECT

public:
    GwApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The error box: the error's text and the single button Abort.
    static void ShowError(const QString& text);
};
