#include "keys/frmKeyStroke.h"

#include "controls/DialogFont.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "keys/FormLine.h"
#include "keys/KeyCaptureEdit.h"
#include "keys/KeyEventMapping.h"
#include "keys/KeyNames.h"
#include "keys/KeysLog.h"
#include "keys/MouseAndKey.h"
#include "platform/KeyboardLayout.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

QFont captureFont()
{
    return dialogFont(14, true);
}

QFont logoFont()
{
    return dialogFont(18, false);
}

constexpr int ActivationPollMs = 10;
// How long the pressed opening key may take to come back to the capture box.
constexpr int OpeningKeyArrivalMs = 400;

} // namespace

frmKeyStroke::frmKeyStroke(AppState& state, const QWidget* over)
    : frmKeyStroke(state, platform::createKeyboardLayout(), over)
{}

frmKeyStroke::frmKeyStroke(AppState& state, std::unique_ptr<platform::KeyboardLayout> layout,
                           const QWidget* over)
    : QDialog(nullptr), m_state(state), m_over(over), m_layout(std::move(layout))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Taste auswählen"));
    // A fixed dialog frame: title and close button only.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(396, 158);
    setFont(dialogFont(8.25, false));
    buildControls();

    m_activationPoll = new QTimer(this);
    m_activationPoll->setInterval(ActivationPollMs);
    connect(m_activationPoll, &QTimer::timeout, this, &frmKeyStroke::pollActivation);
}

frmKeyStroke::~frmKeyStroke() = default;

void frmKeyStroke::buildControls()
{
    Command1 = new QPushButton(QStringLiteral("übernehmen + speichern"), this);
    Command1->setGeometry(8, 120, 225, 33);
    Command1->setFont(dialogFont(9.75, true));
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &frmKeyStroke::Command1_Click);

    Command2 = new QPushButton(QStringLiteral("abbrechen"), this);
    Command2->setGeometry(240, 120, 149, 33);
    Command2->setFont(dialogFont(9.75, false));
    Command2->setAutoDefault(false);
    connect(Command2, &QPushButton::clicked, this, &frmKeyStroke::Command2_Click);

    Frame1 = new QGroupBox(QStringLiteral("Tastatur-Auswertung"), this);
    Frame1->setGeometry(8, 4, 381, 109);

    Text3 = new KeyCaptureEdit(Frame1);
    Text3->setGeometry(12, 44, 77, 27);
    Text3->setAlignment(Qt::AlignCenter);
    Text3->setFont(dialogFont(13.5, true));
    Text3->installEventFilter(this);
    // Keys, not composed text: a dead key is shown as the key it is.
    Text3->setAttribute(Qt::WA_InputMethodEnabled, false);

    Label4 = new QLabel(Frame1);
    Label4->setGeometry(4, 76, 89, 29);
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label4->setWordWrap(true);

    Label1 = new QLabel(QStringLiteral("KeyAscii:"), Frame1);
    Label1->setGeometry(136, 28, 81, 25);
    Label1->setFont(dialogFont(12, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Text1 = new QLineEdit(QStringLiteral("-"), Frame1);
    Text1->setGeometry(220, 24, 49, 26);
    Text1->setReadOnly(true);
    Text1->setFont(dialogFont(13.5, true));

    Label2 = new QLabel(QStringLiteral("KeyCode:"), Frame1);
    Label2->setGeometry(136, 68, 81, 25);
    Label2->setFont(dialogFont(12, true));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette darkRed = Label2->palette();
    darkRed.setColor(QPalette::WindowText, QColor(192, 0, 0));
    Label2->setPalette(darkRed);

    Text2 = new QLineEdit(QStringLiteral("0"), Frame1);
    Text2->setGeometry(220, 64, 52, 29);
    Text2->setReadOnly(true);
    Text2->setFont(dialogFont(13.5, true));
    QPalette lightRed = Text2->palette();
    lightRed.setColor(QPalette::Base, QColor(255, 192, 192));
    Text2->setPalette(lightRed);

    Label3 = new QLabel(QStringLiteral("Shift:"), Frame1);
    Label3->setGeometry(276, 68, 49, 25);
    Label3->setFont(dialogFont(12, true));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Text4 = new QLineEdit(QStringLiteral("0"), Frame1);
    Text4->setGeometry(320, 64, 49, 26);
    Text4->setReadOnly(true);
    Text4->setFont(dialogFont(13.5, true));

    Line1 = new FormLine(QPoint(92, 56), QPoint(132, 36), Frame1);
    Line2 = new FormLine(QPoint(92, 56), QPoint(132, 76), Frame1);

    for (QLineEdit* display : {Text1, Text2, Text4}) {
        display->installEventFilter(this);
    }
    setTabOrder(Text3, Command1);
    setTabOrder(Command1, Command2);
}

void frmKeyStroke::Form_Load()
{
    CenterForm(this, m_over);
    MakeTopMost(this);
    show();
    raise();
    activateWindow();
    Text3->setFocus();
    QCoreApplication::processEvents();

    // The key goes to whichever window has the keyboard focus, and a freshly
    // mapped window is not active at once: press it only when this one is.
    // A code that does not fit 8 bits sends nothing.
    if (m_state.SendKeyCode < 0 || m_state.SendKeyCode > 255) {
        return;
    }
    m_openingKey = m_state.SendKeyCode;
    m_keyArrived = false;
    m_activationWait.start();
    m_activationPoll->start();
}

void frmKeyStroke::pollActivation()
{
    const bool ready = isActiveWindow() && Text3->hasFocus();
    if (!ready && !m_activationWait.hasExpired(m_activationTimeoutMs)) {
        return;
    }
    m_activationPoll->stop();
    const int key = std::exchange(m_openingKey, -1);
    if (ready && SendKeyStroke(m_state.services.keys, static_cast<std::int16_t>(key))) {
        // On a busy desktop the focus can move on between Qt's word that the
        // window is active and the key's arrival, and the key goes elsewhere:
        // show the definition then all the same.
        QTimer::singleShot(OpeningKeyArrivalMs, this, [this, key] {
            if (!m_keyArrived) {
                qCDebug(lcKeys) << "opening key" << key << "did not arrive";
                deliverToCaptureBox(key);
            }
        });
        return;
    }
    // Never active, or the window system took no key: show the definition
    // anyway, without anything leaving the program.
    qCDebug(lcKeys) << "opening key" << key << "handed to the capture box";
    deliverToCaptureBox(key);
}

void frmKeyStroke::deliverToCaptureBox(int virtualKey)
{
    const std::optional<NativeKey> key = nativeKeyFor(virtualKey);
    if (!key) {
        return;
    }
    QKeyEvent press(QEvent::KeyPress, key->qtKey, key->modifiers, 0, key->keysym, 0, key->text);
    QCoreApplication::sendEvent(Text3, &press);
    QKeyEvent release(QEvent::KeyRelease, key->qtKey, key->modifiers, 0, key->keysym, 0, key->text);
    QCoreApplication::sendEvent(Text3, &release);
}

NativeKey frmKeyStroke::nativeKeyOf(const QKeyEvent& event) const
{
    NativeKey key;
    key.qtKey = event.key();
    key.modifiers = event.modifiers();
    key.keysym = event.nativeVirtualKey();
    if (event.nativeScanCode() != 0 && m_layout) {
        key.unshiftedKeysym = m_layout->unshiftedKeysym(event.nativeScanCode());
    }
    key.text = event.text();
    return key;
}

bool frmKeyStroke::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text3) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Every key belongs to the capture box, none to a shortcut.
            event->accept();
            return true;
        case QEvent::KeyPress:
            capturePress(*static_cast<QKeyEvent*>(event));
            return true;
        case QEvent::KeyRelease:
            captureRelease(*static_cast<QKeyEvent*>(event));
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == Text1) {
            Text1_GotFocus();
        } else if (watched == Text2) {
            Text2_GotFocus();
        } else if (watched == Text4) {
            Text4_GotFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmKeyStroke::capturePress(const QKeyEvent& event)
{
    m_keyArrived = true;
    const NativeKey native = nativeKeyOf(event);
    const WindowsKey key = windowsKeyFor(native);
    std::int16_t KeyCode = key.KeyCode;
    // Keys with a name show it alone; the others type their character into
    // the emptied box.
    const bool named = !describeKey(KeyCode, key.Shift).text.isNull();
    Text3_KeyDown(KeyCode, key.Shift);
    if (key.KeyAscii) {
        std::int16_t KeyAscii = *key.KeyAscii;
        Text3_KeyPress(KeyAscii);
        const QString typed = native.text;
        const bool printable =
            std::all_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.isPrint(); });
        if (!named && printable) {
            Text3->insert(typed);
        }
    }
}

void frmKeyStroke::captureRelease(const QKeyEvent& event)
{
    const WindowsKey key = windowsKeyFor(nativeKeyOf(event));
    std::int16_t KeyCode = key.KeyCode;
    Text3_KeyUp(KeyCode, key.Shift);
}

void frmKeyStroke::Text3_KeyDown(std::int16_t& KeyCode, std::int16_t Shift)
{
    Text1->setText(QStringLiteral("-"));
    Text4->setText(QString::number(Shift));
    Text2->setText(QString::number(KeyCode));

    Text3->setWindowsLogo(false);
    Text3->setFont(captureFont());
    Text3->clear();
    Label4->clear();

    const KeyDescription d = describeKey(KeyCode, Shift);
    if (!d.text.isNull()) {
        Text3->setText(d.text);
    }
    Label4->setText(d.longName);
    if (d.windowsLogo) {
        Text3->setFont(logoFont());
        Text3->setWindowsLogo(true);
    }
    if (d.selectText) {
        Text3->setSelection(0, 3);
    }
    if (d.consumed) {
        KeyCode = 0;
    }
}

void frmKeyStroke::Text3_KeyPress(std::int16_t& KeyAscii)
{
    Text1->setText(QString::number(KeyAscii));
}

void frmKeyStroke::Text3_KeyUp(std::int16_t& /*KeyCode*/, std::int16_t /*Shift*/)
{
    // The next key replaces what is shown.
    Text3->setSelection(0, static_cast<int>(Text3->text().size()));
    Text3->setFocus();
}

void frmKeyStroke::Text1_GotFocus()
{
    Text3->setFocus();
}

void frmKeyStroke::Text2_GotFocus()
{
    Text3->setFocus();
}

void frmKeyStroke::Text4_GotFocus()
{
    Text3->setFocus();
}

void frmKeyStroke::Command1_Click()
{
    const QString code = Text2->text();
    if (code.isEmpty()) {
        return;
    }
    WriteSettings(m_state, {settingEntry(Setting::SendKey, code)});
    // A value beyond 16 bits leaves the code as it was.
    number16FromFile(code, m_state.SendKeyCode);
    close();
}

void frmKeyStroke::Command2_Click()
{
    close();
}
