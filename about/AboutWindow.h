#pragma once

#include <QWidget>

class ClickArea;
class PictureBox;
class QLabel;
struct AppState;

// The version text for a program version, as the about window shows it.
QString versionText(int major, int minor, int patch);

// The about window: a picture of the product with the version and two link
// areas. A click on the picture or the version, or a character key, closes it;
// the links can be reached with Tab.
class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    // `over`: the window it opens over (centred on that one's screen).
    explicit AboutWindow(AppState& state, const QWidget* over = nullptr);

    // Places the window and puts the program's version into Label1.
    void prepare();

    void openHomePage();
    void openProductPage();

    // The controls; their form names are their object names.
    PictureBox* picture() const { return m_picture; }                // Picture1
    QLabel* versionLabel() const { return m_versionLabel; }          // Label1
    ClickArea* homePageLink() const { return m_homePageLink; }       // Image1
    ClickArea* productPageLink() const { return m_productPageLink; } // Image2

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab and Shift+Tab move between the two links, Enter opens the one that
    // has the focus; other character keys close the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    PictureBox* m_picture = nullptr;
    QLabel* m_versionLabel = nullptr;
    ClickArea* m_homePageLink = nullptr;
    ClickArea* m_productPageLink = nullptr;
    AppState& m_state;
    const QWidget* m_over;
    // The control a left press started on; a click needs the release there.
    QObject* m_pressedOn = nullptr;
};
