#pragma once

#include <QString>
#include <QStringList>

// The dialog shows the alarm time as two-character texts ("07", "30");
// these turn selector positions into such texts and back.

// A selector position as the label shows it: decimal, a single digit with a
// leading "0".
QString twoDigitText(int value);

// Where a selector stands for a stored text: its leading number, rounded half
// to even and held inside 0..maximum, so "24", "-3", "abc" or 3000 digits
// still give a position the selector can take.
int selectorValue(const QString& stored, int maximum);

// The names of the sound files a directory offers for listening: plain,
// visible files ending in ".wav" in any case, sorted without regard to case.
QStringList waveFilesIn(const QString& directory);
