#include "keys/KeyDialog.h"

#include "controls/DialogFont.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/SettingsKeys.h"
#include "keys/FormLine.h"
#include "keys/KeyCaptureEdit.h"
#include "keys/KeyEventMapping.h"
#include "keys/KeyNames.h"
#include "keys/KeySender.h"
#include "keys/KeysLog.h"
#include "platform/keys/KeyInjector.h"
#include "platform/keys/KeyboardLayout.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

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

KeyDialog::KeyDialog(AppState& state, ClockCore& core, const QWidget* over)
    : KeyDialog(state, core, platform::createKeyboardLayout(), over)
{}

KeyDialog::KeyDialog(AppState& state, ClockCore& core,
                     std::unique_ptr<platform::KeyboardLayout> layout, const QWidget* over)
    : QDialog(nullptr), m_state(state), m_core(core), m_over(over), m_layout(std::move(layout))
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
    connect(m_activationPoll, &QTimer::timeout, this, &KeyDialog::pollActivation);
}

KeyDialog::~KeyDialog() = default;

void KeyDialog::buildControls()
{
    m_storeButton = new QPushButton(QStringLiteral("übernehmen + speichern"), this);
    m_storeButton->setObjectName(QStringLiteral("Command1"));
    m_storeButton->setGeometry(8, 120, 225, 33);
    m_storeButton->setFont(dialogFont(9.75, true));
    m_storeButton->setAutoDefault(false);
    connect(m_storeButton, &QPushButton::clicked, this, &KeyDialog::storeKey);

    m_cancelButton = new QPushButton(QStringLiteral("abbrechen"), this);

    m_cancelButton->setObjectName(QStringLiteral("Command2"));
    m_cancelButton->setGeometry(240, 120, 149, 33);
    m_cancelButton->setFont(dialogFont(9.75, false));
    m_cancelButton->setAutoDefault(false);
    connect(m_cancelButton, &QPushButton::clicked, this, &KeyDialog::cancel);

    m_keyFrame = new QGroupBox(QStringLiteral("Tastatur-Auswertung"), this);

    m_keyFrame->setObjectName(QStringLiteral("Frame1"));
    m_keyFrame->setGeometry(8, 4, 381, 109);

    m_captureBox = new KeyCaptureEdit(m_keyFrame);

    m_captureBox->setObjectName(QStringLiteral("Text3"));
    m_captureBox->setGeometry(12, 44, 77, 27);
    m_captureBox->setAlignment(Qt::AlignCenter);
    m_captureBox->setFont(dialogFont(13.5, true));
    m_captureBox->installEventFilter(this);
    // Keys, not composed text: a dead key is shown as the key it is.
    m_captureBox->setAttribute(Qt::WA_InputMethodEnabled, false);

    m_keyNameLabel = new QLabel(m_keyFrame);

    m_keyNameLabel->setObjectName(QStringLiteral("Label4"));
    m_keyNameLabel->setGeometry(4, 76, 89, 29);
    m_keyNameLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_keyNameLabel->setWordWrap(true);

    m_characterCaption = new QLabel(QStringLiteral("KeyAscii:"), m_keyFrame);

    m_characterCaption->setObjectName(QStringLiteral("Label1"));
    m_characterCaption->setGeometry(136, 28, 81, 25);
    m_characterCaption->setFont(dialogFont(12, true));
    m_characterCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_characterCode = new QLineEdit(QStringLiteral("-"), m_keyFrame);

    m_characterCode->setObjectName(QStringLiteral("Text1"));
    m_characterCode->setGeometry(220, 24, 49, 26);
    m_characterCode->setReadOnly(true);
    m_characterCode->setFont(dialogFont(13.5, true));

    m_keyCodeCaption = new QLabel(QStringLiteral("KeyCode:"), m_keyFrame);

    m_keyCodeCaption->setObjectName(QStringLiteral("Label2"));
    m_keyCodeCaption->setGeometry(136, 68, 81, 25);
    m_keyCodeCaption->setFont(dialogFont(12, true));
    m_keyCodeCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette darkRed = m_keyCodeCaption->palette();
    darkRed.setColor(QPalette::WindowText, QColor(192, 0, 0));
    m_keyCodeCaption->setPalette(darkRed);

    m_keyCode = new QLineEdit(QStringLiteral("0"), m_keyFrame);

    m_keyCode->setObjectName(QStringLiteral("Text2"));
    m_keyCode->setGeometry(220, 64, 52, 29);
    m_keyCode->setReadOnly(true);
    m_keyCode->setFont(dialogFont(13.5, true));
    QPalette lightRed = m_keyCode->palette();
    lightRed.setColor(QPalette::Base, QColor(255, 192, 192));
    m_keyCode->setPalette(lightRed);

    m_shiftCaption = new QLabel(QStringLiteral("Shift:"), m_keyFrame);

    m_shiftCaption->setObjectName(QStringLiteral("Label3"));
    m_shiftCaption->setGeometry(276, 68, 49, 25);
    m_shiftCaption->setFont(dialogFont(12, true));
    m_shiftCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_shiftBits = new QLineEdit(QStringLiteral("0"), m_keyFrame);

    m_shiftBits->setObjectName(QStringLiteral("Text4"));
    m_shiftBits->setGeometry(320, 64, 49, 26);
    m_shiftBits->setReadOnly(true);
    m_shiftBits->setFont(dialogFont(13.5, true));

    m_upperLine = new FormLine(QPoint(92, 56), QPoint(132, 36), m_keyFrame);

    m_upperLine->setObjectName(QStringLiteral("Line1"));
    m_lowerLine = new FormLine(QPoint(92, 56), QPoint(132, 76), m_keyFrame);
    m_lowerLine->setObjectName(QStringLiteral("Line2"));

    for (QLineEdit* display : {m_characterCode, m_keyCode, m_shiftBits}) {
        display->installEventFilter(this);
    }
    setTabOrder(m_captureBox, m_storeButton);
    setTabOrder(m_storeButton, m_cancelButton);

    // Each field its own name: without one, screen readers name all four after
    // the group box.
    m_captureBox->setAccessibleName(QStringLiteral("Taste"));
    m_captureBox->setAccessibleDescription(QStringLiteral("Die gedrückte Taste wird gewählt"));
    m_characterCode->setAccessibleName(QStringLiteral("KeyAscii"));
    m_keyCode->setAccessibleName(QStringLiteral("KeyCode"));
    m_shiftBits->setAccessibleName(QStringLiteral("Shift"));
    m_keyNameLabel->setAccessibleName(QStringLiteral("Tastenname"));
    m_upperLine->setAccessibleName(QStringLiteral("Linie"));
    m_lowerLine->setAccessibleName(QStringLiteral("Linie"));
}

void KeyDialog::prepare()
{
    centreWindow(this, m_over);
    putAboveOthers(this);
    show();
    raise();
    activateWindow();
    m_captureBox->setFocus();

    // The key goes to whichever window has the keyboard focus, and a freshly
    // mapped window is not active at once: the poll presses it only when this
    // one is, reacting to the window manager in its own time.
    // A code that does not fit 8 bits sends nothing.
    if (m_core.keyCode() < 0 || m_core.keyCode() > 255) {
        return;
    }
    m_openingKey = m_core.keyCode();
    m_keyArrived = false;
    m_activationWait.start();
    m_activationPoll->start();
}

void KeyDialog::pollActivation()
{
    // Qt may call the window active before the X server moved its focus
    // there; a key sent then still reaches the window that had it.
    const bool ready =
        isActiveWindow() && m_captureBox->hasFocus() &&
        m_state.services.keys.focusIsWithin(windowHandle() ? windowHandle()->winId() : 0);
    if (!ready && !m_activationWait.hasExpired(m_activationTimeoutMs)) {
        return;
    }
    m_activationPoll->stop();
    const int key = std::exchange(m_openingKey, -1);
    if (ready && sendKeyStroke(m_state.services.keys, static_cast<std::int16_t>(key))) {
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

void KeyDialog::deliverToCaptureBox(int virtualKey)
{
    const std::optional<NativeKey> key = nativeKeyFor(virtualKey);
    if (!key) {
        return;
    }
    QKeyEvent press(QEvent::KeyPress, key->qtKey, key->modifiers, 0, key->keysym, 0, key->text);
    QCoreApplication::sendEvent(m_captureBox, &press);
    QKeyEvent release(QEvent::KeyRelease, key->qtKey, key->modifiers, 0, key->keysym, 0, key->text);
    QCoreApplication::sendEvent(m_captureBox, &release);
}

NativeKey KeyDialog::nativeKeyOf(const QKeyEvent& event) const
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

bool KeyDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_captureBox) {
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
        // The read-only boxes pass the focus on to the capture box.
        if (watched == m_characterCode || watched == m_keyCode || watched == m_shiftBits) {
            focusCaptureBox();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void KeyDialog::capturePress(const QKeyEvent& event)
{
    m_keyArrived = true;
    const NativeKey native = nativeKeyOf(event);
    const WindowsKey key = windowsKeyFor(native);
    std::int16_t KeyCode = key.KeyCode;
    // Keys with a name show it alone; the others type their character into
    // the emptied box.
    const bool named = !describeKey(KeyCode, key.Shift).text.isNull();
    showKeyDown(KeyCode, key.Shift);
    if (key.KeyAscii) {
        std::int16_t KeyAscii = *key.KeyAscii;
        showKeyPress(KeyAscii);
        const QString typed = native.text;
        const bool printable =
            std::all_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.isPrint(); });
        if (!named && printable) {
            m_captureBox->insert(typed);
        }
    }
}

void KeyDialog::captureRelease(const QKeyEvent& event)
{
    const WindowsKey key = windowsKeyFor(nativeKeyOf(event));
    std::int16_t KeyCode = key.KeyCode;
    showKeyUp(KeyCode, key.Shift);
}

void KeyDialog::showKeyDown(std::int16_t& KeyCode, std::int16_t Shift)
{
    m_characterCode->setText(QStringLiteral("-"));
    m_shiftBits->setText(QString::number(Shift));
    m_keyCode->setText(QString::number(KeyCode));

    m_captureBox->setWindowsLogo(false);
    m_captureBox->setFont(captureFont());
    m_captureBox->clear();
    m_keyNameLabel->clear();

    const KeyDescription d = describeKey(KeyCode, Shift);
    if (!d.text.isNull()) {
        m_captureBox->setText(d.text);
    }
    m_keyNameLabel->setText(d.longName);
    if (d.windowsLogo) {
        m_captureBox->setFont(logoFont());
        m_captureBox->setWindowsLogo(true);
    }
    if (d.selectText) {
        m_captureBox->setSelection(0, 3);
    }
    if (d.consumed) {
        KeyCode = 0;
    }
}

void KeyDialog::showKeyPress(std::int16_t& KeyAscii)
{
    m_characterCode->setText(QString::number(KeyAscii));
}

void KeyDialog::showKeyUp(std::int16_t& /*KeyCode*/, std::int16_t /*Shift*/)
{
    // The next key replaces what is shown.
    m_captureBox->setSelection(0, static_cast<int>(m_captureBox->text().size()));
    m_captureBox->setFocus();
}

void KeyDialog::focusCaptureBox()
{
    m_captureBox->setFocus();
}

void KeyDialog::storeKey()
{
    const QString code = m_keyCode->text();
    if (code.isEmpty()) {
        return;
    }
    // The box only ever shows a 16-bit key code.
    const auto keyCode = SettingKeys::SendKey.fromText(code);
    if (keyCode) {
        m_core.setKeyCode(*keyCode);
    }
    close();
}

void KeyDialog::cancel()
{
    close();
}
