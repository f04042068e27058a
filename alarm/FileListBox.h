#pragma once

#include <QListWidget>

// The "*.wav" files of one directory, by name. Click
// is sent when the user picks an entry: a mouse click on it (also on the one
// already chosen) or moving to it with the keys; focus alone picks nothing.
class FileListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    // Lists the files of `directory` anew.
    void setPath(const QString& directory);
    QString path() const { return m_path; }

    // The chosen file's name, empty when none is chosen.
    QString fileName() const;

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_path;
};
