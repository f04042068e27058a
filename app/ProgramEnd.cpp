#include "app/ProgramEnd.h"

#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "core/ExitSequence.h"
#include "platform/session/SingleInstance.h"

#include <cstdlib>

ProgramEnd::ProgramEnd(const AppState& state, const ClockCore& core, Windows& windows,
                       platform::SingleInstance& instance)
    : m_state(state), m_core(core), m_windows(windows), m_instance(instance),
      m_finish([] { std::_Exit(0); })
{
    connect(&windows, &Windows::exitRequested, this, &ProgramEnd::end);
}

void ProgramEnd::save()
{
    SaveOnExit(m_state, m_core, m_windows.clock().pos());
}

void ProgramEnd::end()
{
    save();
    m_instance.release();
    m_finish();
}

void ProgramEnd::setFinish(std::function<void()> finish)
{
    m_finish = std::move(finish);
}
