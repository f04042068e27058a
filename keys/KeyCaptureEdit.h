#pragma once

#include <QLineEdit>

// The key dialog's capture box: a line edit that can show the Windows logo,
// which the dialog wants in the "Wingdings" font. Where that font is missing
// the logo is drawn over the box instead of the text.
class KeyCaptureEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit KeyCaptureEdit(QWidget* parent = nullptr);

    void setWindowsLogo(bool shown);
    bool windowsLogo() const { return m_logo; }
    // Whether the logo is painted by this box (no logo font installed).
    bool drawsLogo() const { return m_logo && !m_logoFont; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_logo = false;
    bool m_logoFont = false;
    QPalette m_normalPalette;
};
