#include "gui/code_page_932.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace orbex {

namespace {

// Runs one iconv conversion; an input sequence the target cannot hold becomes replacement and
// the conversion goes on with the next input character (skip bytes of one source character).
std::string Convert(const char* to, const char* from, const std::string& input,
                    const std::string& replacement, std::size_t inputUnit) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return input;
    }
    std::string out;
    std::vector<char> chunk(4 * input.size() + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = chunk.data();
        std::size_t outLeft = chunk.size();
        std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(chunk.data(), outPtr - chunk.data());
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL: replace one source character and carry on.
            std::size_t skip = inputUnit;
            if (inputUnit == 1 && inLeft >= 1) {
                // UTF-8 input: skip the whole sequence of the offending character.
                auto lead = static_cast<unsigned char>(*in);
                skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            }
            skip = std::min(skip, inLeft);
            in += skip;
            inLeft -= skip;
            out += replacement;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string ToCodePage932(const QString& text) {
    return Convert("CP932", "UTF-8", text.toUtf8().toStdString(), "?", 1);
}

QString FromCodePage932(const std::string& bytes) {
    return QString::fromUtf8(Convert("UTF-8", "CP932", bytes, "?", 1));
}

}  // namespace orbex
