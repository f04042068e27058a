#pragma once

#include "clock/DevicePictures.h"
#include "controls/PictureBox.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>

class QScrollBar;
class QTimer;
class SaverMode;
class Transparent;
struct AppState;
struct LoadedSkin;

// The clock window: the face picture with six tubes, the colon lamps and
// three invisible switch areas, cut to the outline of the face.
class frmClock : public QWidget
{
    Q_OBJECT
public:
    explicit frmClock(AppState& state, QWidget* parent = nullptr);
    ~frmClock() override;

    // Loads the skin, sizes and shapes the window and sets the key period.
    // It does not show the window: the caller places it first, so it never
    // flashes at a default place.
    void Form_Load();

    // Puts what a skin gave into place: face, strips, face size, tube and
    // switch rectangles.
    void applySkin(const LoadedSkin& skin);

    // The standby picture: cell 0 in every tube.
    void TubesOff();

    void Timer1_Timer();

    // Elements of the face, by their element names
    PictureBox* picBack = nullptr;
    std::array<PictureBox*, 6> picTube{};
    std::array<QImage, 6> Picture1; // the digit strips, never shown
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QScrollBar* HScroll3 = nullptr;
    QScrollBar* HScroll4 = nullptr;
    QScrollBar* HScroll5 = nullptr;
    QScrollBar* HScroll6 = nullptr;
    ClickArea* lblPower = nullptr;
    std::array<ClickArea*, 2> lblStdby{};
    ClickArea* lblAlarm = nullptr;
    std::array<PictureBox*, 2> picLED{};
    std::array<QImage, 2> Picture2; // dark and lit lamp, never shown
    DoubledPictures At2x;           // their companions for dense screens
    Transparent* Transparent1 = nullptr;
    QTimer* Timer1 = nullptr;
    // The saver mode: the key timer tmrPlay and the desktop's idle inhibit.
    SaverMode* saver = nullptr;

    std::int16_t KeyPeriod = 0;

    bool Dragging = false;
    float DragX = 0;
    float DragY = 0;

    // Mouse handlers of the three surface groups; they behave alike.
    void Form_MouseDown(Qt::MouseButton button, QPointF local, QPointF global);
    void Form_MouseMove(QPointF global);
    void Form_MouseUp();
    void picBack_DblClick();
    void picTube_DblClick(int index);
    void lblPower_Click();
    void lblStdby_Click(int index);
    void lblAlarm_Click();
    void HScroll_Change(int tube, int value);

signals:
    // Any button but the left one on the face: the context menu, at a global
    // position.
    void menuRequested(QPoint globalPos);
    // The power switch, a double-click on the face, a close request.
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildElements();
    // The built-in pictures for the face, strips and lamps that have none.
    void useBuiltinWhereMissing(bool dense);
    // On a screen of more than one device pixel per logical pixel: the
    // companions instead of the pictures, where there are any.
    void useDevicePixels();
    void followCore();

    AppState& m_state;
    // Where the drag started, in global coordinates, and where the window was.
    QPoint m_pressGlobal;
    QPoint m_windowAtPress;
};
