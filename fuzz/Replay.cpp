// A fuzz program's entry point run once on every file of the folders and files named on the
// command line, without libFuzzer: ctest replays each program's corpus and the inputs that once
// broke it in every build, the sanitizer build included, so what was fixed stays fixed. A folder
// that is not there holds nothing (no findings were kept); no input at all fails, since then
// nothing was checked.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// only the programs that prepare something before their first input define it
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsIn(const fs::path& place) {
    std::vector<fs::path> files;
    if (fs::is_directory(place)) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(place)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
    } else if (fs::is_regular_file(place)) {
        files.push_back(place);
    }
    // the same order on every run, so a failure comes back the same way
    std::sort(files.begin(), files.end());
    return files;
}

void Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> read{std::istreambuf_iterator<char>(in), {}};
    // a block of exactly the input's size, as libFuzzer gives it: the sanitizers see a read
    // past its end
    const std::unique_ptr<uint8_t[]> bytes(new uint8_t[read.size()]);
    std::copy(read.begin(), read.end(), bytes.get());
    // named first: an input that breaks the program ends the run before anything else is said
    std::fprintf(stderr, "%s\n", file.c_str());
    LLVMFuzzerTestOneInput(bytes.get(), read.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize != nullptr) {
        LLVMFuzzerInitialize(&argc, &argv);
    }
    size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path& file : InputsIn(argv[i])) {
            Replay(file);
            ++replayed;
        }
    }
    std::fprintf(stderr, "%zu inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
