#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <cstdint>
#include <memory>

class FormLine;
class KeyCaptureEdit;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
struct AppState;
class ClockCore;
struct NativeKey;

namespace platform {
class KeyboardLayout;
}

// "Taste auswählen": the user presses the key the clock is to send, sees its
// virtual-key code, character code, modifier bits and name, and stores the
// code. Non-modal; deletes itself when closed.
class KeyDialog : public QDialog
{
    Q_OBJECT
public:
    // `over`: the window it opens over (centred on that one's screen).
    KeyDialog(AppState& state, ClockCore& core, const QWidget* over = nullptr);
    // With the keyboard map to name keys by (tests hand in a fixed one).
    KeyDialog(AppState& state, ClockCore& core, std::unique_ptr<platform::KeyboardLayout> layout,
                 const QWidget* over = nullptr);
    ~KeyDialog() override;

    // Centres, raises and shows the window, then presses the stored key so the
    // dialog shows the current definition.
    void prepare();

    void showKeyDown(std::int16_t& KeyCode, std::int16_t Shift);
    void showKeyPress(std::int16_t& KeyAscii);
    void showKeyUp(std::int16_t& KeyCode, std::int16_t Shift);
    void focusCaptureBox();
    void storeKey();
    void cancel();

    // How long the opening waits for the window to become active before it
    // hands the stored key straight to the capture box.
    void setActivationTimeout(int milliseconds) { m_activationTimeoutMs = milliseconds; }

    // The controls; their form names are their object names.
    QPushButton* storeButton() const { return m_storeButton; }      // Command1
    QPushButton* cancelButton() const { return m_cancelButton; }    // Command2
    QGroupBox* keyFrame() const { return m_keyFrame; }              // Frame1
    KeyCaptureEdit* captureBox() const { return m_captureBox; }     // Text3
    QLabel* keyNameLabel() const { return m_keyNameLabel; }         // Label4
    QLabel* characterCaption() const { return m_characterCaption; } // Label1
    QLineEdit* characterCode() const { return m_characterCode; }    // Text1
    QLabel* keyCodeCaption() const { return m_keyCodeCaption; }     // Label2
    QLineEdit* keyCode() const { return m_keyCode; }                // Text2
    QLabel* shiftCaption() const { return m_shiftCaption; }         // Label3
    QLineEdit* shiftBits() const { return m_shiftBits; }            // Text4
    FormLine* upperLine() const { return m_upperLine; }             // Line1
    FormLine* lowerLine() const { return m_lowerLine; }             // Line2

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* m_storeButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QGroupBox* m_keyFrame = nullptr;
    KeyCaptureEdit* m_captureBox = nullptr;
    QLabel* m_keyNameLabel = nullptr;
    QLabel* m_characterCaption = nullptr;
    QLineEdit* m_characterCode = nullptr;
    QLabel* m_keyCodeCaption = nullptr;
    QLineEdit* m_keyCode = nullptr;
    QLabel* m_shiftCaption = nullptr;
    QLineEdit* m_shiftBits = nullptr;
    FormLine* m_upperLine = nullptr;
    FormLine* m_lowerLine = nullptr;
    void buildControls();
    NativeKey nativeKeyOf(const QKeyEvent& event) const;
    void capturePress(const QKeyEvent& event);
    void captureRelease(const QKeyEvent& event);
    void pollActivation();
    void deliverToCaptureBox(int virtualKey);

    AppState& m_state;
    ClockCore& m_core;
    const QWidget* m_over;
    std::unique_ptr<platform::KeyboardLayout> m_layout;
    QTimer* m_activationPoll = nullptr;
    QElapsedTimer m_activationWait;
    int m_activationTimeoutMs = 1000;
    int m_openingKey = -1;
    // Whether any key reached the capture box since the opening.
    bool m_keyArrived = false;
};
