// Test host for the end-to-end key tests: runs pieces of the program on a real
// X display and reports what they show as JSON lines on stdout.
//
//   keyhost dialog <settings file> <key code>
//       opens the key dialog with the real X injector; reports its boxes on
//       every change and "closed" when it is gone, then ends.
//   keyhost receiver
//       a plain window with a text box that reports every key it gets.
//   keyhost saver <period in ticks> <key code>
//       the clock's key timer with a shortened period, switched on through
//       the menu command; reports each key it sends.

#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/SettingsWriter.h"
#include "keys/KeyCaptureEdit.h"
#include "keys/SaverMode.h"
#include "keys/KeyDialog.h"
#include "menu/ClockMenu.h"
#include "platform/Backends.h"
#include "platform/dummy/DummySoundOutput.h"

#include <QApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

namespace {

void report(const QJsonObject& object)
{
    std::fputs(QJsonDocument(object).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class KeyLogger : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            report({{"key", static_cast<qint64>(key->nativeVirtualKey())},
                    {"type", event->type() == QEvent::KeyPress ? "press" : "release"},
                    {"ms", QDateTime::currentMSecsSinceEpoch()}});
        }
        return QObject::eventFilter(watched, event);
    }
};

int runReceiver()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("keyhost receiver"));
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(&window);
    layout->addWidget(edit);
    KeyLogger logger;
    edit->installEventFilter(&logger);
    window.resize(300, 60);
    window.move(40, 40);
    window.show();
    window.activateWindow();
    edit->setFocus();

    bool wasActive = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const bool active = window.isActiveWindow() && edit->hasFocus();
        if (active != wasActive) {
            wasActive = active;
            report({{"active", active}});
        }
    });
    poll.start(20);
    return QApplication::exec();
}

QJsonObject dialogState(const KeyDialog& dialog)
{
    const QPoint command1 =
        dialog.storeButton()->mapToGlobal(dialog.storeButton()->rect().center());
    return {{"text3", dialog.captureBox()->text()},
            {"text1", dialog.characterCode()->text()},
            {"text2", dialog.keyCode()->text()},
            {"text4", dialog.shiftBits()->text()},
            {"label4", dialog.keyNameLabel()->text()},
            {"active", dialog.isActiveWindow()},
            {"command1", QStringLiteral("%1 %2").arg(command1.x()).arg(command1.y())}};
}

int runDialog(AppState& state, ClockCore& core)
{
    Windows windows(state, core);
    SettingsWriter writer(state, core, [] { return QPoint(); });
    writer.followChanges();
    windows.showKeyStroke();
    QPointer<KeyDialog> dialog = windows.keyStroke();
    QJsonObject last;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!dialog) {
            report({{"closed", true}, {"SendKeyCode", core.keyCode()}});
            QApplication::quit();
            return;
        }
        const QJsonObject now = dialogState(*dialog);
        if (now != last) {
            last = now;
            report(now);
        }
    });
    poll.start(20);
    return QApplication::exec();
}

// Reports each key the saver sends, then hands it to the real injector.
class ReportingInjector : public platform::KeyInjector
{
public:
    explicit ReportingInjector(platform::KeyInjector& real) : m_real(real) {}
    bool sendKeyStroke(std::uint8_t virtualKey) override
    {
        report({{"sent", true}, {"ms", QDateTime::currentMSecsSinceEpoch()}});
        return m_real.sendKeyStroke(virtualKey);
    }

private:
    platform::KeyInjector& m_real;
};

int runSaver(AppState& state, ClockCore& core, std::int16_t period)
{
    Windows windows(state, core);
    windows.saverMode()->setKeyPeriod(period);
    windows.menu().entryFor(Option::Saver)->trigger();
    report({{"saver", windows.menu().entryFor(Option::Saver)->isChecked()}});
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QApplication::arguments();
    const QString mode = args.value(1);
    if (mode == QLatin1String("receiver")) {
        return runReceiver();
    }

    platform::DummySoundOutput sound;
    auto keys = platform::makeKeyInjector();
    AppState state(Services{sound, *keys, [] { return QDateTime::currentMSecsSinceEpoch(); }});
    if (mode == QLatin1String("dialog") && args.size() == 4) {
        state.settingsFile = args.at(2);
        ClockCore core;
        core.setKeyCode(static_cast<std::int16_t>(args.at(3).toInt()));
        return runDialog(state, core);
    }
    if (mode == QLatin1String("saver") && args.size() == 4) {
        ReportingInjector reporting(*keys);
        AppState saverState(Services{sound, reporting, state.services.nowMs});
        ClockCore core;
        core.setKeyCode(static_cast<std::int16_t>(args.at(3).toInt()));
        return runSaver(saverState, core, static_cast<std::int16_t>(args.at(2).toInt()));
    }
    std::fputs("usage: keyhost receiver | dialog <ini> <code> | saver <ticks> <code>\n", stderr);
    return 2;
}
