#pragma once

#include <QString>

struct AppState;
class ClockCore;

// Starts a WAV file and returns at once; a new call cuts a running sound
// short. A file that cannot be played is no error.
void playSoundFile(AppState& state, const QString& path);

// Silences the sound that plays.
void stopSound(AppState& state);

// The alarm: "alarm.wav" in the program directory.
void playAlarmSound(AppState& state);

// The core asks for the alarm sound; this plays it.
void connectAlarmSound(ClockCore& core, AppState& state);
