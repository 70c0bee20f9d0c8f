// The "TTFF Window" dialog: start mode, "Max Count", "Time" and "Rec_Log", the START, STOP,
// CLEAR and CLOSE buttons, the result list, the "Count" and "Average" boxes, and beside the list
// the picture of the series' results (histogram and cumulative distribution). It runs the
// series (TtffSeriesControl) with its 1-second timer; the cycle worker reaches the list and the
// boxes through queued calls, and the receiver through the main window's send.
#pragma once

#include <QDialog>
#include <QTimer>
#include <random>

#include "tools/ttff/ttff_host.h"
#include "tools/ttff/ttff_series_control.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace orbex {

class TtffChart;

class CTtffDlg : public QDialog, public TtffHost {
    Q_OBJECT
  public:
    explicit CTtffDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~CTtffDlg() override;

    // A received line (from the main window's dispatch), for the running cycle.
    void OfferLine(std::string_view line) { control_.OfferLine(line); }

    void OnStart();
    void OnStop();
    void OnClear();

    const TtffSeriesControl& control() const { return control_; }
    QListWidget* resultList() const { return resultList_; }
    QLineEdit* countBox() const { return countBox_; }
    QLineEdit* averageBox() const { return averageBox_; }
    QComboBox* startModeList() const { return startMode_; }
    QComboBox* maxCountList() const { return maxCount_; }
    QComboBox* timeList() const { return time_; }
    QCheckBox* recordLogBox() const { return recordLog_; }
    TtffChart* chart() const { return chart_; }

    // TtffHost
    void AddResultLine(const std::string& text) override;
    void ShowCountAndAverage(double count, int average) override;
    void ClearResults() override;
    void SendToReceiver(std::string_view bytes) override;
    void ShowError(const std::string& text) override;
    void SetSeriesTimer(bool running) override;
    void OnCycleEnded(const CycleReport& report) override;

  private:
    QComboBox* startMode_;
    QComboBox* maxCount_;
    QComboBox* time_;
    QCheckBox* recordLog_;
    QListWidget* resultList_;
    QLineEdit* countBox_;
    QLineEdit* averageBox_;
    TtffChart* chart_;
    QTimer seriesTimer_;
    std::minstd_rand random_;
    TtffSeriesControl control_;  // last: its worker ends before the controls go
};

}  // namespace orbex
