#include "GuiTest.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QList>
#include <QLocale>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <QWindow>

#include "ui/GwApplication.h"
#include "ui/Startup.h"

namespace gwtest {

namespace {

int g_pendingAnswers = 0;
// The modal windows whose answer is running: the answer may work in them for a while (wait for a
// message box it expects, say) and the watchdog must not take them for unexpected meanwhile.
QList<QPointer<QWidget>> g_answering;
// Message boxes answered by AnswerMessageBox that did not offer the button set of their kind.
QString g_wrongButtonSets;

// Every box offers one set: an error Abort alone, information OK alone, a question Yes and No.
QMessageBox::StandardButtons ButtonSetOf(QMessageBox::StandardButton answer)
{
    if (answer == QMessageBox::Yes || answer == QMessageBox::No)
        return QMessageBox::Yes | QMessageBox::No;
    // The question about unsaved changes.
    if (answer == QMessageBox::Save || answer == QMessageBox::Discard || answer == QMessageBox::Cancel)
        return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    return answer;
}

QString Describe(QWidget* modal)
{
    QString text = QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(modal->metaObject()->className()),
                                                   modal->objectName());
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        text += QStringLiteral(": ") + box->text();
    return text;
}

} // namespace

int RunTests(QObject& test, int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LC_ALL", "C", 1);
    std::setlocale(LC_ALL, "C");
    // The same look whatever the desktop prefers: a style forced from outside would move
    // indicators and change metrics under the tests' feet.
    unsetenv("QT_STYLE_OVERRIDE");
    // The program's preferences (recent files, window place) never touch the tester's own.
    static QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    GwApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QLocale::setDefault(QLocale::c());
    QApplication::setApplicationName(QStringLiteral("Gemwright"));
    return QTest::qExec(&test, argc, argv);
}

WorkingDirectory::WorkingDirectory()
    : m_previous(QDir::currentPath()), m_previousConfig(qEnvironmentVariable("XDG_CONFIG_HOME"))
{
    QDir::setCurrent(m_dir.path());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral(".config")).toLocal8Bit());
}

WorkingDirectory::~WorkingDirectory()
{
    QDir::setCurrent(m_previous);
    qputenv("XDG_CONFIG_HOME", m_previousConfig.toLocal8Bit());
}

ModalWatchdog::ModalWatchdog()
{
    connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::poll);
}

void ModalWatchdog::start()
{
    m_report.clear();
    m_timer.start(100);
}

void ModalWatchdog::poll()
{
    if (g_pendingAnswers > 0)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || g_answering.contains(modal))
        return;
    if (!m_report.isEmpty())
        m_report += QStringLiteral("; ");
    m_report += QStringLiteral("unexpected modal ") + Describe(modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

int PendingAnswers()
{
    return g_pendingAnswers;
}

// Counted as an answer still pending: the watchdog leaves modals alone while any is.
DrivingModal::DrivingModal()
{
    ++g_pendingAnswers;
}

DrivingModal::~DrivingModal()
{
    --g_pendingAnswers;
}

void AnswerModal(std::function<void(QWidget*)> answer, int timeoutMs)
{
    ++g_pendingAnswers;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer = std::move(answer), clock, poll, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && clock->elapsed() < timeoutMs) {
            QTimer::singleShot(10, QApplication::instance(), [poll] { (*poll)(); });
            return;
        }
        --g_pendingAnswers;
        if (modal != nullptr) {
            g_answering.append(modal);
            answer(modal);
            g_answering.removeAll(modal);
            g_answering.removeAll(nullptr);
        }
        *poll = nullptr;  // breaks the cycle once answered
    };
    QTimer::singleShot(0, QApplication::instance(), [poll] { (*poll)(); });
}

void AnswerMessageBox(QMessageBox::StandardButton button, QString* text, int timeoutMs)
{
    AnswerModal(
        [button, text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box == nullptr) {
                qWarning("expected a message box, found %s", qPrintable(Describe(modal)));
                modal->close();
                return;
            }
            if (text != nullptr)
                *text = box->text();
            if (box->standardButtons() != ButtonSetOf(button)) {
                if (!g_wrongButtonSets.isEmpty())
                    g_wrongButtonSets += QStringLiteral("; ");
                g_wrongButtonSets += QStringLiteral("wrong buttons on ") + Describe(modal);
            }
            if (QAbstractButton* b = box->button(button))
                b->click();
            else
                box->close();
        },
        timeoutMs);
}

void AnswerFileDialog(const QString& name, SeenFileDialog* seen)
{
    AnswerModal([name, seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            qWarning("expected a file dialog, found %s", qPrintable(Describe(modal)));
            modal->close();
            return;
        }
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (seen != nullptr)
            *seen = {true, dialog->objectName(), dialog->selectedNameFilter(), dialog->directory().path(),
                     edit != nullptr ? edit->text() : QString()};
        if (name.isEmpty() || edit == nullptr) {
            dialog->reject();
            return;
        }
        edit->setText(name);
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

int ExecAnswered(QDialog& dialog, const std::function<void()>& answer)
{
    bool answered = false;
    QTimer poll;
    poll.setInterval(10);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        if (!answered && QApplication::activeModalWidget() == &dialog) {
            answered = true;
            answer();
        } else if (clock.elapsed() > 5000) {
            dialog.reject();
        }
    });
    poll.start();
    const int result = dialog.exec();
    poll.stop();
    return answered ? result : -1;
}

QString ShownTitle(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    return handle != nullptr ? handle->title() : QString();
}

bool ShowAndActivate(QWidget* window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void Focus(QWidget* widget)
{
    QWidget* window = widget->window();
    if (!window->isActiveWindow())
        ShowAndActivate(window);
    widget->setFocus(Qt::OtherFocusReason);
}

void ChooseEntry(QComboBox* box, int index)
{
    // One choice, as a player picks an entry from the open list: stepping with the arrow keys
    // would choose every entry on the way, and each choice may ask its own question.
    Focus(box);
    box->showPopup();
    QAbstractItemView* view = box->view();
    const QModelIndex entry = view->model()->index(index, 0);
    view->scrollTo(entry);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(entry).center());
    QTRY_VERIFY(!view->isVisible());
}

void TypeOver(QLineEdit* edit, const QString& text)
{
    Focus(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
        return;
    }
    // One key per character, carrying the character itself: QTest::keyClicks only knows Latin-1.
    for (const QChar ch : text) {
        const Qt::Key key = ch.isDigit() ? Qt::Key(Qt::Key_0 + ch.digitValue())
                            : ch.isLetter() && ch.unicode() < 0x80 ? Qt::Key(ch.toUpper().unicode())
                                                                   : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, edit, key, QString(ch), Qt::NoModifier);
    }
}

void ClickTab(QTabBar* bar, int index)
{
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

void Click(QAbstractButton* button)
{
    // A check box or radio button answers on its indicator and text only, not on all of its
    // width; where the indicator sits is the style's business, so ask the style.
    QPoint at = button->rect().center();
    const bool check = qobject_cast<QCheckBox*>(button) != nullptr;
    if (check || qobject_cast<QRadioButton*>(button) != nullptr) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect indicator = button->style()->subElementRect(
            check ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option, button);
        if (indicator.isValid())
            at = indicator.center();
    }
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QVERIFY2(file.write(bytes) == bytes.size(), qPrintable(path));
}

void MainWindowTest::init()
{
    g_wrongButtonSets.clear();
    m_dir.emplace();
    m_watchdog.start();
}

void MainWindowTest::cleanup()
{
    // The window and the directory go whatever the checks find, so that the next test starts clean.
    const bool answered = QTest::qWaitFor([] { return g_pendingAnswers == 0; }, 5000);
    m_form.reset();
    m_dir.reset();
    QVERIFY2(answered, "a dialog the test meant to answer never came up");
    QVERIFY2(!m_watchdog.failed(), qPrintable(m_watchdog.report()));
    QVERIFY2(g_wrongButtonSets.isEmpty(), qPrintable(g_wrongButtonSets));
}

bool MainWindowTest::OpenApplicationWindow()
{
    m_form.reset();
    m_form = CreateApplicationWindows();
    return ShowAndActivate(m_form.get());
}

bool MainWindowTest::OpenMainWindowOnly()
{
    m_form.reset();
    m_form = std::make_unique<TMainForm>();
    return ShowAndActivate(m_form.get());
}

} // namespace gwtest
