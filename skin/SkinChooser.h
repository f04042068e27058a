#pragma once

#include <QStringList>
#include <QWidget>

class QListWidget;
struct AppState;
class ClockCore;

// The skin chooser: lists the skins of all skins folders; a double-click stores one as
// the skin for the next start. It has no buttons and no keyboard handling.
class SkinChooser : public QWidget
{
    Q_OBJECT
public:
    // `over`: the window it opens over (centred on that one's screen).
    SkinChooser(AppState& state, ClockCore& core, const QWidget* over = nullptr);

    // Places the dialog and fills the list afresh from the skins folders.
    void prepare();

    // Stores the selected name (the empty name without a selection) as
    // "Skin", closes and tells the user when it takes effect. On an empty list
    // it only closes.
    void chooseSelectedSkin();

    // The controls; their form names are their object names.
    QListWidget* skinList() const { return m_skinList; } // lstSkins

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* m_skinList = nullptr;
    AppState& m_state;
    ClockCore& m_core;
    const QWidget* m_over;
};
