#pragma once

#include <QPointer>
#include <QWidget>

// Shows a dialog that exists at most once. When `slot` holds no window, `make`
// builds one and it is prepared (centred, put top-most); either way it is
// shown, brought forward and given the keyboard focus.
template <class Window, class Make> void showOnce(QPointer<Window>& slot, Make make)
{
    if (!slot) {
        slot = make();
        slot->prepare();
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
}
