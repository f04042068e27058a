#include "skin/SkinChooser.h"

#include "controls/DialogFont.h"
#include "controls/FocusFrame.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "skin/SkinFolders.h"

#include <QEvent>
#include <QFont>
#include <QListWidget>
#include <QMouseEvent>

SkinChooser::SkinChooser(AppState& state, ClockCore& core, const QWidget* over)
    : QWidget(nullptr,
              Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_state(state), m_core(core), m_over(over)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Skins"));
    setFixedSize(147, 210);

    m_skinList = new QListWidget(this);
    m_skinList->setObjectName(QStringLiteral("lstSkins"));
    m_skinList->setGeometry(4, 8, 137, 196);
    m_skinList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_skinList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_skinList->setFont(dialogFont(9.75, true));
    showFocusOnFrame(*m_skinList);
    m_skinList->setAccessibleName(QStringLiteral("Skins"));
    m_skinList->setAccessibleDescription(QStringLiteral("Ein Doppelklick wählt den Skin"));
    // A double-click anywhere in the list counts, also below the last entry
    // and on an empty list.
    m_skinList->viewport()->installEventFilter(this);
}

void SkinChooser::prepare()
{
    centreWindow(this, m_over);
    putAboveOthers(this);
    m_skinList->clear();
    m_skinList->addItems(installedSkins(QStringList{m_state.skinsDir} + m_state.dataSkinsDirs));
}

void SkinChooser::chooseSelectedSkin()
{
    if (m_skinList->count() == 0) {
        close();
        return;
    }
    const QList<QListWidgetItem*> selected = m_skinList->selectedItems();
    m_core.setSkinName(selected.isEmpty() ? QString() : selected.first()->text());
    // The message box runs its own event loop; the dialog is only hidden by
    // then and deleted later, so nothing below touches it.
    AppState& state = m_state;
    close();
    showMessage(state, QStringLiteral("Beim nächsten Start wird der Skin geladen."),
                MessageKind::Information);
}

bool SkinChooser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_skinList->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        chooseSelectedSkin();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
