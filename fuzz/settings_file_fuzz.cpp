// The settings-file reader on arbitrary text: a file it accepts is written back in a form
// it accepts again and that reads back to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orbex::RegistryDocument document;
    std::string problem;
    if (!document.Parse(text, problem)) {
        return 0;
    }
    const std::string written = document.Serialise();
    orbex::RegistryDocument reread;
    if (!reread.Parse(written, problem) || reread.Serialise() != written) {
        std::abort();
    }
    return 0;
}
