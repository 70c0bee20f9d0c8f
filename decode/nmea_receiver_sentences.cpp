// The receiver's own sentences, found by their commas (the widths in the comments are the
// VM8140's); a one-character field is read from its first character.
#include <string_view>

#include "decode/nmea_sentences.h"
#include "decode/text_fields.h"

namespace orbex {

namespace {

constexpr std::uint8_t kEmptyMark = 0xFF;

}  // namespace

// $PEXT,1,02,03,004,05,06,07,08,9A0*75
//  1. eight fields of widths 1, 2, 2, 3, 2, 2, 2, 2 (skipped)
//  2. three hexadecimal digits: digit k gives pextFlags[4k..4k+3], least significant bit
//     first. A byte that is not an upper-case hexadecimal digit gives four zero flags.
void DecodePext(ReceiverState& state, FieldWalker& fields) {
    for (int k = 0; k < 8; ++k) {
        fields.Skip();
    }
    const std::string_view digits = fields.Next();
    for (std::size_t k = 0; k < 3; ++k) {
        const int value = HexDigitValue(FieldChar(digits, k));
        for (int bit = 0; bit < 4; ++bit) {
            state.pextFlags[4 * k + bit] = value > 0 ? (value >> bit) & 1 : 0;
        }
    }
}

// $PVLM,3*18
//  1. one digit, 1
void DecodePvlm(ReceiverState& state, FieldWalker& fields) {
    state.pvlmValue = Uint8Of(FieldPart(fields.Next(), 0, 1));
}

// $PSSST,1,1,05,A,1,2,00123,N,12,B,3,4,00456,P*4F
//  1. number of messages, 1; message number, 1
//  2. four entries from the message's first entry (2 -> 4, 3 -> 8, 4..127 -> 12, else 0),
//     each: satellite number, 2; code, 1; digit, 1; digit, 1; value, 5; sign, 1 ("N" negates
//     the value). An empty code or digit is kept as 0xFF.
void DecodePssst(ReceiverState& state, FieldWalker& fields) {
    state.gsvTotal = Uint8Of(fields.Next());
    state.gsvNumber = Uint8Of(fields.Next());
    const int first = FirstSlotOfMessage(state.gsvNumber);
    for (int entry = first; entry < first + 4; ++entry) {
        ExtSatelliteSlot& satellite = state.extSatellites[entry];
        satellite.prn = Uint8Of(fields.Next());
        const std::string_view code = fields.Next();
        satellite.code = code.empty() ? static_cast<char>(kEmptyMark) : code[0];
        const std::string_view digitA = fields.Next();
        satellite.digitA = digitA.empty() ? kEmptyMark : Uint8Of(FieldPart(digitA, 0, 1));
        const std::string_view digitB = fields.Next();
        satellite.digitB = digitB.empty() ? kEmptyMark : Uint8Of(FieldPart(digitB, 0, 1));
        satellite.value = ParseDecimal(fields.Next());
        if (FieldChar(fields.Next(), 0) == 'N') {
            satellite.value = -satellite.value;
        }
    }
}

// $PSGSA,A,04,05,09,12,24,,,,,,,,02.5,01.3,02.1,-01234,08122026,X*62
//  1. mode, 1
//  2. twelve satellite numbers, 2 each
//  3. PDOP, HDOP, VDOP, 4 each, real
//  4. signed value, 6 when it begins with "-", else 5
//  5. four two-digit values, 8 (extDatePresent says whether the field was there)
//  6. one character, 1
void DecodePsgsa(ReceiverState& state, FieldWalker& fields) {
    state.psgsaMode = FieldChar(fields.Next(), 0);
    DecodeUsedSatellitesAndDops(fields, state.satellites, &SatelliteSlot::psgsaPrn, state.psgsaPdop,
                                state.psgsaHdop, state.psgsaVdop);
    state.psgsaValue = ParseDecimal(fields.Next());
    const std::string_view date = fields.Next();
    state.extDatePresent = date.empty() ? 0 : 1;
    for (std::size_t k = 0; k < 4; ++k) {
        state.extDate[k] = Uint8Of(FieldPart(date, 2 * k, 2));
    }
    const std::string_view tail = fields.Next();
    state.psgsaTail[0] = FieldChar(tail, 0);
    state.psgsaTail[1] = '\0';
}

}  // namespace orbex
