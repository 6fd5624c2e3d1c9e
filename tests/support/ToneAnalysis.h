#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Sound as tests hear it: WAV files written by the media engine's file output, tones made for
// the engine to play, and the strength of one frequency in a stretch of samples.
namespace ToneAnalysis {

struct Sound {
    int sampleRate = 0;
    // the first channel, scaled to -1..1
    std::vector<float> samples;
};

// Reads a 16-bit or 32-bit float PCM WAV file. The data chunk is read to the end of the file, so
// a file still being written (its sizes not yet filled in) can be read as far as it goes.
Sound ReadWav(const QString& path);

// A mono 16-bit sine tone of the given amplitude (0..1) as a WAV file's bytes (a 44-byte header,
// then the samples).
QByteArray ToneWav(double frequency, double seconds, double amplitude = 0.5,
                   int sampleRate = 44100);
// Writes ToneWav() to a file.
bool WriteToneWav(const QString& path, double frequency, double seconds, double amplitude = 0.5,
                  int sampleRate = 44100);

// The amplitude of `frequency` in the samples (Goertzel), about 0.5 for a 0.5-amplitude sine.
double ToneAmplitude(const Sound& sound, double frequency, size_t first = 0, size_t count = 0);

// Whether the last `seconds` decoded into the WAV file carry `frequency` (amplitude above 0.05),
// with at least as much decoded before them: the moment a listener hears the tone.
bool ToneAtEnd(const QString& path, double frequency, double seconds = 1);

// The root mean square of the samples.
double Loudness(const Sound& sound, size_t first = 0, size_t count = 0);

}  // namespace ToneAnalysis
