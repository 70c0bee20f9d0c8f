// The handheld viewer's sentence processing on arbitrary bytes: each line of the input is
// tested, classified and parsed into one record that lives across the lines, as the viewer's
// record lives across a receiver's sentences. A sentence's checksum is easy to make right for
// any content, so every line reaches its parser whatever its checksum says.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "handheld/nmea_fields.h"
#include "handheld/nmea_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    orbexce::NmeaRecord record;
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = input.find('\n', start);
        end = end == std::string::npos ? input.size() : end + 1;
        // An exact-size copy, so that a read past the sentence's end is caught.
        const std::string sentence = input.substr(start, end - start);
        start = end;
        (void)orbexce::ChecksumValid(sentence);
        switch (orbexce::KindOf(sentence)) {
            case orbexce::SentenceKind::Gga:
                orbexce::ParseGga(sentence, record);
                break;
            case orbexce::SentenceKind::Gsa:
                orbexce::ParseGsa(sentence, record);
                break;
            case orbexce::SentenceKind::Gsv:
                orbexce::ParseGsv(sentence, record);
                break;
            case orbexce::SentenceKind::Rmc:
                orbexce::ParseRmc(sentence, record);
                break;
            case orbexce::SentenceKind::Other:
                break;
        }
    }
    return 0;
}
