// What the Satellite Constellation window knows: the channel table, where each channel's
// satellite stands on the sky plot and with which symbol, the level of each level row, the
// position, and the few values the plot prints. It is fed one decoded record at a time and
// has no widgets, so its rules can be followed record by record.
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "decode/receiver_state.h"

namespace orbex {

// Which family of records the window shows: the maker's native records ("SM", "D0", "C6")
// or NMEA sentences (everything else).
enum class RecordFamily { None, Native, Nmea };

// One channel on the sky plot: pixels from the plot centre, y pointing north.
struct SkyChannel {
    QPoint position;
    int symbol = 0;

    bool operator==(const SkyChannel&) const = default;
};

struct LevelSetting {
    int level = 0;
    QColor colour;
};

// The number column of a completed "$GPGSV" group.
struct GroupRow {
    std::uint8_t prn = 0;  // 0: the channel has no satellite
    bool used = false;     // listed in the last "$GPGSA"
};

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct PositionFields {
    char latHemisphere = 0;
    std::int32_t latDegrees = 0;
    std::int32_t latMinutes = 0;
    std::int32_t latMinuteFraction = 0;
    double latSeconds = 0;
    char lonHemisphere = 0;
    std::int32_t lonDegrees = 0;
    std::int32_t lonMinutes = 0;
    std::int32_t lonMinuteFraction = 0;
    double lonSeconds = 0;
    float altitude = 0;
};

inline constexpr int kPlotRadius = 150;
inline constexpr int kLevelRowCount = 16;

// Sky position of elevation and azimuth in degrees: 150 cos(e) (sin(a), cos(a)), truncated.
QPoint SkyPosition(double elevationDegrees, double azimuthDegrees);
// Level-row colour of an NMEA signal-to-noise ratio in dB-Hz.
QColor SnrColour(int snr);

class ConstellationModel {
  public:
    ConstellationModel();

    // Takes one decoded record. Returns true on the first update, when the whole window is
    // to be repainted with erase.
    bool Update(const ReceiverState& record);

    RecordFamily family() const { return family_; }
    int updates() const { return updates_; }
    const std::string& lastKind() const { return lastKind_; }
    // 12 channels, or 6 after a "C6" record.
    int channelCount() const;

    const std::array<SatelliteSlot, kChannelCount>& channels() const { return channels_; }
    const std::array<LevelSetting, kLevelRowCount>& levels() const { return levels_; }
    // The channels as the plot is to draw them (NMEA: channels from gsvInView on have none).
    std::array<SkyChannel, kChannelCount> PlotChannels() const;

    const PositionFields& position() const { return position_; }
    char fixQuality() const { return fixQuality_; }
    const std::array<std::uint8_t, 12>& usedPrn() const { return usedPrn_; }
    bool IsUsed(int prn) const;

    int gsvNumber() const { return gsvNumber_; }
    int gsvTotal() const { return gsvTotal_; }
    int gsvCount() const { return gsvCount_; }
    int gsvInView() const { return gsvInView_; }
    // True once a "$GPGSV" group has been complete: the number column and the level rows
    // show that group until the next one completes.
    bool groupShown() const { return groupShown_; }
    const std::array<GroupRow, kChannelCount>& groupRows() const { return groupRows_; }

    float lastPdop() const { return lastPdop_; }
    const ClockTime& nativeFixTime() const { return nativeFixTime_; }
    const ClockTime& ggaTime() const { return ggaTime_; }
    const QString& nativeDopText() const { return nativeDopText_; }

  private:
    void UpdateNative(const ReceiverState& record);
    void UpdateSatellitesInView(const ReceiverState& record);
    void ShowCompleteGroup();
    void CopyPosition(const ReceiverState& record);
    static SkyChannel NativeSkyChannel(int channel, const SatelliteSlot& slot);

    RecordFamily family_ = RecordFamily::None;
    int updates_ = 0;
    std::string lastKind_;
    std::array<SatelliteSlot, kChannelCount> channels_{};
    std::array<SkyChannel, kChannelCount> sky_{};
    std::array<LevelSetting, kLevelRowCount> levels_{};
    PositionFields position_;
    char fixQuality_ = 0;
    std::array<std::uint8_t, 12> usedPrn_{};
    int gsvNumber_ = 0;
    int gsvTotal_ = 0;
    int gsvCount_ = 0;
    int gsvInView_ = 0;
    bool groupShown_ = false;
    std::array<GroupRow, kChannelCount> groupRows_{};
    float lastPdop_ = 0;
    ClockTime nativeFixTime_;
    ClockTime ggaTime_;
    QString nativeDopText_;
};

}  // namespace orbex
