#pragma once

#include <QPointer>
#include <QWidget>

// Shows a dialog that exists at most once. When `slot` holds no window, `make`
// builds one, the slot takes it before its prepare runs (loading centres it
// and puts it top-most, which lets events run: whatever runs then must find
// this window rather than build a second one), and it is shown. When the
// window is open already it is shown again, brought forward and given the
// keyboard focus.
template <class Window, class Make> void showOnce(QPointer<Window>& slot, Make make)
{
    if (!slot) {
        slot = make();
        slot->prepare();
    }
    // Loading lets events run; the window may be gone already.
    if (slot) {
        slot->show();
        slot->raise();
        slot->activateWindow();
    }
}
