#pragma once

#include "clock/DevicePictures.h"
#include "clock/FaceLayout.h"
#include "controls/PictureBox.h"
#include "core/TickSchedule.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

class QTimer;
class ClockMenu;
class WindowOutline;
struct AppState;
class ClockCore;
struct LoadedSkin;

// The clock window: the face picture with six tubes, the colon lamps and
// three invisible switch areas, cut to the outline of the face.
class ClockWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ClockWindow(AppState& state, ClockCore& core, QWidget* parent = nullptr);
    ~ClockWindow() override;

    // Loads the skin, sizes and shapes the window.
    // It does not show the window: the caller places it first, so it never
    // flashes at a default place.
    void loadFace();

    // Puts what a skin gave into place: face, strips, face size, tube and
    // switch rectangles.
    void applySkin(const LoadedSkin& skin);

    // How many window pixels a pixel of the face takes; the window is laid
    // out again at once.
    qreal zoom() const { return m_zoom; }
    void setZoom(qreal zoom);
    // Where every part sits now.
    FaceLayout layout() const;

    // The standby picture: cell 0 in every tube.
    void showTubesOff();

    // One tick at the wall clock's instant: the tubes that changed, the lamps,
    // the alarm.
    void tick();
    // The Enabled switch of Timer1: on arms it for the next tick instant,
    // off stops it.
    void setTicking(bool on);
    // Into the desktop's layer (below the other windows, on every workspace,
    // out of the taskbar, through "show desktop") or back among the windows.
    void setOnDesktop(bool on);

    // The face's parts; their form names are their object names.
    PictureBox* face() const { return m_face; }                         // picBack
    const std::array<PictureBox*, 6>& tubes() const { return m_tubes; } // picTube
    const std::array<PictureBox*, 2>& lamps() const { return m_lamps; } // picLED
    ClickArea* powerSwitch() const { return m_powerSwitch; }            // lblPower
    const std::array<ClickArea*, 2>& standbySwitches() const
    {
        return m_standbySwitches;
    }                                                            // lblStdby
    ClickArea* alarmTestArea() const { return m_alarmTestArea; } // lblAlarm
    // The strip a tube's digits are cut from.
    const QImage& digitStrip(std::size_t tube) const { return m_digitStrips[tube]; }
    // The lamp pictures: 0 dark, 1 lit. Set before loadFace, they replace
    // the built-in ones.
    const QImage& lampPicture(std::size_t lit) const { return m_lampPictures[lit]; }
    void setLampPictures(const QImage& dark, const QImage& lit) { m_lampPictures = {dark, lit}; }
    QTimer* tickTimer() const { return m_tickTimer; } // Timer1

    bool isDragging() const { return m_dragging; }
    // Where the left button went down, in the pressed element's coordinates.
    QPointF dragStart() const { return m_dragStart; }

    // Mouse handlers of the three surface groups; they behave alike.
    void onPress(Qt::MouseButton button, QPointF local, QPointF global);
    void onMove(QPointF global);
    void onRelease();
    void faceDoubleClicked();
    void tubeDoubleClicked(int index);
    void powerSwitchClicked();
    void standbySwitchClicked(int index);
    void alarmTestClicked();

    // The context menu: any button but the left one on the face, the Menu key
    // and Shift+F10 open it.
    ClockMenu* menu() const { return m_menu; }

    // The time the tubes show, "HH:MM:SS"; empty before the first tick.
    QString shownTimeText() const;

signals:
    // The power switch, a double-click on the face, a close request.
    void exitRequested();

protected:
    // The date as the tooltip.
    bool event(QEvent* event) override;
    // The Menu key and Shift+F10 open the context menu at the clock.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildElements();
    // Every part, the window's size and its outline, from layout().
    void layOut();
    // Names and descriptions for screen readers.
    void describeElements();
    // The built-in pictures for the face, strips and lamps that have none.
    void useBuiltinWhereMissing(bool dense);
    // On a screen of more than one device pixel per logical pixel: the
    // companions instead of the pictures, where there are any.
    void useDevicePixels();
    void followCore();
    void drawTick(qint64 nowMs);
    // Timer1 fired: ticks if a tick instant was reached, then arms for the
    // next one.
    void tickTimerFired();
    void armTickTimer(qint64 tickedAtMs);

    AppState& m_state;
    ClockCore& m_core;
    PictureBox* m_face = nullptr;
    std::array<PictureBox*, 6> m_tubes{};
    std::array<QImage, 6> m_digitStrips; // never shown
    ClickArea* m_powerSwitch = nullptr;
    std::array<ClickArea*, 2> m_standbySwitches{};
    ClickArea* m_alarmTestArea = nullptr;
    std::array<PictureBox*, 2> m_lamps{};
    std::array<QImage, 2> m_lampPictures; // dark and lit, never shown
    DoubledPictures m_doubled;            // companions for dense screens
    WindowOutline* m_outline = nullptr;
    ClockMenu* m_menu = nullptr;
    // The loaded skin's description; none for the built-in look.
    std::optional<SkinDescription> m_skinLayout;
    qreal m_zoom = 1.0;
    // The outline is cut once the face picture is final.
    bool m_faceLoaded = false;
    QTimer* m_tickTimer = nullptr; // single-shot, re-armed at every tick
    TickSchedule m_tickSchedule;

    bool m_onDesktop = false;
    bool m_dragging = false;
    QPointF m_dragStart;
    // Where the drag started, in global coordinates, and where the window was.
    QPoint m_pressGlobal;
    QPoint m_windowAtPress;
};
