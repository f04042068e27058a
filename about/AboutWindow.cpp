#include "about/AboutWindow.h"

#include "about/WebPages.h"
#include "clock/DevicePictures.h"
#include "controls/DialogFont.h"
#include "controls/PictureBox.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>

namespace {

// On a dense screen the hand drawn at twice the size. Qt hands a cursor to X
// at the pixmap's logical size (QT_SCALE_FACTOR does not reach cursors), so
// the big hand goes as a plain pixmap of device pixels with the hot spot in
// device pixels.
QCursor handCursor(qreal ratio)
{
    const QImage shown = readBuiltinForRatio(QStringLiteral(":/builtin/hand.png"), ratio);
    if (shown.isNull()) {
        return QCursor(Qt::PointingHandCursor);
    }
    const qreal scale = shown.devicePixelRatio();
    QPixmap pixmap = QPixmap::fromImage(shown);
    pixmap.setDevicePixelRatio(1.0);
    return QCursor(pixmap, qRound(15 * scale), qRound(14 * scale));
}

// Keys that produce a character close the window. Delete is left out: like
// the arrows it edits rather than types, although X gives it a character.
bool producesCharacter(const QKeyEvent* event)
{
    return !event->text().isEmpty() && event->key() != Qt::Key_Delete;
}

} // namespace

QString versionText(int major, int minor, int patch)
{
    return QStringLiteral("Version: %1.%2.%3").arg(major).arg(minor).arg(patch);
}

AboutWindow::AboutWindow(AppState& state, const QWidget* over)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_state(state), m_over(over)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(state.appTitle);
    setFixedSize(615, 400);
    setFocusPolicy(Qt::StrongFocus);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    m_picture = new PictureBox(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setGeometry(0, 0, 617, 401);
    const qreal ratio = devicePixelRatioF();
    m_picture->setPicture(readBuiltinForRatio(QStringLiteral(":/builtin/about.bmp"), ratio));
    m_picture->installEventFilter(this);

    m_versionLabel = new QLabel(QStringLiteral("Version: 0.0.0"), m_picture);
    m_versionLabel->setObjectName(QStringLiteral("Label1"));
    m_versionLabel->setGeometry(474, 372, 123, 17);
    m_versionLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_versionLabel->setFont(dialogFont(9.75, true));
    QPalette white = m_versionLabel->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_versionLabel->setPalette(white);
    m_versionLabel->setAutoFillBackground(false);
    m_versionLabel->installEventFilter(this);

    const QCursor hand = handCursor(ratio);
    m_homePageLink = new ClickArea(m_picture);
    m_homePageLink->setObjectName(QStringLiteral("Image1"));
    m_homePageLink->setGeometry(160, 344, 221, 25);
    m_homePageLink->setCursor(hand);
    m_productPageLink = new ClickArea(m_picture);
    m_productPageLink->setObjectName(QStringLiteral("Image2"));
    m_productPageLink->setGeometry(158, 368, 315, 25);
    m_productPageLink->setCursor(hand);
    connect(m_homePageLink, &ClickArea::clicked, this, &AboutWindow::openHomePage);
    connect(m_productPageLink, &ClickArea::clicked, this, &AboutWindow::openProductPage);

    setAccessibleName(QStringLiteral("Über ") + state.appTitle);
    m_picture->setAccessibleName(state.appTitle);
    m_picture->setAccessibleDescription(
        QStringLiteral("Ein Klick oder eine Taste schließt das Fenster"));
    const auto makeLink = [](ClickArea* link, const QString& name, const QString& target) {
        link->setLink(true);
        link->setFocusPolicy(Qt::TabFocus);
        link->setAccessibleName(name);
        link->setAccessibleDescription(target);
    };
    makeLink(m_homePageLink, QStringLiteral("Homepage des Herstellers"), homePageAddress());
    makeLink(m_productPageLink, QStringLiteral("Produktseite"), productPageFile(state));
    // The window itself takes the focus when it opens, so Enter closes it as
    // any character does until Tab reaches a link.
    setFocus();
}

void AboutWindow::prepare()
{
    centreWindow(this, m_over);
    putAboveOthers(this);
    m_versionLabel->setText(
        versionText(GLIMMORA_VERSION_MAJOR, GLIMMORA_VERSION_MINOR, GLIMMORA_VERSION_PATCH));
}

void AboutWindow::openHomePage()
{
    openDocument(homePageAddress());
}

void AboutWindow::openProductPage()
{
    openDocument(productPageFile(m_state));
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_picture && watched != m_versionLabel) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressedOn = mouse->button() == Qt::LeftButton ? watched : nullptr;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        const bool click = mouse->button() == Qt::LeftButton && m_pressedOn == watched &&
                           widget->rect().contains(mouse->position().toPoint());
        m_pressedOn = nullptr;
        if (click) {
            close();
        }
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (watched == m_picture && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            close();
        }
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    if (producesCharacter(event)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
