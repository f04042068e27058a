#include "platform/sound/SoundModule.h"

#include <QObject>
#include <QThread>

namespace platform {
namespace {

// Loading reads the module and the sound server's libraries from disk: on a
// slow file system that takes seconds the clock must not stand still for.
class DeferredSoundOutput final : public SoundOutput
{
public:
    explicit DeferredSoundOutput(QString file) : m_file(std::move(file)) {}

    void play(const QString& path) override
    {
        if (m_real) {
            m_real->play(path);
            return;
        }
        m_pending = path;
        if (!m_tried) {
            m_tried = true;
            load();
        }
    }

    void stop() override
    {
        m_pending.clear();
        if (m_real) {
            m_real->stop();
        }
    }

private:
    void load()
    {
        // The thread outlives this output if need be: it ends by itself and
        // the result reaches only a receiver that still exists.
        auto result = std::make_shared<std::unique_ptr<SoundOutput>>();
        QThread* loader =
            QThread::create([file = m_file, result] { *result = loadSoundModule(file); });
        QObject::connect(loader, &QThread::finished, &m_receiver, [this, result] {
            m_real = std::move(*result);
            if (m_real && !m_pending.isEmpty()) {
                m_real->play(m_pending);
            }
            m_pending.clear();
        });
        QObject::connect(loader, &QThread::finished, loader, &QObject::deleteLater);
        loader->start(QThread::LowPriority);
    }

    const QString m_file;
    bool m_tried = false;
    QString m_pending;
    std::unique_ptr<SoundOutput> m_real;
    QObject m_receiver;
};

} // namespace

std::unique_ptr<SoundOutput> makeDeferredSoundOutput(const QString& file)
{
    return std::make_unique<DeferredSoundOutput>(file);
}

} // namespace platform
