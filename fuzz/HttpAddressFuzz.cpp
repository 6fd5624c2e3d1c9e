// Addresses from outside: the service's links and a redirect's Location, resolved against the
// page that sent them, then taken apart for the request.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "web/HttpAddress.h"

namespace {

QByteArrayView View(const std::string& text) {
    return QByteArrayView(text.data(), static_cast<qsizetype>(text.size()));
}

void CheckSplit(const HttpAddress& address) {
    FUZZ_CHECK(!address.host.isEmpty() && address.port != 0);
    FUZZ_CHECK(address.target.startsWith('/') && !address.target.contains('#'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string base = input.ConsumeRandomLengthString(80);
    const std::string reference = input.ConsumeRemainingBytesAsString();

    const std::optional<HttpAddress> page = SplitHttpAddress(View(base));
    if (page) {
        CheckSplit(*page);
        // the origin names the same server again, unless the host holds brackets of its own
        if (!page->host.contains('[') && !page->host.contains(']')) {
            const std::optional<HttpAddress> origin = SplitHttpAddress(page->Origin());
            FUZZ_CHECK(origin && origin->host == page->host && origin->port == page->port &&
                       origin->secure == page->secure && origin->target == "/");
        }
    }

    const QByteArray resolved = ResolveReference(View(base), View(reference));
    FUZZ_CHECK(!resolved.contains('#'));
    if (const std::optional<HttpAddress> target = SplitHttpAddress(resolved)) {
        CheckSplit(*target);
    }
    // a reference without a scheme or a server of its own stays on the page's server
    const QByteArray trimmed = View(reference).trimmed().toByteArray();
    const bool ownServer = trimmed.startsWith("//") || trimmed.contains(':');
    if (page && !ownServer && !page->host.contains('[') && !page->host.contains(']')) {
        const std::optional<HttpAddress> target = SplitHttpAddress(resolved);
        FUZZ_CHECK(target && target->host == page->host && target->port == page->port &&
                   target->secure == page->secure);
    }
    return 0;
}
