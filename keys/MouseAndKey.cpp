#include "keys/MouseAndKey.h"

#include "keys/KeysLog.h"
#include "platform/KeyInjector.h"

bool SendKeyStroke(platform::KeyInjector& keys, std::int16_t SendKeyCode)
{
    if (SendKeyCode < 0 || SendKeyCode > 255) {
        qCDebug(lcKeys) << "key code" << SendKeyCode << "does not fit 8 bits; nothing sent";
        return false;
    }
    return keys.sendKeyStroke(static_cast<std::uint8_t>(SendKeyCode));
}
