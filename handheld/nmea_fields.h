// The pieces of one received NMEA sentence: its checksum test and its fields. The viewer reads
// every number the same way: an empty or missing field is zero, a field that does not start
// with a number is zero, and the decimal point is always ".", whatever the locale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbexce {

// XOR of every character after the first up to "*", written as two hexadecimal digits and
// compared, ignoring case, with the two characters after "*". False without "*" or without
// two characters after it.
bool ChecksumValid(std::string_view sentence);

// The sentence cut at every "," and "*". Field 1 is the address ("$GPGGA"). The checksum after
// "*" is not a field: a sentence short of fields must not have its checksum read as data, so
// a field number beyond the last field before "*" reads like an empty field.
class SentenceFields {
  public:
    explicit SentenceFields(std::string_view sentence);

    std::size_t count() const { return fields_.size(); }
    std::string_view Text(std::size_t number) const;
    double Real(std::size_t number) const;
    long Integer(std::size_t number) const;
    // The first character, or '\0' for an empty field.
    char Letter(std::size_t number) const;

  private:
    std::vector<std::string_view> fields_;
};

// Decimal text to a number as the C library's conversions read it ("  +12.5xyz" is 12.5),
// but always with "." as the decimal point. Anything unreadable is 0.
double ReadReal(std::string_view text);
long ReadInteger(std::string_view text);

// A real to int without undefined behaviour: truncated toward zero, clamped to int's range,
// not-a-number as 0.
int TruncateToInt(double value);

}  // namespace orbexce
