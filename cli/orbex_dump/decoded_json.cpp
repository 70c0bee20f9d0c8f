#include "cli/orbex_dump/decoded_json.h"

#include <rapidjson/writer.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "decode/decode_line.h"
#include "decode/line_text.h"
#include "decode/position_fix.h"
#include "decode/receiver_state.h"
#include "platform/system_error.h"

namespace orbex {

namespace {

// Every field of the record, in storage order, under its name. A visitor is called with
// Field(name, value) for numbers, characters and arrays of them, Object(name, part) for the
// nested times and Slots(name, slots) for the channel arrays.
template <typename Visitor>
void VisitFields(const RecordTime& time, Visitor& visit) {
    visit.Field("year", time.year);
    visit.Field("month", time.month);
    visit.Field("day", time.day);
    visit.Field("dayCode", time.dayCode);
    visit.Field("hour", time.hour);
    visit.Field("minute", time.minute);
    visit.Field("second", time.second);
}

template <typename Visitor>
void VisitFields(const SatelliteSlot& slot, Visitor& visit) {
    visit.Field("prnCode", slot.prnCode);
    visit.Field("gsaPrn", slot.gsaPrn);
    visit.Field("psgsaPrn", slot.psgsaPrn);
    visit.Field("gsvPrn", slot.gsvPrn);
    visit.Field("elevationCode", slot.elevationCode);
    visit.Field("gsvElevation", slot.gsvElevation);
    visit.Field("azimuthCode", slot.azimuthCode);
    visit.Field("gsvAzimuth", slot.gsvAzimuth);
    visit.Field("statusCode", slot.statusCode);
    visit.Field("levelCode", slot.levelCode);
    visit.Field("gsvSnr", slot.gsvSnr);
}

template <typename Visitor>
void VisitFields(const ExtSatelliteSlot& slot, Visitor& visit) {
    visit.Field("prn", slot.prn);
    visit.Field("code", slot.code);
    visit.Field("digitA", slot.digitA);
    visit.Field("digitB", slot.digitB);
    visit.Field("value", slot.value);
}

template <typename Visitor>
void VisitFields(const ReceiverState& s, Visitor& visit) {
    visit.Field("kind", s.kind);
    visit.Object("nativeTime", s.nativeTime);
    visit.Object("altTime", s.altTime);
    visit.Field("extDatePresent", s.extDatePresent);
    visit.Field("extDate", s.extDate);
    visit.Field("latHemisphere", s.latHemisphere);
    visit.Field("latDegrees", s.latDegrees);
    visit.Field("latMinutes", s.latMinutes);
    visit.Field("latMinuteFraction", s.latMinuteFraction);
    visit.Field("latSeconds", s.latSeconds);
    visit.Field("lonHemisphere", s.lonHemisphere);
    visit.Field("lonDegrees", s.lonDegrees);
    visit.Field("lonMinutes", s.lonMinutes);
    visit.Field("lonMinuteFraction", s.lonMinuteFraction);
    visit.Field("lonSeconds", s.lonSeconds);
    visit.Field("altitudeMetres", s.altitudeMetres);
    visit.Field("altitude", s.altitude);
    visit.Field("speedKmhWhole", s.speedKmhWhole);
    visit.Field("vtgSpeedKmh", s.vtgSpeedKmh);
    visit.Field("vtgSpeedKnots", s.vtgSpeedKnots);
    visit.Field("course", s.course);
    visit.Field("courseTenthsChar", s.courseTenthsChar);
    visit.Object("fixTime", s.fixTime);
    visit.Object("altFixTime", s.altFixTime);
    visit.Field("dopCode", s.dopCode);
    visit.Field("pdop", s.pdop);
    visit.Field("hdop", s.hdop);
    visit.Field("vdop", s.vdop);
    visit.Field("fixQuality", s.fixQuality);
    visit.Field("satellitesUsed", s.satellitesUsed);
    visit.Field("gsvInView", s.gsvInView);
    visit.Field("gsvTotal", s.gsvTotal);
    visit.Field("gsvNumber", s.gsvNumber);
    visit.Field("gsvCount", s.gsvCount);
    visit.Field("fixMode", s.fixMode);
    visit.Field("datumCode", s.datumCode);
    visit.Field("psgsaMode", s.psgsaMode);
    visit.Field("psgsaPdop", s.psgsaPdop);
    visit.Field("psgsaHdop", s.psgsaHdop);
    visit.Field("psgsaVdop", s.psgsaVdop);
    visit.Slots("satellites", s.satellites);
    visit.Slots("extSatellites", s.extSatellites);
    visit.Field("nativeFlag", s.nativeFlag);
    visit.Field("nativeLetterValue", s.nativeLetterValue);
    visit.Field("nativeTailText", s.nativeTailText);
    visit.Field("nativeLastChar", s.nativeLastChar);
    visit.Field("pvlmValue", s.pvlmValue);
    visit.Field("dgpsAge", s.dgpsAge);
    visit.Field("pextFlags", s.pextFlags);
    visit.Field("psgsaValue", s.psgsaValue);
    visit.Field("psgsaTail", s.psgsaTail);
}

// Whether every byte of a part is zero: a quick test that lets the writer pass over empty
// channel slots and times without visiting their fields. The record is cleared byte by byte
// before decoding, so its padding is zero too; a part with a non-zero byte is still checked
// field by field.
template <typename T>
bool AllBytesZero(const T& part) {
    static_assert(std::is_trivially_copyable_v<T>);
    static constexpr unsigned char kZeros[sizeof(T)] = {};
    return std::memcmp(&part, kZeros, sizeof(T)) == 0;
}

// Finds whether any field of a part is non-zero (a text is non-zero when it is not empty).
class NonZeroProbe {
  public:
    template <typename T>
    static bool Of(const T& part) {
        if (AllBytesZero(part)) {
            return false;
        }
        NonZeroProbe probe;
        VisitFields(part, probe);
        return probe.found_;
    }
    template <typename T, std::size_t N>
    static bool OfSlots(const T (&slots)[N]) {
        if (AllBytesZero(slots)) {
            return false;
        }
        for (const T& slot : slots) {
            if (Of(slot)) {
                return true;
            }
        }
        return false;
    }

    template <typename T>
    void Field(const char*, const T& value) {
        found_ = found_ || value != 0;
    }
    template <typename T, std::size_t N>
    void Field(const char*, const T (&values)[N]) {
        for (const T& value : values) {
            found_ = found_ || value != 0;
        }
    }
    template <std::size_t N>
    void Field(const char*, const char (&text)[N]) {
        found_ = found_ || text[0] != '\0';
    }
    template <typename T>
    void Object(const char*, const T& part) {
        found_ = found_ || Of(part);
    }
    template <typename T, std::size_t N>
    void Slots(const char*, const T (&slots)[N]) {
        found_ = found_ || OfSlots(slots);
    }

  private:
    bool found_ = false;
};

// rapidjson output stream over a buffer that one thread keeps from line to line: it only
// ever grows, so writing a line touches no allocator, and the finished line is appended to the
// caller's string in one copy.
class OutputBuffer {
  public:
    using Ch = char;
    void Begin() { size_ = 0; }
    void AppendTo(std::string& out) const { out.append(storage_.data(), size_); }
    void Put(char c) { *Reserve(1) = c, ++size_; }
    // Room for `count` more bytes; the pointer it returns is valid until the next call.
    char* Reserve(std::size_t count) {
        if (size_ + count > storage_.size()) {
            storage_.resize(std::max(storage_.size() * 2, size_ + count + 4096));
        }
        return storage_.data() + size_;
    }
    void Advance(std::size_t count) { size_ += count; }
    void Flush() {}

  private:
    std::string storage_;
    std::size_t size_ = 0;
};

// The JSON writer, with keys, texts and reals written straight into the buffer: keys are
// plain names, texts get the byte escapes below, reals their shortest form.
class JsonWriter : public rapidjson::Writer<OutputBuffer> {
  public:
    explicit JsonWriter(OutputBuffer& buffer) : Writer(buffer), buffer_(buffer) {}

    void Key(const char* name) {
        Prefix(rapidjson::kStringType);
        const std::size_t length = std::strlen(name);
        char* at = buffer_.Reserve(length + 2);
        at[0] = '"';
        std::memcpy(at + 1, name, length);
        at[length + 1] = '"';
        buffer_.Advance(length + 2);
    }

    // Printable ASCII as it is ("\"" and "\\" escaped), every other byte as the \u00XX
    // escape of that byte.
    void Text(std::string_view text) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        Prefix(rapidjson::kStringType);
        char* const begin = buffer_.Reserve(text.size() * 6 + 2);
        char* at = begin;
        *at++ = '"';
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte == '"' || byte == '\\') {
                *at++ = '\\';
                *at++ = c;
            } else if (byte >= 0x20 && byte < 0x7F) {
                *at++ = c;
            } else {
                const char escape[6] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
                std::memcpy(at, escape, sizeof escape);
                at += sizeof escape;
            }
        }
        *at++ = '"';
        buffer_.Advance(static_cast<std::size_t>(at - begin));
    }

    // The shortest text that reads back as the same value; JSON has no infinity or
    // not-a-number, so those (which the decoders never produce) are written as null.
    template <typename T>
    void Real(T value) {
        if (!std::isfinite(value)) {
            Null();
            return;
        }
        Prefix(rapidjson::kNumberType);
        char* at = buffer_.Reserve(32);
        const auto result = std::to_chars(at, at + 32, value);
        buffer_.Advance(static_cast<std::size_t>(result.ptr - at));
    }

  private:
    OutputBuffer& buffer_;
};

// Writes the non-zero fields of a record through the JSON writer.
class FieldWriter {
  public:
    explicit FieldWriter(JsonWriter& writer) : writer_(writer) {}

    template <typename T>
    void Field(const char* name, const T& value) {
        if (value == 0) {
            return;
        }
        writer_.Key(name);
        Value(value);
    }
    template <typename T, std::size_t N>
    void Field(const char* name, const T (&values)[N]) {
        if (!AnyNonZero(values)) {
            return;
        }
        writer_.Key(name);
        writer_.StartArray();
        for (const T& value : values) {
            Value(value);
        }
        writer_.EndArray();
    }
    template <std::size_t N>
    void Field(const char* name, const char (&text)[N]) {
        if (text[0] == '\0') {
            return;
        }
        writer_.Key(name);
        writer_.Text(std::string_view(text, strnlen(text, N)));
    }
    template <typename T>
    void Object(const char* name, const T& part) {
        if (!NonZeroProbe::Of(part)) {
            return;
        }
        writer_.Key(name);
        WriteObject(part);
    }
    template <typename T, std::size_t N>
    void Slots(const char* name, const T (&slots)[N]) {
        if (!NonZeroProbe::OfSlots(slots)) {
            return;
        }
        writer_.Key(name);
        writer_.StartArray();
        for (const T& slot : slots) {
            if (AllBytesZero(slot)) {
                writer_.StartObject();
                writer_.EndObject();
            } else {
                WriteObject(slot);
            }
        }
        writer_.EndArray();
    }

    template <typename T>
    void WriteObject(const T& part) {
        writer_.StartObject();
        VisitFields(part, *this);
        writer_.EndObject();
    }

  private:
    template <typename T, std::size_t N>
    static bool AnyNonZero(const T (&values)[N]) {
        for (const T& value : values) {
            if (value != 0) {
                return true;
            }
        }
        return false;
    }

    void Value(char c) { writer_.Text(std::string_view(&c, 1)); }
    void Value(std::uint8_t v) { writer_.Uint(v); }
    void Value(std::uint16_t v) { writer_.Uint(v); }
    void Value(std::int16_t v) { writer_.Int(v); }
    void Value(std::int32_t v) { writer_.Int(v); }
    void Value(float v) { writer_.Real(v); }
    void Value(double v) { writer_.Real(v); }

    JsonWriter& writer_;
};

// The buffers one thread reuses from line to line.
struct JsonBuffers {
    OutputBuffer buffer;
    JsonWriter writer{buffer};
};

}  // namespace

void AppendDecodedLineJson(std::string& out, LineDecoder& decoder, std::string_view line) {
    thread_local JsonBuffers buffers;
    buffers.buffer.Begin();
    JsonWriter& writer = buffers.writer;
    writer.Reset(buffers.buffer);
    FieldWriter fields(writer);

    const PositionSamples& samples = decoder.samples();
    const std::int32_t sampleBefore = samples.sampleNext();
    ReceiverState state;
    std::memset(static_cast<void*>(&state), 0, sizeof state);
    const bool ok = decoder.Decode(state, line);
    const int error = ok ? kErrorSuccess : SystemError();

    writer.StartObject();
    writer.Key("line");
    writer.Text(StripLineTerminator(line));
    writer.Key("ok");
    writer.Bool(ok);
    if (!ok) {
        writer.Key("error");
        writer.Int(error);
    }
    writer.Key("state");
    fields.WriteObject(state);
    if (ok && samples.sampleNext() != sampleBefore) {
        writer.Key("sample");
        writer.StartObject();
        writer.Key("lat");
        writer.Real(samples.newestLatArcSec());
        writer.Key("lon");
        writer.Real(samples.newestLonArcSec());
        writer.Key("next");
        writer.Int(samples.sampleNext());
        writer.EndObject();
    }
    // A GGA sentence that claims a fix the exports and statistics refuse says why.
    if (ok && state.checked.claimsFix && state.checked.problem != GgaFixProblem::None) {
        writer.Key("noFix");
        writer.Text(GgaFixProblemText(state.checked.problem));
    }
    writer.EndObject();
    buffers.buffer.Put('\n');
    buffers.buffer.AppendTo(out);
}

}  // namespace orbex
