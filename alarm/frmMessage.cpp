#include "alarm/frmMessage.h"

#include "controls/DialogFont.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/Sound.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

frmMessage::frmMessage(AppState& state, const QWidget* over)
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_state(state), m_over(over)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Alarm"));
    setFont(dialogFont(8));
    setFixedSize(220, 110);

    Command1 = new QPushButton(QStringLiteral("O K"), this);
    Command1->setFont(dialogFont(13.5, true));
    Command1->setGeometry(40, 48, 137, 49);
    connect(Command1, &QPushButton::clicked, this, &frmMessage::Command1_Click);

    Label1 = new QLabel(QStringLiteral("Alarmzeit erreicht"), this);
    Label1->setFont(dialogFont(13.5, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setGeometry(8, 12, 201, 33);

    Command1->setFocus();
}

void frmMessage::Form_Load()
{
    CenterForm(this, m_over);
    MakeTopMost(this);
}

void frmMessage::Command1_Click()
{
    m_state.core.acknowledge();
    StopSound(m_state);
    close();
}

void frmMessage::keyPressEvent(QKeyEvent* event)
{
    // Escape would close the notice and leave the alarm ringing unseen.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
