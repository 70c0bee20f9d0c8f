#include "sim/receiver_simulator.h"

#include <cmath>

#include "sim/native_records.h"
#include "sim/nmea_sentences.h"

namespace orbex::sim {
namespace {

std::string TagOf(const std::string& sentence) {
    const std::size_t comma = sentence.find(',');
    return sentence.substr(0, comma == std::string::npos ? sentence.size() : comma);
}

std::string PextExtras(const EpochSnapshot& e) {
    const int digits = PextFlagDigits(e);
    std::string flags;
    for (int k = 0; k < 3; ++k) {
        const int digit = digits >> (8 - 4 * k) & 0xF;
        for (int j = 0; j < 4; ++j) {
            if (!flags.empty()) {
                flags += ',';
            }
            flags += static_cast<char>('0' + (digit >> j & 1));
        }
    }
    return ",\"pextFlags\":[" + flags + "]";
}

}  // namespace

ReceiverSimulator::ReceiverSimulator(const SimOptions& options, SimMillis start,
                                     std::ostream* truth)
    : options_(options),
      period_(std::max<SimMillis>(1, std::llround(1000.0 / options.rateHz))),
      world_(options, start),
      commands_(options, world_),
      faults_(options.faults),
      truth_(truth) {
    latest_ = world_.Advance(start);
}

void ReceiverSimulator::AddLine(std::string& out, const std::string& text, const std::string& tag,
                                bool checksummed, const EpochSnapshot* epoch,
                                const std::string& extraFields, SimMillis t) {
    FramedLine framed = faults_.Frame(text, checksummed);
    TruthLine line;
    line.tag = tag;
    line.text = text;
    line.fault = framed.fault;
    // A fixed-length record loses its length with a one-byte terminator.
    // "$GPRMC" is read by the handheld viewer only; the desktop decoder has no tag for it. A
    // fixed-length record ending in 0xDA is still one: the decoder measures it without its
    // terminator.
    line.decodes = epoch != nullptr && !framed.brokenForDecoder && tag != "$GPRMC";
    line.extraFields = extraFields;
    if (framed.fault.find("bad-checksum") != std::string::npos ||
        framed.fault.find("unprintable") != std::string::npos) {
        line.text.assign(framed.bytes, 0,
                         framed.bytes.size() - (options_.faults.daTerminator ? 1 : 2));
    }
    truth_.Write(line, t, epoch);
    out += framed.bytes;
}

void ReceiverSimulator::AddNmeaEpoch(std::string& out, const EpochSnapshot& e) {
    const SimMillis t = e.time;
    auto add = [&](const std::string& sentence, const std::string& extras = {}) {
        AddLine(out, sentence, TagOf(sentence), true, &e, extras, t);
    };
    const NmeaLayout layout{options_.fourDigitMinutes};
    add(GgaSentence(e, layout));
    add(GsaSentence(e));
    for (const std::string& gsv : GsvSentences(e)) {
        add(gsv);
    }
    if (options_.handheld) {
        add(RmcSentence(e));
        return;
    }
    add(VtgSentence(e));
    add(ZdaSentence(e));
    if (options_.extra) {
        add(GllSentence(e));
        add(PextSentence(e), PextExtras(e));
        add(PvlmSentence(e), ",\"pvlmValue\":" + std::to_string(PvlmValue(e)));
        for (const std::string& pssst : PssstSentences(e)) {
            add(pssst);
        }
        add(PsgsaSentence(e), ",\"psgsaValue\":" + std::to_string(PsgsaClockValue(e)));
        add(RmcSentence(e));
    }
}

std::string ReceiverSimulator::Epoch(SimMillis t) {
    latest_ = world_.Advance(t);
    std::string out = faults_.RunForEpoch();
    if (!out.empty()) {
        TruthLine run;
        run.tag = "run";
        run.text = out;
        run.decodes = false;
        run.fault = "no-terminator-run";
        truth_.Write(run, t, nullptr);
    }
    const bool native =
        options_.format == OutputFormat::kNative || options_.format == OutputFormat::kMixed;
    const bool fourChannel =
        options_.format == OutputFormat::kFourChannel || options_.format == OutputFormat::kMixed;
    const bool nmea =
        options_.format == OutputFormat::kNmea || options_.format == OutputFormat::kMixed;
    if (native) {
        AddLine(out, NativeRecord(latest_), kNativeVersion, false, &latest_, {}, t);
    }
    if (fourChannel) {
        AddLine(out, FourChannelRecord(latest_), "N", false, &latest_, {}, t);
    }
    if (nmea) {
        AddNmeaEpoch(out, latest_);
    }
    out += Replies(commands_.Tick(t), t);
    return out;
}

std::string ReceiverSimulator::Replies(const std::vector<std::string>& lines, SimMillis t) {
    std::string out;
    for (const std::string& line : lines) {
        AddLine(out, line, "reply", false, nullptr, {}, t);
    }
    return out;
}

std::string ReceiverSimulator::Receive(std::string_view bytes, SimMillis t) {
    return Replies(commands_.Receive(bytes, t, latest_), t);
}

std::string ReceiverSimulator::Tick(SimMillis t) {
    return Replies(commands_.Tick(t), t);
}

}  // namespace orbex::sim
