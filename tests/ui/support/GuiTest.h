// Shared start-up and helpers for the window tests: an offscreen application, a fresh working
// directory per test, a watchdog against unexpected modal boxes, and ways to drive the controls
// as a player does (keys into the focused widget, clicks on tabs and buttons).
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QByteArray>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include "ui/MainForm.h"

class QAbstractButton;
class QComboBox;
class QDialog;
class QLineEdit;
class QTabBar;
class QWidget;

namespace gwtest {

// Runs a Qt Test object inside the program's own application object (so that an error escaping
// a handler is handled as in the program): offscreen when QT_QPA_PLATFORM is unset, C locale.
int RunTests(QObject& test, int argc, char** argv);

// The test's working directory: a fresh temporary directory, made current for the test's life
// and the previous one restored afterwards. The program's preferences file lives in its
// ".config" for as long.
class WorkingDirectory {
public:
    WorkingDirectory();
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QString m_previousConfig;
    QTemporaryDir m_dir;
};

// Fails a test instead of letting it hang: a modal dialog or message box that no AnswerModal
// expects is recorded and closed. Call start() in init() (it may be a member of the test object,
// made before the application) and check failed() in cleanup().
class ModalWatchdog : public QObject {
    Q_OBJECT

public:
    ModalWatchdog();
    void start();
    bool failed() const { return !m_report.isEmpty(); }
    QString report() const { return m_report; }

private:
    void poll();
    QTimer m_timer;
    QString m_report;
};

// Answers the next modal dialog or message box when it appears (from a zero timer, polling until
// it does or the time runs out); the watchdog leaves it alone meanwhile. It answers the modal window
// that is up when it first looks, so over a modal dialog already shown, call it just before the
// action that opens the next one, with no events processed in between.
void AnswerModal(std::function<void(QWidget*)> answer, int timeoutMs = 5000);
// The same for a message box: remembers its text and presses the button. A box whose buttons
// are not the set of its kind (Abort alone, OK alone, or Yes and No for the answers Yes and No)
// fails the MainWindowTest it appears in.
void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr, int timeoutMs = 5000);

// What a file dialog looked like when it came up.
struct SeenFileDialog {
    bool seen = false;
    QString objectName;
    QString filter;
    QString directory;
    QString nameBox;
};
// The same for a file dialog: types `name` into its name box and presses Return, or cancels when
// `name` is empty.
void AnswerFileDialog(const QString& name, SeenFileDialog* seen = nullptr);

// Number of AnswerModal calls still waiting for their dialog.
int PendingAnswers();

// Keeps the watchdog away from the modal dialogs while a test drives one itself, from inside
// the answer that found it, across waits that run the event loop.
class DrivingModal {
public:
    DrivingModal();
    ~DrivingModal();
    DrivingModal(const DrivingModal&) = delete;
    DrivingModal& operator=(const DrivingModal&) = delete;
};

// Runs a dialog modally and answers it from the event loop once it is up. A dialog the answer
// leaves open is rejected after a few seconds so that a broken case fails instead of hanging;
// gives the dialog's result, or -1 when it never came up.
int ExecAnswered(QDialog& dialog, const std::function<void()>& answer);

// A named child, or null.
template <class T> T* Find(const QObject* root, const QString& name)
{
    return root->findChild<T*>(name);
}

// Player actions. Each gives the widget the keyboard focus in an active window first.
void Focus(QWidget* widget);
// Chooses a list entry in one choice, with the mouse from the list's open pop-up.
void ChooseEntry(QComboBox* box, int index);
// Selects the whole text of an edit box and types over it ("" deletes it).
void TypeOver(QLineEdit* edit, const QString& text);
// Clicks the middle of a tab.
void ClickTab(QTabBar* bar, int index);
// Clicks a button, radio button or check box with the mouse.
void Click(QAbstractButton* button);

// The title a window shows, with its modified mark put in or left out.
QString ShownTitle(const QWidget* window);

// Shows a top-level window and waits until it is exposed and active.
bool ShowAndActivate(QWidget* window);

// A file's bytes, or nothing when it cannot be read.
QByteArray ReadAll(const QString& path);
// Replaces a file's contents with exactly these bytes; a file that cannot be written fails the test.
void WriteAll(const QString& path, const QByteArray& bytes);

// Base of the tests that drive the main window. Every test function runs in a fresh working
// directory with the watchdog on; cleanup() waits for the dialogs the test answers, closes the
// window and fails the test on an unexpected modal box. A test class that prepares more in its
// own init() calls MainWindowTest::init() first.
class MainWindowTest : public QObject {
    Q_OBJECT

protected slots:
    void init();
    void cleanup();

protected:
    // Replaces the window with one made as the program makes it at start-up, with the report
    // window and the dialogs it owns, shown and active; false if it could not be activated.
    bool OpenApplicationWindow();
    // The same for the main window alone, for tests that open none of the other windows.
    bool OpenMainWindowOnly();

    std::optional<WorkingDirectory> m_dir;
    ModalWatchdog m_watchdog;
    std::unique_ptr<TMainForm> m_form;
};

} // namespace gwtest

// One test object per executable.
#define GW_UI_TEST_MAIN(TestClass)                                                                                \
    int main(int argc, char** argv)                                                                              \
    {                                                                                                            \
        TestClass test;                                                                                          \
        return gwtest::RunTests(test, argc, argv);                                                               \
    }
