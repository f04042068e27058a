#include "alarm/FileListBox.h"

#include "alarm/AlarmTime.h"

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        setCurrentItem(item);
        emit Click();
    });
}

void FileListBox::setPath(const QString& directory)
{
    m_path = directory;
    clear();
    addItems(waveFilesIn(directory));
}

QString FileListBox::fileName() const
{
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0) {
        emit Click();
    }
}
