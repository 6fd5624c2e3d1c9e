// INI text as the preferences file and quilo.conf hold it: any text a person or another program
// may have left there.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "content/Config.h"
#include "platform/IniSection.h"

namespace {

QString ValueFound(const QByteArray& text, const QString& section, const QString& key) {
    QString value;
    return IniSection::Find(text, section, key, value) ? value : QStringLiteral("<none>");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // the value written is a piece of the text, chosen by the input's last bytes
    FuzzedDataProvider input(data, size);
    const size_t valueAt = input.ConsumeIntegral<size_t>();
    const size_t valueLength = input.ConsumeIntegralInRange<size_t>(0, 40);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const std::string written = rest.substr(valueAt % (rest.size() + 1), valueLength);
    const QByteArray text(rest.data(), static_cast<qsizetype>(rest.size()));

    const Config config = Config::FromText(text);
    FUZZ_CHECK(config.loginLimitMs > 0);
    FUZZ_CHECK(config.engineLog >= 0 && config.engineLog <= 2);
    for (const QString& arg : config.vlcArgs) {
        FUZZ_CHECK(!arg.isEmpty() && !arg.contains(u' '));
    }

    // a value written reads back as written (line breaks become blanks), and the entry beside
    // it keeps its value
    const QString section = QStringLiteral("Prefs");
    const QString key = QStringLiteral("PW");
    const QString neighbour = QStringLiteral("ID");
    const QString value = QString::fromUtf8(written.data(), static_cast<qsizetype>(written.size()));
    const QString neighbourBefore = ValueFound(text, section, neighbour);
    const QByteArray updated = IniSection::Replace(text, section, key, value);
    QString expected = value;
    expected.replace(u'\r', u' ').replace(u'\n', u' ');
    FUZZ_CHECK(ValueFound(updated, section, key) == expected);
    FUZZ_CHECK(ValueFound(updated, section, neighbour) == neighbourBefore);
    return 0;
}
