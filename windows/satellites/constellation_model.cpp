#include "windows/satellites/constellation_model.h"

#include <algorithm>
#include <cmath>

#include "decode/lookup_tables.h"
#include "decode/record_code.h"
#include "windows/common/monitor_colours.h"
#include "windows/common/record_kind.h"
#include "windows/satellites/satellite_symbols.h"

namespace orbex {
namespace {

constexpr double kPi = 3.1415926535898;
constexpr int kSlotsPerGsvMessage = 4;

bool IsLower(char code) {
    return CodeValue(code) >= 'a' && CodeValue(code) <= 'z';
}

// Elevation of a native code, tens of degrees from "A" = 0 ("J" = 90); 0 above "Y".
int NativeElevation(char code) {
    return CodeValue(code) > 'Y' ? 0 : 10 * CodeValue(code) - 650;
}

// Azimuth of a native code: upper case from "A" = 0 up; lower case "b" = -10 down; 0 for
// the codes between and above.
int NativeAzimuth(char code) {
    if (IsLower(code)) {
        return 970 - 10 * CodeValue(code);
    }
    return CodeValue(code) > 'Y' ? 0 : 10 * CodeValue(code) - 650;
}

}  // namespace

QPoint SkyPosition(double elevationDegrees, double azimuthDegrees) {
    const double e = elevationDegrees * kPi / 180.0;
    const double a = azimuthDegrees * kPi / 180.0;
    return QPoint(static_cast<int>(std::trunc(kPlotRadius * std::cos(e) * std::sin(a))),
                  static_cast<int>(std::trunc(kPlotRadius * std::cos(e) * std::cos(a))));
}

QColor SnrColour(int snr) {
    if (snr < 27) {
        return kBlue;
    }
    if (snr < 35) {
        return QColor(0, 80, 255);
    }
    if (snr < 45) {
        return QColor(0, 160, 255);
    }
    return kCyan;
}

ConstellationModel::ConstellationModel() {
    for (SkyChannel& channel : sky_) {
        channel.symbol = kNoSymbol;
    }
    for (LevelSetting& level : levels_) {
        level.colour = kCyan;
    }
}

int ConstellationModel::channelCount() const {
    return KindBegins(lastKind_, "C6") ? 6 : 12;
}

bool ConstellationModel::IsUsed(int prn) const {
    return prn != 0 && std::find(usedPrn_.begin(), usedPrn_.end(), prn) != usedPrn_.end();
}

bool ConstellationModel::Update(const ReceiverState& record) {
    const bool first = updates_ == 0;
    ++updates_;
    lastKind_ = KindOf(record);
    if (IsNativeRecord(record)) {
        family_ = RecordFamily::Native;
        UpdateNative(record);
        return first;
    }
    family_ = RecordFamily::Nmea;
    if (IsSentence(record, "$GPGGA")) {
        CopyPosition(record);
        fixQuality_ = record.fixQuality;
        ggaTime_ = {record.altTime.hour, record.altTime.minute, record.altTime.second};
    } else if (IsSentence(record, "$GPGSA")) {
        lastPdop_ = record.pdop;
        for (std::size_t i = 0; i < usedPrn_.size(); ++i) {
            usedPrn_[i] = record.satellites[i].gsaPrn;
        }
    } else if (IsSentence(record, "$GPGSV")) {
        UpdateSatellitesInView(record);
    }
    // The number column follows the used list and the channels while the group is complete.
    if (gsvNumber_ >= 1 && gsvNumber_ == gsvTotal_) {
        ShowCompleteGroup();
    }
    return first;
}

void ConstellationModel::CopyPosition(const ReceiverState& r) {
    position_ = {r.latHemisphere,     r.latDegrees,    r.latMinutes, r.latMinuteFraction,
                 r.latSeconds,        r.lonHemisphere, r.lonDegrees, r.lonMinutes,
                 r.lonMinuteFraction, r.lonSeconds,    r.altitude};
}

void ConstellationModel::UpdateNative(const ReceiverState& record) {
    if (IsSmRecord(record)) {
        nativeDopText_ = QString::fromLatin1(DopText(record).c_str());
        nativeFixTime_ = {record.fixTime.hour, record.fixTime.minute, record.fixTime.second};
    } else {
        lastPdop_ = record.pdop;
    }
    CopyPosition(record);
    const int count = channelCount();
    for (int i = 0; i < kChannelCount; ++i) {
        if (i >= count) {
            // Channels the record does not carry show nothing (a "C6" record after an "SM").
            channels_[i] = SatelliteSlot{};
            sky_[i].symbol = kNoSymbol;
            levels_[i].level = 0;
            continue;
        }
        const SatelliteSlot& slot = record.satellites[i];
        channels_[i] = slot;
        levels_[i] = {std::max(0, CodeValue(slot.levelCode) - 'A'), i < 8 ? kCyan : kBlue};
        sky_[i] = NativeSkyChannel(i, slot);
    }
}

SkyChannel ConstellationModel::NativeSkyChannel(int i, const SatelliteSlot& slot) {
    SkyChannel channel;
    const char elevation = slot.elevationCode;
    if (elevation == '_' || IsLower(elevation)) {
        // Not above the horizon: parked in a row outside the circle.
        channel.position.setX(18 * i - (i <= 7 ? 200 : 140) + 16);
        channel.position.setY(elevation == '_' ? -180 : -164);
    } else {
        channel.position = SkyPosition(NativeElevation(elevation), NativeAzimuth(slot.azimuthCode));
    }
    int set = kTrackedSet;
    if (slot.statusCode == 'A') {
        set = kUnlockedSet;
    } else if (slot.statusCode == 'F') {
        set = kDecodingSet;
    } else if (CodeValue(elevation) >= 'a') {
        set = kBelowHorizonSet;
    }
    channel.symbol =
        CodeValue(slot.prnCode) < 'i' ? SymbolId(set, SatelliteNumber(slot.prnCode)) : kNoSymbol;
    return channel;
}

void ConstellationModel::UpdateSatellitesInView(const ReceiverState& record) {
    gsvNumber_ = record.gsvNumber;
    gsvTotal_ = record.gsvTotal;
    gsvInView_ = record.gsvInView;
    const int k = record.gsvNumber;
    if (k < 1 || k > 4) {
        return;
    }
    const int first = kSlotsPerGsvMessage * (k - 1);
    const int end = first + kSlotsPerGsvMessage;
    if (record.gsvNumber == record.gsvTotal) {
        gsvCount_ = record.gsvCount;
    }
    for (int i = first; i < end; ++i) {
        const SatelliteSlot& slot = record.satellites[i];
        channels_[i] = slot;
        SkyChannel& sky = sky_[i];
        sky.position = SkyPosition(slot.gsvElevation, slot.gsvAzimuth);
        int set = kTrackedSet;
        if (slot.gsvElevation == 0) {
            set = kOnHorizonSet;
        } else if (IsUsed(slot.gsvPrn)) {
            set = kDecodingSet;
        }
        // Satellites past 32 (augmentation satellites) have no image here and are not drawn.
        sky.symbol = SymbolId(set, slot.gsvPrn);
    }
    for (int i = end; i < kChannelCount; ++i) {
        channels_[i] = SatelliteSlot{};
        sky_[i] = SkyChannel{QPoint(), kNoSymbol};
    }
}

void ConstellationModel::ShowCompleteGroup() {
    groupShown_ = true;
    for (int i = 0; i < kChannelCount; ++i) {
        const SatelliteSlot& slot = channels_[i];
        groupRows_[i] = {slot.gsvPrn, IsUsed(slot.gsvPrn)};
        if (slot.gsvPrn == 0) {
            levels_[i] = {0, kBlue};
        } else {
            levels_[i] = {slot.gsvSnr * 25 / 99, SnrColour(slot.gsvSnr)};
        }
    }
}

std::array<SkyChannel, kChannelCount> ConstellationModel::PlotChannels() const {
    std::array<SkyChannel, kChannelCount> channels = sky_;
    if (family_ == RecordFamily::Nmea) {
        for (int i = std::max(0, gsvInView_); i < kChannelCount; ++i) {
            channels[i].symbol = kNoSymbol;
        }
    }
    return channels;
}

}  // namespace orbex
