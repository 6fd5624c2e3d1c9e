#include "support/ToneAnalysis.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace ToneAnalysis {

namespace {

struct Format {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int encoding = 0;  // 1 PCM, 3 float
};

Format ParseFormat(const QByteArray& chunk) {
    Format format;
    if (chunk.size() >= 16) {
        const auto* data = reinterpret_cast<const uchar*>(chunk.constData());
        format.encoding = qFromLittleEndian<quint16>(data);
        // the extensible form names the real format at the start of its sub-format
        if (format.encoding == 0xFFFE && chunk.size() >= 26) {
            format.encoding = qFromLittleEndian<quint16>(data + 24);
        }
        format.channels = qFromLittleEndian<quint16>(data + 2);
        format.sampleRate = static_cast<int>(qFromLittleEndian<quint32>(data + 4));
        format.bitsPerSample = qFromLittleEndian<quint16>(data + 14);
    }
    return format;
}

std::vector<float> FirstChannel(const QByteArray& data, const Format& format) {
    std::vector<float> samples;
    const int bytes = format.bitsPerSample / 8;
    const int frame = bytes * format.channels;
    if (frame <= 0) {
        return samples;
    }
    for (qsizetype at = 0; at + frame <= data.size(); at += frame) {
        const char* sample = data.constData() + at;
        if (format.encoding == 3 && bytes == 4) {
            float value = 0;
            std::memcpy(&value, sample, 4);
            samples.push_back(value);
        } else if (bytes == 2) {
            samples.push_back(qFromLittleEndian<qint16>(sample) / 32768.0f);
        }
    }
    return samples;
}

std::pair<size_t, size_t> Span(const Sound& sound, size_t first, size_t count) {
    const size_t begin = std::min(first, sound.samples.size());
    const size_t end =
        count == 0 ? sound.samples.size() : std::min(sound.samples.size(), begin + count);
    return {begin, end};
}

}  // namespace

Sound ReadWav(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return {};
    }
    Format format;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const auto size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (id == "fmt ") {
            format = ParseFormat(bytes.mid(at + 8, size));
        } else if (id == "data") {
            return Sound{format.sampleRate, FirstChannel(bytes.mid(at + 8), format)};
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

QByteArray ToneWav(double frequency, double seconds, double amplitude, int sampleRate) {
    const auto frames = static_cast<quint32>(seconds * sampleRate);
    QByteArray data(static_cast<qsizetype>(frames) * 2, '\0');
    for (quint32 i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2 * M_PI * frequency * i / sampleRate);
        qToLittleEndian<qint16>(static_cast<qint16>(std::lround(value * 32767)),
                                data.data() + static_cast<qsizetype>(i) * 2);
    }
    QByteArray header(44, '\0');
    auto* h = reinterpret_cast<uchar*>(header.data());
    std::memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(36 + static_cast<quint32>(data.size()), h + 4);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20);  // PCM
    qToLittleEndian<quint16>(1, h + 22);  // mono
    qToLittleEndian<quint32>(static_cast<quint32>(sampleRate), h + 24);
    qToLittleEndian<quint32>(static_cast<quint32>(sampleRate) * 2, h + 28);
    qToLittleEndian<quint16>(2, h + 32);
    qToLittleEndian<quint16>(16, h + 34);
    std::memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(static_cast<quint32>(data.size()), h + 40);
    return header + data;
}

bool WriteToneWav(const QString& path, double frequency, double seconds, double amplitude,
                  int sampleRate) {
    const QByteArray wav = ToneWav(frequency, seconds, amplitude, sampleRate);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(wav) == wav.size();
}

double ToneAmplitude(const Sound& sound, double frequency, size_t first, size_t count) {
    const auto [begin, end] = Span(sound, first, count);
    if (end <= begin || sound.sampleRate <= 0) {
        return 0;
    }
    const double coefficient = 2 * std::cos(2 * M_PI * frequency / sound.sampleRate);
    double previous = 0;
    double beforePrevious = 0;
    for (size_t i = begin; i < end; ++i) {
        const double current = sound.samples[i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(end - begin);
}

double Loudness(const Sound& sound, size_t first, size_t count) {
    const auto [begin, end] = Span(sound, first, count);
    if (end <= begin) {
        return 0;
    }
    double sum = 0;
    for (size_t i = begin; i < end; ++i) {
        sum += static_cast<double>(sound.samples[i]) * sound.samples[i];
    }
    return std::sqrt(sum / static_cast<double>(end - begin));
}

bool ToneAtEnd(const QString& path, double frequency, double seconds) {
    const Sound sound = ReadWav(path);
    const auto span = static_cast<size_t>(sound.sampleRate * seconds);
    return span > 0 && sound.samples.size() >= 2 * span &&
           ToneAmplitude(sound, frequency, sound.samples.size() - span, span) > 0.05;
}

}  // namespace ToneAnalysis
