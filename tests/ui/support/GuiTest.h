// Shared start-up and helpers for the window tests: an offscreen application, a fresh working
// directory per test, a watchdog against unexpected modal boxes, and ways to drive the controls
// as a player does (keys into the focused widget, clicks on tabs and buttons).
#pragma once

#include <functional>
#include <memory>

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QTabBar;
class QWidget;

namespace gwtest {

// Runs a Qt Test object inside the program's own application object (so that an error escaping
// a handler is handled as in the program): offscreen when QT_QPA_PLATFORM is unset, C locale.
int RunTests(QObject& test, int argc, char** argv);

// The test's working directory: a fresh temporary directory, made current for the test's life
// and the previous one restored afterwards.
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
// it does or the time runs out); the watchdog leaves it alone meanwhile.
void AnswerModal(std::function<void(QWidget*)> answer, int timeoutMs = 5000);
// The same for a message box: remembers its text and presses the button.
void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr, int timeoutMs = 5000);
// Number of AnswerModal calls still waiting for their dialog.
int PendingAnswers();

// A named child, or null.
template <class T> T* Find(const QObject* root, const QString& name)
{
    return root->findChild<T*>(name);
}

// Player actions. Each gives the widget the keyboard focus in an active window first.
void Focus(QWidget* widget);
// Chooses a list entry with the keyboard, stepping with Up or Down from the entry shown.
void ChooseEntry(QComboBox* box, int index);
// Selects the whole text of an edit box and types over it ("" deletes it).
void TypeOver(QLineEdit* edit, const QString& text);
// Clicks the middle of a tab.
void ClickTab(QTabBar* bar, int index);
// Clicks a button, radio button or check box with the mouse.
void Click(QAbstractButton* button);

// Shows a top-level window and waits until it is exposed and active.
bool ShowAndActivate(QWidget* window);

} // namespace gwtest

// One test object per executable.
#define GW_UI_TEST_MAIN(TestClass)                                                                                \
    int main(int argc, char** argv)                                                                              \
    {                                                                                                            \
        TestClass test;                                                                                          \
        return gwtest::RunTests(test, argc, argv);                                                               \
    }
