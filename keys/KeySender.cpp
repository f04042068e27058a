#include "keys/KeySender.h"

#include "keys/KeysLog.h"
#include "platform/keys/KeyInjector.h"

bool sendKeyStroke(platform::KeyInjector& keys, std::int16_t keyCode)
{
    if (keyCode < 0 || keyCode > 255) {
        qCDebug(lcKeys) << "key code" << keyCode << "does not fit 8 bits; nothing sent";
        return false;
    }
    return keys.sendKeyStroke(static_cast<std::uint8_t>(keyCode));
}
