#include "alarm/AlarmNotice.h"

#include "controls/DialogFont.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/Sound.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

AlarmNotice::AlarmNotice(AppState& state, ClockCore& core, const QWidget* over)
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_state(state), m_core(core), m_over(over)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Alarm"));
    setFont(dialogFont(8));
    setFixedSize(220, 110);

    m_okButton = new QPushButton(QStringLiteral("O K"), this);

    m_okButton->setObjectName(QStringLiteral("Command1"));
    m_okButton->setFont(dialogFont(13.5, true));
    m_okButton->setGeometry(40, 48, 137, 49);
    connect(m_okButton, &QPushButton::clicked, this, &AlarmNotice::acknowledge);

    m_messageLabel = new QLabel(QStringLiteral("Alarmzeit erreicht"), this);

    m_messageLabel->setObjectName(QStringLiteral("Label1"));
    m_messageLabel->setFont(dialogFont(13.5, true));
    m_messageLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_messageLabel->setGeometry(8, 12, 201, 33);

    m_okButton->setFocus();
    // Enter presses "O K" wherever the focus is.
    m_okButton->setDefault(true);
}

void AlarmNotice::prepare()
{
    centreWindow(this, m_over);
    putAboveOthers(this);
}

void AlarmNotice::acknowledge()
{
    m_core.acknowledge();
    stopSound(m_state);
    close();
}

void AlarmNotice::keyPressEvent(QKeyEvent* event)
{
    // Escape would close the notice and leave the alarm ringing unseen.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
