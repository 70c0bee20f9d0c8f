// The TTFF window: its lists, a series against vm8140-sim through a receiver link as the main
// window runs it, and closing while the cycle's worker waits in a send.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "gui/main_window_messages.h"
#include "link/line_queue.h"
#include "link/serial_link.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/window_messages.h"
#include "tests/support/sim_process.h"
#include "tests/support/test_files.h"
#include "tests/tools/ttff/ttff_dialog_support.h"
#include "tools/ttff/ttff_chart.h"
#include "tools/ttff/ttff_dialog.h"
#include "tools/ttff/ttff_result_file.h"
#include "tools/ttff/ttff_window.h"

namespace orbex {
namespace {

using test::Button;
using test::Items;

class TtffWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() / ("ttff_window_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        ::setenv("ORBEX_HOME", dir_.c_str(), 1);
        SharedSettingsStore().SetPath((dir_ / "ORBEX.reg").string());
        previousBox_ = SetMessageBoxFunction([this](const MessageRequest& request) {
            messages_.push_back(request.caption + ": " + request.text);
            return MessageResult::Ok;
        });
        SetMainWindowHandler([this](unsigned m, std::uintptr_t w, std::intptr_t l) {
            if (m == UWM_SEND_TO_RECEIVER) {
                sent_.emplace_back(reinterpret_cast<const char*>(w), static_cast<std::size_t>(l));
                if (link_) {
                    link_->Write(reinterpret_cast<const void*>(w), static_cast<std::size_t>(l));
                }
            } else if (m == UWM_LINE_QUEUED && window_) {
                std::string line;
                while (lines_.Pop(line)) {
                    window_->OnReceiverLine(line);
                }
            }
            return std::intptr_t{0};
        });
    }
    void TearDown() override {
        delete window_.data();
        link_.reset();
        SetMainWindowHandler({});
        SetMessageBoxFunction(previousBox_);
        std::filesystem::remove_all(dir_);
    }

    std::filesystem::path dir_;
    MessageBoxFunction previousBox_;
    std::vector<std::string> messages_;
    std::vector<std::string> sent_;
    LineQueue lines_;
    std::unique_ptr<SerialLink> link_;
    QPointer<CTtffWnd> window_;
};

TEST_F(TtffWindowTest, ListsHoldTheirEntriesAndRecLogIsRememberedWhenTheWindowReopens) {
    window_ = new CTtffWnd(QString());
    CTtffDlg* dialog = window_->dialog();
    EXPECT_EQ(window_->windowTitle(), "TTFF Window");
    EXPECT_EQ(Items(dialog->startModeList()), QStringList({"NONE", "HOT", "WARM", "COLD"}));
    EXPECT_EQ(Items(dialog->maxCountList()),
              QStringList({"1", "2", "5", "10", "20", "50", "100", "500", "1000", "Inf."}));
    EXPECT_EQ(Items(dialog->timeList()),
              QStringList({"0sec", "30sec", "1min", "2min", "5min", "10min", "20min", "30min",
                           "1hour", "2hour", "Randam"}));
    EXPECT_EQ(dialog->startModeList()->currentIndex(), 0);
    EXPECT_FALSE(dialog->recordLogBox()->isChecked());
    dialog->recordLogBox()->setChecked(true);
    Button(window_, "START")->click();  // NONE
    EXPECT_EQ(messages_, std::vector<std::string>{"ERROR: Please select command !\n"});
    delete window_.data();
    window_ = new CTtffWnd(QString());
    EXPECT_TRUE(window_->dialog()->recordLogBox()->isChecked());
    window_->dialog()->recordLogBox()->setChecked(false);
}

TEST_F(TtffWindowTest, ColdSeriesAgainstTheSimulatorFillsListBoxesAndResultFile) {
    const std::string path = (dir_ / "sim").string();
    testing::SimProcess sim(ORBEX_SIM_EXE, {"--ttff-cold", "3", "--rate", "5", "--link", path});
    ASSERT_TRUE(testing::SimProcess::WaitForPath(path));
    ::setenv("ORBEX_SERIAL_PORTS", path.c_str(), 1);
    link_ = std::make_unique<SerialLink>(lines_);
    PortSettings settings;
    settings.flowXon = 0;
    ASSERT_TRUE(link_->Open(PostToMainWindow, settings));

    window_ = new CTtffWnd(QString());
    window_->show();
    CTtffDlg* dialog = window_->dialog();
    const int count =
        std::getenv("ORBEX_TTFF_SERIES") ? std::atoi(std::getenv("ORBEX_TTFF_SERIES")) : 2;
    dialog->startModeList()->setCurrentIndex(3);
    dialog->maxCountList()->setCurrentText(QString::number(count));
    dialog->recordLogBox()->setChecked(true);
    Button(window_, "START")->click();
    Button(window_, "START")->click();  // measuring
    EXPECT_EQ(messages_, std::vector<std::string>{"ERROR: Please push stop button !\n"});
    test::WaitForCount(dialog, count);
    const QStringList items = Items(dialog->resultList());
    ASSERT_EQ(items.size(), 3 * count) << items.join("|").toStdString();
    EXPECT_TRUE(
        items[0].contains(QRegularExpression(R"(^\w{3} \w{3} \d\d \d\d:\d\d:\d\d \d{4}$)")));
    EXPECT_EQ(items[1], "ColdStart");
    for (int i = 0; i < count; ++i) {
        const QString result = items[3 * i + 2];
        ASSERT_TRUE(result.startsWith("TTFF TIME = ")) << result.toStdString();
        EXPECT_NEAR(result.mid(12).section(' ', 0, 0).toInt(), 3, 1) << result.toStdString();
    }
    EXPECT_NEAR(dialog->averageBox()->text().toInt(), 3, 1);
    EXPECT_EQ(dialog->chart()->distribution().size(), static_cast<std::size_t>(count));
    EXPECT_EQ(std::count(sent_.begin(), sent_.end(), "@CD\r\n"), count);
    const std::string file = test::Slurp(
        DefaultResultFilePath(dir_.string() + "/", StartMode::Cold, std::time(nullptr)));
    EXPECT_EQ(file.rfind("Start Mode: Cold Start\r\nCount,", 0), 0u) << file;
    EXPECT_NE(file.find("\r\n" + std::to_string(count) + ",2"), std::string::npos);
    if (const char* png = std::getenv("ORBEX_TTFF_SCREENSHOT")) {  // for the README
        window_->grab().save(QString::fromLocal8Bit(png));
        std::ofstream(std::string(png) + ".dat", std::ios::binary) << file;
    }
}

TEST_F(TtffWindowTest, ClosingWhileTheWorkerWaitsInItsSendDoesNotHang) {
    window_ = new CTtffWnd(QString());
    window_->dialog()->startModeList()->setCurrentIndex(1);
    Button(window_, "START")->click();
    // Settling lines until the worker sends its reset; this thread does not serve the send.
    for (int i = 0; i < 200; ++i) {
        window_->OnReceiverLine("$GPZDA,200343,06,12,2003,00,00*4F\r\n");
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(sent_.empty());
    delete window_.data();  // joins the worker while serving its send
    EXPECT_EQ(sent_, std::vector<std::string>{"@SR\r\n"});
}

}  // namespace
}  // namespace orbex
