#include "Chime.h"

#include <QtEndian>
#include <QtMath>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kLength = 0.72;  // seconds
constexpr double kFade = 0.04;    // the last moments fade to silence, so nothing clicks

void Put16(QByteArray& out, int value) {
    const quint16 le = qToLittleEndian(static_cast<quint16>(value));
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void Put32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

// A struck bell-like note: a fundamental with two softer overtones, a 4 ms attack and an
// exponential decay.
double Note(double t, double frequency) {
    if (t < 0) {
        return 0;
    }
    const double attack = qMin(1.0, t / 0.004);
    const double decay = qExp(-t / 0.22);
    const double w = 2 * M_PI * frequency * t;
    return attack * decay * (qSin(w) + 0.35 * qSin(2 * w) * qExp(-t / 0.08) + 0.12 * qSin(3 * w));
}

}  // namespace

double Chime::Sample(double seconds) {
    // C6 then E6, a major third up: bright and friendly
    return 0.5 * Note(seconds, 1046.5) + 0.45 * Note(seconds - 0.12, 1318.5);
}

QByteArray Chime::Wave() {
    const int count = static_cast<int>(kRate * kLength);
    std::vector<double> samples(static_cast<size_t>(count));
    double peak = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double fade = qMin(1.0, (kLength - t) / kFade);
        samples[static_cast<size_t>(i)] = Sample(t) * fade;
        peak = qMax(peak, qAbs(samples[static_cast<size_t>(i)]));
    }
    const double gain = 0.7 * 32767 / peak;

    QByteArray out;
    const quint32 dataBytes = static_cast<quint32>(count) * 2;
    out.append("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.append("WAVEfmt ", 8);
    Put32(out, 16);  // format chunk size
    Put16(out, 1);   // PCM
    Put16(out, 1);   // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);  // bytes per second
    Put16(out, 2);          // bytes per frame
    Put16(out, 16);         // bits per sample
    out.append("data", 4);
    Put32(out, dataBytes);
    for (double s : samples) {
        Put16(out, qRound(s * gain));
    }
    return out;
}
