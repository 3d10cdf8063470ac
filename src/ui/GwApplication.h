// The application object. An error that escapes an event handler is shown in a message box and
// the event loop goes on, so that one failed action never takes the player's work with it.
#pragma once

#include <QApplication>
#include <QString>

class GwApplication : public QApplication {
    Q_OBJECT

public:
    GwApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The error box: the error's text and the single button Abort.
    static void ShowError(const QString& text);

    // The application title the player sees on message boxes ("plan.gwc - Gemwright"). It is
    // kept apart from QCoreApplication::applicationName, which stays "Gemwright" because the
    // settings and the standard paths are derived from it.
    static QString Title();
    static void SetTitle(const QString& title);
};
