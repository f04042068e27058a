#include "app/ProgramEnd.h"

#include "app/Windows.h"
#include "core/SettingsWriter.h"
#include "platform/session/SingleInstance.h"

#include <cstdlib>

ProgramEnd::ProgramEnd(SettingsWriter& writer, Windows& windows,
                       platform::SingleInstance& instance)
    : m_writer(writer), m_instance(instance), m_finish([] { std::_Exit(0); })
{
    connect(&windows, &Windows::exitRequested, this, &ProgramEnd::end);
}

void ProgramEnd::save()
{
    m_writer.saveExitKeys();
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
